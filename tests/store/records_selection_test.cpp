#include "store/records_selection.h"

#include <gtest/gtest.h>

#include "store/column.h"
#include "store/memories_column.h"

namespace tarsel {
namespace {

RecordRef MakeRecord(const std::string& title, bool unread, bool deleted = false) {
  auto record = std::make_shared<Record>();
  record->title = title;
  record->unread = unread;
  record->deleted = deleted;
  return record;
}

std::vector<std::string> Titles(const std::vector<SelectedRecord>& selection) {
  std::vector<std::string> titles;
  for (const SelectedRecord& row : selection) titles.push_back(row.record->title);
  return titles;
}

struct Fixture {
  Fixture() {
    first->channel.records = {MakeRecord("a1", true), MakeRecord("a2", false),
                              MakeRecord("a3", true, true)};
    second->channel.records = {MakeRecord("b1", false), MakeRecord("b2 spam", true),
                               MakeRecord("b3", true)};
    second->filters = {{"spam", kFilterContains, kFilterDecline, kFilterTitle},
                       {"b3", kFilterContains, kFilterMarkRead, kFilterTitle}};
    memories->records = {MakeRecord("m1", false), MakeRecord("m2", false, true)};
    group->AddChild(first);
    inner->AddChild(second);
    group->AddChild(inner);
    group->AddChild(memories);
  }
  std::shared_ptr<Column> first = std::make_shared<Column>();
  std::shared_ptr<Column> second = std::make_shared<Column>();
  std::shared_ptr<MemoriesColumn> memories = std::make_shared<MemoriesColumn>();
  std::shared_ptr<ColumnGroup> group = std::make_shared<ColumnGroup>();
  std::shared_ptr<ColumnGroup> inner = std::make_shared<ColumnGroup>();
};

TEST(SelectRecordsTest, Table) {
  using Titles_ = std::vector<std::string>;
  struct Case {
    const char* name;
    int node;  // 0 group, 1 first, 2 second, 3 memories
    GroupRecords mode;
    Titles_ expected;
  } cases[] = {
      {"group, all items", 0, GroupRecords::kAll, {"a1", "a2", "b1", "b3", "m1"}},
      {"group, unread only", 0, GroupRecords::kUnread, {"a1", "b3"}},
      {"group, no items", 0, GroupRecords::kNone, {}},
      {"column ignores the group mode", 1, GroupRecords::kNone, {"a1", "a2"}},
      {"column with filters", 2, GroupRecords::kUnread, {"b1", "b3"}},
      {"memories column", 3, GroupRecords::kAll, {"m1"}},
  };
  for (const Case& c : cases) {
    Fixture f;
    TreeNode* nodes[] = {f.group.get(), f.first.get(), f.second.get(), f.memories.get()};
    EXPECT_EQ(Titles(SelectRecords(*nodes[c.node], c.mode)), c.expected) << c.name;
  }
}

TEST(SelectRecordsTest, RulesMarkReadAndRowsNameTheirColumn) {
  Fixture f;
  auto rows = SelectRecords(*f.group, GroupRecords::kAll);
  EXPECT_FALSE(f.second->channel.records[2]->unread) << "the mark-read rule ran";
  EXPECT_TRUE(f.second->channel.records[1]->unread) << "the declined record was not marked";
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0].column, f.first);
  EXPECT_EQ(rows[2].column, f.second);
  EXPECT_EQ(rows[4].column, f.memories);
}

TEST(SelectRecordsTest, UpdatingColumnGivesNothing) {
  Fixture f;
  f.second->update_state = kUpdateRunning;
  EXPECT_TRUE(SelectRecords(*f.second, GroupRecords::kAll).empty());
  EXPECT_EQ(Titles(SelectRecords(*f.group, GroupRecords::kAll)),
            (std::vector<std::string>{"a1", "a2", "m1"}));
  EXPECT_TRUE(f.second->channel.records[2]->unread) << "no rule ran on it";
}

}  // namespace
}  // namespace tarsel
