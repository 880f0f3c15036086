// The periodic save is skipped only for a store nobody could have changed.
#include "ui/store_change_watch.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <functional>

#include "store/column.h"
#include "store/column_tree.h"
#include "store/record_marks.h"

namespace tarsel::ui {
namespace {

TEST(StoreChangeWatchTest, InputUpdatesAndCountsMakeASaveDueAndNothingElse) {
  ColumnTree tree;
  auto column = std::make_shared<Column>();
  column->channel.records.push_back(std::make_shared<Record>());
  column->RecountRecords();
  tree.Append(column);
  QLineEdit field;
  field.show();
  StoreChangeWatch watch(tree);
  const struct {
    const char* what;
    std::function<void()> act;
    bool changed;
  } rows[] = {
      {"nothing", [] {}, false},
      {"the mouse passing over", [&] { QTest::mouseMove(&field, QPoint(3, 3)); }, false},
      {"a key", [&] { QTest::keyClick(&field, Qt::Key_A); }, true},
      {"a click", [&] { QTest::mouseClick(&field, Qt::LeftButton); }, true},
      {"an update finished", [&] { watch.NoteUpdateDone(); }, true},
      {"a record marked read by a timer",
       [&] { SetRecordUnread(*column, *column->channel.records[0], false); }, true},
      {"a record deleted", [&] { DeleteRecord(*column, *column->channel.records[0]); }, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    row.act();
    EXPECT_EQ(watch.Changed(), row.changed);
    watch.MarkSaved();
    EXPECT_FALSE(watch.Changed()) << "saved: nothing is due until the next change";
  }
}

}  // namespace
}  // namespace tarsel::ui
