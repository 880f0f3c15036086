#include "ui/tab_area.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTabBar>
#include <QUrl>
#include <set>

#include "platform/shell_open.h"
#include "settings/settings.h"
#include "ui/browser_tab.h"
#include "ui/command_actions.h"
#include "ui/find_dialog.h"
#include "ui/page_finder.h"
#include "ui/qt_text.h"
#include "ui/record_view.h"
#include "ui/settings_owner.h"
#include "view/command_ids.h"
#include "view/command_table.h"
#include "view/record_pane_strings.h"

namespace tarsel::ui {
namespace {

constexpr int kTabTitleLength = 28;

// A page title is the page's text: shown as it is, never as a mnemonic.
QString TabTitle(const QString& title) {
  QString shown =
      title.size() > kTabTitleLength ? title.left(kTabTitleLength - 1) + u'\u2026' : title;
  return shown.replace(u'&', QStringLiteral("&&"));
}

}  // namespace

TabArea::TabArea(QWidget* parent) : QTabWidget(parent) {
  setObjectName(QStringLiteral("TabArea"));
  setAccessibleName(Text(kTextTabAreaName));
  tabBar()->setObjectName(QStringLiteral("DotNetTabCtrl"));
  tabBar()->setAccessibleName(Text(kTextTabAreaName));
  tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(tabBar(), &QWidget::customContextMenuRequested, this, &TabArea::OnTabMenu);
  connect(this, &QTabWidget::currentChanged, this, &TabArea::OnCurrentChanged);
  external_opener_ = [](const QString& url) {
    OpenUrlInBrowser(QUrl(url).toEncoded().toStdString());
  };
  message_sink_ = [this](const QString& message) {
    QMessageBox::warning(window(), QStringLiteral("Tarsel"), message);
  };
}

void TabArea::SetFirstPage(QWidget* page, const QString& title, RecordView* record_view) {
  insertTab(0, page, title);
  SetRecordView(record_view);
}

void TabArea::SetRecordView(RecordView* record_view) {
  record_view_ = record_view;
  if (record_view == nullptr) return;
  // The record pane's links reach OpenLink through the main window, which routes every pane's
  // requests; connecting them here too would open each link twice.
  connect(record_view, &RecordView::StatusTextRequest, this,
          [this, record_view](const QString& text) { RelayStatus(record_view, text); });
  ConnectFinder(record_view->Finder());
}

void TabArea::SetCommandActions(CommandActions* actions) {
  actions_ = actions;
  if (record_view_) record_view_->SetCommandActions(actions);
  for (int index = 1; index < count(); ++index) {
    if (BrowserTab* tab = BrowserTabAt(index)) tab->SetCommandActions(actions);
  }
  BindTabCommands();
  BindSelectionCommands();
  actions->Bind(cmd::kCopy, [this] { Copy(); });
  actions->Bind(cmd::kPaste, [this] { Paste(); });
  actions->Bind(cmd::kFind, [this] { Find(); });
  actions->Bind(cmd::kFindNext, [this] { FindNext(); });
  actions->Bind(cmd::kIncreaseTextSize, [this] { IncreaseTextSize(); });
  actions->Bind(cmd::kDecreaseTextSize, [this] { DecreaseTextSize(); });
}

// From a tab's menu they act on that tab; from the keys and the menu bar on the active one
// (copying its address and opening it outside are only in the tab's menu).
void TabArea::BindTabCommands() {
  auto menu_tab = [this] { return qobject_cast<BrowserTab*>(actions_->Target()); };
  actions_->Bind(cmd::kCloseTab, [this, menu_tab] {
    BrowserTab* tab = menu_tab();
    tab != nullptr ? CloseTab(indexOf(tab)) : CloseCurrentTab();
  });
  actions_->Bind(cmd::kCloseAllTabs, [this] { CloseAllTabs(); });
  actions_->Bind(cmd::kCopyLinkAddress, [this, menu_tab] {
    BrowserTab* tab = menu_tab();
    if (tab == nullptr) return actions_->SayUnavailable(cmd::kCopyLinkAddress);
    QGuiApplication::clipboard()->setText(tab->Address());
  });
  actions_->Bind(cmd::kOpenInExternalBrowser, [this, menu_tab] {
    BrowserTab* tab = menu_tab();
    if (tab == nullptr) return actions_->SayUnavailable(cmd::kOpenInExternalBrowser);
    if (external_opener_) external_opener_(tab->Address());
  });
}

// "Blog Selection" is the blog commands'; they look at the menu's target as these do.
void TabArea::BindSelectionCommands() {
  actions_->Bind(cmd::kCopySelection, [this] {
    if (WebPane* pane = SelectionPane()) pane->Copy();
  });
  actions_->Bind(cmd::kSelectionToNewMemories, [this] {
    WebPane* pane = qobject_cast<WebPane*>(actions_->Target());
    if (pane == nullptr) return actions_->SayUnavailable(cmd::kSelectionToNewMemories);
    pane->SelectionToMemories(0);
  });
}

WebPane* TabArea::SelectionPane() const {
  if (auto* pane = qobject_cast<WebPane*>(actions_ ? actions_->Target() : nullptr)) return pane;
  return ActivePane();
}

void TabArea::OpenLink(const QString& url) {
  if (url.isEmpty() || url.contains(u"Theme/data.html")) return;
  const QString scheme = QUrl(url).scheme().toLower();
  // Only the web goes into tabs; local files and script never do.
  if (scheme != u"http" && scheme != u"https" && scheme != u"ftp" && scheme != u"mailto") return;
  // The engine has no mail or ftp client of its own.
  const bool not_for_tabs = scheme == u"mailto" || scheme == u"ftp";
  if (not_for_tabs || SettingsOwner::Snapshot()->external_browser) {
    external_opener_(url);
    return;
  }
  auto* tab = new BrowserTab(url, this);
  tab->SetCommandActions(actions_);
  ConnectTab(tab);
  const int index = addTab(tab, TabTitle(url));
  setTabToolTip(index, url);
  setCurrentIndex(index);
}

void TabArea::ConnectTab(BrowserTab* tab) {
  connect(tab, &BrowserTab::OpenLinkRequest, this, &TabArea::OpenLink);
  connect(tab, &BrowserTab::StatusTextRequest, this,
          [this, tab](const QString& text) { RelayStatus(tab, text); });
  connect(tab, &BrowserTab::TitleChanged, this, [this, tab](const QString& title) {
    const int index = indexOf(tab);
    if (index < 0) return;
    setTabText(index, TabTitle(title));
    setTabToolTip(index, tab->Address());
  });
  connect(tab, &BrowserTab::BlogSelectionRequest, this, &TabArea::BlogSelectionRequest);
  connect(tab, &BrowserTab::ToMemoriesRequest, this, &TabArea::ToMemoriesRequest);
  ConnectFinder(tab->Finder());
}

void TabArea::ConnectFinder(PageFinder* finder) {
  connect(finder, &PageFinder::NotFound, this, [this](const QString& message) {
    if (message_sink_) message_sink_(message);
  });
}

void TabArea::RelayStatus(QWidget* pane, const QString& text) {
  const bool active = currentIndex() == 0 ? pane == record_view_.data() : pane == currentWidget();
  if (active) emit StatusTextRequest(text);
}

void TabArea::CloseCurrentTab() {
  CloseTab(currentIndex());
}

void TabArea::CloseTab(int index) {
  BrowserTab* tab = BrowserTabAt(index);
  if (tab == nullptr) return;
  // Removing the tab makes its neighbour active; the strip keeps that one in view.
  removeTab(index);
  tab->deleteLater();
}

void TabArea::CloseAllTabs() {
  for (int index = count() - 1; index > 0; --index) CloseTab(index);
}

BrowserTab* TabArea::BrowserTabAt(int index) const {
  if (index <= 0) return nullptr;
  return qobject_cast<BrowserTab*>(widget(index));
}

// The pane the text commands act on: the browser tab shown, else the record pane.
WebPane* TabArea::ActivePane() const {
  if (BrowserTab* tab = BrowserTabAt(currentIndex())) return tab;
  return record_view_.data();
}

void TabArea::IncreaseTextSize() {
  if (WebPane* pane = ActivePane()) pane->IncreaseTextSize();
}

void TabArea::DecreaseTextSize() {
  if (WebPane* pane = ActivePane()) pane->DecreaseTextSize();
}

void TabArea::Copy() {
  if (WebPane* pane = ActivePane()) pane->Copy();
}

void TabArea::Paste() {
  if (WebPane* pane = ActivePane()) pane->Paste();
}

PageFinder* TabArea::ActiveFinder() const {
  WebPane* pane = ActivePane();
  return pane != nullptr ? pane->Finder() : nullptr;
}

void TabArea::Find() {
  if (find_dialog_) {
    find_dialog_->raise();
    find_dialog_->activateWindow();
    return;
  }
  find_dialog_ = new FindDialog(this);
  find_dialog_->setAttribute(Qt::WA_DeleteOnClose);
  if (PageFinder* finder = ActiveFinder(); finder != nullptr && finder->LastRequest()) {
    const PageFindRequest& last = *finder->LastRequest();
    find_dialog_->SetSearch(QString::fromStdString(last.text), last.match_case, last.whole_word);
  }
  connect(find_dialog_, &FindDialog::FindNextRequested, this,
          [this](const QString& text, bool match_case, bool whole_word) {
            if (PageFinder* finder = ActiveFinder()) finder->Find(text, match_case, whole_word);
          });
  find_dialog_->show();
}

FindDialog* TabArea::OpenFindDialog() const {
  return find_dialog_.data();
}

void TabArea::FindNext() {
  PageFinder* finder = ActiveFinder();
  if (finder == nullptr || !finder->FindNext()) Find();
}

void TabArea::SetExternalOpener(std::function<void(const QString&)> opener) {
  external_opener_ = std::move(opener);
}

void TabArea::SetMessageSink(std::function<void(const QString&)> sink) {
  message_sink_ = std::move(sink);
}

void TabArea::OnCurrentChanged(int index) {
  if (SettingsOwner::Snapshot()->fullscreen) emit LeftSideVisibilityRequest(index <= 0);
  emit StatusTextRequest(QString());
}

void TabArea::OnTabMenu(const QPoint& position) {
  if (actions_ == nullptr) return;
  int index = tabBar()->tabAt(position);
  if (index < 0) index = currentIndex();
  BrowserTab* tab = BrowserTabAt(index);
  // The first tab is no browser tab: only "Close All" applies, and only with tabs to close.
  std::set<int> disabled;
  if (tab == nullptr)
    disabled = {cmd::kCloseTab, cmd::kCopyLinkAddress, cmd::kOpenInExternalBrowser};
  if (count() <= 1) disabled.insert(cmd::kCloseAllTabs);
  QMenu* menu = actions_->BuildMenu(kBrowserTabMenu, this, tab, disabled);
  menu->setObjectName(QStringLiteral("BrowserTabMenu"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(tabBar()->mapToGlobal(position));
}

}  // namespace tarsel::ui
