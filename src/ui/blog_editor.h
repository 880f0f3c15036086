#pragma once

// The blog editor window "BloggerFrame": a title field, a toolbar and three tabs. "Edit" is the
// HTML source with coloured tags, "WYSIWYG" a web page in design mode, "Preview" the HTML shown.
// Formatting commands act on the active tab (nothing in Preview); Cut, Copy and Paste too. The
// text of the tab left behind is carried to the tab the user goes to, so both editors stay in
// step. Settings and Post are only signalled: the window that owns the editor decides.
//
// The pages run no script of their own (a feed's HTML may be pasted in): the program's script
// world writes and reads their bodies. Texts that cross this class are bytes in the program's
// code page; the pages get them in the code page BlogPageCodePage chooses. Main thread only.

#include <QWidget>
#include <functional>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QToolBar;
class QWebEngineView;

namespace tarsel::ui {

class BlogEditor : public QWidget {
  Q_OBJECT

 public:
  enum Tab { kEditTab = 0, kVisualTab = 1, kPreviewTab = 2 };
  enum class Format { kBold, kItalic, kUnderline, kLeft, kCenter, kRight, kJustify };

  explicit BlogEditor(QWidget* parent = nullptr);

  // Title and text (program bytes) into the editor; the Edit tab becomes active.
  void Load(const std::string& title, const std::string& text);
  std::string Title() const;
  // The text of the active tab, handed to done (at once, or when the visual page answers).
  void TakeText(std::function<void(std::string text)> done);

  void ApplyFormat(Format format);
  void Cut();
  void Copy();
  void Paste();
  // True when the keyboard focus is inside this window.
  bool HasFocusInside() const;

  QPlainTextEdit* source() const { return source_; }
  QTabWidget* tabs() const { return tabs_; }
  QWebEngineView* visual() const { return visual_; }
  QWebEngineView* preview() const { return preview_; }

 signals:
  void SettingsRequested();
  void PostRequested();
  // The window was shown or hidden (the menu's check mark follows it).
  void VisibilityChanged(bool visible);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void BuildToolbar();
  void OnTabChanged(int index);
  void WrapSelection(const QString& open, const QString& close);
  void SetPageBody(QWebEngineView* view, const std::string& text);
  void RunEditingCommand(const QString& command);

  QLineEdit* title_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QPlainTextEdit* source_ = nullptr;
  QWebEngineView* visual_ = nullptr;
  QWebEngineView* preview_ = nullptr;
  int last_tab_ = kEditTab;
  // The text last taken from a tab (Preview posts this one).
  std::string last_text_;
  // Bumped by every switch, so an old answer of the visual page is dropped.
  int switch_serial_ = 0;
};

}  // namespace tarsel::ui
