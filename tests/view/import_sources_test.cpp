#include "view/import_sources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"

namespace tarsel {
namespace {

TEST(ImportSourcesTest, ServiceColumnAddresses) {
  const struct {
    ServiceColumnKind kind;
    const char* name;
    const char* url;
  } kCases[] = {
      {ServiceColumnKind::kLiveJournalFriend, "frank",
       "http://www.livejournal.com/users/frank/rss"},
      {ServiceColumnKind::kYahooGroup, "my_group-1",
       "http://groups.yahoo.com/group/my_group-1/messages?rss=1&viscount=15"},
      // A name cannot leave its path segment or add a query.
      {ServiceColumnKind::kLiveJournalFriend, "../../x?y=1",
       "http://www.livejournal.com/users/%2E%2E%2F%2E%2E%2Fx%3Fy%3D1/rss"},
      {ServiceColumnKind::kYahooGroup, "a b\r\n",
       "http://groups.yahoo.com/group/a%20b%0D%0A/messages?rss=1&viscount=15"},
  };
  for (const auto& row : kCases) {
    EXPECT_EQ(ServiceColumnUrl(row.kind, row.name), row.url) << row.name;
  }
  auto column = NewServiceColumn(ServiceColumnKind::kYahooGroup, "g", NewColumnDefaults{600});
  EXPECT_EQ(column->name, "g");
  EXPECT_EQ(column->update_interval, 10800);
}

TEST(ImportSourcesTest, DirectoriesByCommand) {
  EXPECT_STREQ(DirectoryForCommand(40227)->file_name, "moreover.rdf");
  EXPECT_STREQ(DirectoryForCommand(40228)->file_name, "newsisfree.opml");
  EXPECT_STREQ(DirectoryForCommand(40229)->file_name, "myrss.rdf");
  EXPECT_EQ(DirectoryForCommand(40230), nullptr);
}

// The lists shipped under Feeds/ offer feeds, so the directory commands work offline.
TEST(ImportSourcesTest, ShippedDirectoryListsOfferFeeds) {
  for (int i = 0; i < kDirectoryListCount; ++i) {
    const DirectoryList& list = DirectoryLists()[i];
    const std::string path = std::string(TARSEL_TEST_DATA) + "/../../feeds/" + list.file_name;
    const FoundFeedTree tree = ReadDirectoryFile(list, path, EncodingChoice::kAutomatic);
    EXPECT_EQ(tree.name, "imported columns");
    EXPECT_GE(tree.TotalFeeds(), 6u) << list.file_name;
  }
}

// The program folder is read-only once installed: downloads go to the data folder, and a list
// downloaded there is read before the one shipped with the program.
TEST(ImportSourcesTest, DownloadedListsLiveInTheDataFolder) {
  testing::TempDir home;
  testing::ScopedEnv data_home("XDG_DATA_HOME", home.path());
  const std::string feeds = home.path() + "/Tarsel/Feeds/";
  EXPECT_TRUE(UrlListPath("http://lists.test/my.opml").starts_with(feeds));
  const DirectoryList& moreover = *DirectoryForCommand(40227);
  std::filesystem::create_directories(feeds);
  std::ofstream(feeds + "moreover.rdf") << "<ocs/>";
  EXPECT_EQ(DirectoryListPath(moreover), feeds + "moreover.rdf");
}

TEST(ImportSourcesTest, ListFilesByContent) {
  testing::TempDir folder;
  const std::string items = folder.File("items.opml");
  std::ofstream(items) << "<feedlists><item><url>http://s/</url><title>T</title>"
                          "<link>http://s/rss</link></item></feedlists>";
  std::optional<FoundFeedTree> read = ReadListFile(items, EncodingChoice::kAutomatic);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->name, "imported column");
  ASSERT_EQ(read->feeds.size(), 1u);
  EXPECT_EQ(read->feeds[0].feed_url, "http://s/rss");

  const std::string broken = folder.File("broken.opml");
  std::ofstream(broken) << "<opml><body><outline";
  EXPECT_FALSE(ReadListFile(broken, EncodingChoice::kAutomatic));
  EXPECT_FALSE(ReadListFile(folder.File("missing.opml"), EncodingChoice::kAutomatic));
  EXPECT_EQ(ReadDirectoryFile(*DirectoryForCommand(40227), broken, EncodingChoice::kAutomatic)
                .TotalFeeds(),
            0u);
}

}  // namespace
}  // namespace tarsel
