#include "ui/blog_commands.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <mutex>
#include <utility>
#include <vector>

#include "app/area_options.h"
#include "platform/bloggar_path.h"
#include "ui/blog_editor.h"
#include "ui/blog_settings_dialog.h"
#include "ui/command_actions.h"
#include "ui/qt_text.h"
#include "ui/settings_owner.h"
#include "ui/web_pane.h"
#include "view/blog_strings.h"
#include "view/command_ids.h"
#include "view/record_render.h"

namespace tarsel::ui {

// One post: the worker records what the calls say, the window shows it when the post ends.
struct BlogCommands::Job final : UserPrompt {
  void ShowMessage(const std::string& caption, const std::string& text) override {
    std::lock_guard lock(mutex);
    messages.emplace_back(caption, text);
  }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }

  std::vector<std::pair<std::string, std::string>> TakeMessages() {
    std::lock_guard lock(mutex);
    return std::exchange(messages, {});
  }

  XmlRpcCancel cancel;
  std::mutex mutex;
  std::vector<std::pair<std::string, std::string>> messages;
};

BlogCommands::BlogCommands(QWidget* window, CommandActions* actions, SettingsOwner& settings)
    : QObject(window), window_(window), actions_(actions), settings_(settings) {
  actions_->Bind(cmd::kBlogger, [this] { ToggleEditor(); });
  auto blog_current = [this] { BlogIt(current_record_, current_column_.lock()); };
  actions_->Bind(cmd::kBlogIt, blog_current);
  actions_->Bind(cmd::kBlogItSingle, blog_current);
  // From a pane's selection menu, that pane's selection; from the key, the requester's.
  actions_->Bind(cmd::kBlogSelection, [this] {
    if (auto* pane = qobject_cast<WebPane*>(actions_->Target())) return pane->BlogSelection();
    if (selection_requester_) selection_requester_();
  });
}

BlogCommands::~BlogCommands() {
  if (job_) job_->cancel.Cancel();
  JoinWorker();
  for (std::thread& worker : abandoned_) worker.join();
}

// The editor's two web pages would start the web engine, so it is made by the first command
// that shows it, not with the window.
BlogEditor* BlogCommands::Editor() {
  if (editor_ != nullptr) return editor_;
  editor_ = new BlogEditor(window_);
  connect(editor_, &BlogEditor::PostRequested, this, &BlogCommands::OnPostRequested);
  connect(editor_, &BlogEditor::SettingsRequested, this, [this] { EditBlogSettings(); });
  QAction* blogger = actions_->Action(cmd::kBlogger);
  if (blogger != nullptr) {
    connect(editor_, &BlogEditor::VisibilityChanged, blogger, &QAction::setChecked);
  }
  return editor_;
}

bool BlogCommands::EditorVisible() const {
  return editor_ != nullptr && editor_->isVisible();
}

QWidget* BlogCommands::DialogParent() const {
  return EditorVisible() ? static_cast<QWidget*>(editor_) : window_;
}

void BlogCommands::SetCurrentRecord(const RecordRef& record,
                                    const std::shared_ptr<TreeNode>& column) {
  current_record_ = record;
  current_column_ = column;
}

void BlogCommands::BlogIt(const RecordRef& record, const std::shared_ptr<TreeNode>& column) {
  if (!record) return;
  const RecordBlogText blog_text = BlogTextOf(column.get(), record.get());
  BlogThis(blog_text.subject, blog_text.body, *this);
}

void BlogCommands::BlogSelection(const QString& html) {
  BlogThis(std::string(), FromQt(html), *this);
}

void BlogCommands::ToggleEditor() {
  if (EditorVisible()) {
    editor_->hide();
  } else {
    BlogEditor* editor = Editor();
    editor->show();
    editor->raise();
    editor->activateWindow();
  }
}

const BlogSettings& BlogCommands::Blog() const {
  return settings_.Get().blog;
}

void BlogCommands::ShowEditor(const std::string& title, const std::string& text) {
  BlogEditor* editor = Editor();
  editor->show();
  editor->raise();
  editor->Load(title, text);
}

void BlogCommands::HideEditor() {
  if (editor_ != nullptr) editor_->hide();
}

bool BlogCommands::EditBlogSettings() {
  BlogSettings blog = settings_.Get().blog;
  bool accepted = false;
  if (settings_dialog_) {
    accepted = settings_dialog_(blog);
  } else {
    BlogSettingsDialog dialog(blog, DialogParent());
    accepted = dialog.exec() == QDialog::Accepted;
    blog = dialog.Result();
  }
  if (!accepted) return false;
  settings_.Change([&blog](Settings& settings) { settings.blog = blog; });
  return true;
}

void BlogCommands::ShowWarning(const std::string& caption, const std::string& text) {
  if (prompt_ != nullptr) {
    prompt_->ShowMessage(caption, text);
    return;
  }
  QMessageBox::warning(DialogParent(), ToQt(caption), ToQt(text));
}

bool BlogCommands::HandOff(const std::string& title, const std::string& text) {
  return HandOffToBloggar(title, text, BloggarInstallPath());
}

void BlogCommands::OnPostRequested() {
  if (Posting()) return;
  const std::string title = editor_->Title();
  QPointer<BlogCommands> self(this);
  editor_->TakeText([self, title](std::string text) {
    if (self) PostFromEditor(title, text, *self);
  });
}

void BlogCommands::Post(const std::string& title, const std::string& text) {
  if (Posting()) return;
  auto job = std::make_shared<Job>();
  BlogPostContext context;
  context.blog = settings_.Get().blog;
  context.endpoints = endpoints_;
  context.http = HttpOptionsForSettings(settings_.Get());
  context.prompt = job.get();
  context.cancel = &job->cancel;
  job_ = job;

  busy_ =
      new QProgressDialog(Text(text::kBlogPosting), Text(text::kBlogCancel), 0, 0, DialogParent());
  busy_->setObjectName(QStringLiteral("BlogPostingProgress"));
  busy_->setAccessibleName(busy_->labelText());
  busy_->setWindowModality(Qt::WindowModal);
  busy_->setMinimumDuration(0);
  connect(busy_, &QProgressDialog::canceled, this, &BlogCommands::CancelPost);
  busy_->show();
  QApplication::setOverrideCursor(Qt::BusyCursor);

  // The object outlives the worker (the destructor joins it), so the queued call is safe.
  worker_ = std::thread([this, job, context, title, text] {
    PostToService(title, text, context);
    QMetaObject::invokeMethod(
        this, [this, job] { OnPostDone(job); }, Qt::QueuedConnection);
  });
}

void BlogCommands::OnPostDone(const std::shared_ptr<Job>& job) {
  if (job != job_) return;  // cancelled: the user has moved on
  job_.reset();
  EndBusy();
  JoinWorker();
  for (const auto& [caption, text] : job->TakeMessages()) ShowWarning(caption, text);
  emit PostFinished();
}

void BlogCommands::CancelPost() {
  if (!job_) return;
  job_->cancel.Cancel();
  job_.reset();
  if (worker_.joinable()) abandoned_.push_back(std::move(worker_));
  EndBusy();
}

void BlogCommands::EndBusy() {
  if (busy_ == nullptr) return;
  QApplication::restoreOverrideCursor();
  busy_->disconnect(this);
  busy_->deleteLater();
  busy_ = nullptr;
}

void BlogCommands::JoinWorker() {
  if (worker_.joinable()) worker_.join();
}

}  // namespace tarsel::ui
