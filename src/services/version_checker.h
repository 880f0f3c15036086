#pragma once

// The worker that fetches the maker's version file, and the step that compares it with our
// version and asks the user. The window side comes in through NewVersionPrompt and the ready
// callback, so the core stays free of any toolkit.
//
// Threads: Start, Stop and the destructor belong to the main thread. The ready callback runs on
// the worker thread; the desktop program hands the lines to its window thread and calls
// CompareAndNotify there.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "net/http/client_options.h"
#include "services/project_addresses.h"

namespace tarsel {

namespace HTTP {
class CHttpClient;
}

// The user's choices a check follows.
struct VersionCheckOptions {
  bool enabled = true;  // the user wants to hear about new versions
  HTTP::ClientOptions http;
};

class NewVersionPrompt {
 public:
  virtual ~NewVersionPrompt() = default;
  // A warning notice with an OK button and the check box "Don't tell me again"; returns true
  // when the user ticked it. Main thread only.
  virtual bool ShowNewVersion(const std::string& caption, const std::string& text) = 0;
};

class VersionChecker {
 public:
  using ReadyCallback = std::function<void(std::vector<std::string> lines)>;

  // `url` is where the makers publish the version file; empty: there is nothing to check.
  explicit VersionChecker(std::string url = BuiltInAddresses().version_file);
  // Cancels a running download and waits for the worker.
  ~VersionChecker();
  VersionChecker(const VersionChecker&) = delete;
  VersionChecker& operator=(const VersionChecker&) = delete;

  // Starts the worker unless one has run already. It does nothing when the check is not enabled,
  // there is no address or ready is empty; a download that fails or answers with a status other
  // than 200 or 304 ends silently; otherwise ready hears the file's lines.
  bool Start(const VersionCheckOptions& options, ReadyCallback ready);
  // Waits for the worker to finish on its own.
  void Wait();
  // Cancels the download and waits for the worker; the callback may still have run.
  void Stop();

 private:
  void Run(const ReadyCallback& ready);

  std::string url_;
  // Made by Start; Stop may cancel it from the main thread while the worker downloads.
  std::unique_ptr<HTTP::CHttpClient> client_;
  std::thread worker_;
  bool started_ = false;
};

// Shows the notice when the lines name a newer version than own_version. Returns true when the
// user asked not to be told again: the caller then turns `newversion` off (saved at exit).
bool CompareAndNotify(const std::vector<std::string>& lines, std::string_view own_version,
                      NewVersionPrompt& prompt);

}  // namespace tarsel
