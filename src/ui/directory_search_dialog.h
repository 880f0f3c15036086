#pragma once

// "Find RSS Feeds With Syndic8": the query (remembered for the process's life), Search By, a
// progress bar and a status line. Find runs the search on a worker thread that shares only a
// small state object with the dialog; the dialog looks at it every 100 ms. Cancel closes the
// dialog at once: the worker is told to stop (its transfer is cancelled) and never touches the
// dialog; the dialog's destructor joins it, so no search outlives its dialog.
//
// Main thread only.

#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "parse/lists/found_feed_tree.h"
#include "services/directory_search.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace tarsel::ui {

class DirectorySearchDialog : public QDialog {
  Q_OBJECT

 public:
  explicit DirectorySearchDialog(QWidget* parent = nullptr);
  ~DirectorySearchDialog() override;

  // The directory to ask (tests point it at a loopback server) and the connected test.
  void SetEndpoint(std::string endpoint) { endpoint_ = std::move(endpoint); }
  void SetConnectionTest(std::function<bool()> is_online) { is_online_ = std::move(is_online); }
  // Messages go here instead of message boxes (tests). Not owned.
  void SetPrompt(UserPrompt* prompt) { prompt_ = prompt; }

  // The feeds found, valid after the dialog ended with OK.
  const std::vector<FoundFeed>& Results() const { return results_; }

  void Find();
  void reject() override;

 private:
  struct Shared;
  void Poll();
  void Finish();
  void Warn(const std::string& caption, const std::string& text);

  QLineEdit* query_ = nullptr;
  QComboBox* kind_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* status_ = nullptr;
  QPushButton* find_ = nullptr;
  QTimer* poll_ = nullptr;
  std::shared_ptr<Shared> shared_;
  std::thread worker_;
  std::string endpoint_ = BuiltInAddresses().directory;
  std::function<bool()> is_online_;
  UserPrompt* prompt_ = nullptr;
  std::vector<FoundFeed> results_;
  int shown_step_ = -1;
};

// The found feeds as the list "found columns" that the import dialog offers.
FoundFeedTree FoundColumnsList(std::vector<FoundFeed> feeds);

// The search command: the dialog, then, when it found feeds, `offer` with the list.
void OpenDirectorySearch(QWidget* parent, const std::function<void(const FoundFeedTree&)>& offer);

}  // namespace tarsel::ui
