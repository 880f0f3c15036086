#include "ui/record_view.h"

#include <QPointer>
#include <QTimer>
#include <QWebChannel>
#include <QWebEngineScript>
#include <optional>

#include "platform/folders.h"
#include "settings/settings.h"
#include "store/column.h"
#include "ui/focus_keeper.h"
#include "ui/page_finder.h"
#include "ui/pane_page.h"
#include "ui/qt_text.h"
#include "ui/record_pane_host.h"
#include "view/record_operations.h"
#include "view/record_pane_strings.h"
#include "view/record_render.h"
#include "view/record_render_script.h"

namespace tarsel::ui {
namespace {

// An updating column's worker holds its lock through the merge; the window thread never waits
// for it but tries again a moment later.
constexpr int kLockRetryMs = 50;
// How long a shown record guards the focus: the first starts the engine, which takes longer.
constexpr int kFirstFocusGuardMs = 10000;
constexpr int kFocusGuardMs = 2000;
// How long the guard outlives the written body.
constexpr int kFocusSettleMs = 500;

}  // namespace

RecordView::RecordView(QWidget* parent, const std::string& theme_folder)
    : WebPane(PanePage::Mode::kThemePage, QStringLiteral("RecordViewBrowser"),
              Text(kTextRecordPaneName), parent),
      theme_folder_(theme_folder.empty() ? ProgramFolder() + "Theme/" : theme_folder) {
  setObjectName(QStringLiteral("RecordView"));
  host_ = new RecordPaneHost(this);
  channel_ = new QWebChannel(this);
  channel_->registerObject(QStringLiteral("external"), host_);
  retry_timer_ = new QTimer(this);
  retry_timer_->setSingleShot(true);
  retry_timer_->setInterval(kLockRetryMs);
  focus_keeper_ = new FocusKeeper(this);

  connect(host_, &RecordPaneHost::Initialized, this, &RecordView::OnPageInitialized);
  connect(retry_timer_, &QTimer::timeout, this, &RecordView::Render);
}

void RecordView::ViewMade() {
  Page()->setWebChannel(channel_);
  // Only a load of the theme page itself replaces the document that said it was ready; a link
  // the page refused starts a load that goes nowhere and must not stop the pane.
  connect(Page(), &PanePage::ThemePageLoading, this, [this] { page_initialized_ = false; });
  connect(Page(), &QWebEnginePage::renderProcessTerminated, this, &RecordView::OnRendererGone);
  LoadThemePage();
}

void RecordView::LoadThemePage() {
  Page()->load(QUrl::fromLocalFile(QString::fromStdString(theme_folder_ + "data.html")));
}

// A crashed or killed renderer leaves a dead page: load the theme again. The record shown then
// is suspect (its body may be what took the renderer down): it shows an empty body from now on,
// or a hostile record would crash the renderer again and again.
void RecordView::OnRendererGone(QWebEnginePage::RenderProcessTerminationStatus status) {
  page_initialized_ = false;
  if (status == QWebEnginePage::NormalTerminationStatus) return;
  crashed_record_ = record_;
  LoadThemePage();
}

RecordView::~RecordView() = default;

void RecordView::ShowRecord(const RecordRef& record, const std::shared_ptr<TreeNode>& column) {
  if (record == record_ && column == column_) return;
  record_ = record;
  column_ = column;
  // The engine weighs more than the rest of the program together: it starts for the first
  // record, not for the window (an empty pane is blank either way).
  if (!record_ && !HasView()) return;
  // The engine's start and the page's load must not take the keyboard from the records list.
  focus_keeper_->Guard(HasView() ? kFocusGuardMs : kFirstFocusGuardMs);
  MakeView();
  Finder()->ForgetBookmark();
  Render();
}

void RecordView::ShowNothing() {
  ShowRecord(nullptr, nullptr);
}

void RecordView::Refresh() {
  Render();
}

void RecordView::OnPageInitialized() {
  page_initialized_ = true;
  Render();
}

void RecordView::Render() {
  retry_timer_->stop();
  if (!page_initialized_) return;
  std::string body;
  if (!BuildBody(body)) {
    retry_timer_->start();
    return;
  }
  WriteBody(BodyToUtf8(body, ProgramCodePage()));
}

// False when the column is being merged right now.
bool RecordView::BuildBody(std::string& body) {
  std::optional<std::string> template_text;
  if (column_ && column_->Kind() == NodeKind::kColumn) {
    template_text = ReadRecordTemplate(theme_folder_ + "rssitem.templ");
  }
  // Held until the body is made: a merge must not change the records it reads.
  std::optional<ColumnEditLock> lock;
  if (column_) lock.emplace(*column_);
  if (lock && !lock->held()) return false;
  if (record_ && record_ == crashed_record_) return true;
  body = RenderRecordBody(column_.get(), record_.get(), template_text);
  return true;
}

void RecordView::WriteBody(const std::string& utf8_body) {
  QPointer<RecordView> self(this);
  Page()->runJavaScript(QString::fromStdString(BodyAssignmentScript(utf8_body)),
                        QWebEngineScript::ApplicationWorld, [self](const QVariant&) {
                          if (!self) return;
                          self->ApplyTextSize();
                          // The page is written: what the engine does to the focus is done.
                          self->focus_keeper_->EndAfter(kFocusSettleMs);
                          emit self->BodyRendered();
                        });
}

std::string RecordView::BlogItText() const {
  return BlogTextOf(column_.get(), record_.get()).body;
}

std::string RecordView::BlogItSubject() const {
  return BlogTextOf(column_.get(), record_.get()).subject;
}

}  // namespace tarsel::ui
