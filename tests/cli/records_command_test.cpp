#include <gtest/gtest.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_session.h"
#include "net/download/cache_file_path.h"
#include "settings/settings_file.h"
#include "store/store_files.h"
#include "update/merge_records.h"

namespace tarsel {
namespace {

using testing::CliRun;
using testing::CliSession;

constexpr int32_t kTen = 1078477200;  // 2004-03-05 09:00 UTC
constexpr int32_t kHour = 3600;

RecordRef MakeRecord(const std::string& title, int32_t published, bool unread) {
  auto record = std::make_shared<Record>();
  record->title = title;
  record->link = "http://example.com/" + title;
  record->published = published;
  record->received = published + 60;
  record->unread = unread;
  record->is_new = false;
  return record;
}

// Group 1 holds column 2 (records in stored order: early, late, read, gone, spam) and
// column 3.
void WriteStore(const std::string& folder) {
  ColumnTree tree;
  auto group = std::make_shared<ColumnGroup>("Group");
  group->id = 1;
  auto column = std::make_shared<Column>();
  column->id = 2;
  column->name = "Feed";
  column->url = "http://example.com/feed.xml";
  RecordList& records = column->channel.records;
  records.push_back(MakeRecord("early", kTen, true));
  records.push_back(MakeRecord("late", kTen + kHour, true));
  records.push_back(MakeRecord("read", kTen + 2 * kHour, false));
  records.push_back(MakeRecord("gone", kTen + 3 * kHour, true));
  MarkRecordDeleted(*records.back());
  records.push_back(MakeRecord("spam offer", kTen + 4 * kHour, true));
  records[2]->persistent = true;
  column->filters.push_back({"spam", kFilterContains, kFilterDecline, kFilterTitle});
  auto other = std::make_shared<Column>();
  other->id = 3;
  other->url = "http://example.com/other.xml";
  other->channel.records.push_back(MakeRecord("stale", kTen, true));
  group->AddChild(column);
  group->AddChild(other);
  tree.Append(group);
  ASSERT_TRUE(SaveColumnStore(tree, folder, StoreOptions{}));
}

std::vector<std::string> Titles(const nlohmann::json& output) {
  std::vector<std::string> titles;
  for (const nlohmann::json& record : output["records"]) titles.push_back(record["title"]);
  return titles;
}

TEST(RecordsCommandTest, ShowsWhatTheRecordsListShows) {
  CliSession cli;
  mkdir(cli.DataFolder().c_str(), 0700);
  WriteStore(cli.DataFolder());

  struct Case {
    const char* name;
    bool unread_first;
    GroupItemsMode group_items;
    std::vector<std::string> arguments;
    std::vector<std::string> titles;
  };
  const std::vector<Case> cases = {
      {"unread first, later first", true, GroupItemsMode::kAll, {"2"}, {"late", "early", "read"}},
      {"stored order", false, GroupItemsMode::kAll, {"2"}, {"early", "late", "read"}},
      {"only unread", true, GroupItemsMode::kAll, {"2", "--unread"}, {"late", "early"}},
      {"group shows all", false, GroupItemsMode::kAll, {"1"}, {"early", "late", "read", "stale"}},
      {"group shows unread", false, GroupItemsMode::kUnread, {"1"}, {"early", "late", "stale"}},
      {"group shows nothing", false, GroupItemsMode::kNo, {"1"}, {}},
      {"every stored record",
       true,
       GroupItemsMode::kNo,
       {"2", "--all"},
       {"early", "late", "read", "gone", "spam offer"}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    Settings settings;
    settings.unreaditems_first = test.unread_first;
    settings.groupitems = test.group_items;
    ASSERT_TRUE(SaveSettings(settings));
    std::vector<std::string> arguments = {"records"};
    arguments.insert(arguments.end(), test.arguments.begin(), test.arguments.end());
    arguments.push_back("--json");
    const CliRun run = cli.Run(arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Titles(nlohmann::json::parse(run.out)), test.titles);
  }
}

TEST(RecordsCommandTest, JsonCarriesTheFlagsAndPlainTextTheRows) {
  CliSession cli;
  mkdir(cli.DataFolder().c_str(), 0700);
  WriteStore(cli.DataFolder());

  const nlohmann::json all =
      nlohmann::json::parse(cli.Run({"records", "2", "--all", "--json"}).out);
  EXPECT_EQ(all["column"], 2);
  const nlohmann::json& read = all["records"][2];
  EXPECT_EQ(read["title"], "read");
  EXPECT_EQ(read["link"], "http://example.com/read");
  EXPECT_EQ(read["published"], kTen + 2 * kHour);
  EXPECT_EQ(read["received"], kTen + 2 * kHour + 60);
  EXPECT_EQ(read["unread"], false);
  EXPECT_EQ(read["persistent"], true);
  EXPECT_EQ(read["deleted"], false);
  EXPECT_EQ(read["new"], false);
  EXPECT_EQ(all["records"][3]["deleted"], true);

  Settings settings;
  settings.groupitems = GroupItemsMode::kNo;
  ASSERT_TRUE(SaveSettings(settings));
  const nlohmann::json none = nlohmann::json::parse(cli.Run({"records", "1", "--json"}).out);
  EXPECT_EQ(none["empty_text"], "No records");
  EXPECT_EQ(cli.Run({"records", "1"}).out, "No records\n");
  EXPECT_EQ(cli.Run({"records", "2", "--unread"}).out,
            "U--- [2004.03.05 10:00] late\n     http://example.com/late\n"
            "U--- [2004.03.05 09:00] early\n     http://example.com/early\n");
}

TEST(RecordsCommandTest, MarkReadAndUnreadChangeEveryRecordBelowTheNode) {
  CliSession cli;
  mkdir(cli.DataFolder().c_str(), 0700);
  WriteStore(cli.DataFolder());
  auto unread_titles = [&cli](const char* id) {
    return Titles(
        nlohmann::json::parse(cli.Run({"records", id, "--all", "--unread", "--json"}).out));
  };
  ASSERT_EQ(cli.Run({"mark-read", "2"}).status, 0);
  EXPECT_EQ(unread_titles("2"), std::vector<std::string>{});
  EXPECT_EQ(unread_titles("3"), std::vector<std::string>{"stale"});
  ASSERT_EQ(cli.Run({"mark-unread", "1"}).status, 0);
  EXPECT_EQ(unread_titles("1"),
            (std::vector<std::string>{"early", "late", "read", "spam offer", "stale"}))
      << "a deleted record stays read";
  ASSERT_EQ(cli.Run({"mark-read", "all"}).status, 0);
  EXPECT_EQ(unread_titles("1"), std::vector<std::string>{});
}

TEST(RecordsCommandTest, ShowsAColumnFilledByAMerge) {
  CliSession cli;
  mkdir(cli.DataFolder().c_str(), 0700);
  ASSERT_EQ(cli.Run({"add", "http://example.com/feed.xml"}).status, 0);

  ColumnTree tree;
  ASSERT_TRUE(LoadColumnStore(tree, cli.DataFolder(), StoreOptions{}));
  Column& column = *tree.Columns().at(0);
  mkdir((cli.DataFolder() + "/Cache").c_str(), 0700);
  testing::WriteFileBytes(
      CacheFilePath(column),
      "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>Caf\xE9 news</title>"
      "<link>http://example.com/</link>"
      "<item><title>First</title><link>http://example.com/1</link>"
      "<pubDate>Fri, 05 Mar 2004 09:07:00 GMT</pubDate></item>"
      "<item><title>Second &amp;amp; &lt;i&gt;last&lt;/i&gt;</title>"
      "<link>http://example.com/2</link>"
      "<description>Some &lt;b&gt;bold&lt;/b&gt; text</description>"
      "<enclosure url=\"/ep/2.mp3?a=1&amp;b=2\" length=\"2048\" type=\"audio/mpeg\"/>"
      "</item></channel></rss>");
  ASSERT_EQ(MergeRecords(column, MergeOptionsForSettings(Settings())), 0);
  ASSERT_TRUE(SaveColumnStore(tree, cli.DataFolder(), StoreOptions{}));

  const nlohmann::json nodes = nlohmann::json::parse(cli.Run({"list", "--json"}).out);
  EXPECT_EQ(nodes[0]["name"], "Caf\xC3\xA9 news");
  EXPECT_EQ(nodes[0]["unread"], 2);
  const nlohmann::json records = nlohmann::json::parse(cli.Run({"records", "1", "--json"}).out);
  ASSERT_EQ(records["records"].size(), 2u);
  EXPECT_EQ(records["records"][1]["title"], "First") << "later published first";
  EXPECT_EQ(records["records"][1]["published"], 1078477620);
  EXPECT_EQ(records["records"][0]["summary"], "Some bold text");
  EXPECT_EQ(records["records"][0]["unread"], true);
  EXPECT_EQ(records["records"][0]["title"], "Second & last") << "the text a person reads";
  EXPECT_EQ(records["records"][0]["title_html"], "Second &amp; <i>last</i>");
  EXPECT_EQ(records["records"][0]["enclosures"],
            nlohmann::json::parse(R"([{"url": "http://example.com/ep/2.mp3?a=1&b=2",
                                       "type": "audio/mpeg", "length": 2048, "title": ""}])"))
      << "read back from the stored description";
  EXPECT_EQ(records["records"][1]["enclosures"], nlohmann::json::array());
}

// A feed in its own language reaches the store and `records --json` as the same text whether it
// came as UTF-8 or in a legacy character set, on any UTF-8 desktop (en_US.UTF-8 need not be
// installed). The titles are those of the feed's golden parse.
TEST(RecordsCommandTest, LanguagesShowOnUtf8Desktops) {
  const char* const feeds[] = {"lang_ru_koi8r",  "lang_ru_utf8",     "lang_el_iso88597",
                               "lang_zh_gb2312", "lang_ja_shiftjis", "lang_ar_cp1256",
                               "lang_he_cp1255"};
  for (const char* locale : {"C.UTF-8", "en_US.UTF-8"}) {
    for (const char* feed : feeds) {
      SCOPED_TRACE(std::string(locale) + " " + feed);
      CliSession cli;
      testing::ScopedEnv desktop("LC_ALL", locale);
      mkdir(cli.DataFolder().c_str(), 0700);
      ASSERT_EQ(cli.Run({"add", "http://example.com/feed.xml"}).status, 0);
      ColumnTree tree;
      ASSERT_TRUE(LoadColumnStore(tree, cli.DataFolder(), StoreOptions{}));
      Column& column = *tree.Columns().at(0);
      mkdir((cli.DataFolder() + "/Cache").c_str(), 0700);
      const std::string data = std::string(TARSEL_TEST_DATA) + "/feeds/" + feed;
      testing::WriteFileBytes(CacheFilePath(column), testing::ReadFileBytes(data + ".xml"));
      ASSERT_EQ(MergeRecords(column, MergeOptionsForSettings(Settings())), 0);
      ASSERT_TRUE(SaveColumnStore(tree, cli.DataFolder(), StoreOptions{}));

      const nlohmann::json golden =
          nlohmann::json::parse(testing::ReadFileBytes(data + ".expected.json"));
      const nlohmann::json shown = nlohmann::json::parse(cli.Run({"records", "1", "--json"}).out);
      ASSERT_EQ(shown["records"].size(), 2u);
      // Newest first in the list, feed order in the golden file.
      EXPECT_EQ(shown["records"][0]["title"], golden["records"][1]["title"]);
      EXPECT_EQ(shown["records"][1]["title"], golden["records"][0]["title"]);
      EXPECT_EQ(shown["records"][1]["summary"], golden["records"][0]["summary"]);
    }
  }
}

}  // namespace
}  // namespace tarsel
