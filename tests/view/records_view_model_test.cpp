#include "view/records_view_model.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "net/download/failure_code.h"
#include "settings/translation_table.h"
#include "store/column.h"
#include "store/memories_column.h"
#include "view/record_operations.h"
#include "view/records_list_cells.h"

namespace tarsel {
namespace {

constexpr int32_t kTen = 1078480800;  // 2004-03-05 10:00 UTC
constexpr int32_t kHour = 3600;

RecordRef MakeRecord(const std::string& title, int32_t published, bool unread) {
  auto record = std::make_shared<Record>();
  record->title = title;
  record->published = published;
  record->unread = unread;
  return record;
}

std::vector<std::string> Titles(const RecordsViewModel& view) {
  std::vector<std::string> titles;
  for (const RecordsRow& row : view.rows()) titles.push_back(row.record->title);
  return titles;
}

// Group: column "first" (a10 unread 10:00, a11 unread 11:00, a12 read 12:00, gone deleted),
// then column "second" (b9 unread 09:00, "b spam" unread, "b mark" unread; rules: decline spam,
// then mark "mark" read).
struct Tree {
  Tree() {
    first->channel.records = {MakeRecord("a10", kTen, true), MakeRecord("a11", kTen + kHour, true),
                              MakeRecord("a12", kTen + 2 * kHour, false),
                              MakeRecord("gone", kTen + 3 * kHour, true)};
    MarkRecordDeleted(*first->channel.records.back());
    second->channel.records = {MakeRecord("b9", kTen - kHour, true),
                               MakeRecord("b spam", kTen + 5 * kHour, true),
                               MakeRecord("b mark", kTen + 4 * kHour, true)};
    second->filters = {{"spam", kFilterContains, kFilterDecline, kFilterTitle},
                       {"mark", kFilterContains, kFilterMarkRead, kFilterTitle}};
    first->RecountRecords();
    second->RecountRecords();
    group->AddChild(first);
    group->AddChild(second);
  }
  std::shared_ptr<Column> first = std::make_shared<Column>();
  std::shared_ptr<Column> second = std::make_shared<Column>();
  std::shared_ptr<ColumnGroup> group = std::make_shared<ColumnGroup>();
};

TEST(RecordsViewModelTest, NodeViewsByGroupModeAndOrdering) {
  using Strings = std::vector<std::string>;
  struct Case {
    const char* name;
    bool group;
    GroupItemsMode mode;
    bool unread_first;
    Strings titles;
    std::string empty_text;
  };
  const Case cases[] = {
      {"column, unread first then later first",
       false,
       GroupItemsMode::kAll,
       true,
       {"a11", "a10", "a12"},
       "No records"},
      {"column, stored order", false, GroupItemsMode::kAll, false, {"a10", "a11", "a12"}, ""},
      {"a column ignores the group mode",
       false,
       GroupItemsMode::kNo,
       false,
       {"a10", "a11", "a12"},
       ""},
      {"group, all, filters applied",
       true,
       GroupItemsMode::kAll,
       false,
       {"a10", "a11", "a12", "b9", "b mark"},
       ""},
      {"group, unread only",
       true,
       GroupItemsMode::kUnread,
       false,
       {"a10", "a11", "b9", "b mark"},
       ""},
      {"group, unread first across columns",
       true,
       GroupItemsMode::kAll,
       true,
       {"a11", "a10", "b9", "b mark", "a12"},
       ""},
      {"group, no items", true, GroupItemsMode::kNo, true, {}, "No records"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Tree tree;
    Settings settings;
    settings.groupitems = c.mode;
    settings.unreaditems_first = c.unread_first;
    TreeNode& node = c.group ? static_cast<TreeNode&>(*tree.group) : *tree.first;
    const RecordsViewModel view = RecordsViewModel::BuildForNode(node, settings);
    EXPECT_EQ(Titles(view), c.titles);
    if (c.titles.empty()) {
      EXPECT_EQ(view.empty_text(), c.empty_text);
    }
  }
}

TEST(RecordsViewModelTest, MarkReadRuleTakesEffectWhileBuildingAndRowsNameTheirColumn) {
  Tree tree;
  Settings settings;
  settings.groupitems = GroupItemsMode::kAll;
  settings.unreaditems_first = false;
  const RecordsViewModel view = RecordsViewModel::BuildForNode(*tree.group, settings);
  ASSERT_EQ(view.size(), 5u);
  EXPECT_FALSE(view.RecordAt(4)->unread);  // "b mark"
  EXPECT_TRUE(tree.second->channel.records[1]->unread) << "declined before the mark-read rule";
  EXPECT_EQ(view.ColumnAt(0), tree.first);
  EXPECT_EQ(view.ColumnAt(4), tree.second);
}

TEST(RecordsViewModelTest, BusyOrFailedColumnListsNothingAndSaysWhy) {
  struct Case {
    const char* name;
    int32_t state;
    int32_t result;
    std::string empty_text;
  };
  const Case cases[] = {
      {"updating", kUpdateRunning, 0, "Column is Updating"},
      {"failed", kUpdateIdle, kFailureNotFound, FailureMessage(kFailureNotFound)},
      {"queued lists its records", kUpdateQueued, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Tree tree;
    tree.first->update_state = c.state;
    tree.first->last_result = c.result;
    const RecordsViewModel view = RecordsViewModel::BuildForNode(*tree.first, Settings{});
    EXPECT_EQ(view.empty(), !c.empty_text.empty());
    if (view.empty()) {
      EXPECT_EQ(view.empty_text(), c.empty_text);
    }
  }
  // In a group, an updating column contributes nothing; the others still list.
  Tree tree;
  tree.first->update_state = kUpdateRunning;
  Settings settings;
  settings.groupitems = GroupItemsMode::kAll;
  EXPECT_EQ(Titles(RecordsViewModel::BuildForNode(*tree.group, settings)).size(), 2u);
}

TEST(RecordsViewModelTest, MemoriesColumnListsItsRecordsWithoutDeletedOnes) {
  auto memories = std::make_shared<MemoriesColumn>();
  memories->records = {MakeRecord("kept", kTen, false), MakeRecord("dropped", kTen, false)};
  MarkRecordDeleted(*memories->records[1]);
  EXPECT_EQ(Titles(RecordsViewModel::BuildForNode(*memories, Settings{})),
            std::vector<std::string>{"kept"});
}

TEST(RecordsViewModelTest, MarksChangeTheColumnsRecordsAndWaitForNoLock) {
  Tree tree;
  Record& a10 = *tree.first->channel.records[0];
  EXPECT_TRUE(ApplyRecordMark(*tree.first, a10, RecordMark::kRead));
  EXPECT_FALSE(a10.unread);
  EXPECT_FALSE(a10.is_new);
  EXPECT_FALSE(ApplyRecordMark(*tree.first, a10, RecordMark::kRead)) << "already read";
  EXPECT_TRUE(ApplyRecordMark(*tree.first, a10, RecordMark::kUnread));
  EXPECT_TRUE(ApplyRecordMark(*tree.first, a10, RecordMark::kPersistent));
  EXPECT_TRUE(a10.persistent);
  {
    // A merge holds the lock: the mark is refused rather than waited for.
    std::lock_guard<std::mutex> merging(tree.first->lock);
    EXPECT_FALSE(ApplyRecordMark(*tree.first, a10, RecordMark::kRead));
    EXPECT_TRUE(a10.unread);
  }
  EXPECT_TRUE(ApplyRecordMark(*tree.first, a10, RecordMark::kDeleted));
  EXPECT_TRUE(a10.deleted);
  EXPECT_FALSE(a10.persistent);

  Settings settings;
  settings.unreaditems_first = false;
  RecordsViewModel view = RecordsViewModel::BuildForNode(*tree.first, settings);
  EXPECT_EQ(MarkAllRows(view, false).size(), 1u);
  EXPECT_EQ(tree.first->UnreadCount(), 0);
  EXPECT_EQ(MarkAllRows(view, true).size(), 1u);
  EXPECT_EQ(tree.first->UnreadCount(), 2);
  EXPECT_TRUE(MarkAllRows(view, true).empty()) << "nothing left to change";
}

TEST(RecordsViewModelTest, NextAndPrevUnreadRows) {
  RecordsViewModel view;
  auto column = std::make_shared<Column>();
  for (bool unread : {false, true, false, true, false}) {
    view.AddRow(column, MakeRecord("r", kTen, unread));
  }
  struct Case {
    bool next;
    int64_t from;
    int64_t expected;
  };
  const Case cases[] = {{true, -1, 1}, {true, 1, 3},  {true, 3, -1},  {true, 4, -1},
                        {false, 4, 3}, {false, 3, 1}, {false, 1, -1}, {false, -1, 3}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.next ? NextUnreadRow(view, c.from) : PrevUnreadRow(view, c.from), c.expected)
        << (c.next ? "next from " : "prev from ") << c.from;
  }
}

TEST(RecordsListCellsTest, CellTexts) {
  setenv("TZ", "UTC", 1);
  tzset();
  Record record;
  record.title = "Title";
  record.author = "Ann";
  record.published = 1078477620;  // 2004-03-05 09:07 UTC
  record.unread = false;
  record.persistent = true;
  EXPECT_EQ(CellText(record, kTitleColumn), "Title");
  EXPECT_EQ(CellText(record, kReceivedColumn), "[2004.03.05 09:07]");
  EXPECT_EQ(CellText(record, kSubjectColumn), "(empty)");
  EXPECT_EQ(CellText(record, kAuthorColumn), "Ann");
  EXPECT_EQ(CellIcon(record, kReadStateColumn), kIconRead);
  EXPECT_EQ(CellIcon(record, kPersistenceColumn), kIconPersistent);
  EXPECT_EQ(CellIcon(record, kTitleColumn), -1);
  for (int32_t missing : {0, -5}) EXPECT_EQ(RecordDateText(missing), "(empty)");
  EXPECT_STREQ(ColumnInfo(kSubjectColumn).width_key, "author");
  EXPECT_STREQ(ColumnInfo(kSubjectColumn).visibility_key, "subject");
  EXPECT_STREQ(ColumnInfo(kAuthorColumn).width_key, "subject");
  EXPECT_EQ(ColumnOfShowCommand(40251), kSubjectColumn);
  EXPECT_EQ(SortTooltip(kReceivedColumn), "Sort by: Received");
}

// A screen reader hears the icon cells' states, in the user's language.
TEST(RecordsListCellsTest, IconCellsSpeakTheirStateInFrench) {
  TranslationTable& table = ProcessTranslations();
  const TranslationTable english = table;
  ASSERT_TRUE(LoadTranslationFile(table, TARSEL_TEST_DATA "/../../localization/tarsel.french.xml",
                                  1252, 65001));
  struct Row {
    bool unread, is_new, persistent;
    const char* read_state;
    const char* persistence;
  } rows[] = {
      {true, true, false, "Nouveau", "Non permanent"},
      {true, false, true, "Non lu", "Permanent"},
      {false, false, false, "Lu", "Non permanent"},
  };
  for (const Row& row : rows) {
    Record record;
    record.title = "Titre";
    record.unread = row.unread;
    record.is_new = row.is_new;
    record.persistent = row.persistent;
    EXPECT_EQ(CellAccessibleText(record, kReadStateColumn), row.read_state);
    EXPECT_EQ(CellAccessibleText(record, kPersistenceColumn), row.persistence);
    EXPECT_EQ(CellAccessibleText(record, kTitleColumn), "Titre");
  }
  table = english;
}

TEST(RecordsListCellsTest, DescriptionBlock) {
  struct Case {
    const char* name;
    bool show;
    bool limit;
    int32_t symbols;
    std::string summary;
    std::string expected;
  };
  const std::string twenty_five = "abcdefghijklmnopqrstuvwxy";
  const Case cases[] = {
      {"cut to ten and dots", true, true, 10, twenty_five, "abcdefghij..."},
      {"short enough", true, true, 25, twenty_five, twenty_five},
      {"no limit", true, false, 10, twenty_five, twenty_five},
      {"hidden", false, false, 10, twenty_five, ""},
      {"empty summary", true, true, 10, "", ""},
      {"zero symbols", true, true, 0, "ab", "..."},
      {"a huge summary stops at the ceiling", true, false, 10, std::string(9000, 'z'),
       std::string(kDescriptionCeiling, 'z') + "..."},
  };
  for (const Case& c : cases) {
    Settings settings;
    settings.descriptions_show = c.show;
    settings.descriptions_limitsymbols = c.limit;
    settings.descriptions_symbols = c.symbols;
    Record record;
    record.summary = c.summary;
    EXPECT_EQ(DescriptionText(record, settings), c.expected) << c.name;
  }
}

TEST(RecordsListCellsTest, HeaderSortByTextThenIcon) {
  RecordsViewModel view;
  auto column = std::make_shared<Column>();
  view.AddRow(column, MakeRecord("b", kTen, true));
  view.AddRow(column, MakeRecord("", kTen - kHour, false));
  view.AddRow(column, MakeRecord("B", 0, true));
  view.RecordAt(1)->persistent = true;
  struct Case {
    int column;
    bool ascending;
    std::vector<std::string> titles;
  };
  // "(empty)" sorts before "B" and "b" byte-wise; a missing date reads "(empty)" as well.
  const Case cases[] = {
      {kTitleColumn, true, {"", "B", "b"}},        {kTitleColumn, false, {"b", "B", ""}},
      {kReceivedColumn, true, {"B", "", "b"}},     {kReadStateColumn, true, {"B", "b", ""}},
      {kPersistenceColumn, false, {"", "B", "b"}},
  };
  for (const Case& c : cases) {
    SortRowsByColumn(view.rows(), kTitleColumn, true);  // a known start
    SortRowsByColumn(view.rows(), c.column, c.ascending);
    EXPECT_EQ(Titles(view), c.titles) << c.column << (c.ascending ? " up" : " down");
  }
}

}  // namespace
}  // namespace tarsel
