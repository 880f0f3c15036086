#include "ui/web_pane.h"

#include <QMenu>
#include <QPointer>
#include <QVBoxLayout>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineView>

#include "ui/command_actions.h"
#include "ui/page_finder.h"
#include "ui/selection_html.h"
#include "ui/web_engine_start.h"
#include "view/command_table.h"

namespace tarsel::ui {

WebPane::WebPane(PanePage::Mode mode, const QString& view_name, const QString& accessible_name,
                 QWidget* parent)
    : QWidget(parent), mode_(mode), view_name_(view_name) {
  setAccessibleName(accessible_name);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  finder_ = new PageFinder(nullptr, this);
}

void WebPane::MakeView() {
  if (view_ != nullptr) return;
  // First: the profile sets the process model before anything starts the engine.
  QWebEngineProfile* profile = PaneProfile();
  view_ = new QWebEngineView(this);
  view_->setObjectName(view_name_);
  view_->setAccessibleName(accessibleName());
  page_ = new PanePage(mode_, profile, view_);
  view_->setPage(page_);
  layout()->addWidget(view_);
  finder_->SetPage(page_);
  ApplyTextSize();

  connect(page_, &PanePage::LinkRequested, this,
          [this](const QUrl& url) { emit OpenLinkRequest(url.toString()); });
  connect(page_, &QWebEnginePage::linkHovered, this,
          [this](const QString& url) { emit StatusTextRequest(url); });
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view_, &QWidget::customContextMenuRequested, this, &WebPane::OnContextMenu);
  ViewMade();
}

void WebPane::ApplyTextSize() {
  if (view_ != nullptr) view_->setZoomFactor(text_size_.ZoomFactor());
}

void WebPane::IncreaseTextSize() {
  if (text_size_.Increase()) ApplyTextSize();
}

void WebPane::DecreaseTextSize() {
  if (text_size_.Decrease()) ApplyTextSize();
}

void WebPane::Copy() {
  if (page_ != nullptr) page_->triggerAction(QWebEnginePage::Copy);
}

void WebPane::Paste() {
  if (page_ != nullptr) page_->triggerAction(QWebEnginePage::Paste);
}

void WebPane::BlogSelection() {
  if (page_ == nullptr) return;
  QPointer<WebPane> self(this);
  FetchSelectionHtml(page_, [self](const QString& html) {
    if (self && !html.isEmpty()) emit self->BlogSelectionRequest(html);
  });
}

void WebPane::SelectionToMemories(int memories_column_id) {
  if (page_ == nullptr) return;
  QPointer<WebPane> self(this);
  FetchSelectionHtml(page_, [self, memories_column_id](const QString& html) {
    if (self && !html.isEmpty()) {
      emit self->ToMemoriesRequest(memories_column_id, html, self->SelectionAddress(),
                                   self->SelectionTitle());
    }
  });
}

void WebPane::OnContextMenu(const QPoint& position) {
  const QWebEngineContextMenuRequest* request = view_->lastContextMenuRequest();
  const bool selection = request != nullptr && !request->selectedText().isEmpty();
  QMenu* menu = selection && actions_ != nullptr ? actions_->BuildMenu(kSelectionMenu, this, this)
                                                 : view_->createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(view_->mapToGlobal(position));
}

}  // namespace tarsel::ui
