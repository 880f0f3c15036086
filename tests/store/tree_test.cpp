#include <gtest/gtest.h>

#include "store/column_tree.h"

namespace tarsel {
namespace {

std::shared_ptr<Column> MakeColumn(int32_t id, const std::string& url = "") {
  auto column = std::make_shared<Column>();
  column->id = id;
  column->url = url;
  return column;
}

std::shared_ptr<ColumnGroup> MakeGroup(int32_t id) {
  auto group = std::make_shared<ColumnGroup>("group");
  group->id = id;
  return group;
}

RecordRef MakeRecord(bool unread, bool deleted, bool is_new = false) {
  auto record = std::make_shared<Record>();
  record->unread = unread;
  record->deleted = deleted;
  record->is_new = is_new;
  return record;
}

TEST(ColumnTest, DisplayNameFollowsTitleChoice) {
  struct Case {
    const char* name;
    bool use_title;
    const char* title;
    const char* expected;
  } cases[] = {
      {"title used", true, "Channel", "Channel"},
      {"empty title falls back to name", true, "", "Mine"},
      {"title not wanted", false, "Channel", "Mine"},
  };
  for (const Case& c : cases) {
    Column column;
    column.name = "Mine";
    column.use_title_from_rss = c.use_title;
    column.channel.title = c.title;
    EXPECT_EQ(column.DisplayName(), c.expected) << c.name;
  }
}

TEST(ColumnTest, IsDue) {
  struct Case {
    const char* name;
    int32_t interval;
    int32_t last_update;
    int32_t now;
    bool due;
  } cases[] = {
      {"manual only, never updated", 0, 0, 1000, false},
      {"never updated", 600, 0, 1000, true},
      {"negative last update", 600, -5, 1000, true},
      {"exactly one interval ago", 600, 1000, 1600, false},
      {"one second more", 600, 1000, 1601, true},
      {"clock before last update", 600, 5000, 1000, false},
      {"no wrap at the limits", INT32_MAX, 1, INT32_MAX, false},
  };
  for (const Case& c : cases) {
    Column column;
    column.update_interval = c.interval;
    column.last_update_time = c.last_update;
    EXPECT_EQ(column.IsDue(c.now), c.due) << c.name;
  }
}

TEST(ColumnTest, CountsSkipDeletedRecords) {
  auto group = MakeGroup(1);
  auto column = MakeColumn(2);
  column->channel.records = {MakeRecord(true, false, true), MakeRecord(true, true, true),
                             MakeRecord(false, false), MakeRecord(false, true)};
  column->RecountRecords();
  auto memories = std::make_shared<MemoriesColumn>();
  memories->records = {MakeRecord(true, false), MakeRecord(false, true)};
  group->AddChild(column);
  group->AddChild(memories);
  EXPECT_EQ(column->UnreadCount(), 1);
  EXPECT_EQ(column->TotalCount(), 2);
  EXPECT_EQ(column->NewCount(), 1);
  EXPECT_EQ(memories->UnreadCount(), 0);
  EXPECT_EQ(memories->TotalCount(), 1);
  EXPECT_EQ(group->UnreadCount(), 1);
  EXPECT_EQ(group->TotalCount(), 3);
  EXPECT_EQ(group->ColumnCount(), 2);
}

TEST(ColumnTest, NewColumnTakesDefaults) {
  NewColumnDefaults defaults{.update_interval = 600,
                             .archive_enabled = true,
                             .archive_by_count = false,
                             .archive_depth = 7};
  Column column(defaults);
  EXPECT_EQ(column.update_interval, 600);
  EXPECT_FALSE(column.update_on_start);
  EXPECT_TRUE(column.archive_enabled);
  EXPECT_FALSE(column.archive_by_count);
  EXPECT_EQ(column.archive_depth, 7);
}

class FakeUpdateThread : public ColumnUpdateThread {
 public:
  explicit FakeUpdateThread(bool starts) : starts_(starts) {}
  bool Start(const std::shared_ptr<Column>& owner) override {
    started_with = owner.get();
    return starts_;
  }
  bool Stop() override {
    ++stops;
    return false;
  }
  void Finished(Column& owner, int32_t status) override {
    finished_state = owner.update_state.load();
    finished_status = status;
  }
  Column* started_with = nullptr;
  int stops = 0;
  int32_t finished_state = -1;
  int32_t finished_status = -1;

 private:
  bool starts_;
};

TEST(ColumnTest, UpdateLifecycle) {
  auto column = MakeColumn(1);
  auto thread = std::make_unique<FakeUpdateThread>(true);
  FakeUpdateThread* fake = thread.get();
  column->SetUpdateThread(std::move(thread));

  column->StartUpdate();
  EXPECT_EQ(fake->started_with, column.get());
  EXPECT_EQ(column->update_state.load(), kUpdateRunning);
  EXPECT_TRUE(column->Busy());

  column->UpdateFinished(7);
  EXPECT_EQ(fake->finished_state, kUpdateRunning) << "the worker runs before the state changes";
  EXPECT_EQ(fake->finished_status, 7);
  EXPECT_EQ(column->update_state.load(), kUpdateFinished);
  EXPECT_EQ(column->last_result.load(), 7);
  EXPECT_GT(column->last_update_time.load(), 0);

  column->last_result = 5;
  column->StopUpdate();
  EXPECT_EQ(fake->stops, 1);
  EXPECT_EQ(column->update_state.load(), kUpdateIdle);
  EXPECT_EQ(column->last_result.load(), 0);
}

TEST(ColumnTest, UpdateThatCannotStartLeavesTheQueue) {
  for (bool attached : {false, true}) {
    auto column = MakeColumn(1);
    if (attached) column->SetUpdateThread(std::make_unique<FakeUpdateThread>(false));
    column->StartUpdate();
    EXPECT_EQ(column->update_state.load(), kUpdateFinished) << attached;
    EXPECT_EQ(column->last_result.load(), kUpdateStartFailure) << attached;
  }
}

TEST(RecordTest, CopyIsIndependentAndDeleteMarks) {
  Record source;
  source.title = "t";
  source.persistent = true;
  source.is_new = true;
  source.published = 12345;
  RecordRef copy = CopyRecord(source);
  EXPECT_NE(copy.get(), &source);
  EXPECT_EQ(copy->title, "t");
  EXPECT_TRUE(copy->persistent);
  EXPECT_TRUE(copy->is_new);
  EXPECT_EQ(copy->published, 12345);
  copy->title = "changed";
  EXPECT_EQ(source.title, "t");

  MarkRecordDeleted(source);
  EXPECT_TRUE(source.deleted);
  EXPECT_FALSE(source.persistent);
  EXPECT_FALSE(source.unread);
  EXPECT_FALSE(source.is_new);
}

TEST(MemoriesColumnTest, CopyIsReadAndNotNew) {
  Record source;
  source.unread = true;
  source.is_new = true;
  source.deleted = true;
  source.persistent = true;
  MemoriesColumn memories;
  memories.AddCopyOf(source);
  ASSERT_EQ(memories.records.size(), 1u);
  const Record& copy = *memories.records[0];
  EXPECT_FALSE(copy.unread);
  EXPECT_FALSE(copy.is_new);
  EXPECT_FALSE(copy.deleted);
  EXPECT_TRUE(copy.persistent);
  EXPECT_TRUE(source.unread);
}

// Tree: [1 group [2 column, 4 group [5 column]], 6 column]
ColumnTree SampleTree() {
  ColumnTree tree;
  auto outer = MakeGroup(1);
  outer->AddChild(MakeColumn(2, "http://a/"));
  auto inner = MakeGroup(4);
  inner->AddChild(MakeColumn(5, "http://b/"));
  outer->AddChild(inner);
  tree.Append(outer);
  tree.Append(MakeColumn(6, "http://c/"));
  return tree;
}

TEST(ColumnTreeTest, LookupAndCollectInTreeOrder) {
  ColumnTree tree = SampleTree();
  for (int32_t id : {1, 2, 4, 5, 6}) {
    TreeNodeRef node = tree.FindById(id);
    ASSERT_TRUE(node) << id;
    EXPECT_EQ(node->id, id);
  }
  EXPECT_FALSE(tree.FindById(3));
  EXPECT_FALSE(tree.FindById(0)) << "the root is never found";

  std::vector<int32_t> ids;
  for (const auto& column : tree.Columns()) ids.push_back(column->id);
  EXPECT_EQ(ids, (std::vector<int32_t>{2, 5, 6}));
  EXPECT_EQ(tree.FindById(5)->parent, tree.FindById(4).get());
  EXPECT_EQ(tree.FindById(1)->parent, &tree.root());
  EXPECT_EQ(tree.HighestId(), 6);
  EXPECT_EQ(tree.LowestFreeId(), 3);
}

TEST(ColumnTreeTest, LowestFreeId) {
  struct Case {
    std::vector<int32_t> ids;
    int32_t expected;
  } cases[] = {{{}, 1}, {{1, 2, 4}, 3}, {{2, 3}, 1}, {{1, 2, 3}, 4}, {{-1, 0, 1}, 2}};
  for (const Case& c : cases) {
    ColumnTree tree;
    for (int32_t id : c.ids) tree.Append(MakeColumn(id));
    EXPECT_EQ(tree.LowestFreeId(), c.expected) << ::testing::PrintToString(c.ids);
  }
}

TEST(ColumnTreeTest, RepairIdsRenumbersOnlyBadOnes) {
  ColumnTree tree;
  for (int32_t id : {3, 0, 3, -2, 1}) tree.Append(MakeColumn(id));
  EXPECT_EQ(tree.RepairIds(), 3);
  std::vector<int32_t> ids;
  for (const auto& node : tree.nodes()) ids.push_back(node->id);
  EXPECT_EQ(ids, (std::vector<int32_t>{3, 2, 4, 5, 1}));
}

TEST(ColumnTreeTest, UrlMustBeUnique) {
  ColumnTree tree = SampleTree();
  std::string message;
  EXPECT_FALSE(tree.AddColumn(MakeColumn(7, "http://b/"), nullptr, &message));
  EXPECT_EQ(message, "There is aready rss column with such URL\nhttp://b/");
  EXPECT_TRUE(tree.AddColumn(MakeColumn(7, "http://B/"), nullptr, &message))
      << "compared byte for byte";
  auto group = std::static_pointer_cast<ColumnGroup>(tree.FindById(4));
  EXPECT_TRUE(tree.AddColumn(MakeColumn(8, "http://d/"), group.get()));
  EXPECT_EQ(tree.FindById(8)->parent, group.get());
}

TEST(ColumnGroupTest, InsertAndRemoveKeepParents) {
  auto group = MakeGroup(1);
  auto a = MakeColumn(2);
  auto b = MakeColumn(3);
  group->AddChild(a);
  group->InsertChild(0, b);
  EXPECT_EQ(group->children().front(), b);
  EXPECT_EQ(b->parent, group.get());
  TreeNodeRef removed = group->RemoveChild(b.get());
  EXPECT_EQ(removed, b);
  EXPECT_EQ(b->parent, nullptr);
  EXPECT_EQ(group->RemoveChild(b.get()), nullptr);
  EXPECT_EQ(group->ColumnCount(), 1);
}

}  // namespace
}  // namespace tarsel
