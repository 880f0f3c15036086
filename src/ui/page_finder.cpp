#include "ui/page_finder.h"

#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "ui/qt_text.h"
#include "view/record_pane_strings.h"

namespace tarsel::ui {

PageFinder::PageFinder(QWebEnginePage* page, QObject* parent) : QObject(parent), page_(page) {}

void PageFinder::Find(const QString& text, bool match_case, bool whole_word) {
  const QByteArray utf8 = text.left(kFindTextLimit).toUtf8();
  state_.Start(
      {std::string(utf8.constData(), static_cast<size_t>(utf8.size())), match_case, whole_word});
  Search();
}

bool PageFinder::FindNext() {
  if (!state_.request()) return false;
  Search();
  return true;
}

void PageFinder::Search() {
  const int generation = ++generation_;
  if (page_ == nullptr) {
    ReportNotFound();
    return;
  }
  const std::string script = PageFindScript(*state_.request(), state_.NextStart());
  QPointer<PageFinder> self(this);
  page_->runJavaScript(QString::fromStdString(script), QWebEngineScript::ApplicationWorld,
                       [self, generation](const QVariant& result) {
                         if (!self || generation != self->generation_) return;
                         const int64_t offset =
                             result.isValid() ? static_cast<int64_t>(result.toDouble()) : -1;
                         switch (self->state_.Take(offset)) {
                           case PageFindStep::kFound:
                             emit self->Found();
                             break;
                           case PageFindStep::kSearchFromTop:
                             self->Search();
                             break;
                           case PageFindStep::kNotFound:
                             self->ReportNotFound();
                             break;
                         }
                       });
}

void PageFinder::ReportNotFound() {
  const std::string& text = state_.request()->text;
  QString message = Text(kTextCannotFind);
  message.replace(QStringLiteral("%s"),
                  QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  emit NotFound(message);
}

}  // namespace tarsel::ui
