#include "ui/record_view.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <mutex>

#include "platform/folders.h"
#include "settings/settings.h"
#include "store/column.h"
#include "ui/page_finder.h"
#include "ui/pane_page.h"
#include "ui/qt_text.h"
#include "ui/record_pane_host.h"
#include "ui/selection_menu.h"
#include "view/record_pane_strings.h"
#include "view/record_render.h"
#include "view/record_render_script.h"

namespace tarsel::ui {
namespace {

// An updating column's worker holds its lock through the merge; the window thread never waits
// for it but tries again a moment later.
constexpr int kLockRetryMs = 50;

}  // namespace

RecordView::RecordView(QWidget* parent, const std::string& theme_folder)
    : QWidget(parent),
      theme_folder_(theme_folder.empty() ? ProgramFolder() + "Theme/" : theme_folder) {
  setObjectName(QStringLiteral("RecordView"));
  setAccessibleName(Text(kTextRecordPaneName));
  view_ = new QWebEngineView(this);
  view_->setObjectName(QStringLiteral("RecordViewBrowser"));
  view_->setAccessibleName(Text(kTextRecordPaneName));
  page_ = new PanePage(PanePage::Mode::kThemePage, QWebEngineProfile::defaultProfile(), view_);
  view_->setPage(page_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);

  host_ = new RecordPaneHost(this);
  auto* channel = new QWebChannel(this);
  channel->registerObject(QStringLiteral("external"), host_);
  page_->setWebChannel(channel);
  finder_ = new PageFinder(page_, this);
  retry_timer_ = new QTimer(this);
  retry_timer_->setSingleShot(true);
  retry_timer_->setInterval(kLockRetryMs);

  connect(host_, &RecordPaneHost::Initialized, this, &RecordView::OnPageInitialized);
  connect(retry_timer_, &QTimer::timeout, this, &RecordView::Render);
  connect(page_, &PanePage::LinkRequested, this,
          [this](const QUrl& url) { emit OpenLinkRequest(url.toString()); });
  connect(page_, &QWebEnginePage::linkHovered, this,
          [this](const QString& url) { emit StatusTextRequest(url); });
  connect(page_, &QWebEnginePage::loadStarted, this, [this] { page_initialized_ = false; });
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view_, &QWidget::customContextMenuRequested, this, &RecordView::OnContextMenu);

  page_->load(QUrl::fromLocalFile(QString::fromStdString(theme_folder_ + "data.html")));
}

RecordView::~RecordView() = default;

void RecordView::ShowRecord(const RecordRef& record, const std::shared_ptr<TreeNode>& column) {
  if (record == record_ && column == column_) return;
  record_ = record;
  column_ = column;
  finder_->ForgetBookmark();
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
  WriteBody(BodyToUtf8(body, CurrentSettings()->encoding));
}

// False when the column is being merged right now.
bool RecordView::BuildBody(std::string& body) {
  std::optional<std::string> template_text;
  if (column_ && column_->Kind() == NodeKind::kColumn) {
    template_text = ReadRecordTemplate(theme_folder_ + "rssitem.templ");
    auto& column = static_cast<Column&>(*column_);
    std::unique_lock<std::mutex> lock(column.lock, std::defer_lock);
    if (column.update_state.load() == kUpdateRunning && !lock.try_lock()) return false;
    body = RenderRecordBody(column_.get(), record_.get(), template_text);
    return true;
  }
  body = RenderRecordBody(column_.get(), record_.get(), template_text);
  return true;
}

void RecordView::WriteBody(const std::string& utf8_body) {
  QPointer<RecordView> self(this);
  page_->runJavaScript(QString::fromStdString(BodyAssignmentScript(utf8_body)),
                       QWebEngineScript::ApplicationWorld, [self](const QVariant&) {
                         if (!self) return;
                         self->ApplyTextSize();
                         emit self->BodyRendered();
                       });
}

void RecordView::ApplyTextSize() {
  view_->setZoomFactor(text_size_.ZoomFactor());
}

void RecordView::IncreaseTextSize() {
  if (text_size_.Increase()) ApplyTextSize();
}

void RecordView::DecreaseTextSize() {
  if (text_size_.Decrease()) ApplyTextSize();
}

void RecordView::Copy() {
  page_->triggerAction(QWebEnginePage::Copy);
}

void RecordView::Paste() {
  page_->triggerAction(QWebEnginePage::Paste);
}

std::string RecordView::BlogItText() const {
  return BlogTextOf(column_.get(), record_.get()).body;
}

std::string RecordView::BlogItSubject() const {
  return BlogTextOf(column_.get(), record_.get()).subject;
}

QMenu* RecordView::BuildSelectionMenu(QWidget* parent) {
  SelectionMenuHandlers handlers;
  handlers.blog_selection = [this] { BlogSelection(); };
  handlers.copy_selection = [this] { Copy(); };
  handlers.to_memories = [this](int id) { SelectionToMemories(id); };
  return ui::BuildSelectionMenu(memories_tree_, handlers, parent);
}

void RecordView::BlogSelection() {
  QPointer<RecordView> self(this);
  FetchSelectionHtml(page_, [self](const QString& html) {
    if (self && !html.isEmpty()) emit self->BlogSelectionRequest(html);
  });
}

void RecordView::SelectionToMemories(int memories_column_id) {
  QPointer<RecordView> self(this);
  FetchSelectionHtml(page_, [self, memories_column_id](const QString& html) {
    // The record pane's selection has no page address or title of its own.
    if (self && !html.isEmpty())
      emit self->ToMemoriesRequest(memories_column_id, html, QString(), QString());
  });
}

void RecordView::OnContextMenu(const QPoint& position) {
  const QWebEngineContextMenuRequest* request = view_->lastContextMenuRequest();
  QMenu* menu = request != nullptr && !request->selectedText().isEmpty()
                    ? BuildSelectionMenu(this)
                    : view_->createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(view_->mapToGlobal(position));
}

}  // namespace tarsel::ui
