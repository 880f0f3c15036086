// Damaged, cut-off and hostile stores: the reader keeps what came before the damage and
// never crashes, hangs or allocates without bound.

#include <gtest/gtest.h>

#include <random>

#include "store/store_files.h"
#include "store_bytes.h"
#include "store_sample.h"

namespace tarsel {
namespace {

using testing::StoreBytes;

std::vector<std::string> Names(const ColumnTree& tree) {
  std::vector<std::string> names;
  for (const auto& node : tree.nodes()) names.push_back(node->name);
  return names;
}

StoreBytes& Header(StoreBytes& out, int32_t nodes) {
  return out.Int(2).Int(0).Int(nodes);
}

// A column with the given record count but no records, then a whole column after it.
StoreBytes& PlainColumn(StoreBytes& out, int32_t id, const std::string& name) {
  out.Int(5).Begin().Int(id).Str(name).End();
  out.Begin().Int(0).Int(0).Bool(true).Bool(true).Int(0).Int(0).Int(0).Bool(true).End();
  out.Begin().Str(name).Str("http://" + name).Str("").Str("").Int(0).Str("").Str("");
  out.Str("").Str("").Str("").Str("").Str("").Int(0).Int(0).End();
  return out;
}

StoreBytes& GroupWithCount(StoreBytes& out, int32_t id, int32_t count) {
  return out.Int(0).Begin().Int(id).Str("bad group").End().Begin().Bool(true).Int(count).End();
}

StoreBytes& ColumnWithCounts(StoreBytes& out, int32_t id, int32_t records, int32_t filters) {
  out.Int(5).Begin().Int(id).Str("counted").End();
  out.Begin().Int(0).Int(0).Bool(true).Bool(true).Int(0).Int(0).Int(0).Bool(true).End();
  out.Begin().Str("counted").Str("http://counted").Str("").Str("").Int(0).Str("").Str("");
  out.Str("").Str("").Str("").Str("").Str("").Int(records);
  if (records == 0) out.Int(filters);
  return out.End();
}

TEST(StoreDamageTest, DamagedNodesAreDroppedAndTheRestLoads) {
  struct Case {
    const char* name;
    std::function<void(StoreBytes&)> bad_node;
    std::vector<std::string> expected;
  } cases[] = {
      {"group with 10001 children",
       [](StoreBytes& o) { GroupWithCount(o, 2, 10001); },
       {"first", "last"}},
      {"group with a negative child count",
       [](StoreBytes& o) { GroupWithCount(o, 2, -1); },
       {"first", "last"}},
      {"group claiming more children than it holds",
       [](StoreBytes& o) { GroupWithCount(o, 2, 10000); },
       {"first", "last"}},
      {"group with an unknown child tag is kept",
       [](StoreBytes& o) {
         o.Int(0).Begin().Int(2).Str("odd child").End().Begin().Bool(true).Int(1).Int(9).End();
       },
       {"first", "odd child", "last"}},
      {"unknown top-level tag", [](StoreBytes& o) { o.Int(6); }, {"first", "last"}},
      {"record count the block cannot hold",
       [](StoreBytes& o) { ColumnWithCounts(o, 2, INT32_MAX, 0); },
       {"first", "last"}},
      {"negative record count keeps the column",
       [](StoreBytes& o) { ColumnWithCounts(o, 2, -3, 0); },
       {"first", "counted", "last"}},
      {"negative filter count keeps the column",
       [](StoreBytes& o) { ColumnWithCounts(o, 2, 0, -1); },
       {"first", "counted", "last"}},
      {"filter count the block cannot hold",
       [](StoreBytes& o) { ColumnWithCounts(o, 2, 0, 5000000); },
       {"first", "last"}},
  };
  for (const Case& c : cases) {
    StoreBytes out;
    Header(out, 3);
    PlainColumn(out, 1, "first");
    c.bad_node(out);
    PlainColumn(out, 3, "last");
    ColumnTree tree;
    StoreReadReport report;
    ReadColumnStore(out.data(), tree, StoreOptions{}, &report);
    EXPECT_EQ(Names(tree), c.expected) << c.name;
    EXPECT_TRUE(report.damaged) << c.name;
    for (const auto& column : tree.Columns()) {
      EXPECT_TRUE(column->channel.records.empty() && column->filters.empty()) << c.name;
    }
  }
}

TEST(StoreDamageTest, DamageInsideAGroupDropsOnlyThatChild) {
  StoreBytes out;
  Header(out, 1);
  out.Int(0).Begin().Int(1).Str("outer").End().Begin().Bool(true).Int(3);
  PlainColumn(out, 2, "a");
  GroupWithCount(out, 3, 10001);
  PlainColumn(out, 4, "b");
  out.End();
  ColumnTree tree;
  ReadColumnStore(out.data(), tree, StoreOptions{});
  ASSERT_EQ(tree.nodes().size(), 1u);
  auto outer = std::static_pointer_cast<ColumnGroup>(tree.nodes()[0]);
  std::vector<std::string> names;
  for (const auto& child : outer->children()) names.push_back(child->name);
  EXPECT_EQ(names, (std::vector<std::string>{"a", "b"}));
}

TEST(StoreDamageTest, BadStringLengthStopsReadingButKeepsEarlierNodes) {
  for (int32_t length : {kMaxStoredString + 1, -1}) {
    StoreBytes out;
    Header(out, 3);
    PlainColumn(out, 1, "first");
    out.Int(5).Begin().Int(2).Int(length).End();
    PlainColumn(out, 3, "last");
    ColumnTree tree;
    ReadColumnStore(out.data(), tree, StoreOptions{});
    ASSERT_EQ(tree.nodes().size(), 2u) << length;
    EXPECT_EQ(tree.nodes()[0]->name, "first");
    EXPECT_EQ(tree.nodes()[1]->id, 2) << "the partly read node is kept";
  }
}

TEST(StoreDamageTest, HostileMemoriesCountEndsReading) {
  StoreBytes out;
  Header(out, 3);
  out.Int(6).Begin().Int(1).Str("kept").End().Int(0);
  out.Int(6).Begin().Int(2).Str("negative count, kept empty").End().Int(-2);
  out.Int(6).Begin().Int(3).Str("huge").End().Int(INT32_MAX);
  ColumnTree tree;
  StoreReadReport report;
  ReadMemoriesStore(out.data(), tree, StoreOptions{}, &report);
  EXPECT_TRUE(report.damaged);
  ASSERT_GE(tree.nodes().size(), 2u);
  EXPECT_EQ(tree.nodes()[0]->name, "kept");
  EXPECT_EQ(tree.nodes()[1]->name, "negative count, kept empty");
  for (const auto& column : tree.MemoriesColumns()) EXPECT_TRUE(column->records.empty());
}

TEST(StoreDamageTest, DeepNestingIsBounded) {
  const int depth = kMaxGroupNesting + 50;
  StoreBytes out;
  Header(out, 2);
  for (int i = 0; i < depth; ++i) {
    out.Int(0).Begin().Int(i + 1).Str("g").End().Begin().Bool(true).Int(i + 1 < depth ? 1 : 0);
  }
  for (int i = 0; i < depth; ++i) out.End();
  PlainColumn(out, depth + 1, "after");
  ColumnTree tree;
  ReadColumnStore(out.data(), tree, StoreOptions{});
  EXPECT_EQ(Names(tree), (std::vector<std::string>{"g", "after"}));
  int levels = 0;
  for (const TreeNode* node = tree.nodes()[0].get(); node != nullptr; ++levels) {
    const auto& children = static_cast<const ColumnGroup*>(node)->children();
    node = children.empty() ? nullptr : children[0].get();
  }
  EXPECT_EQ(levels, kMaxGroupNesting);
}

TEST(StoreDamageTest, RepeatedIdsAreMadeUnique) {
  StoreBytes out;
  Header(out, 3);
  PlainColumn(out, 4, "a");
  PlainColumn(out, 4, "b");
  PlainColumn(out, 0, "c");
  ColumnTree tree;
  ReadColumnStore(out.data(), tree, StoreOptions{});
  std::vector<int32_t> ids;
  for (const auto& node : tree.nodes()) ids.push_back(node->id);
  EXPECT_EQ(ids, (std::vector<int32_t>{4, 1, 2}));
}

// The names of the nodes in tree order; a cut-off store must give a prefix of these.
void CollectNames(const std::vector<TreeNodeRef>& nodes, std::vector<std::string>& names) {
  for (const auto& node : nodes) {
    names.push_back(node->name);
    if (node->Kind() == NodeKind::kGroup) {
      CollectNames(static_cast<const ColumnGroup&>(*node).children(), names);
    }
  }
}

TEST(StoreDamageTest, ReportSaysWhatWasRead) {
  ColumnTree original;
  testing::FillColumnsTree(original, 3);
  std::vector<std::string> all;
  CollectNames(original.nodes(), all);
  const auto all_nodes = static_cast<int32_t>(all.size());
  const std::string whole = WriteColumnStore(original, StoreOptions{});
  std::string flipped = whole;
  flipped[31] = '\xff';  // the high byte of the first node's name length
  StoreBytes short_count;
  Header(short_count, 1);
  PlainColumn(short_count, 1, "first");
  const size_t first_end = short_count.size();
  PlainColumn(short_count, 2, "hidden behind the count");
  const struct {
    const char* name;
    std::string bytes;
    bool damaged;
    size_t damage_offset;  // 0: not compared
    int32_t nodes_kept;
  } cases[] = {
      {"whole", whole, false, 0, all_nodes},
      {"empty", "", true, 0, 0},
      {"header cut off", whole.substr(0, 6), true, 4, 0},
      {"no header", "not a store at all, just text", true, 8, 0},
      {"flipped byte in the first name", flipped, true, 32, 1},
      {"bytes after the last node", short_count.data(), true, first_end, 1},
      {"cut off in the last column", whole.substr(0, whole.size() - 10), true, 0, all_nodes},
  };
  for (const auto& c : cases) {
    ColumnTree tree;
    StoreReadReport report;
    ReadColumnStore(c.bytes, tree, StoreOptions{}, &report);
    EXPECT_EQ(report.damaged, c.damaged) << c.name;
    EXPECT_EQ(report.size, c.bytes.size()) << c.name;
    if (c.damage_offset != 0) EXPECT_EQ(report.damage_offset, c.damage_offset) << c.name;
    EXPECT_EQ(report.nodes_kept, c.nodes_kept) << c.name;
  }
}

TEST(StoreDamageTest, CutOffAtEveryOffsetLoadsAPrefix) {
  ColumnTree original;
  testing::FillColumnsTree(original, 3);
  const std::string bytes = WriteColumnStore(original, StoreOptions{});
  std::vector<std::string> all;
  CollectNames(original.nodes(), all);
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    ColumnTree tree;
    ReadColumnStore(std::string_view(bytes).substr(0, cut), tree, StoreOptions{});
    std::vector<std::string> names;
    CollectNames(tree.nodes(), names);
    ASSERT_LE(names.size(), all.size()) << cut;
    for (size_t i = 0; i + 1 < names.size(); ++i) ASSERT_EQ(names[i], all[i]) << cut;
    for (const auto& column : tree.Columns()) {
      ASSERT_LE(column->channel.records.size(), 3u) << cut;
      ASSERT_EQ(column->update_state.load(), kUpdateIdle) << cut;
      ASSERT_GT(column->id, 0) << cut;
    }
  }
}

TEST(StoreDamageTest, RandomCorruptionNeverCrashes) {
  ColumnTree original;
  testing::FillColumnsTree(original, 3);
  const std::string bytes = WriteColumnStore(original, StoreOptions{});
  std::mt19937 random(12345);
  for (int round = 0; round < 3000; ++round) {
    std::string damaged = bytes;
    const int changes = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < changes; ++i) {
      const size_t at = random() % damaged.size();
      damaged[at] = static_cast<char>(round % 3 == 0 ? 0xff : random() & 0xff);
    }
    ColumnTree columns;
    ReadColumnStore(damaged, columns, StoreOptions{});
    ColumnTree memories;
    ReadMemoriesStore(damaged, memories, StoreOptions{});
    for (const auto& column : columns.Columns()) ASSERT_LE(column->channel.records.size(), 3u);
  }
}

}  // namespace
}  // namespace tarsel
