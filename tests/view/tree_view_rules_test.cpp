// Tree labels, tree order and the records pane caption.
#include <gtest/gtest.h>

#include "store/column.h"
#include "store/memories_column.h"
#include "view/tree_labels.h"

namespace tarsel {
namespace {

std::shared_ptr<Column> MakeColumn(const std::string& name, int unread, int read) {
  auto column = std::make_shared<Column>();
  column->name = name;
  column->use_title_from_rss = false;
  for (int i = 0; i < unread + read; ++i) {
    auto record = std::make_shared<Record>();
    record->unread = i < unread;
    column->channel.records.push_back(record);
  }
  // A deleted record counts nowhere.
  auto deleted = std::make_shared<Record>();
  deleted->deleted = true;
  column->channel.records.push_back(deleted);
  column->RecountRecords();
  return column;
}

TEST(TreeLabelTest, CountsAndTheChainUpTheGroups) {
  auto outer = std::make_shared<ColumnGroup>("News");
  auto inner = std::make_shared<ColumnGroup>("Tech");
  auto busy = MakeColumn("Busy", 2, 3);
  auto quiet = MakeColumn("Quiet", 0, 4);
  inner->AddChild(busy);
  outer->AddChild(inner);
  outer->AddChild(quiet);
  ColumnGroup root;
  root.AddChild(outer);
  auto memories = std::make_shared<MemoriesColumn>("Kept");
  memories->records.push_back(std::make_shared<Record>());  // unread, yet memories show totals

  struct Case {
    const TreeNode* node;
    const char* label;
  };
  const Case cases[] = {
      {busy.get(), "Busy (2/5)"},  {quiet.get(), "Quiet (4)"},   {inner.get(), "Tech (2/5)"},
      {outer.get(), "News (2/9)"}, {memories.get(), "Kept (1)"},
  };
  for (const Case& c : cases) EXPECT_EQ(TreeLabel(*c.node), c.label);

  const std::vector<const TreeNode*> chain = LabelChain(*busy);
  EXPECT_EQ(chain, (std::vector<const TreeNode*>{busy.get(), inner.get(), outer.get()}));
}

TEST(TreeOrderTest, GroupsFirstThenTitlesByByte) {
  ColumnGroup group;
  group.AddChild(MakeColumn("beta", 0, 0));
  group.AddChild(MakeColumn("Alpha", 0, 0));
  group.AddChild(std::make_shared<ColumnGroup>("zeta group"));
  group.AddChild(MakeColumn("\xC4pfel", 0, 0));  // a high byte sorts after ASCII
  group.AddChild(std::make_shared<ColumnGroup>("Alpha group"));
  auto names = [](const std::vector<TreeNodeRef>& nodes) {
    std::vector<std::string> out;
    for (const auto& node : nodes) out.push_back(node->name);
    return out;
  };
  EXPECT_EQ(names(ShownChildren(group, true)),
            (std::vector<std::string>{"Alpha group", "zeta group", "Alpha", "beta", "\xC4pfel"}));
  EXPECT_EQ(names(ShownChildren(group, false)),
            (std::vector<std::string>{"beta", "Alpha", "zeta group", "\xC4pfel", "Alpha group"}));
}

TEST(RecordsPaneCaptionTest, DescriptionThenTitleThenColumn) {
  auto described = MakeColumn("Named", 0, 0);
  described->channel.description = "What it is about";
  auto named = MakeColumn("Named", 0, 0);
  auto blank = MakeColumn("", 0, 0);
  ColumnGroup group("Group");
  struct Case {
    const TreeNode* node;
    const char* caption;
  };
  const Case cases[] = {{nullptr, "Channel Description"},
                        {described.get(), "What it is about"},
                        {named.get(), "Named"},
                        {blank.get(), "Column"},
                        {&group, "Column"}};
  for (const Case& c : cases) EXPECT_EQ(RecordsPaneCaption(c.node), c.caption);
}

TEST(NodeIconTest, UpdatingAndFailedColumns) {
  auto column = MakeColumn("c", 0, 0);
  EXPECT_EQ(IconOf(*column), NodeIcon::kColumn);
  column->last_result = 1;  // no connection: not the column's failure
  EXPECT_EQ(IconOf(*column), NodeIcon::kColumn);
  column->last_result = 161;
  EXPECT_EQ(IconOf(*column), NodeIcon::kColumnFailed);
  column->update_state = kUpdateQueued;
  EXPECT_EQ(IconOf(*column), NodeIcon::kColumnUpdating);
}

}  // namespace
}  // namespace tarsel

#include "view/dropped_column.h"

namespace tarsel {
namespace {

TEST(DroppedColumnTest, FeedAddressesBecomeColumnsOnce) {
  ColumnTree tree;
  auto group = std::make_shared<ColumnGroup>("g");
  group->id = 1;
  auto first = MakeColumn("first", 0, 0);
  first->id = 3;
  first->url = "http://a.example/feed.rss";
  group->AddChild(first);
  tree.Append(group);

  struct Case {
    const char* text;
    DropOutcome outcome;
    int id;
  };
  const Case cases[] = {
      {"http://b.example/index.xml\r\n", DropOutcome::kAdded, 2},
      {"http://b.example/index.xml", DropOutcome::kDuplicate, 0},
      {"http://a.example/feed.rss", DropOutcome::kDuplicate, 0},
      {"http://c.example/page.html", DropOutcome::kIgnored, 0},
      {"http://c.example/rdf", DropOutcome::kIgnored, 0},
      {".rss", DropOutcome::kIgnored, 0},
      {"http://d.example/x.rdf", DropOutcome::kAdded, 4},
  };
  for (const Case& c : cases) {
    const DropResult result = AddDroppedColumn(tree, c.text, NewColumnDefaults{});
    EXPECT_EQ(result.outcome, c.outcome) << c.text;
    if (c.outcome == DropOutcome::kAdded) {
      ASSERT_TRUE(result.column);
      EXPECT_EQ(result.column->id, c.id);
      EXPECT_EQ(result.column->name, "Droped RSS Column");
      EXPECT_EQ(tree.nodes().back(), result.column) << "appended at the top level's end";
    }
    if (c.outcome == DropOutcome::kDuplicate) {
      EXPECT_EQ(result.message.rfind("There is aready rss column with such URL\nhttp://", 0), 0u);
    }
  }
  EXPECT_EQ(tree.nodes().size(), 3u);
}

}  // namespace
}  // namespace tarsel
