#include "store/memories_operations.h"

#include <gtest/gtest.h>

#include "store/column.h"

namespace tarsel {
namespace {

TEST(MemoriesTest, NewNodesTakeLowestFreeIdUnderTheirParent) {
  ColumnTree tree;
  auto group = NewMemoriesGroup(tree, "Group");
  auto first = NewMemoriesColumn(tree, "First", group.get());
  auto top = NewMemoriesColumn(tree, "Top");
  EXPECT_EQ(group->id, 1);
  EXPECT_EQ(first->id, 2);
  EXPECT_EQ(top->id, 3);
  EXPECT_EQ(first->parent, group.get());
  EXPECT_EQ(top->parent, &tree.root());

  ASSERT_TRUE(DeleteMemoriesNode(tree, *first));
  EXPECT_EQ(NewMemoriesGroup(tree, "Refill", group.get())->id, 2);
}

TEST(MemoriesTest, DeletingAGroupTakesEverythingBelow) {
  ColumnTree tree;
  auto outer = NewMemoriesGroup(tree, "Outer");
  auto inner = NewMemoriesGroup(tree, "Inner", outer.get());
  NewMemoriesColumn(tree, "Deep", inner.get());
  auto kept = NewMemoriesColumn(tree, "Kept");
  EXPECT_STREQ(DeleteQuestion(*outer), kDeleteGroupQuestion);
  EXPECT_STREQ(DeleteQuestion(*kept), kDeleteColumnQuestion);

  ASSERT_TRUE(DeleteMemoriesNode(tree, *outer));
  EXPECT_FALSE(DeleteMemoriesNode(tree, *outer));
  ASSERT_EQ(tree.MemoriesColumns().size(), 1u);
  EXPECT_EQ(tree.MemoriesColumns()[0], kept);
  EXPECT_EQ(tree.FindById(inner->id), nullptr);
}

TEST(MemoriesTest, NewColumnFromRecordsListCopiesOnlyFeedRecords) {
  Record record;
  record.title = "Item";
  Column feed;
  MemoriesColumn memories_source("Source");
  struct Case {
    const char* name;
    const TreeNode* source;
    const Record* record;
    size_t expected;
  } cases[] = {
      {"from a feed column", &feed, &record, 1},
      {"from a memories column", &memories_source, &record, 0},
      {"nothing selected", &feed, nullptr, 0},
  };
  for (const Case& c : cases) {
    ColumnTree tree;
    auto column = RememberInNewColumn(tree, "New", nullptr, c.source, c.record);
    ASSERT_NE(column, nullptr) << c.name;
    EXPECT_EQ(tree.MemoriesColumns().size(), 1u) << c.name;
    EXPECT_EQ(column->records.size(), c.expected) << c.name;
  }
}

TEST(MemoriesTest, MenuCommandsReachOnlyTheFirst200Columns) {
  ColumnTree tree;
  auto group = NewMemoriesGroup(tree, "Group");
  for (int i = 0; i < 201; ++i) {
    std::string name = "Column ";
    name += std::to_string(i);
    NewMemoriesColumn(tree, name, i % 2 == 0 ? group.get() : nullptr);
  }
  const auto names = MemoriesMenuNames(tree);
  ASSERT_EQ(names.size(), 201u);
  const auto columns = tree.MemoriesColumns();
  // Tree order: the group's columns come before the top-level ones.
  EXPECT_EQ(names[0], "Column 0");
  EXPECT_EQ(names[1], "Column 2");

  struct Case {
    const char* name;
    int32_t id;
    int32_t first;
    int expected_index;  // -1: nothing
  } cases[] = {
      {"records menu first", 40300, kRecordsMenuMemoriesFirstId, 0},
      {"selection menu first", 32900, kSelectionMenuMemoriesFirstId, 0},
      {"last id of the menu", 40499, kRecordsMenuMemoriesFirstId, 199},
      {"201st column has no id", 40500, kRecordsMenuMemoriesFirstId, -1},
      {"below the menu", 40299, kRecordsMenuMemoriesFirstId, -1},
      {"far below", INT32_MIN, kRecordsMenuMemoriesFirstId, -1},
  };
  for (const Case& c : cases) {
    auto found = MemoriesColumnForCommand(tree, c.id, c.first);
    if (c.expected_index < 0) {
      EXPECT_EQ(found, nullptr) << c.name;
    } else {
      EXPECT_EQ(found, columns[static_cast<size_t>(c.expected_index)]) << c.name;
    }
  }
  ColumnTree few;
  NewMemoriesColumn(few, "Only");
  EXPECT_EQ(MemoriesColumnForCommand(few, 40301, kRecordsMenuMemoriesFirstId), nullptr);
}

TEST(MemoriesTest, LabelCountsRecordsNotDeleted) {
  ColumnTree tree;
  auto column = NewMemoriesColumn(tree, "Mine");
  Record record;
  AddRecordToMemories(record, *column);
  AddRecordToMemories(record, *column);
  MarkRecordDeleted(*column->records[0]);
  EXPECT_EQ(MemoriesTreeLabel(*column), "Mine (1)");
  EXPECT_EQ(MemoriesTreeLabel(*NewMemoriesGroup(tree, "Group")), "Group");
}

}  // namespace
}  // namespace tarsel
