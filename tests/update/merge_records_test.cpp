#include "update/merge_records.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

#include "net/download/cache_file_path.h"
#include "parse/charsets/encoding_choice.h"
#include "settings/settings.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

// The merge with the options of the process-wide settings the case has set.
int32_t MergeWithSettings(Column& column) {
  return MergeRecords(column, MergeOptionsForSettings(*CurrentSettings()));
}

using testing::ScopedEnv;
using testing::TempDir;

// One record as a test states it: identity, the user's flags, and a description.
struct Row {
  std::string title;
  std::string link;
  bool unread = true;
  bool persistent = false;
  bool deleted = false;
  std::string description = "d";
};

// What a merged record is checked for.
struct Expected {
  std::string title;
  std::string link;
  bool is_new;
  bool unread;
  bool persistent = false;
  bool deleted = false;
};

std::string Item(const Row& row) {
  return "<item><title>" + row.title + "</title><link>" + row.link + "</link><description>" +
         row.description + "</description></item>";
}

std::string Rss(const std::vector<Row>& items, const std::string& title = "Channel") {
  std::string body = "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>" + title +
                     "</title><link>http://example.com/</link><description>About</description>";
  for (const Row& row : items) body += Item(row);
  return body + "</channel></rss>";
}

RecordRef StoredRecord(const Row& row) {
  auto record = std::make_shared<Record>();
  record->title = row.title;
  record->link = row.link;
  record->unread = row.unread;
  record->persistent = row.persistent;
  record->deleted = row.deleted;
  record->is_new = false;
  record->received = 1000;
  record->description = row.description;
  return record;
}

class MergeRecordsTest : public ::testing::Test {
 protected:
  MergeRecordsTest() : data_home_("XDG_DATA_HOME", home_.path()) {
    mkdir((home_.path() + "/Tarsel").c_str(), 0700);
    mkdir((home_.path() + "/Tarsel/Cache").c_str(), 0700);
    column_.name = "My column";
    column_.url = "http://example.com/feed.xml";
  }

  void Store(const std::vector<Row>& rows) {
    for (const Row& row : rows) column_.channel.records.push_back(StoredRecord(row));
  }
  void Download(const std::string& body) { testing::WriteFileBytes(CacheFilePath(column_), body); }

  TempDir home_;
  ScopedEnv data_home_;
  Column column_;
};

void ExpectRecords(const Column& column, const std::vector<Expected>& expected) {
  const RecordList& records = column.channel.records;
  ASSERT_EQ(records.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("record " + std::to_string(i));
    EXPECT_EQ(records[i]->title, expected[i].title);
    EXPECT_EQ(records[i]->link, expected[i].link);
    EXPECT_EQ(records[i]->is_new, expected[i].is_new);
    EXPECT_EQ(records[i]->unread, expected[i].unread);
    EXPECT_EQ(records[i]->persistent, expected[i].persistent);
    EXPECT_EQ(records[i]->deleted, expected[i].deleted);
  }
}

struct MergeCase {
  const char* name;
  std::vector<Row> stored;
  std::vector<Row> feed;
  std::vector<Expected> result;
};

TEST_F(MergeRecordsTest, MatchesByTitleAndLinkAndKeepsUserState) {
  const std::vector<MergeCase> cases = {
      {"title changed, link kept: a new record replaces the old",
       {{"Old title", "http://e/1", false}},
       {{"New title", "http://e/1"}},
       {{"New title", "http://e/1", true, true}}},
      {"two identical items against one stored record",
       {{"Same", "http://e/s", false}},
       {{"Same", "http://e/s"}, {"Same", "http://e/s"}},
       {{"Same", "http://e/s", false, false}, {"Same", "http://e/s", true, true}}},
      {"a reused title with a new link is a new record",
       {{"Daily links", "http://e/monday", false}},
       {{"Daily links", "http://e/tuesday"}},
       {{"Daily links", "http://e/tuesday", true, true}}},
      {"identity is case-sensitive",
       {{"Title", "http://e/c", false}},
       {{"title", "http://e/c"}},
       {{"title", "http://e/c", true, true}}},
      {"a persistent record the feed dropped stays at the end with its flags",
       {{"Kept", "http://e/k", false, true}, {"Gone", "http://e/g", true}},
       {{"Fresh", "http://e/f"}},
       {{"Fresh", "http://e/f", true, true}, {"Kept", "http://e/k", false, false, true}}},
      {"persistent leftovers keep their previous order",
       {{"P1", "http://e/p1", true, true}, {"X", "http://e/x"}, {"P2", "http://e/p2", false, true}},
       {{"X", "http://e/x"}},
       {{"X", "http://e/x", false, true},
        {"P1", "http://e/p1", false, true, true},
        {"P2", "http://e/p2", false, false, true}}},
      {"a deleted record stays hidden while the feed carries it",
       {{"Deleted", "http://e/d", false, false, true}},
       {{"Deleted", "http://e/d"}, {"Other", "http://e/o"}},
       {{"Deleted", "http://e/d", false, false, false, true}, {"Other", "http://e/o", true, true}}},
      {"a deleted marker goes once the feed drops the record",
       {{"Deleted", "http://e/d", false, false, true}},
       {{"Other", "http://e/o"}},
       {{"Other", "http://e/o", true, true}}},
      {"an empty feed leaves only persistent records",
       {{"A", "http://e/a"}, {"B", "http://e/b", false, true}, {"C", "http://e/c", false}},
       {},
       {{"B", "http://e/b", false, false, true}}},
      {"the feed's order wins over the stored order",
       {{"A", "http://e/a", false}, {"B", "http://e/b", true}},
       {{"B", "http://e/b"}, {"A", "http://e/a"}},
       {{"B", "http://e/b", false, true}, {"A", "http://e/a", false, false}}},
  };
  for (const MergeCase& test : cases) {
    SCOPED_TRACE(test.name);
    column_.channel.records.clear();
    Store(test.stored);
    Download(Rss(test.feed));
    EXPECT_EQ(MergeWithSettings(column_), 0);
    ExpectRecords(column_, test.result);
  }
}

TEST_F(MergeRecordsTest, MatchedRecordTakesFeedContentAndStoredTimes) {
  Store({{"Read one", "http://e/r", false, false, false, "old text"}});
  Download(Rss({{"Read one", "http://e/r", true, false, false, "new text"}}));
  ASSERT_EQ(MergeWithSettings(column_), 0);
  const Record& merged = *column_.channel.records.at(0);
  EXPECT_FALSE(merged.unread);
  EXPECT_EQ(merged.received, 1000);
  EXPECT_NE(merged.description.find("new text"), std::string::npos);
}

TEST_F(MergeRecordsTest, ReplacesChannelAndLeavesOldRecordObjectsAlone) {
  Store({{"Kept", "http://e/k", false, true}});
  const RecordRef held_by_view = column_.channel.records[0];
  column_.channel.image_url = "http://old/image.png";
  Download(Rss({{"Kept", "http://e/k"}}, "Fresh title"));
  ASSERT_EQ(MergeWithSettings(column_), 0);
  EXPECT_EQ(column_.channel.title, "Fresh title");
  EXPECT_EQ(column_.channel.link, "http://example.com/");
  EXPECT_EQ(column_.channel.description, "About");
  EXPECT_EQ(column_.channel.image_url, "");
  EXPECT_NE(column_.channel.records[0], held_by_view);
  EXPECT_EQ(held_by_view->title, "Kept");
}

TEST_F(MergeRecordsTest, ClearsOldNewFlagsAndStampsNews) {
  Store({{"A", "http://e/a"}});
  column_.channel.records[0]->is_new = true;
  column_.last_news_time = 5;
  Download(Rss({{"A", "http://e/a"}}));
  ASSERT_EQ(MergeWithSettings(column_), 0);
  EXPECT_EQ(NewCount(column_), 0);
  EXPECT_EQ(column_.last_news_time.load(), 5) << "no new record, no news time";

  Download(Rss({{"A", "http://e/a"}, {"B", "http://e/b"}}));
  const int32_t before = NowSeconds();
  ASSERT_EQ(MergeWithSettings(column_), 0);
  EXPECT_EQ(NewCount(column_), 1);
  EXPECT_GE(column_.last_news_time.load(), before);

  ClearNewFlags(column_);
  EXPECT_EQ(NewCount(column_), 0);
}

TEST_F(MergeRecordsTest, NoCacheFileChangesNothingButTheValidators) {
  Store({{"A", "http://e/a"}});
  column_.etag = "\"v1\"";
  column_.last_modified = "L1";
  column_.name = kNewColumnName;
  EXPECT_EQ(MergeWithSettings(column_), 0);
  EXPECT_EQ(column_.channel.records.size(), 1u);
  EXPECT_EQ(column_.etag, "");
  EXPECT_EQ(column_.last_modified, "");
  EXPECT_EQ(column_.name, kNewColumnName);
}

TEST_F(MergeRecordsTest, ParseFailureClearsValidatorsOnly) {
  Store({{"A", "http://e/a"}});
  column_.channel.records[0]->is_new = true;
  column_.channel.title = "Known";
  column_.etag = "\"v1\"";
  column_.last_modified = "Mon, 01 Mar 2004 10:00:00 GMT";
  Download("<?xml version=\"1.0\"?><rss><channel><title>x</item></channel></rss>");
  EXPECT_EQ(MergeWithSettings(column_), 4);
  EXPECT_EQ(column_.etag, "");
  EXPECT_EQ(column_.last_modified, "");
  EXPECT_EQ(column_.channel.title, "Known");
  ASSERT_EQ(column_.channel.records.size(), 1u);
  EXPECT_TRUE(column_.channel.records[0]->is_new) << "new flags stay after a failed parse";
}

const char kPageWithFeedLink[] =
    "<html><head><link rel=\"alternate\" type=\"application/rss+xml\" href=\"/rss.xml\">"
    "</head><body>page</body></html>";

TEST_F(MergeRecordsTest, WebPageInEmptyColumnGivesDiscoveredUrl) {
  column_.url = "http://example.com/blog/";
  column_.name = kNewColumnName;
  column_.etag = "\"page\"";
  column_.last_modified = "Mon, 01 Mar 2004 10:00:00 GMT";
  Download(kPageWithFeedLink);
  EXPECT_EQ(MergeWithSettings(column_), 5);
  EXPECT_EQ(column_.url, "http://example.com/rss.xml");
  EXPECT_EQ(column_.etag, "");
  EXPECT_EQ(column_.last_modified, "");
  EXPECT_EQ(column_.name, kNewColumnName);
  EXPECT_TRUE(column_.channel.records.empty());
}

TEST_F(MergeRecordsTest, WebPageWithoutDiscoveryFailsToParse) {
  struct Case {
    const char* name;
    std::vector<Row> stored;
    std::string page;
  };
  const std::vector<Case> cases = {
      {"column with records", {{"A", "http://e/a"}}, kPageWithFeedLink},
      {"column holding only a deleted marker",
       {{"A", "http://e/a", false, false, true}},
       kPageWithFeedLink},
      {"page without a feed link", {}, "<html><body><p>nothing</p></body></html>"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    column_.url = "http://example.com/blog/";
    column_.channel.records.clear();
    Store(test.stored);
    Download(test.page);
    EXPECT_EQ(MergeWithSettings(column_), 4);
    EXPECT_EQ(column_.url, "http://example.com/blog/");
    EXPECT_EQ(column_.channel.records.size(), test.stored.size());
  }
}

TEST_F(MergeRecordsTest, ConvertsDeclaredKoi8UnlessAlreadyConverted) {
  // "Privet" in Cyrillic: KOI8-R bytes and their Windows-1251 form.
  const std::string koi8 = "\xF0\xD2\xC9\xD7\xC5\xD4";
  const std::string cp1251 = "\xCF\xF0\xE8\xE2\xE5\xF2";
  const std::string body = "<?xml version=\"1.0\" encoding=\"KOI8-R\"?><rss><channel><title>" +
                           koi8 + "</title><item><title>" + koi8 +
                           "</title><link>http://e/k</link></item></channel></rss>";
  const std::string utf8 = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";
  const struct {
    const char* desktop;
    bool converted;
    std::string expected;
  } cases[] = {
      {"ru_RU.KOI8-R", false, cp1251},
      {"ru_RU.KOI8-R", true, koi8},
      // A UTF-8 program converts the whole body by its declaration before parsing.
      {"C.UTF-8", false, utf8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.desktop) + (c.converted ? " converted at download" : ""));
    testing::ScopedEnv desktop("LC_ALL", c.desktop);
    column_.channel.records.clear();
    column_.charset_converted = c.converted;
    Download(body);
    ASSERT_EQ(MergeWithSettings(column_), 0);
    EXPECT_EQ(column_.channel.title, c.expected);
    ASSERT_EQ(column_.channel.records.size(), 1u);
    EXPECT_EQ(column_.channel.records[0]->title, c.expected);
  }
}

// A body left as it came, declared koi8-r, is converted by the single-byte table before its
// descriptions are cleaned: the table makes 0x80 a blank, and read as part of a name it must not
// turn into the blank before a handler or a script address after the cleaner has looked.
TEST_F(MergeRecordsTest, DeclaredSingleByteBodyIsConvertedBeforeCleaning) {
  const std::string body =
      "<?xml version=\"1.0\" encoding=\"koi8-r\"?><rss><channel><title>T</title><item>"
      "<title>I</title><link>http://e/i</link><description><![CDATA["
      "<img src=\"data:image/png,x\" \x80onerror=\"alert(1)\"><svg\x80onload=alert(1)>"
      "<a href=\"\x80javascript:alert(1)\">x</a>]]></description></item></channel></rss>";
  const std::shared_ptr<const Settings> saved = CurrentSettings();
  for (const EncodingChoice setting :
       {EncodingChoice::kWesternEurope, EncodingChoice::kCyrillicWindows,
        EncodingChoice::kCentralEuropean}) {
    SCOPED_TRACE(EncodingChoiceName(setting));
    Settings settings = *saved;
    settings.encoding = static_cast<int32_t>(setting);
    SetCurrentSettings(settings);
    column_.channel.records.clear();
    column_.charset_converted = false;
    Download(body);
    ASSERT_EQ(MergeWithSettings(column_), 0);
    ASSERT_EQ(column_.channel.records.size(), 1u);
    const std::string& description = column_.channel.records[0]->description;
    for (const char* risk : {"onerror", "onload", "javascript"}) {
      EXPECT_EQ(description.find(risk), std::string::npos) << description;
    }
  }
  SetCurrentSettings(*saved);
}

TEST_F(MergeRecordsTest, NewColumnTakesChannelTitleAsName) {
  struct Case {
    const char* name;
    std::string column_name;
    std::string body;
    std::string channel_title_before;
    std::string expected_name;
  };
  const std::vector<Case> cases = {
      {"first merge", kNewColumnName, Rss({}, "Daily news"), "", "Daily news"},
      {"empty channel title", kNewColumnName, Rss({}, ""), "", ""},
      {"failed parse keeps the old channel title", kNewColumnName, "<?xml bad", "Known", "Known"},
      {"only that exact name", "New RSS Column ", Rss({}, "Daily news"), "", "New RSS Column "},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    column_.name = test.column_name;
    column_.channel.title = test.channel_title_before;
    Download(test.body);
    MergeWithSettings(column_);
    EXPECT_EQ(column_.name, test.expected_name);
  }
}

TEST_F(MergeRecordsTest, LargeFeedAgainstLargeStoreMatchesEveryRecord) {
  std::vector<Row> rows;
  for (int i = 0; i < 5000; ++i) {
    rows.push_back({"Item " + std::to_string(i), "http://e/" + std::to_string(i), i % 2 == 0});
  }
  Store(rows);
  Download(Rss(rows));
  ASSERT_EQ(MergeWithSettings(column_), 0);
  ASSERT_EQ(column_.channel.records.size(), rows.size());
  EXPECT_EQ(NewCount(column_), 0);
  EXPECT_FALSE(column_.channel.records[1]->unread);
  EXPECT_TRUE(column_.channel.records[2]->unread);
}

}  // namespace
}  // namespace tarsel
