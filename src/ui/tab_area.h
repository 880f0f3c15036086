#pragma once

// The tab strip on the right of the main window: the first tab holds the records list and the
// record pane (given by the main window), the further tabs are browser tabs opened for followed
// links. The commands of the active pane (text size, copy, paste, find) act on the record pane
// while the first tab is active, else on the active browser tab. Main thread only.

#include <QPointer>
#include <QTabWidget>
#include <functional>

namespace tarsel {
class ColumnTree;
}

namespace tarsel::ui {

class BrowserTab;
class FindDialog;
class PageFinder;
class RecordView;
class CommandActions;
class WebPane;

class TabArea : public QTabWidget {
  Q_OBJECT

 public:
  explicit TabArea(QWidget* parent = nullptr);

  // The first tab: `page` (which holds `record_view`) with its title. The main window may
  // instead add its first tab itself and call SetRecordView. The record pane's OpenLinkRequest
  // is the main window's to route to OpenLink; browser tabs' requests are routed here.
  void SetFirstPage(QWidget* page, const QString& title, RecordView* record_view);
  void SetRecordView(RecordView* record_view);
  // The window's commands: binds those of the panes (close, copy, paste, find, text size, the
  // selection's commands) and gives every pane the selection menu built from them.
  void SetCommandActions(CommandActions* actions);

  // Opens a followed link: ignored when it holds "Theme/data.html" or is not http, https, ftp or
  // mailto; with `external_browser` on (and for mail and ftp) handed to the system; otherwise a
  // new browser tab, made active.
  void OpenLink(const QString& url);
  // Closes the active tab; the first tab never closes.
  void CloseCurrentTab();
  void CloseTab(int index);
  void CloseAllTabs();

  void IncreaseTextSize();
  void DecreaseTextSize();
  void Copy();
  void Paste();
  // Opens the Find dialog, or brings it forward when it is open.
  void Find();
  // The active pane's last search again; the Find dialog when it has none.
  void FindNext();

  BrowserTab* BrowserTabAt(int index) const;
  WebPane* ActivePane() const;
  FindDialog* OpenFindDialog() const;
  // Where links go outside the program and where "Cannot find" messages are shown; tests
  // replace them. By default: the system browser, and a warning message box.
  void SetExternalOpener(std::function<void(const QString& url)> opener);
  void SetMessageSink(std::function<void(const QString& message)> sink);

 signals:
  // "Hide columns tree while browsing": false while a browser tab is active, true on the first.
  void LeftSideVisibilityRequest(bool visible);
  // The status text of the active pane.
  void StatusTextRequest(QString text);
  // Selections of browser tabs, as the record pane sends them.
  void BlogSelectionRequest(QString html);
  void ToMemoriesRequest(int memories_column_id, QString selection_html, QString url,
                         QString title);

 private:
  PageFinder* ActiveFinder() const;
  void OnCurrentChanged(int index);
  void OnTabMenu(const QPoint& position);
  void BindTabCommands();
  void BindSelectionCommands();
  // The pane a selection command acts on: the one whose menu it came from, else the active one.
  WebPane* SelectionPane() const;
  void ConnectTab(BrowserTab* tab);
  void RelayStatus(QWidget* pane, const QString& text);
  void ConnectFinder(PageFinder* finder);

  QPointer<RecordView> record_view_;
  QPointer<FindDialog> find_dialog_;
  CommandActions* actions_ = nullptr;
  std::function<void(const QString&)> external_opener_;
  std::function<void(const QString&)> message_sink_;
};

}  // namespace tarsel::ui
