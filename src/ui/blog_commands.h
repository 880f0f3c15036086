#pragma once

// The weblog commands of the main window: "Blogger" (the editor and its check mark), "Blog It",
// "Blog Selection", and posting. Posting runs on a worker thread behind a busy cursor and a
// small dialog with Cancel; what the calls had to say ("postevent error", the LiveJournal
// failure) is shown on the window thread afterwards, in the order it was said. Cancel returns
// at once and drops whatever the abandoned post still says.
//
// Main thread only. The settings record must outlive the object.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "services/blog_posting.h"
#include "store/record.h"
#include "store/tree_node.h"

class QProgressDialog;
class QWidget;

namespace tarsel::ui {

class BlogEditor;
class CommandActions;
class SettingsOwner;

class BlogCommands : public QObject, public BlogDesk {
  Q_OBJECT

 public:
  // Binds the weblog command ids of `actions`. Blog settings change through `settings`.
  BlogCommands(QWidget* window, CommandActions* actions, SettingsOwner& settings);
  // Cancels a post under way and waits for its worker (the cancel ends it at once).
  ~BlogCommands() override;

  // "Blog It" for a record of a column (the records list's request).
  void BlogIt(const RecordRef& record, const std::shared_ptr<TreeNode>& column);
  // "Blog Selection" with the selected HTML of a pane.
  void BlogSelection(const QString& html);
  // The record the "Blog It" command takes (the records list's selection).
  void SetCurrentRecord(const RecordRef& record, const std::shared_ptr<TreeNode>& column);
  // Asked by the "Blog Selection" key: the active pane then answers through BlogSelection.
  void SetSelectionRequester(std::function<void()> requester) {
    selection_requester_ = std::move(requester);
  }

  // Null until a command first shows the editor.
  BlogEditor* editor() const { return editor_; }
  // Where the posts go; tests point these at loopback servers.
  void SetEndpoints(BlogEndpoints endpoints) { endpoints_ = std::move(endpoints); }
  // Messages go here instead of message boxes (tests). Not owned; null restores the boxes.
  void SetPrompt(UserPrompt* prompt) { prompt_ = prompt; }
  // Where the settings dialog comes from (tests replace it); returns true for OK.
  void SetSettingsDialog(std::function<bool(BlogSettings& blog)> dialog) {
    settings_dialog_ = std::move(dialog);
  }
  bool Posting() const { return busy_ != nullptr; }

  // BlogDesk
  const BlogSettings& Blog() const override;
  void ShowEditor(const std::string& title, const std::string& text) override;
  void HideEditor() override;
  bool EditBlogSettings() override;
  void ShowWarning(const std::string& caption, const std::string& text) override;
  bool HandOff(const std::string& title, const std::string& text) override;
  void Post(const std::string& title, const std::string& text) override;

 signals:
  // A post ended (not after Cancel): its messages have been shown.
  void PostFinished();

 private:
  struct Job;
  BlogEditor* Editor();
  bool EditorVisible() const;
  QWidget* DialogParent() const;
  void ToggleEditor();
  void OnPostRequested();
  void OnPostDone(const std::shared_ptr<Job>& job);
  void CancelPost();
  void EndBusy();
  void JoinWorker();

  QWidget* window_;
  CommandActions* actions_;
  SettingsOwner& settings_;
  BlogEditor* editor_ = nullptr;
  BlogEndpoints endpoints_;
  UserPrompt* prompt_ = nullptr;
  std::function<bool(BlogSettings&)> settings_dialog_;
  std::shared_ptr<Job> job_;
  std::thread worker_;
  // Workers of cancelled posts: left to end by themselves, joined only when the window goes.
  std::vector<std::thread> abandoned_;
  RecordRef current_record_;
  std::weak_ptr<TreeNode> current_column_;
  std::function<void()> selection_requester_;
  QProgressDialog* busy_ = nullptr;
};

}  // namespace tarsel::ui
