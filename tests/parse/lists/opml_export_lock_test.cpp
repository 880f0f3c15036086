#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "parse/lists/opml_export.h"
#include "platform/atomic_file.h"
#include "support/temp_dir.h"
#include "support/wait_until.h"

namespace tarsel {
namespace {

using std::chrono::milliseconds;

// An updating column whose worker takes its lock to merge, as a worker does while it moves the
// URL after a permanent redirect and replaces the channel.
class MergingColumn {
 public:
  explicit MergingColumn(ColumnTree& tree) : column_(std::make_shared<Column>()) {
    column_->id = 1;
    column_->url = "http://old.test/rss";
    column_->channel.title = "Old";
    column_->update_state = kUpdateRunning;
    tree.Append(column_);
  }
  ~MergingColumn() {
    if (worker_.joinable()) worker_.join();
  }

  // Holds the lock for `hold`, then writes the moved URL and title; returns once it holds it.
  void StartMerge(milliseconds hold) {
    worker_ = std::thread([this, hold] {
      std::lock_guard<std::mutex> lock(column_->lock);
      holding_ = true;
      std::this_thread::sleep_for(hold);
      column_->url = "http://moved.test/rss";
      column_->channel.title = "Moved";
    });
    EXPECT_TRUE(testing::WaitUntil([this] { return holding_.load(); }));
  }
  void EndMerge() { worker_.join(); }

 private:
  std::shared_ptr<Column> column_;
  std::thread worker_;
  std::atomic<bool> holding_{false};
};

TEST(OpmlExportLockTest, AnUpdatingColumnIsWrittenAsItsMergeLeftIt) {
  ColumnTree tree;
  MergingColumn column(tree);
  column.StartMerge(milliseconds(50));
  const std::string text = OpmlExportText(tree, 1252);
  column.EndMerge();
  EXPECT_NE(text.find("text=\"Moved\""), std::string::npos) << text;
  EXPECT_NE(text.find("xmlUrl=\"http://moved.test/rss\""), std::string::npos) << text;
}

// The window does not wait out a long merge: the export fails and the old file stays whole.
TEST(OpmlExportLockTest, AMergeThatKeepsTheLockFailsTheExportAndKeepsTheOldFile) {
  testing::TempDir folder;
  const std::string path = folder.path() + "/feeds.opml";
  ASSERT_TRUE(WriteFileAtomically(path, "old list", 0644, false));
  ColumnTree tree;
  MergingColumn column(tree);
  column.StartMerge(milliseconds(3000));
  EXPECT_FALSE(ExportOpml(tree, path, 1252));
  column.EndMerge();
  const std::optional<FileContent> kept = ReadWholeFile(path);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->view(), "old list");
}

}  // namespace
}  // namespace tarsel
