#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDialog>
#include <QLineEdit>

#include "store/store_files.h"
#include "support/temp_dir.h"
#include "ui/columns_tree.h"
#include "ui/command_actions.h"
#include "ui/main_window.h"
#include "ui/modal_helper.h"
#include "view/command_ids.h"

namespace tarsel::ui {
namespace {

using tarsel::testing::WhenModal;

// The window's commands open the dialogs and their results reach the trees.
class DialogCommandsTest : public ::testing::Test {
 protected:
  DialogCommandsTest() {
    ProgramData seed;
    seed.data_folder = folder_.path() + "/Tarsel";
    mkdir(seed.data_folder.c_str(), 0700);
    auto group = std::make_shared<ColumnGroup>("News");
    group->id = 1;
    seed.columns.Append(group);
    SaveColumns(seed);
    LoadProgramData(data_);
    window_ = std::make_unique<MainWindow>(data_);
    window_->show();
  }

  tarsel::testing::TempDir folder_;
  tarsel::testing::ScopedEnv data_home_{"XDG_DATA_HOME", folder_.path()};
  tarsel::testing::ScopedEnv config_home_{"XDG_CONFIG_HOME", folder_.path()};
  ProgramData data_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(DialogCommandsTest, CommandsOpenTheirDialogs) {
  const struct {
    int command;
    const char* title;
  } kCases[] = {
      {cmd::kSettings, "Programm Settings"},
      {cmd::kNewColumn, "New RSS Column"},
      {cmd::kNewGroup, "New Group"},
      {cmd::kNewFriendColumn, "New LJ Friend"},
      {cmd::kNewYahooGroup, "New Yahoo Group"},
      {cmd::kImportUrl, "Enter URL"},
      {cmd::kNewMemoriesGroup, "Memories Group Name"},
      {cmd::kNewMemoriesColumn, "Memories Column Name"},
  };
  for (const auto& row : kCases) {
    QString title;
    WhenModal([&title](QWidget* dialog) {
      title = dialog->windowTitle();
      qobject_cast<QDialog*>(dialog)->reject();
    });
    window_->actions()->Run(row.command);
    EXPECT_EQ(title, row.title) << row.command;
  }
}

TEST_F(DialogCommandsTest, NewColumnGoesIntoTheSelectedGroup) {
  window_->columns_tree()->SelectNode(data_.columns.FindById(1).get());
  WhenModal([](QWidget* dialog) {
    dialog->findChild<QLineEdit*>("columnUrl")->setText("http://example.org/feed.xml");
    qobject_cast<QDialog*>(dialog)->accept();
  });
  window_->actions()->Run(cmd::kNewColumn);
  auto column = data_.columns.FindColumnByUrl("http://example.org/feed.xml");
  ASSERT_NE(column, nullptr);
  EXPECT_EQ(column->parent, data_.columns.FindById(1).get());
  EXPECT_EQ(window_->columns_tree()->CurrentNode(), column);
}

}  // namespace
}  // namespace tarsel::ui
