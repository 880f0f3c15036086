#include "ui/browser_tab.h"

#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "ui/page_finder.h"
#include "ui/pane_page.h"
#include "ui/qt_text.h"
#include "ui/selection_menu.h"
#include "view/record_pane_strings.h"

namespace tarsel::ui {
namespace {

bool IsBlank(const QUrl& url) {
  return url.isEmpty() || url.toString() == u"about:blank";
}

}  // namespace

BrowserTab::BrowserTab(const QString& url, QWidget* parent) : QWidget(parent), opened_url_(url) {
  setObjectName(QStringLiteral("BrowserTab"));
  setAccessibleName(Text(kTextBrowserTabName));
  view_ = new QWebEngineView(this);
  view_->setObjectName(QStringLiteral("BrowserTabView"));
  view_->setAccessibleName(Text(kTextBrowserTabName));
  page_ = new PanePage(PanePage::Mode::kBrowsing, QWebEngineProfile::defaultProfile(), view_);
  view_->setPage(page_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  finder_ = new PageFinder(page_, this);

  connect(page_, &PanePage::LinkRequested, this,
          [this](const QUrl& link) { emit OpenLinkRequest(link.toString()); });
  connect(page_, &QWebEnginePage::linkHovered, this,
          [this](const QString& link) { emit StatusTextRequest(link); });
  connect(page_, &QWebEnginePage::titleChanged, this, [this] { emit TitleChanged(Title()); });
  connect(page_, &QWebEnginePage::urlChanged, this, [this] {
    finder_->ForgetBookmark();
    emit TitleChanged(Title());
  });
  // A navigation resets the page zoom; the tab keeps its own level.
  connect(page_, &QWebEnginePage::loadFinished, this, [this] { ApplyTextSize(); });
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view_, &QWidget::customContextMenuRequested, this, &BrowserTab::OnContextMenu);

  page_->setUrl(QUrl(QStringLiteral("about:blank")));
  QPointer<BrowserTab> self(this);
  QTimer::singleShot(0, this, [self] {
    if (self) self->page_->setUrl(QUrl::fromUserInput(self->opened_url_));
  });
}

QString BrowserTab::Address() const {
  const QUrl url = page_->url();
  return IsBlank(url) ? opened_url_ : url.toString();
}

QString BrowserTab::Title() const {
  const QString title = page_->title();
  if (title.isEmpty() || IsBlank(page_->url()) || title == u"about:blank") return Address();
  return title;
}

void BrowserTab::ApplyTextSize() {
  view_->setZoomFactor(text_size_.ZoomFactor());
}

void BrowserTab::IncreaseTextSize() {
  if (text_size_.Increase()) ApplyTextSize();
}

void BrowserTab::DecreaseTextSize() {
  if (text_size_.Decrease()) ApplyTextSize();
}

void BrowserTab::Copy() {
  page_->triggerAction(QWebEnginePage::Copy);
}

void BrowserTab::Paste() {
  page_->triggerAction(QWebEnginePage::Paste);
}

QMenu* BrowserTab::BuildSelectionMenu(QWidget* parent) {
  QPointer<BrowserTab> self(this);
  SelectionMenuHandlers handlers;
  handlers.blog_selection = [self] {
    if (!self) return;
    FetchSelectionHtml(self->page_, [self](const QString& html) {
      if (self && !html.isEmpty()) emit self->BlogSelectionRequest(html);
    });
  };
  handlers.copy_selection = [self] {
    if (self) self->Copy();
  };
  handlers.to_memories = [self](int id) {
    if (!self) return;
    FetchSelectionHtml(self->page_, [self, id](const QString& html) {
      if (self && !html.isEmpty())
        emit self->ToMemoriesRequest(id, html, self->Address(), self->page_->title());
    });
  };
  return ui::BuildSelectionMenu(memories_tree_, handlers, parent);
}

void BrowserTab::OnContextMenu(const QPoint& position) {
  const QWebEngineContextMenuRequest* request = view_->lastContextMenuRequest();
  QMenu* menu = request != nullptr && !request->selectedText().isEmpty()
                    ? BuildSelectionMenu(this)
                    : view_->createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(view_->mapToGlobal(position));
}

}  // namespace tarsel::ui
