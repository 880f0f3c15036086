// Records an older build stored with other bytes (entities left encoded, markup in titles,
// relative links, a guid standing for the link) are still the records the feed carries.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "update/merge_records.h"

namespace tarsel {
namespace {

struct Stored {
  std::string title;  // as the store holds it: cleaned HTML
  std::string link;
  bool unread;
  std::string guid = {};
};

struct Item {
  std::string title;  // as the feed's XML writes it
  std::string link;
};

struct Outcome {
  bool is_new;
  bool unread;
};

struct IdentityCase {
  const char* name;
  std::vector<Stored> stored;
  std::vector<Item> feed;
  std::vector<Outcome> result;  // one per feed item, in feed order
};

std::string Feed(const std::vector<Item>& items) {
  std::string body =
      "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>C</title>"
      "<link>http://www.example.com/blog/</link><description>D</description>";
  for (const Item& item : items) {
    body += "<item><title>" + item.title + "</title>";
    if (!item.link.empty()) body += "<link>" + item.link + "</link>";
    body += "<description>d</description></item>";
  }
  return body + "</channel></rss>";
}

std::shared_ptr<Column> StoredColumn(const std::vector<Stored>& stored) {
  auto column = std::make_shared<Column>();
  column->name = "Upgraded";
  column->url = "http://feeds.example.org/site/feed.xml";
  for (const Stored& row : stored) {
    auto record = std::make_shared<Record>();
    record->title = row.title;
    record->link = row.link;
    record->guid = row.guid;
    record->unread = row.unread;
    record->is_new = false;
    column->channel.records.push_back(record);
  }
  return column;
}

TEST(MergeIdentityTest, RecordsStoredWithOtherBytesKeepTheirMarks) {
  const std::vector<IdentityCase> cases = {
      {"an entity the old reader left encoded",
       {{"Caf&amp;eacute; &amp;mdash; open", "http://www.example.com/c", false}},
       {{"Caf\xC3\xA9 \xE2\x80\x94 open", "http://www.example.com/c"}},
       {{false, false}}},
      {"markup kept in the stored title, blanks collapsed",
       {{"<b>Bold</b>   news", "http://www.example.com/b", false}},
       {{"Bold news", "http://www.example.com/b"}},
       {{false, false}}},
      {"a relative link stored as the feed gave it, resolved against the feed's address",
       {{"Post", "/site/post.html", false}},
       {{"Post", "http://feeds.example.org/site/post.html"}},
       {{false, false}}},
      {"a relative link resolved against the channel link",
       {{"Note", "note.html", false}},
       {{"Note", "http://www.example.com/blog/note.html"}},
       {{false, false}}},
      {"a stored record without a link stands for its guid",
       {{"Guid only", "", false, "http://www.example.com/g"}},
       {{"Guid only", "http://www.example.com/g"}},
       {{false, false}}},
      {"a feed reusing one title keeps each link's record",
       {{"Daily links", "/site/1", false}, {"Daily links", "/site/2", true}},
       {{"Daily links", "http://feeds.example.org/site/2"},
        {"Daily links", "http://feeds.example.org/site/3"},
        {"Daily links", "http://feeds.example.org/site/1"}},
       {{false, true}, {true, true}, {false, false}}},
      {"the ellipsis and no-break space the old decoder wrote as ASCII",
       {{"Wait... and&nbsp;see", "http://www.example.com/w", false}},
       {{"Wait\xE2\x80\xA6 and\xC2\xA0see", "http://www.example.com/w"}},
       {{false, false}}},
      {"a record the old reader found no address for is known by its title",
       {{"No address", "", false}},
       {{"No address", "http://www.example.com/n"}},
       {{false, false}}},
      {"a title the old reader could not read was the start of the summary",
       {{"d", "/site/x", false}},
       {{"Now readable", "http://feeds.example.org/site/x"}},
       {{false, false}}},
      {"the start of the summary alone is not enough",
       {{"d", "/site/x", false}},
       {{"Now readable", "http://feeds.example.org/site/y"}},
       {{true, true}}},
      {"the same text under another address is another record",
       {{"Caf&amp;eacute;", "http://www.example.com/a", false}},
       {{"Caf\xC3\xA9", "http://www.example.com/b"}},
       {{true, true}}},
      {"another text under the same address is another record",
       {{"<b>Old</b> title", "/site/p", false}},
       {{"New title", "http://feeds.example.org/site/p"}},
       {{true, true}}},
      {"an old record is taken once, by the first item",
       {{"A &amp;amp; B", "/site/ab", false}},
       {{"A &amp; B", "http://feeds.example.org/site/ab"},
        {"A &amp; B", "http://feeds.example.org/site/ab"}},
       {{false, false}, {true, true}}},
      {"an exact match wins over an earlier loose one",
       {{"Twin", "http://feeds.example.org/site/t", false}},
       {{"&lt;i&gt;Twin&lt;/i&gt;", "/site/t"}, {"Twin", "http://feeds.example.org/site/t"}},
       {{true, true}, {false, false}}},
  };
  for (const IdentityCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto column = StoredColumn(c.stored);
    ASSERT_EQ(MergeRecords(*column, Feed(c.feed), MergeOptionsForSettings(Settings())), 0);
    const RecordList& records = column->channel.records;
    ASSERT_EQ(records.size(), c.result.size());
    for (size_t i = 0; i < records.size(); ++i) {
      SCOPED_TRACE("item " + std::to_string(i));
      EXPECT_EQ(records[i]->is_new, c.result[i].is_new);
      EXPECT_EQ(records[i]->unread, c.result[i].unread);
    }
  }
}

TEST(MergeIdentityTest, OneTitleRepeatedThousandsOfTimesMatchesInLinearTime) {
  // Pair by pair, this would be 25 million address comparisons.
  constexpr int kCount = 5000;
  std::vector<Stored> stored;
  std::vector<Item> feed;
  for (int i = 0; i < kCount; ++i) {
    stored.push_back({"Daily &amp;amp; links", "/site/old/" + std::to_string(i), false});
    feed.push_back({"Daily &amp; links", "http://feeds.example.org/site/new/" + std::to_string(i)});
  }
  feed.push_back({"Daily &amp; links", "http://feeds.example.org/site/old/4999"});
  auto column = StoredColumn(stored);
  ASSERT_EQ(MergeRecords(*column, Feed(feed), MergeOptionsForSettings(Settings())), 0);
  ASSERT_EQ(column->channel.records.size(), feed.size());
  EXPECT_EQ(column->NewCount(), kCount);
  EXPECT_FALSE(column->channel.records.back()->unread);
}

}  // namespace
}  // namespace tarsel
