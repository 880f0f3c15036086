#include "ui/main_window.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "app/product_version.h"
#include "store/column.h"
#include "ui/columns_tree.h"
#include "ui/command_actions.h"
#include "ui/qt_text.h"
#include "ui/quick_view_box.h"
#include "ui/record_view.h"
#include "ui/records_list.h"
#include "ui/settings_owner.h"
#include "ui/tab_area.h"
#include "ui/titled_pane.h"
#include "ui/tray_presence.h"
#include "ui/tree_model.h"
#include "ui/update_driver.h"
#include "ui/web_services.h"
#include "view/accessible_texts.h"
#include "view/command_ids.h"
#include "view/main_window_text.h"
#include "view/string_table.h"
#include "view/text_format.h"
#include "view/tree_labels.h"
#include "view/window_placement.h"

namespace tarsel::ui {
namespace {

constexpr int kQuickViewListWidth = 220;

// Toolbar pictures from the style, so the window fits the desktop's theme.
QIcon ToolbarIcon(int command) {
  QStyle* style = QApplication::style();
  switch (command) {
    case cmd::kNewColumnKey:
      return style->standardIcon(QStyle::SP_FileIcon);
    case cmd::kOpenColumn:
      return style->standardIcon(QStyle::SP_DialogOpenButton);
    case cmd::kUpdateSelected:
      return style->standardIcon(QStyle::SP_BrowserReload);
    case cmd::kStopSelected:
      return style->standardIcon(QStyle::SP_BrowserStop);
    case cmd::kStopAll:
      return style->standardIcon(QStyle::SP_MediaStop);
    case cmd::kMarkAllReadButton:
      return style->standardIcon(QStyle::SP_DialogApplyButton);
    case cmd::kPrevUnread:
      return style->standardIcon(QStyle::SP_ArrowUp);
    case cmd::kNextUnread:
      return style->standardIcon(QStyle::SP_ArrowDown);
    case cmd::kToggleDescriptions:
      return style->standardIcon(QStyle::SP_FileDialogDetailedView);
    case cmd::kToggleMemories:
      return style->standardIcon(QStyle::SP_DirHomeIcon);
    case cmd::kHideTreeWhileBrowsing:
      return style->standardIcon(QStyle::SP_TitleBarMaxButton);
    case cmd::kDirectorySearch:
      return style->standardIcon(QStyle::SP_FileDialogContentsView);
    case cmd::kSettings:
      return style->standardIcon(QStyle::SP_ComputerIcon);
    default:
      return {};
  }
}

}  // namespace

MainWindow::MainWindow(ProgramData& data, QWidget* parent) : QMainWindow(parent), data_(data) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(ToQt(FillText(GetText(text::kWindowTitle), kProductVersion)));
  setAccessibleName(windowTitle());
  const WindowPlacement& rect = kDefaultPlacement;
  setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);

  settings_ = new SettingsOwner(data_.settings, this);
  actions_ = new CommandActions(this);
  BuildMenusAndToolbar();
  BuildStatusBar();

  main_splitter_ = new QSplitter(Qt::Horizontal, this);
  main_splitter_->setObjectName(QStringLiteral("MainSplitter"));
  main_splitter_->setAccessibleName(Text(text::kAccessibleMainSplitter));
  main_splitter_->addWidget(BuildLeftSide());
  main_splitter_->addWidget(BuildTabArea());
  main_splitter_->setStretchFactor(1, 1);
  main_splitter_->setChildrenCollapsible(false);
  setCentralWidget(main_splitter_);

  ApplyMemoriesVisible(settings_->Get().memories_visible);
  ApplyLayoutVertical(settings_->Get().layout_vertical);
  tray_ = new TrayPresence(this, actions_->BuildMenu(kTrayMenu, this));
  ConnectUpdates();
  BindCommands();
  ConnectTray();
  AttachWebServices(*this, [this] { AfterTreeChange(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildMenusAndToolbar() {
  actions_->FillMenuBar(menuBar());
  menuBar()->setObjectName(QStringLiteral("MenuBar"));
  menuBar()->setAccessibleName(Text(text::kAccessibleMenuBar));
  toolbar_ = addToolBar(Text(text::kEntryToolbar));
  toolbar_->setObjectName(QStringLiteral("Toolbar"));
  toolbar_->setAccessibleName(Text(text::kAccessibleToolbar));
  toolbar_->setMovable(false);
  for (int id : ToolbarCommands()) {
    if (id == 0) {
      toolbar_->addSeparator();
      continue;
    }
    QAction* action = actions_->Action(id);
    action->setIcon(ToolbarIcon(id));
    toolbar_->addAction(action);
  }
  toolbar_->addSeparator();
  quick_views_ = new QuickViewBox(toolbar_);
  quick_views_->setAccessibleName(Text(text::kAccessibleQuickViews));
  connect(quick_views_, &QuickViewBox::QuickViewChosen, this,
          [this](int index) { ShowQuickView(index); });
  toolbar_->addWidget(quick_views_);
  toolbar_->setVisible(settings_->Get().viewtoolbar);
}

void MainWindow::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar"));
  bar->setAccessibleName(Text(text::kAccessibleStatusBar));
  status_text_ = new QLabel(Text(text::kReady), bar);
  status_text_->setObjectName(QStringLiteral("StatusText"));
  status_text_->setAccessibleName(Text(text::kAccessibleStatus));
  status_text_->setTextFormat(Qt::PlainText);
  updating_pane_ = new QLabel(Text(text::kUpdatingPane), bar);
  updating_pane_->setObjectName(QStringLiteral("UpdatingPane"));
  updating_pane_->setAccessibleName(Text(text::kUpdatingPane));
  waiting_pane_ = new QLabel(Text(text::kWaitingPane), bar);
  waiting_pane_->setObjectName(QStringLiteral("WaitingPane"));
  waiting_pane_->setAccessibleName(Text(text::kWaitingPane));
  bar->addWidget(status_text_, 1);
  bar->addPermanentWidget(updating_pane_);
  bar->addPermanentWidget(waiting_pane_);
  bar->setVisible(settings_->Get().viewstatusbar);
}

QWidget* MainWindow::BuildLeftSide() {
  columns_model_ = new TreeModel(data_.columns, settings_->Get().sortcolumns, this);
  memories_model_ = new TreeModel(data_.memories, false, this);
  columns_tree_ = new NodeTree(columns_model_, false);
  memories_tree_ = new NodeTree(memories_model_, true);
  actions_->AttachKeys(columns_tree_, KeyScope::kColumnsTree);
  left_splitter_ = new QSplitter(Qt::Vertical, this);
  left_splitter_->setObjectName(QStringLiteral("LeftSplitter"));
  left_splitter_->setAccessibleName(Text(text::kAccessibleTreesSplitter));
  auto* columns_pane = new TitledPane(Text(text::kColumnsTreeTitle), columns_tree_);
  columns_pane->setObjectName(QStringLiteral("ColumnsTreePane"));
  columns_pane->setAccessibleName(Text(text::kColumnsTreeTitle));
  memories_pane_ = new TitledPane(Text(text::kMemoriesTitle), memories_tree_);
  memories_pane_->setObjectName(QStringLiteral("MemoriesPane"));
  memories_pane_->setAccessibleName(Text(text::kMemoriesTitle));
  left_splitter_->addWidget(columns_pane);
  left_splitter_->addWidget(memories_pane_);
  left_splitter_->setChildrenCollapsible(false);
  left_side_ = left_splitter_;

  connect(columns_tree_, &NodeTree::CurrentNodeChanged, this, &MainWindow::ShowNode);
  connect(memories_tree_, &NodeTree::CurrentNodeChanged, this, &MainWindow::ShowNode);
  connect(columns_tree_, &NodeTree::MenuRequested, this, &MainWindow::ShowMenu);
  connect(memories_tree_, &NodeTree::MenuRequested, this, &MainWindow::ShowMenu);
  connect(columns_tree_, &NodeTree::TextDropped, this, &MainWindow::OnTextDropped);
  return left_splitter_;
}

QWidget* MainWindow::BuildTabArea() {
  records_list_ = new RecordsList(*settings_, *actions_);
  records_list_->setAccessibleName(Text(text::kAccessibleRecords));
  records_list_->SetColumnTree(&data_.columns);
  records_list_->SetMemoriesTree(&data_.memories);
  records_list_->SetDeleteConfirmation(
      [this](const QString& question, const QString&) { return Ask(question); });
  records_pane_ = new TitledPane(Text(text::kChannelDescription), records_list_);
  records_pane_->setObjectName(QStringLiteral("RecordsPane"));
  records_pane_->setAccessibleName(Text(text::kChannelDescription));

  record_pane_ = new RecordView;
  record_pane_->setAccessibleName(Text(text::kAccessibleRecord));

  items_splitter_ = new QSplitter(Qt::Vertical);
  items_splitter_->setObjectName(QStringLiteral("ItemsSplitter"));
  items_splitter_->setAccessibleName(Text(text::kAccessibleRecordsSplitter));
  items_splitter_->addWidget(records_pane_);
  items_splitter_->addWidget(record_pane_);
  items_splitter_->setStretchFactor(1, 1);
  items_splitter_->setChildrenCollapsible(false);

  tabs_ = new TabArea(this);
  tabs_->setAccessibleName(Text(text::kAccessibleTabs));
  tabs_->SetFirstPage(items_splitter_, Text(text::kColumnsTab), record_pane_);
  connect(record_pane_, &RecordView::OpenLinkRequest, tabs_, &TabArea::OpenLink);
  connect(tabs_, &TabArea::LeftSideVisibilityRequest, this, [this](bool visible) {
    left_side_->setVisible(visible || !settings_->Get().fullscreen);
  });
  connect(tabs_, &TabArea::StatusTextRequest, this, [this](const QString& status) {
    status_text_->setText(status.isEmpty() ? Text(text::kReady) : status);
  });
  auto to_memories = [this](int id, const QString& html, const QString& url, const QString& title) {
    SelectionToMemories(id, html, url, title);
  };
  connect(record_pane_, &RecordView::ToMemoriesRequest, this, to_memories);
  connect(tabs_, &TabArea::ToMemoriesRequest, this, to_memories);
  connect(records_list_, &RecordsList::RecordSelected, this,
          [this](const RecordRef& record, const std::shared_ptr<TreeNode>& column) {
            if (record) {
              record_pane_->ShowRecord(record, column);
            } else {
              record_pane_->ShowNothing();
            }
          });
  connect(records_list_, &RecordsList::CountsChanged, this,
          [this](const std::shared_ptr<TreeNode>& column) {
            if (!column) return;
            TreeModel* model =
                column->Kind() == NodeKind::kMemoriesColumn ? memories_model_ : columns_model_;
            model->NodeChanged(*column);
          });
  connect(records_list_, &RecordsList::CaptionChanged, this,
          [this](const QString& caption) { records_pane_->SetTitle(caption); });
  return tabs_;
}

void MainWindow::ApplyLayoutVertical(bool vertical) {
  settings_->Record([vertical](Settings& settings) { settings.layout_vertical = vertical; });
  items_splitter_->setOrientation(vertical ? Qt::Horizontal : Qt::Vertical);
  actions_->Action(cmd::kVerticalSplit)->setChecked(vertical);
  actions_->Action(cmd::kHorizontalSplit)->setChecked(!vertical);
}

void MainWindow::ApplyMemoriesVisible(bool visible) {
  settings_->Record([visible](Settings& settings) { settings.memories_visible = visible; });
  memories_pane_->setVisible(visible);
  actions_->Action(cmd::kToggleMemories)->setChecked(visible);
}

void MainWindow::ApplyLeftSideForTab(int index) {
  // "Hide columns tree while browsing": only the tab area while a browser tab is active.
  left_side_->setVisible(!(settings_->Get().fullscreen && index > 0));
}

QString MainWindow::RecordsCaption() const {
  return records_pane_->title();
}
QString MainWindow::StatusText() const {
  return status_text_->text();
}
QString MainWindow::QueueStatusText() const {
  return updating_pane_->text() + ' ' + waiting_pane_->text();
}

}  // namespace tarsel::ui
