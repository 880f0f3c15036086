#include "ui/directory_search_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>
#include <mutex>
#include <thread>

#include "app/area_options.h"
#include "ui/qt_text.h"
#include "ui/settings_owner.h"
#include "view/accessible_texts.h"
#include "view/blog_strings.h"
#include "view/string_table.h"
#include "view/text_format.h"

namespace tarsel::ui {

namespace {

// The last query, offered again the next time the dialog opens.
QString& RememberedQuery() {
  static QString query;
  return query;
}

}  // namespace

// What the worker and the dialog share. The worker writes the search and the flag; the dialog
// reads them only after the flag is set. Progress and messages go through the mutex.
struct DirectorySearchDialog::Shared final : UserPrompt {
  void ShowMessage(const std::string& caption, const std::string& text) override {
    std::lock_guard lock(mutex);
    messages.emplace_back(caption, text);
  }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }

  DirectorySearch search;
  XmlRpcCancel cancel;
  std::atomic<bool> finished{false};
  std::mutex mutex;
  int step = -1;
  int results = 0;
  std::vector<std::pair<std::string, std::string>> messages;
};

DirectorySearchDialog::DirectorySearchDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DirectorySearchDialog"));
  setWindowTitle(Text(text::kSearchCaption));
  setAccessibleName(windowTitle());
  query_ = new QLineEdit(RememberedQuery(), this);
  query_->setObjectName(QStringLiteral("SearchFindWhat"));
  query_->setAccessibleName(Text(text::kSearchFindWhat));
  kind_ = new QComboBox(this);
  kind_->setObjectName(QStringLiteral("SearchBy"));
  kind_->setAccessibleName(Text(text::kSearchBy));
  for (int id : {text::kSearchSiteUrl, text::kSearchFeedTitle, text::kSearchFeedDescription}) {
    kind_->addItem(Text(id));
  }
  kind_->setCurrentIndex(static_cast<int>(DirectorySearchKind::kFeedTitle));
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("SearchProgress"));
  progress_->setAccessibleName(Text(text::kAccessibleSearchProgress));
  progress_->setRange(0, 100);
  progress_->setValue(0);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("SearchStatus"));
  status_->setAccessibleName(Text(text::kAccessibleSearchStatus));
  status_->setTextFormat(Qt::PlainText);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
  find_ = buttons->addButton(Text(text::kSearchFind), QDialogButtonBox::ActionRole);
  find_->setObjectName(QStringLiteral("SearchFind"));
  find_->setAccessibleName(find_->text());
  find_->setDefault(true);
  connect(find_, &QPushButton::clicked, this, &DirectorySearchDialog::Find);
  connect(buttons, &QDialogButtonBox::rejected, this, &DirectorySearchDialog::reject);

  auto* form = new QFormLayout;
  form->addRow(Text(text::kSearchFindWhat), query_);
  form->addRow(Text(text::kSearchBy), kind_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(progress_);
  layout->addWidget(status_);
  layout->addWidget(buttons);

  poll_ = new QTimer(this);
  poll_->setInterval(100);
  connect(poll_, &QTimer::timeout, this, &DirectorySearchDialog::Poll);
}

DirectorySearchDialog::~DirectorySearchDialog() {
  if (shared_) shared_->cancel.Cancel();
  if (worker_.joinable()) worker_.join();
}

void DirectorySearchDialog::Find() {
  if (shared_) return;
  RememberedQuery() = query_->text();
  shared_ = std::make_shared<Shared>();
  shared_->search.query = FromQt(query_->text());
  shared_->search.kind = static_cast<DirectorySearchKind>(kind_->currentIndex());
  find_->setEnabled(false);
  DirectorySearchHooks hooks;
  hooks.endpoint = endpoint_;
  hooks.is_online = is_online_;
  hooks.http = HttpOptionsForSettings(*SettingsOwner::Snapshot());
  // The worker owns the shared state it writes into; it holds no pointer to the dialog.
  worker_ = std::thread([shared = shared_, hooks]() mutable {
    hooks.prompt = shared.get();
    hooks.cancel = &shared->cancel;
    hooks.progress = [raw = shared.get()](DirectorySearchStep step, int results) {
      std::lock_guard lock(raw->mutex);
      raw->step = static_cast<int>(step);
      raw->results = results;
    };
    RunDirectorySearch(shared->search, hooks);
    shared->finished = true;
  });
  poll_->start();
}

void DirectorySearchDialog::Poll() {
  int step = -1;
  int results = 0;
  {
    std::lock_guard lock(shared_->mutex);
    step = shared_->step;
    results = shared_->results;
  }
  if (step != shown_step_) {
    shown_step_ = step;
    const int kTexts[] = {text::kSearchProcessingRequest, text::kSearchProcessingResponse,
                          text::kSearchProcessingResponse, text::kSearchParsingResponse};
    if (step == 3) {
      status_->setText(ToQt(FillNumber(GetText(kTexts[3]), results)));
      progress_->setValue(0);
    } else if (step >= 0) {
      status_->setText(Text(kTexts[step]));
      progress_->setValue((step + 1) * 25);
    }
  }
  if (shared_->finished) Finish();
}

void DirectorySearchDialog::Finish() {
  poll_->stop();
  worker_.join();
  const std::shared_ptr<Shared> shared = std::move(shared_);
  for (const auto& [caption, text] : shared->messages) Warn(caption, text);
  const DirectorySearchOutcome outcome = shared->search.outcome;
  if (outcome == DirectorySearchOutcome::kErrorInResponse) {
    Warn(GetText(text::kSearchResultCaption), GetText(text::kSearchErrorInResponse));
  } else if (outcome != DirectorySearchOutcome::kNone) {
    Warn(GetText(text::kSearchResultCaption), GetText(text::kSearchEmptyResponse));
  }
  results_ = std::move(shared->search.results);
  accept();
}

void DirectorySearchDialog::reject() {
  if (shared_) {
    shared_->cancel.Cancel();
    shared_.reset();
  }
  poll_->stop();
  QDialog::reject();
}

void DirectorySearchDialog::Warn(const std::string& caption, const std::string& text) {
  if (prompt_ != nullptr) {
    prompt_->ShowMessage(caption, text);
  } else {
    QMessageBox::warning(this, ToQt(caption), ToQt(text));
  }
}

FoundFeedTree FoundColumnsList(std::vector<FoundFeed> feeds) {
  FoundFeedTree list;
  list.name = GetText(text::kSearchFoundColumns);
  list.feeds = std::move(feeds);
  return list;
}

void OpenDirectorySearch(QWidget* parent, const std::function<void(const FoundFeedTree&)>& offer) {
  DirectorySearchDialog dialog(parent);
  if (dialog.exec() != QDialog::Accepted || dialog.Results().empty()) return;
  if (offer) offer(FoundColumnsList(dialog.Results()));
}

}  // namespace tarsel::ui
