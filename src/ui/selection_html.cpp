#include "ui/selection_html.h"

#include <QWebEnginePage>
#include <QWebEngineScript>

namespace tarsel::ui {
namespace {

constexpr char kSelectionHtmlScript[] = R"JS(
(function () {
  var selection = window.getSelection();
  var holder = document.createElement("div");
  for (var i = 0; i < selection.rangeCount; ++i) {
    holder.appendChild(selection.getRangeAt(i).cloneContents());
  }
  return holder.innerHTML;
})();
)JS";

}  // namespace

void FetchSelectionHtml(QWebEnginePage* page, std::function<void(const QString&)> done) {
  page->runJavaScript(
      QString::fromLatin1(kSelectionHtmlScript), QWebEngineScript::ApplicationWorld,
      [done = std::move(done)](const QVariant& result) { done(result.toString()); });
}

}  // namespace tarsel::ui
