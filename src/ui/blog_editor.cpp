#include "ui/blog_editor.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <algorithm>

#include "platform/system_code_page.h"
#include "settings/settings.h"
#include "ui/html_highlighter.h"
#include "ui/qt_text.h"
#include "ui/web_engine_start.h"
#include "view/accessible_texts.h"
#include "view/blog_strings.h"

namespace tarsel::ui {

namespace {

// No script of the page's own may run; the program's script world is not bound by this.
constexpr char kPageHead[] =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><meta http-equiv="
    "\"Content-Security-Policy\" content=\"script-src 'none'; object-src 'none'\"></head>";

QWebEngineView* MakePage(QWidget* parent, const char* name, int name_id, bool editable) {
  auto* view = new QWebEngineView(parent);
  // The record pane's profile: one engine set-up, its cache in memory.
  view->setPage(new QWebEnginePage(PaneProfile(), view));
  view->setObjectName(QString::fromLatin1(name));
  view->setAccessibleName(Text(name_id));
  QWebEngineSettings* settings = view->page()->settings();
  settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
  settings->setAttribute(QWebEngineSettings::LocalStorageEnabled, false);
  view->setProperty("loaded", false);
  QObject::connect(view, &QWebEngineView::loadFinished, view, [view](bool) {
    view->setProperty("loaded", true);
    const QVariant pending = view->property("pendingScript");
    if (pending.isValid()) {
      view->setProperty("pendingScript", QVariant());
      view->page()->runJavaScript(pending.toString(), QWebEngineScript::ApplicationWorld);
    }
  });
  const QString body = editable ? QStringLiteral("<body contenteditable=\"true\"></body></html>")
                                : QStringLiteral("<body></body></html>");
  view->setHtml(QString::fromLatin1(kPageHead) + body, QUrl(QStringLiteral("about:blank")));
  return view;
}

QString PageText(const std::string& bytes) {
  const std::string utf8 =
      CodePageToUtf8(bytes, BlogPageCodePage(static_cast<int32_t>(ProgramEncoding())));
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

BlogEditor::BlogEditor(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("BloggerFrame"));
  setWindowTitle(Text(text::kBlogEditorCaption));
  setAccessibleName(windowTitle());
  title_ = new QLineEdit(this);
  title_->setObjectName(QStringLiteral("BlogTitle"));
  title_->setAccessibleName(Text(text::kBlogTitle));
  auto* title_label = new QLabel(Text(text::kBlogTitle), this);
  title_label->setBuddy(title_);
  auto* title_row = new QHBoxLayout;
  title_row->addWidget(title_label);
  title_row->addWidget(title_, 1);

  source_ = new QPlainTextEdit(this);
  source_->setObjectName(QStringLiteral("BlogSource"));
  source_->setAccessibleName(Text(text::kBlogEdit));
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setFamilies({QStringLiteral("Courier New"), fixed.family()});
  source_->setFont(fixed);
  new HtmlHighlighter(source_->document());

  visual_ = MakePage(this, "BlogVisual", text::kBlogWysiwyg, true);
  preview_ = MakePage(this, "BlogPreview", text::kBlogPreview, false);
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("BlogTabs"));
  tabs_->setAccessibleName(Text(text::kAccessibleBlogTabs));
  tabs_->addTab(source_, Text(text::kBlogEdit));
  tabs_->addTab(visual_, Text(text::kBlogWysiwyg));
  tabs_->addTab(preview_, Text(text::kBlogPreview));
  connect(tabs_, &QTabWidget::currentChanged, this, &BlogEditor::OnTabChanged);
  // The pages were made before their tabs: Tab goes from the title to the tabs, then inside.
  setTabOrder(title_, tabs_->tabBar());
  setTabOrder(tabs_->tabBar(), source_);

  BuildToolbar();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(title_row);
  layout->addWidget(toolbar_);
  layout->addWidget(tabs_, 1);
  // Wide enough for the whole toolbar, so Settings and Post never hide behind its overflow
  // arrow (the desktop's fonts make its buttons wider than a fixed width allows).
  const int margins = layout->contentsMargins().left() + layout->contentsMargins().right();
  resize(std::max(640, toolbar_->sizeHint().width() + margins), 480);
}

void BlogEditor::BuildToolbar() {
  toolbar_ = new QToolBar(this);
  toolbar_->setObjectName(QStringLiteral("BlogToolbar"));
  toolbar_->setAccessibleName(Text(text::kAccessibleBlogToolbar));
  const struct {
    int text;
    Format format;
  } kFormats[] = {
      {text::kBlogBold, Format::kBold},           {text::kBlogItalic, Format::kItalic},
      {text::kBlogUnderline, Format::kUnderline}, {text::kBlogAlignLeft, Format::kLeft},
      {text::kBlogCenter, Format::kCenter},       {text::kBlogAlignRight, Format::kRight},
      {text::kBlogJustify, Format::kJustify},
  };
  for (const auto& entry : kFormats) {
    const Format format = entry.format;
    toolbar_->addAction(Text(entry.text), this, [this, format] { ApplyFormat(format); });
  }
  toolbar_->addSeparator();
  toolbar_->addAction(Text(text::kBlogCut), this, &BlogEditor::Cut);
  toolbar_->addAction(Text(text::kBlogCopy), this, &BlogEditor::Copy);
  toolbar_->addAction(Text(text::kBlogPaste), this, &BlogEditor::Paste);
  toolbar_->addSeparator();
  toolbar_->addAction(Text(text::kBlogSettings), this, &BlogEditor::SettingsRequested);
  toolbar_->addAction(Text(text::kBlogPost), this, &BlogEditor::PostRequested);
}

void BlogEditor::Load(const std::string& title, const std::string& text) {
  title_->setText(ToQt(title));
  last_text_ = text;
  source_->setPlainText(ToQt(text));
  ++switch_serial_;
  last_tab_ = kEditTab;
  tabs_->setCurrentIndex(kEditTab);
}

std::string BlogEditor::Title() const {
  return FromQt(title_->text());
}

void BlogEditor::TakeText(std::function<void(std::string)> done) {
  switch (tabs_->currentIndex()) {
    case kEditTab:
      last_text_ = FromQt(source_->toPlainText());
      done(last_text_);
      return;
    case kVisualTab: {
      QPointer<BlogEditor> self(this);
      visual_->page()->runJavaScript(QStringLiteral("document.body.innerHTML"),
                                     QWebEngineScript::ApplicationWorld,
                                     [self, done = std::move(done)](const QVariant& html) {
                                       if (!self) return;
                                       self->last_text_ = FromQt(html.toString());
                                       done(self->last_text_);
                                     });
      return;
    }
    default:
      done(last_text_);
  }
}

// Carries the text of the tab left behind to the one the user went to.
void BlogEditor::OnTabChanged(int index) {
  const int from = last_tab_;
  last_tab_ = index;
  const int serial = ++switch_serial_;
  auto deliver = [this, index, serial](const std::string& text) {
    if (serial != switch_serial_) return;
    if (index == kEditTab) source_->setPlainText(ToQt(text));
    if (index == kVisualTab) SetPageBody(visual_, text);
    if (index == kPreviewTab) SetPageBody(preview_, text);
  };
  if (from == kEditTab) {
    last_text_ = FromQt(source_->toPlainText());
    deliver(last_text_);
  } else if (from == kVisualTab) {
    QPointer<BlogEditor> self(this);
    visual_->page()->runJavaScript(QStringLiteral("document.body.innerHTML"),
                                   QWebEngineScript::ApplicationWorld,
                                   [self, deliver](const QVariant& html) {
                                     if (!self) return;
                                     self->last_text_ = FromQt(html.toString());
                                     deliver(self->last_text_);
                                   });
  } else {
    deliver(last_text_);
  }
}

// Through the script world rather than setHtml: no size limit, and the page's own policy
// keeps any script inside the text from running.
void BlogEditor::SetPageBody(QWebEngineView* view, const std::string& text) {
  const QByteArray literal =
      QJsonDocument(QJsonArray{PageText(text)}).toJson(QJsonDocument::Compact);
  const QString script = QStringLiteral("document.body.innerHTML = ") + QString::fromUtf8(literal) +
                         QStringLiteral("[0];");
  if (view->property("loaded").toBool()) {
    view->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld);
  } else {
    view->setProperty("pendingScript", script);
  }
}

void BlogEditor::ApplyFormat(Format format) {
  const struct {
    Format format;
    const char* open;
    const char* close;
    const char* command;  // null: the visual editor has none
  } kTable[] = {
      {Format::kBold, "<b>", "</b>", "bold"},
      {Format::kItalic, "<i>", "</i>", "italic"},
      {Format::kUnderline, "<u>", "</u>", "underline"},
      {Format::kLeft, "<div align=\"left\">", "</div>", "justifyLeft"},
      {Format::kCenter, "<div align=\"center\">", "</div>", "justifyCenter"},
      {Format::kRight, "<div align=\"right\">", "</div>", "justifyRight"},
      {Format::kJustify, "<div align=\"justify\">", "</div>", "justifyFull"},
  };
  for (const auto& row : kTable) {
    if (row.format != format) continue;
    if (tabs_->currentIndex() == kEditTab) {
      WrapSelection(QString::fromLatin1(row.open), QString::fromLatin1(row.close));
    } else if (tabs_->currentIndex() == kVisualTab) {
      RunEditingCommand(QString::fromLatin1(row.command));
    }
  }
}

void BlogEditor::WrapSelection(const QString& open, const QString& close) {
  QTextCursor cursor = source_->textCursor();
  const QString selected = cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n');
  cursor.insertText(open + selected + close);
  cursor.setPosition(cursor.position() - static_cast<int>(close.size()));
  source_->setTextCursor(cursor);
  source_->setFocus();
}

void BlogEditor::RunEditingCommand(const QString& command) {
  visual_->page()->runJavaScript(
      QStringLiteral("document.execCommand('%1', false, null);").arg(command),
      QWebEngineScript::ApplicationWorld);
  visual_->setFocus();
}

void BlogEditor::Cut() {
  if (tabs_->currentIndex() == kEditTab) source_->cut();
  if (tabs_->currentIndex() == kVisualTab) visual_->triggerPageAction(QWebEnginePage::Cut);
}

void BlogEditor::Copy() {
  if (tabs_->currentIndex() == kEditTab) source_->copy();
  if (tabs_->currentIndex() == kVisualTab) visual_->triggerPageAction(QWebEnginePage::Copy);
  if (tabs_->currentIndex() == kPreviewTab) preview_->triggerPageAction(QWebEnginePage::Copy);
}

void BlogEditor::Paste() {
  if (tabs_->currentIndex() == kEditTab) source_->paste();
  if (tabs_->currentIndex() == kVisualTab) visual_->triggerPageAction(QWebEnginePage::Paste);
}

bool BlogEditor::HasFocusInside() const {
  const QWidget* focus = QApplication::focusWidget();
  return focus != nullptr && (focus == this || isAncestorOf(focus));
}

void BlogEditor::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  emit VisibilityChanged(true);
}

void BlogEditor::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  emit VisibilityChanged(false);
}

}  // namespace tarsel::ui
