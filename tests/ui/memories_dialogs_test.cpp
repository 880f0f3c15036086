#include "ui/memories_dialogs.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>

#include "store/memories_operations.h"
#include "ui/modal_helper.h"

namespace tarsel::ui {
namespace {

using tarsel::testing::AnswerMessageBox;
using tarsel::testing::WhenModal;

// Types `name` into the next name dialog and confirms it (or cancels when `confirm` is false).
void AnswerName(const QString& name, bool confirm = true, QString* title = nullptr) {
  WhenModal([name, confirm, title](QWidget* dialog) {
    if (title != nullptr) *title = dialog->windowTitle();
    dialog->findChild<QLineEdit*>("memoriesName")->setText(name);
    auto* box = qobject_cast<QDialog*>(dialog);
    confirm ? box->accept() : box->reject();
  });
}

TEST(MemoriesDialogsTest, CreateRenameAndDelete) {
  ColumnTree memories;
  QString title;
  AnswerName("Keep", true, &title);
  auto group = NewMemoriesGroupCommand(nullptr, memories, nullptr);
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(title, "Memories Group Name");
  EXPECT_EQ(group->name, "Keep");

  AnswerName("Later", true, &title);
  auto column = NewMemoriesColumnCommand(nullptr, memories, group.get());
  ASSERT_NE(column, nullptr);
  EXPECT_EQ(title, "Memories Column Name");
  EXPECT_EQ(column->parent, group.get());
  EXPECT_EQ(column->id, 2);

  AnswerName("ignored", false);
  EXPECT_EQ(NewMemoriesColumnCommand(nullptr, memories, nullptr), nullptr);

  AnswerName("Soon");
  EXPECT_TRUE(RenameMemoriesNodeCommand(nullptr, *column));
  EXPECT_EQ(column->name, "Soon");

  QString question;
  AnswerMessageBox(QMessageBox::No, &question);
  EXPECT_FALSE(AskDeleteMemoriesNode(nullptr, *group));
  EXPECT_EQ(question.toStdString(), kDeleteGroupQuestion);
  AnswerMessageBox(QMessageBox::Yes, &question);
  EXPECT_TRUE(AskDeleteMemoriesNode(nullptr, *column));
  EXPECT_EQ(question.toStdString(), kDeleteColumnQuestion);
}

TEST(MemoriesDialogsTest, ToMemoriesNewColumn) {
  ColumnTree memories;
  Column feed;
  Record record;
  record.title = "T";
  AnswerName("From feed");
  auto copied = RememberRecordInNewColumn(nullptr, memories, nullptr, &feed, &record);
  ASSERT_NE(copied, nullptr);
  ASSERT_EQ(copied->records.size(), 1u);
  EXPECT_FALSE(copied->records[0]->unread);

  // A record shown from a memories column is not copied again.
  AnswerName("From memories");
  auto empty = RememberRecordInNewColumn(nullptr, memories, nullptr, copied.get(), &record);
  ASSERT_NE(empty, nullptr);
  EXPECT_TRUE(empty->records.empty());

  EXPECT_EQ(RememberSelectionInNewColumn(nullptr, memories, nullptr, "", "", ""), nullptr)
      << "an empty selection asks nothing";
  AnswerName("Selection");
  auto selection =
      RememberSelectionInNewColumn(nullptr, memories, nullptr, "<b>kept</b>", "http://p/", "Page");
  ASSERT_NE(selection, nullptr);
  ASSERT_EQ(selection->records.size(), 1u);
  EXPECT_EQ(selection->records[0]->title, "Page");
}

}  // namespace
}  // namespace tarsel::ui
