#include "ui/column_properties_dialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <future>
#include <thread>

#include "ui/modal_helper.h"

namespace tarsel::ui {
namespace {

using tarsel::testing::AnswerMessageBox;
using tarsel::testing::WhenModal;

std::shared_ptr<Column> AddColumn(ColumnTree& tree, int32_t id, const std::string& url) {
  auto column = std::make_shared<Column>();
  column->id = id;
  column->url = url;
  column->name = "Column";
  tree.Append(column);
  return column;
}

QLineEdit* Edit(QWidget* dialog, const char* name) {
  return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
}

TEST(ColumnPropertiesDialogTest, FivePagesAndAHiddenPassword) {
  ColumnTree tree;
  auto column = AddColumn(tree, 1, "http://a/feed");
  column->password = "secret";
  ColumnPropertiesDialog dialog(ReadColumnProperties(*column), tree, column.get());
  EXPECT_EQ(dialog.windowTitle(), "RSS Column Properties");
  ASSERT_EQ(dialog.pages()->count(), 5);
  EXPECT_EQ(dialog.pages()->tabText(4), "Archive");
  QLineEdit* password = Edit(&dialog, "columnPassword");
  ASSERT_NE(password, nullptr);
  EXPECT_EQ(password->echoMode(), QLineEdit::Password);
  EXPECT_EQ(password->text(), "secret");
}

TEST(ColumnPropertiesDialogTest, BadAndDuplicateUrlsKeepTheSheetOpen) {
  ColumnTree tree;
  auto column = AddColumn(tree, 1, "http://a/feed");
  AddColumn(tree, 2, "http://b/feed");
  const struct {
    const char* url;
    const char* message_start;
  } kCases[] = {
      {"javascript:alert(1)", "This address runs a script"},
      {"http://a/ b", "A feed address holds no blanks"},
      {"http://b/feed", "There is aready rss column with such URL\nhttp://b/feed"},
  };
  for (const auto& row : kCases) {
    ColumnPropertiesDialog dialog(ReadColumnProperties(*column), tree, column.get());
    Edit(&dialog, "columnUrl")->setText(row.url);
    QString message;
    AnswerMessageBox(QMessageBox::Ok, &message);
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted) << row.url;
    EXPECT_TRUE(message.startsWith(row.message_start)) << message.toStdString();
  }
  EXPECT_EQ(column->url, "http://a/feed");
}

TEST(ColumnPropertiesDialogTest, EditReportsAChangeAndNewColumnJoinsTheTree) {
  ColumnTree tree;
  auto column = AddColumn(tree, 1, "http://a/feed");
  WhenModal([](QWidget* dialog) {
    Edit(dialog, "columnName")->setText("Renamed");
    qobject_cast<QDialog*>(dialog)->accept();
  });
  EXPECT_TRUE(EditColumnProperties(nullptr, tree, *column));
  EXPECT_EQ(column->name, "Renamed");

  WhenModal([](QWidget* dialog) {
    Edit(dialog, "columnUrl")->setText("http://c/feed");
    qobject_cast<QDialog*>(dialog)->accept();
  });
  auto created = NewRssColumn(nullptr, tree, nullptr, NewColumnDefaults{600});
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->id, 2);
  EXPECT_EQ(created->name, "New RSS Column");
  EXPECT_EQ(created->update_interval, 600);
  EXPECT_EQ(tree.FindColumnByUrl("http://c/feed"), created);
}

TEST(ColumnPropertiesDialogTest, BusyColumnIsNotEdited) {
  ColumnTree tree;
  auto column = AddColumn(tree, 1, "http://a/feed");
  // A worker holds the column's lock (from another thread, as an update does).
  std::promise<void> release;
  std::promise<void> held;
  std::thread worker([&] {
    std::lock_guard lock(column->lock);
    held.set_value();
    release.get_future().wait();
  });
  held.get_future().wait();
  QString message;
  AnswerMessageBox(QMessageBox::Ok, &message);
  EXPECT_FALSE(EditColumnProperties(nullptr, tree, *column));
  EXPECT_TRUE(message.contains("being updated"));
  release.set_value();
  worker.join();
}

// OK while a merge holds the column: the sheet stays open with what the user typed, and the
// edits are applied once the merge lets go.
TEST(ColumnPropertiesDialogTest, EditsMadeWhileAMergeHoldsTheColumnWaitForItAndApply) {
  ColumnTree tree;
  auto column = AddColumn(tree, 1, "http://a/feed");
  std::promise<void> release;
  std::promise<void> held;
  std::thread merge;
  bool open_while_merging = false;
  WhenModal([&](QWidget* dialog) {
    Edit(dialog, "columnName")->setText("Renamed");
    merge = std::thread([&] {
      std::lock_guard lock(column->lock);
      held.set_value();
      release.get_future().wait();
      column->channel.title = "Merged";
    });
    held.get_future().wait();
    qobject_cast<QDialog*>(dialog)->accept();
    open_while_merging = dialog->isVisible();
    QTimer::singleShot(100, [&release] { release.set_value(); });
  });
  EXPECT_TRUE(EditColumnProperties(nullptr, tree, *column));
  merge.join();
  EXPECT_TRUE(open_while_merging);
  EXPECT_EQ(column->name, "Renamed");
  EXPECT_EQ(column->channel.title, "Merged");
}

TEST(ColumnPropertiesDialogTest, FiltersPageAddsThroughTheRuleDialog) {
  ColumnTree tree;
  auto column = AddColumn(tree, 1, "http://a/feed");
  ColumnPropertiesDialog dialog(ReadColumnProperties(*column), tree, column.get());
  WhenModal([](QWidget* rule_dialog) {
    rule_dialog->findChild<QLineEdit*>("filterText")->setText("x");
    qobject_cast<QDialog*>(rule_dialog)->accept();
  });
  dialog.findChild<QPushButton*>("addFilter")->click();
  auto* list = dialog.findChild<QListWidget*>("filtersList");
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->item(0)->text(), "If any field contains \"x\" then accept item");
  const ColumnProperties properties = dialog.Properties();
  ASSERT_EQ(properties.filters.size(), 1u);
  EXPECT_EQ(properties.filters[0].field, kFilterAnyField) << "a new rule starts as any field";
}

}  // namespace
}  // namespace tarsel::ui
