// A store written by the build whose feed readers left entities encoded, read Atom 1.0 as Atom
// 0.3 and kept relative links as the feed gave them, merged with the same feeds read by today's
// readers: every record the user read stays read, and none comes back twice.
//
// tests/data/upgrade/columns.dat was made by that build's tarsel-cli (make_fixture.sh beside
// it): each feed was subscribed with its last items held back, updated, marked read, then
// updated with the whole feed, so each column holds read records and unread ones.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "store/column.h"
#include "store/store_files.h"
#include "support/temp_dir.h"
#include "update/merge_records.h"

namespace tarsel {
namespace {

using testing::ScopedEnv;
using testing::TempDir;

const std::string kUpgradeData = std::string(TARSEL_TEST_DATA) + "/upgrade/";

// The feed file a column of the fixture was subscribed to: the last part of its address.
std::string FeedFileOf(const Column& column) {
  return kUpgradeData + column.url.substr(column.url.rfind('/') + 1);
}

struct StoredMarks {
  std::string title;
  bool unread;
};

std::vector<Column*> ColumnsOf(ColumnTree& tree) {
  std::vector<Column*> columns;
  for (const TreeNodeRef& node : tree.nodes()) {
    if (node->Kind() == NodeKind::kColumn) columns.push_back(static_cast<Column*>(node.get()));
  }
  return columns;
}

class MergeUpgradeTest : public ::testing::Test {
 protected:
  MergeUpgradeTest() : data_home_("XDG_DATA_HOME", home_.path()) {
    mkdir((home_.path() + "/Tarsel").c_str(), 0700);
    mkdir((home_.path() + "/Tarsel/Cache").c_str(), 0700);
    const std::string bytes = testing::ReadFileBytes(kUpgradeData + "columns.dat");
    StoreOptions options;
    options.sync = false;
    EXPECT_TRUE(ReadColumnStore(bytes, tree_, options).has_value());
  }

  TempDir home_;
  ScopedEnv data_home_;
  ColumnTree tree_;
};

TEST_F(MergeUpgradeTest, StoredRecordsKeepTheirMarksUnderTodaysReaders) {
  const std::vector<Column*> columns = ColumnsOf(tree_);
  ASSERT_EQ(columns.size(), 5u) << "one column per feed format";
  for (Column* column : columns) {
    SCOPED_TRACE(column->url);
    std::vector<StoredMarks> before;
    for (const RecordRef& record : column->channel.records) {
      before.push_back({record->title, record->unread});
    }
    ASSERT_GT(before.size(), 2u);
    ASSERT_EQ(MergeRecords(*column, testing::ReadFileBytes(FeedFileOf(*column)),
                           MergeOptionsForSettings(Settings())),
              0);

    const RecordList& after = column->channel.records;
    // Any record not recognised would come back new and unread beside its dropped old self;
    // the feed carries exactly the records stored, in the same order.
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
      SCOPED_TRACE("stored title: " + before[i].title + ", now: " + after[i]->title);
      EXPECT_FALSE(after[i]->is_new);
      EXPECT_EQ(after[i]->unread, before[i].unread);
    }
    EXPECT_EQ(column->NewCount(), 0);
  }
}

}  // namespace
}  // namespace tarsel
