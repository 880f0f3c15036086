// Stores written by older versions of the program, built field by field.

#include <gtest/gtest.h>
#include <time.h>

#include "store/password_scramble.h"
#include "store/store_files.h"
#include "store_bytes.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

using testing::StoreBytes;

struct OldRecord {
  std::string title;
  std::string link;
  std::string description;
  std::string date_text;  // older stores only
  std::string subject;
  int32_t received = 0;
  bool unread = true;
  std::string summary;
  bool persistent = false;
  bool deleted = false;
  int32_t published = 0;
};

OldRecord MakeOld(std::string title, std::string description, std::string date_text,
                  int32_t received, std::string summary = "") {
  OldRecord record;
  record.title = std::move(title);
  record.description = std::move(description);
  record.date_text = std::move(date_text);
  record.received = received;
  record.summary = std::move(summary);
  return record;
}

void WriteOldRecord(StoreBytes& out, int32_t version, const OldRecord& r) {
  out.Str(r.title).Str(r.link);
  if (version < 149) out.Str(r.description);
  if (version < 200) out.Str(r.date_text);
  out.Str("comments").Str("author").Str("guid");
  out.Str(version < 149 ? "" : r.description);
  if (version >= 102) out.Str(r.subject);
  out.Int(r.received).Bool(r.unread);
  if (version >= 103) out.Str(r.summary);
  if (version >= 140) out.Bool(r.persistent).Bool(r.deleted);
  if (version >= 200) out.Int(r.published);
}

void WriteOldColumn(StoreBytes& out, int32_t version, int32_t id,
                    const std::vector<OldRecord>& records) {
  out.Int(5);
  out.Begin().Int(id).Str("Old column").End();
  out.Begin().Int(0).Int(0).Bool(true).Bool(true).Int(100).Int(200).Int(3600).Bool(true).End();
  out.Begin();
  out.Str("Old column").Str("http://old.example.com/rss").Str("login");
  out.Str(ScramblePassword("Password9")).Int(0).Str("etag").Str("lm");
  out.Str("Channel").Str("http://old.example.com/").Str("About").Str("").Str("");
  out.Int(static_cast<int32_t>(records.size()));
  for (const OldRecord& record : records) WriteOldRecord(out, version, record);
  out.Int(1).Begin().Str("word").Int(1).Int(2).Int(0).End();
  if (version >= 140) {
    out.Bool(false).Bool(true).Bool(true).Int(9).Bool(true).Bool(false).Bool(false).Bool(false);
    out.Str("save").Str("").Str("");
  }
  out.End();
}

std::string OldStore(int32_t version, const std::vector<OldRecord>& records) {
  StoreBytes out;
  out.Int(version / 100).Int(version % 100).Int(2);
  out.Int(0).Begin().Int(1).Str("Group").End().Begin();
  if (version >= 102) out.Bool(false);
  out.Int(0).End();
  WriteOldColumn(out, version, 2, records);
  return out.data();
}

int32_t Utc(int year, int month, int day, int hour, int minute) {
  struct tm parts {};
  parts.tm_year = year - 1900;
  parts.tm_mon = month - 1;
  parts.tm_mday = day;
  parts.tm_hour = hour;
  parts.tm_min = minute;
  return static_cast<int32_t>(timegm(&parts));
}

class LegacyStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { tzset(); }
  void TearDown() override { tzset(); }
  testing::ScopedEnv tz_{"TZ", "UTC"};
};

TEST_F(LegacyStoreTest, Version199IsCopiedSortedAndReadsDateTexts) {
  std::vector<OldRecord> records = {
      MakeOld("old", "<b>d1</b>", "[2004.01.05 10:20]", 77, "s1"),
      MakeOld("new", "<b>d2</b>", "[2004.01.07 08:00]", 78, "s2"),
      MakeOld("middle", "", "2004.01.06", 79),
  };
  records[1].persistent = true;
  const std::string bytes = OldStore(199, records);
  testing::TempDir folder;
  testing::WriteFileBytes(folder.File(kColumnStoreName), bytes);
  ColumnTree tree;
  ASSERT_TRUE(LoadColumnStore(tree, folder.path(), StoreOptions{}));
  EXPECT_EQ(testing::ReadFileBytes(folder.File("columns199.dat")), bytes);

  auto group = std::static_pointer_cast<ColumnGroup>(tree.FindById(1));
  EXPECT_FALSE(group->expanded);
  auto column = tree.Columns().at(0);
  EXPECT_EQ(column->password, "Password9");
  EXPECT_FALSE(column->use_title_from_rss);
  EXPECT_EQ(column->archive_depth, 9);
  EXPECT_EQ(column->auto_save_path, "save");
  ASSERT_EQ(column->filters.size(), 1u);
  EXPECT_EQ(column->filters[0], (FilterRule{"word", 1, 2, 0}));
  const auto& list = column->channel.records;
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0]->title, "new");
  EXPECT_EQ(list[1]->title, "middle");
  EXPECT_EQ(list[2]->title, "old");
  EXPECT_EQ(list[0]->published, Utc(2004, 1, 7, 8, 0));
  EXPECT_EQ(list[0]->received, list[0]->published);
  EXPECT_EQ(list[1]->published, Utc(2004, 1, 6, 0, 0));
  EXPECT_EQ(list[2]->description, "<b>d1</b>");
  EXPECT_EQ(list[2]->summary, "s1");
  EXPECT_TRUE(list[0]->persistent);
  EXPECT_FALSE(list[0]->is_new);
}

TEST_F(LegacyStoreTest, Version139KeepsDefaultsForLaterFields) {
  const std::vector<OldRecord> records = {
      MakeOld("t", "<i>old place</i>", "[2004.01.05 10:20]", 5, "sum")};
  StoreOptions options;
  options.column_defaults = {.update_interval = 60,
                             .archive_enabled = true,
                             .archive_by_count = false,
                             .archive_depth = 17};
  ColumnTree tree;
  EXPECT_EQ(ReadColumnStore(OldStore(139, records), tree, options), 139);
  auto column = tree.Columns().at(0);
  EXPECT_TRUE(column->use_title_from_rss);
  EXPECT_TRUE(column->archive_enabled);
  EXPECT_FALSE(column->archive_by_count);
  EXPECT_EQ(column->archive_depth, 17);
  EXPECT_FALSE(column->auto_save || column->run_program || column->send_mail ||
               column->include_body);
  EXPECT_EQ(column->auto_save_path + column->program_path + column->mail_address, "");
  EXPECT_EQ(column->update_interval, 3600) << "stored in the feed block of every version";
  const Record& record = *column->channel.records.at(0);
  EXPECT_EQ(record.description, "<i>old place</i>");
  EXPECT_EQ(record.summary, "sum");
  EXPECT_FALSE(record.persistent);
  EXPECT_EQ(record.received, Utc(2004, 1, 5, 10, 20));
  EXPECT_EQ(record.published, Utc(2004, 1, 5, 10, 20));
}

TEST_F(LegacyStoreTest, Version100MakesSummariesAndLacksSubjects) {
  std::vector<OldRecord> records = {MakeOld("t", "<p>body</p>", "", 5)};
  records[0].link = "http://x/";
  StoreOptions options;
  std::string seen;
  options.make_summary = [&seen](const std::string& description, const std::string& link) {
    seen = description + "|" + link;
    return std::string("made");
  };
  ColumnTree tree;
  EXPECT_EQ(ReadColumnStore(OldStore(100, records), tree, options), 100);
  auto group = std::static_pointer_cast<ColumnGroup>(tree.FindById(1));
  EXPECT_TRUE(group->expanded) << "not stored before 102";
  const Record& record = *tree.Columns().at(0)->channel.records.at(0);
  EXPECT_EQ(seen, "<p>body</p>|http://x/");
  EXPECT_EQ(record.summary, "made");
  EXPECT_EQ(record.subject, "");
  // No date text: the stored time is formatted and read back, which the reader cannot do,
  // so both dates become the time of reading.
  const int32_t now = NowSeconds();
  EXPECT_NEAR(record.published, now, 5);
  EXPECT_EQ(record.received, record.published);
}

TEST_F(LegacyStoreTest, Version200ReadsBinaryDates) {
  std::vector<OldRecord> records = {MakeOld("a", "", "", 0), MakeOld("b", "", "", 111)};
  records[1].published = 222;
  StoreOptions options;
  options.now = 999;
  ColumnTree tree;
  ReadColumnStore(OldStore(200, records), tree, options);
  const auto& list = tree.Columns().at(0)->channel.records;
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0]->title, "a") << "current stores are not re-sorted";
  EXPECT_EQ(list[0]->received, 999);
  EXPECT_EQ(list[0]->published, 999);
  EXPECT_EQ(list[1]->received, 111);
  EXPECT_EQ(list[1]->published, 222);
}

TEST_F(LegacyStoreTest, CountingReaderKeepsMarksAndDatesButNoTexts) {
  std::vector<OldRecord> records = {MakeOld("a", "<p>one</p>", "01/05/2004 10:20", 7, "s"),
                                    MakeOld("b", "", "", 0), MakeOld("c", "<b>3</b>", "", 9)};
  records[1].unread = false;
  records[1].published = 222;
  records[2].persistent = records[2].deleted = true;
  records[2].subject = "subject";
  for (const int32_t version : {100, 139, 148, 199, 200}) {
    SCOPED_TRACE(version);
    StoreOptions options;
    options.now = 999;
    options.make_summary = [](const std::string&, const std::string&) { return "made"; };
    const std::string bytes = OldStore(version, records);
    ColumnTree whole;
    ColumnTree counted;
    ReadColumnStore(bytes, whole, options);
    options.record_texts = false;
    ReadColumnStore(bytes, counted, options);
    const Column& column = *counted.Columns().at(0);
    EXPECT_EQ(column.auto_save_path, whole.Columns().at(0)->auto_save_path) << "read in step";
    EXPECT_EQ(column.filters.size(), 1u);
    const RecordList& expected = whole.Columns().at(0)->channel.records;
    ASSERT_EQ(column.channel.records.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      const Record& record = *column.channel.records[i];
      // Old records whose date text cannot be read are dated when read, and the two reads may
      // fall on either side of a second's turn.
      EXPECT_NEAR(record.received, expected[i]->received, 2) << i;
      EXPECT_NEAR(record.published, expected[i]->published, 2) << i;
      EXPECT_EQ(record.unread, expected[i]->unread) << i;
      EXPECT_EQ(record.persistent, expected[i]->persistent) << i;
      EXPECT_EQ(record.deleted, expected[i]->deleted) << i;
      for (const std::string* text :
           {&record.title, &record.link, &record.summary, &record.comments, &record.author,
            &record.subject, &record.guid, &record.description}) {
        EXPECT_EQ(*text, "") << i;
      }
    }
  }
}

}  // namespace
}  // namespace tarsel
