#include "ui/browser_tab.h"

#include <QPointer>
#include <QTimer>

#include "ui/page_finder.h"
#include "ui/qt_text.h"
#include "view/record_pane_strings.h"

namespace tarsel::ui {
namespace {

bool IsBlank(const QUrl& url) {
  return url.isEmpty() || url.toString() == u"about:blank";
}

}  // namespace

BrowserTab::BrowserTab(const QString& url, QWidget* parent)
    : WebPane(PanePage::Mode::kBrowsing, QStringLiteral("BrowserTabView"),
              Text(kTextBrowserTabName), parent),
      opened_url_(url) {
  setObjectName(QStringLiteral("BrowserTab"));
  connect(Page(), &QWebEnginePage::titleChanged, this, [this] { emit TitleChanged(Title()); });
  connect(Page(), &QWebEnginePage::urlChanged, this, [this] {
    Finder()->ForgetBookmark();
    emit TitleChanged(Title());
  });
  // A navigation resets the page zoom; the tab keeps its own level.
  connect(Page(), &QWebEnginePage::loadFinished, this, [this] { ApplyTextSize(); });

  Page()->setUrl(QUrl(QStringLiteral("about:blank")));
  QPointer<BrowserTab> self(this);
  QTimer::singleShot(0, this, [self] {
    if (self) self->Page()->setUrl(QUrl::fromUserInput(self->opened_url_));
  });
}

QString BrowserTab::Address() const {
  const QUrl url = Page()->url();
  return IsBlank(url) ? opened_url_ : url.toString();
}

QString BrowserTab::Title() const {
  const QString title = Page()->title();
  if (title.isEmpty() || IsBlank(Page()->url()) || title == u"about:blank") return Address();
  return title;
}

QString BrowserTab::SelectionTitle() const {
  return Page()->title();
}

}  // namespace tarsel::ui
