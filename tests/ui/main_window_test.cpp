#include "ui/main_window.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QWebEngineView>
#include <functional>

#include "pane_test_support.h"
#include "store/column.h"
#include "store/memories_column.h"
#include "store/memories_operations.h"
#include "store/store_files.h"
#include "support/temp_dir.h"
#include "ui/columns_tree.h"
#include "ui/command_actions.h"
#include "ui/modal_helper.h"
#include "ui/record_view.h"
#include "ui/records_list.h"
#include "ui/records_list_view.h"
#include "ui/records_model.h"
#include "ui/settings_owner.h"
#include "ui/store_loader.h"
#include "ui/tab_area.h"
#include "ui/tray_icon.h"
#include "ui/tree_model.h"
#include "view/command_ids.h"
#include "view/command_table.h"
#include "view/records_list_cells.h"

namespace tarsel::ui {
namespace {

class FakePrompt final : public UserPrompt {
 public:
  void ShowMessage(const std::string& caption, const std::string& text) override {
    messages.push_back(caption + "|" + text);
  }
  bool AskYesNo(const std::string&, const std::string& text) override {
    questions.push_back(text);
    return on_ask ? on_ask() : answer;
  }
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  bool answer = true;
  std::function<bool()> on_ask;
};

std::shared_ptr<Column> NewColumn(int id, const std::string& name, int unread) {
  auto column = std::make_shared<Column>();
  column->id = id;
  column->name = name;
  column->use_title_from_rss = false;
  column->url = "http://127.0.0.1:9/" + name + ".rss";
  for (int i = 0; i < unread; ++i) column->channel.records.push_back(std::make_shared<Record>());
  return column;
}

// A data folder holding a group with two columns and a column at the top level.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramData seed;
    seed.data_folder = folder_.path() + "/Tarsel";
    mkdir(seed.data_folder.c_str(), 0700);
    auto group = std::make_shared<ColumnGroup>("News");
    group->id = 1;
    group->AddChild(NewColumn(2, "zeta", 2));
    group->AddChild(NewColumn(3, "alpha", 0));
    seed.columns.Append(group);
    seed.columns.Append(NewColumn(4, "top", 1));
    SaveColumns(seed);
  }

  std::unique_ptr<MainWindow> Open(ProgramData& data) {
    LoadProgramData(data);
    auto window = std::make_unique<MainWindow>(data);
    window->SetPrompt(&prompt_);
    window->show();
    window->RestoreLayout();
    return window;
  }

  testing::TempDir folder_;
  testing::ScopedEnv data_home_{"XDG_DATA_HOME", folder_.path()};
  FakePrompt prompt_;
};

std::vector<QString> TopLabels(const TreeModel* model, const QModelIndex& parent = {}) {
  std::vector<QString> labels;
  for (int row = 0; row < model->rowCount(parent); ++row) {
    labels.push_back(model->index(row, 0, parent).data().toString());
  }
  return labels;
}

TEST_F(MainWindowTest, PanesTreesAndLabels) {
  ProgramData data;
  auto window = Open(data);
  QTest::qWait(50);
  EXPECT_TRUE(window->findChildren<QWebEngineView*>().isEmpty())
      << "the web engine waits for a record to show";
  EXPECT_EQ(window->windowTitle().toStdString(), "Tarsel 2.0 build 158");
  ASSERT_NE(window->record_pane(), nullptr);
  ASSERT_EQ(window->tab_area()->count(), 1);
  EXPECT_EQ(window->tab_area()->tabText(0), "Columns");
  window->actions()->Run(cmd::kCloseTab);  // the first tab never closes
  EXPECT_EQ(window->tab_area()->count(), 1);
  const TreeModel* model = window->columns_tree()->model();
  EXPECT_EQ(TopLabels(model), (std::vector<QString>{"News (2/2)", "top (1/1)"}));
  EXPECT_EQ(TopLabels(model, model->index(0, 0)),
            (std::vector<QString>{"alpha (0)", "zeta (2/2)"}));
  EXPECT_EQ(window->RecordsCaption(), "Channel Description");
  window->columns_tree()->SelectNode(data.columns.FindById(2).get());
  EXPECT_EQ(window->RecordsCaption(), "zeta");
  EXPECT_EQ(window->records_list()->model()->rowCount(), 2);
  window->actions()->Run(40267);  // Ctrl+F7: the latest unread records
  EXPECT_EQ(window->RecordsCaption(), "Latest 10 unread(Ctrl+F7)");
  // A click on the node still selected shows its records again.
  NodeTree* tree = window->columns_tree();
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                    tree->visualRect(tree->currentIndex()).center());
  EXPECT_EQ(window->RecordsCaption(), "zeta");
  EXPECT_EQ(window->StatusText(), "Ready");

  // Mark All Read on the group rebuilds the labels up the chain.
  window->columns_tree()->SelectNode(data.columns.FindById(1).get());
  window->actions()->Run(cmd::kMarkAllRead);
  EXPECT_EQ(TopLabels(model), (std::vector<QString>{"News (2)", "top (1/1)"}));
}

// The tray's unread line follows marks made between two queue ticks, from the kept counts.
TEST_F(MainWindowTest, TrayTooltipFollowsMarks) {
  ProgramData data;
  auto window = Open(data);
  auto* tray = window->findChild<TrayIcon*>();
  ASSERT_NE(tray, nullptr);
  emit window->QueueStatusChanged("Updating: 0 In queue: 0\n Unread Enrties - 3");
  window->columns_tree()->SelectNode(data.columns.FindById(1).get());
  window->actions()->Run(cmd::kMarkAllRead);
  EXPECT_TRUE(QTest::qWaitFor(
      [tray] { return tray->ToolTip() == "Updating: 0 In queue: 0\n Unread Enrties - 1"; }, 2000))
      << tray->ToolTip().toStdString();
}

// Stores read on a worker while the window paints: no input until they are in, then the node
// of the last close; closing before that saves what was read, never the empty trees.
TEST_F(MainWindowTest, StoresReadWhileTheWindowPaintsArriveWholeAndCloseSafely) {
  for (bool close_at_once : {false, true}) {
    ProgramData data;
    LoadProgramSettings(data);
    data.settings.lastid = 2;
    StoreLoader loader(data);
    MainWindow window(data);
    window.SetPrompt(&prompt_);
    window.show();
    window.RestoreLayout();
    window.WaitForStores(&loader);
    EXPECT_FALSE(window.isEnabled()) << close_at_once;
    if (close_at_once) {
      window.RunClosingSteps(CloseReason::kWindowClosed);
      ProgramData saved;
      LoadProgramData(saved);
      EXPECT_EQ(saved.columns.Columns().size(), 3u);
      EXPECT_EQ(saved.settings.lastid, 2);
      continue;
    }
    ASSERT_TRUE(QTest::qWaitFor([&window] { return window.isEnabled(); }, 5000));
    EXPECT_EQ(TopLabels(window.columns_tree()->model()),
              (std::vector<QString>{"News (2/2)", "top (1/1)"}));
    EXPECT_EQ(window.RecordsCaption(), "zeta");
  }
}

TEST_F(MainWindowTest, DroppedAddressesAndDeletionsAsk) {
  ProgramData data;
  auto window = Open(data);
  NodeTree* tree = window->columns_tree();
  emit tree->TextDropped("http://example.com/new.xml");
  ASSERT_EQ(data.columns.nodes().size(), 3u);
  EXPECT_EQ(data.columns.nodes().back()->name, "Droped RSS Column");
  EXPECT_EQ(data.columns.nodes().back()->id, 5);
  emit tree->TextDropped("http://example.com/new.xml");
  emit tree->TextDropped("http://example.com/page.html");
  EXPECT_EQ(data.columns.nodes().size(), 3u);
  ASSERT_EQ(prompt_.messages.size(), 1u);
  EXPECT_EQ(prompt_.messages[0],
            "Notification|There is aready rss column with such URL\nhttp://example.com/new.xml");

  tree->SelectNode(data.columns.FindById(1).get());
  prompt_.answer = false;
  window->actions()->Run(cmd::kDeleteGroup);
  EXPECT_TRUE(data.columns.FindById(1));
  prompt_.answer = true;
  window->actions()->Run(cmd::kDeleteGroup);
  EXPECT_FALSE(data.columns.FindById(1));
  EXPECT_EQ(prompt_.questions.back(),
            "You are going to delete group. \n Are you sure?\n There is no Undo!");
}

// The records list's header entries live in the same settings the settings window writes: a
// confirmed settings window neither shows a hidden column again nor resets a width.
TEST_F(MainWindowTest, LayoutAndSelectionComeBackAfterARestart) {
  {
    ProgramData data;
    auto window = Open(data);
    window->actions()->Run(cmd::kVerticalSplit);
    window->actions()->Run(cmd::kToggleMemories);
    window->actions()->Run(cmd::kShowSubject);
    window->records_list()->view()->header()->resizeSection(kTitleColumn, 321);
    testing::WhenModal([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->accept(); });
    window->actions()->Run(cmd::kSettings);
    EXPECT_TRUE(window->records_list()->view()->header()->isSectionHidden(kSubjectColumn));
    EXPECT_EQ(window->records_list()->view()->header()->sectionSize(kTitleColumn), 321);
    window->columns_tree()->SelectNode(data.columns.FindById(4).get());
    window->RunClosingSteps(CloseReason::kWindowClosed);
  }
  ProgramData data;
  auto window = Open(data);
  EXPECT_EQ(window->items_splitter()->orientation(), Qt::Horizontal);
  EXPECT_TRUE(window->memories_tree()->isVisibleTo(window.get()));
  ASSERT_TRUE(window->columns_tree()->CurrentNode());
  EXPECT_EQ(window->columns_tree()->CurrentNode()->id, 4);
  EXPECT_EQ(window->RecordsCaption(), "top");
  QHeaderView* header = window->records_list()->view()->header();
  EXPECT_TRUE(header->isSectionHidden(kSubjectColumn));
  EXPECT_EQ(header->sectionSize(kTitleColumn), 321);
}

TEST_F(MainWindowTest, CommandsNobodyCarriesOutSayNotAvailable) {
  ProgramData data;
  auto window = Open(data);
  window->actions()->Run(cmd::kCopyLinkAddress);
  ASSERT_EQ(prompt_.messages.size(), 1u);
  EXPECT_NE(prompt_.messages[0].find("is not available yet"), std::string::npos);
  // Ctrl+F4 belongs to the quick view, not to closing a tab.
  EXPECT_TRUE(window->actions()->Action(40264)->shortcuts().contains(QKeySequence("Ctrl+F4")));
  EXPECT_FALSE(
      window->actions()->Action(cmd::kCloseTab)->shortcuts().contains(QKeySequence("Ctrl+F4")));
}

// Reading from the keyboard: Space shows the next unread record and the records list keeps the
// keyboard, also while the first record starts the web engine and its page loads. The engine
// takes the focus on X11 only: ctest runs this case under Xvfb too.
TEST_F(MainWindowTest, KeyboardReadingKeepsTheFocusInTheRecordsList) {
  ProgramData data;
  auto window = Open(data);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  window->columns_tree()->SelectNode(data.columns.FindById(2).get());
  QTreeView* list = window->records_list()->view();
  list->setFocus(Qt::TabFocusReason);
  QSignalSpy rendered(window->record_pane(), &RecordView::BodyRendered);
  for (int record = 0; record < 2; ++record) {
    SCOPED_TRACE(record);
    QTest::keyClick(list, Qt::Key_Space);
    ASSERT_TRUE(QTest::qWaitFor([&] { return rendered.count() > record; }, 20000));
    QTest::qWait(200);  // whatever the page does once written
    EXPECT_EQ(QApplication::focusWidget(), list);
    EXPECT_EQ(window->records_list()->SelectedRecord(),
              std::static_pointer_cast<Column>(data.columns.FindById(2))
                  ->channel.records[static_cast<size_t>(record)]);
  }
  // Alt+M still reaches the list: the column is read.
  QTest::keyClick(list, Qt::Key_M, Qt::AltModifier);
  EXPECT_EQ(data.columns.FindById(2)->UnreadCount(), 0);
  EXPECT_EQ(QApplication::focusWidget(), list);
}

// Sorting the tree by name rebuilds it: open groups stay open, the selected node selected.
TEST_F(MainWindowTest, SortingTheTreeKeepsOpenGroupsAndTheSelection) {
  ProgramData data;
  auto window = Open(data);
  NodeTree* tree = window->columns_tree();
  tree->SelectNode(data.columns.FindById(2).get());
  for (bool sorted : {false, true}) {
    SCOPED_TRACE(sorted);
    window->settings()->Change([sorted](Settings& settings) { settings.sortcolumns = sorted; });
    ASSERT_TRUE(tree->CurrentNode());
    EXPECT_EQ(tree->CurrentNode()->id, 2);
    EXPECT_TRUE(tree->isExpanded(tree->model()->index(0, 0)));
    EXPECT_EQ(window->RecordsCaption(), "zeta");
  }
}

// Deleting a memories column asks first: No leaves the list showing it, Yes empties the list.
TEST_F(MainWindowTest, DeletingTheShownMemoriesColumnAsksBeforeTheListLetsGo) {
  ProgramData data;
  auto window = Open(data);
  auto kept = NewMemoriesColumn(data.memories, "Kept", nullptr);
  window->memories_tree()->Rebuild();
  window->memories_tree()->SelectNode(kept.get());
  ASSERT_EQ(window->RecordsCaption(), "Kept");
  for (auto answer : {QMessageBox::No, QMessageBox::Yes}) {
    testing::AnswerMessageBox(answer);
    window->actions()->Run(cmd::kDeleteMemoriesColumn);
    const bool deleted = answer == QMessageBox::Yes;
    EXPECT_EQ(data.memories.FindById(kept->id) == nullptr, deleted);
    EXPECT_EQ(window->RecordsCaption() == "Kept", !deleted);
  }
}

// The selection menu and the tab menu are the window's own actions, aimed at what was clicked:
// a memories entry keeps that pane's selection; an entry shown disabled for one showing is
// enabled again once the menu is gone.
TEST_F(MainWindowTest, ContextMenusRunTheWindowsCommandsOnWhatWasClicked) {
  ProgramData data;
  auto window = Open(data);
  auto kept = NewMemoriesColumn(data.memories, "Keep & read", nullptr);
  window->memories_tree()->Rebuild();
  RecordView* pane = window->record_pane();
  auto record = std::make_shared<Record>();
  record->title = "Menu";
  record->description = "<p id=\"p\">chosen <b>words</b></p>";
  QSignalSpy rendered(pane, &RecordView::BodyRendered);
  pane->ShowRecord(record, std::make_shared<MemoriesColumn>("Shown"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return rendered.count() > 0; }, 20000));
  testing::RunScript(pane->WebView()->page(),
                     "getSelection().selectAllChildren(document.getElementById('p'))",
                     QWebEngineScript::ApplicationWorld);

  std::unique_ptr<QMenu> menu(window->actions()->BuildMenu(kSelectionMenu, nullptr, pane));
  QStringList texts;
  QMenu* to_memories = nullptr;
  for (QAction* action : menu->actions()) {
    texts << action->text();
    if (action->menu() != nullptr) to_memories = action->menu();
  }
  EXPECT_EQ(texts, (QStringList{"Blog Selection", "Copy Selection", "To Memories"}));
  ASSERT_NE(to_memories, nullptr);
  emit to_memories->aboutToShow();
  const QList<QAction*> entries = to_memories->actions();
  ASSERT_EQ(entries.size(), 3);  // new column, separator, "Keep & read"
  EXPECT_EQ(entries[0]->text(), "New Memories Column");
  EXPECT_EQ(entries[2]->text(), "Keep && read");
  entries[2]->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return kept->records.size() == 1; }, 20000));
  EXPECT_NE(kept->records[0]->description.find("chosen <b>words</b>"), std::string::npos);
  menu.reset();

  QAction* close_tab = window->actions()->Action(cmd::kCloseTab);
  std::unique_ptr<QMenu> tab_menu(
      window->actions()->BuildMenu(kBrowserTabMenu, nullptr, nullptr, {cmd::kCloseTab}));
  EXPECT_FALSE(close_tab->isEnabled());
  tab_menu.reset();
  EXPECT_TRUE(close_tab->isEnabled());
  EXPECT_EQ(window->actions()->Target(), nullptr);
}

TEST_F(MainWindowTest, AStoreThatCannotBeWrittenOffersRetry) {
  ProgramData data;
  auto window = Open(data);
  // The temporary file cannot be made while a folder has its name.
  const std::string blocker = data.data_folder + "/" + kColumnStoreTempName;
  ASSERT_EQ(mkdir(blocker.c_str(), 0700), 0);
  data.columns.Append(NewColumn(9, "added", 0));
  prompt_.on_ask = [&] {
    rmdir(blocker.c_str());
    return true;  // Retry
  };
  window->RunClosingSteps(CloseReason::kWindowClosed);
  ASSERT_EQ(prompt_.questions.size(), 1u);
  EXPECT_NE(prompt_.questions[0].find("could not write " + data.data_folder + "/columns.dat"),
            std::string::npos);
  ProgramData reloaded;
  LoadProgramData(reloaded);
  EXPECT_TRUE(reloaded.columns.FindById(9)) << "the retry saved the column";
}

}  // namespace
}  // namespace tarsel::ui

// The application object must outlive every widget and go before the web engine's statics.
int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
