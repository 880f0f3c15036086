#include "parse/lists/import_choices.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tarsel {
namespace {

TEST(ImportChoicesTest, FilterTestsTheChosenFieldCaseSensitively) {
  const FoundFeedList feeds = {
      {"http://blog.a", "http://a/rss", "daily news", "Alpha"},
      {"http://b", "http://b/rss", "a Blog about blogs", "Beta"},
      {"http://BLOG.c", "http://c/rss", "", "gamma blog"},
  };
  const struct {
    FoundFeedFilter filter;
    const char* text;
    std::vector<std::string> titles;
  } cases[] = {
      {FoundFeedFilter::kUrl, "blog", {"Alpha"}},
      {FoundFeedFilter::kTitle, "blog", {"gamma blog"}},
      {FoundFeedFilter::kItemContent, "Blog", {"Beta"}},
      {FoundFeedFilter::kAll, "blog", {"Alpha", "Beta", "gamma blog"}},
      {FoundFeedFilter::kNoFilter, "nothing matches", {"Alpha", "Beta", "gamma blog"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> titles;
    for (const FoundFeed& feed : FilterFoundFeeds(feeds, c.filter, c.text)) {
      titles.push_back(feed.title);
    }
    EXPECT_EQ(titles, c.titles) << static_cast<int>(c.filter) << " " << c.text;
  }
}

TEST(ImportChoicesTest, ChosenFeedsBecomeColumnsUnlessTheirAddressIsTaken) {
  ColumnTree tree;
  auto old = std::make_shared<Column>();
  old->id = 1;
  old->url = "http://a/rss";
  tree.Append(old);
  FoundFeedTree list{"imported column", {{"s", "http://a/rss", "", "A"}}, {}};
  list.lists.push_back({"News", {{"s", "http://b/rss", "", "B"}}, {}});
  const FoundFeedList chosen = FlattenFoundFeeds(list);
  ASSERT_EQ(chosen.size(), 2u);
  const std::vector<std::string> refused = CreateChosenColumns(tree, chosen, nullptr, {});
  EXPECT_EQ(refused, std::vector<std::string>{DuplicateUrlMessage("http://a/rss")});
  ASSERT_EQ(tree.nodes().size(), 2u);
  EXPECT_EQ(tree.nodes()[1]->id, 2);
  EXPECT_EQ(tree.FindColumnByUrl("http://b/rss")->name, kImportedColumnName);
}

TEST(ImportChoicesTest, ListFileNameStaysInsideItsFolder) {
  const struct {
    const char* url;
    const char* name;
  } cases[] = {
      {"http://www.example.com/list.opml", "example"},
      {"http://feeds.example.com/x", "feeds"},
      {"www.site.org", "site"},
      {"https://www.example.com/", "https:__www"},
      {"http://localhost/a/b", "localhost_a_b"},
      {"http://.hidden", "list"},
      {"", "list"},
  };
  for (const auto& c : cases) EXPECT_EQ(ListFileNameFromUrl(c.url), c.name) << c.url;
}

}  // namespace
}  // namespace tarsel
