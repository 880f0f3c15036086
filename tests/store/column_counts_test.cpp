// A column's unread and total counts are kept as records change, not counted when read: every
// way a record's flags or the list change must leave them equal to a fresh count.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "store/column_tree.h"
#include "store/record_marks.h"
#include "store/store_files.h"
#include "store_sample.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

RecordRef MakeRecord(const std::string& title, bool unread, bool deleted) {
  auto record = std::make_shared<Record>();
  record->title = title;
  record->unread = unread;
  record->deleted = deleted;
  return record;
}

// unread, read, deleted (read), and an unread record with "spam" in its title.
std::shared_ptr<Column> MixedColumn() {
  auto column = std::make_shared<Column>();
  column->channel.records = {MakeRecord("fresh", true, false), MakeRecord("seen", false, false),
                             MakeRecord("gone", false, true),
                             MakeRecord("spam offer", true, false)};
  column->RecountRecords();
  return column;
}

int32_t RecountUnread(const Column& column) {
  return static_cast<int32_t>(
      std::count_if(column.channel.records.begin(), column.channel.records.end(),
                    [](const RecordRef& record) { return !record->deleted && record->unread; }));
}

int32_t RecountTotal(const Column& column) {
  return static_cast<int32_t>(
      std::count_if(column.channel.records.begin(), column.channel.records.end(),
                    [](const RecordRef& record) { return !record->deleted; }));
}

Record& At(Column& column, size_t index) {
  return *column.channel.records[index];
}

TEST(ColumnCountsTest, EveryRecordOperationKeepsTheCountsOfARecount) {
  struct Case {
    const char* name;
    std::function<void(Column&)> change;
    int32_t unread;
    int32_t total;
  };
  const Case cases[] = {
      {"nothing", [](Column&) {}, 2, 3},
      {"read an unread record", [](Column& c) { c.SetRecordUnread(At(c, 0), false); }, 1, 3},
      {"read a read record", [](Column& c) { c.SetRecordUnread(At(c, 1), false); }, 2, 3},
      {"unread a read record", [](Column& c) { c.SetRecordUnread(At(c, 1), true); }, 3, 3},
      {"unread a deleted record", [](Column& c) { c.SetRecordUnread(At(c, 2), true); }, 2, 3},
      {"delete an unread record", [](Column& c) { c.DeleteRecord(At(c, 0)); }, 1, 2},
      {"delete a read record", [](Column& c) { c.DeleteRecord(At(c, 1)); }, 2, 2},
      {"delete a deleted record", [](Column& c) { c.DeleteRecord(At(c, 2)); }, 2, 3},
      {"through the holder: unread",
       [](Column& c) { SetRecordUnread(static_cast<TreeNode&>(c), At(c, 1), true); }, 3, 3},
      {"through the holder: delete",
       [](Column& c) { DeleteRecord(static_cast<TreeNode&>(c), At(c, 3)); }, 1, 2},
      {"a mark-read filter passes over the list",
       [](Column& c) {
         c.filters = {{"spam", kFilterContains, kFilterMarkRead, kFilterTitle}};
         for (const RecordRef& record : c.channel.records) c.PassesFilters(*record);
       },
       1, 3},
      {"a declining filter marks nothing",
       [](Column& c) {
         c.filters = {{"spam", kFilterContains, kFilterDecline, kFilterTitle}};
         for (const RecordRef& record : c.channel.records) c.PassesFilters(*record);
       },
       2, 3},
      {"a merge's list replaces the records",
       [](Column& c) {
         c.ReplaceRecords({MakeRecord("a", true, false), MakeRecord("b", true, false),
                           MakeRecord("c", true, false), MakeRecord("d", false, true),
                           MakeRecord("e", false, false)});
       },
       3, 4},
      {"an empty list", [](Column& c) { c.ReplaceRecords({}); }, 0, 0},
  };
  for (const Case& c : cases) {
    const std::shared_ptr<Column> column = MixedColumn();
    c.change(*column);
    EXPECT_EQ(column->UnreadCount(), RecountUnread(*column)) << c.name;
    EXPECT_EQ(column->TotalCount(), RecountTotal(*column)) << c.name;
    EXPECT_EQ(column->UnreadCount(), c.unread) << c.name;
    EXPECT_EQ(column->TotalCount(), c.total) << c.name;
  }
}

TEST(ColumnCountsTest, GroupsSumTheirColumnsAndLoadedColumnsCountTheirRecords) {
  testing::TempDir folder;
  ColumnTree tree;
  testing::FillColumnsTree(tree, 23);
  for (const auto& column : tree.Columns()) column->RecountRecords();
  ASSERT_TRUE(SaveColumnStore(tree, folder.path(), StoreOptions{}));
  ColumnTree loaded;
  ASSERT_TRUE(LoadColumnStore(loaded, folder.path(), StoreOptions{}));
  int32_t unread = 0;
  int32_t total = 0;
  for (const auto& column : loaded.Columns()) {
    EXPECT_EQ(column->UnreadCount(), RecountUnread(*column)) << column->name;
    EXPECT_EQ(column->TotalCount(), RecountTotal(*column)) << column->name;
    unread += column->UnreadCount();
    total += column->TotalCount();
  }
  EXPECT_GT(unread, 0);
  EXPECT_EQ(loaded.root().UnreadCount(), unread);
  EXPECT_EQ(loaded.root().TotalCount(), total);
  EXPECT_EQ(loaded.root().UnreadCount(), tree.root().UnreadCount());
}

}  // namespace
}  // namespace tarsel
