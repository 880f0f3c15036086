#pragma once

// The download behind the "Downloading file" dialog: fetches a list URL into a file on a worker
// thread of its own, reports its progress, and can be abandoned at once.
//
// Threads: Start, Cancel, Snapshot and the destructor are called on the main thread; the worker
// only touches the shared state. Cancel never waits for the worker: an abandoned worker stops
// its transfer at once (the HTTP client's Cancel) and writes nothing. The destructor cancels
// and then joins the worker, so no thread outlives its dialog or the program's exit.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "net/http/client_options.h"

namespace tarsel {

struct ListDownloadProgress {
  int64_t bytes_read = 0;
  int64_t content_length = 0;  // 0 while unknown
  bool finished = false;
  bool succeeded = false;  // the file was written
};

// The dialog's status text: string 410 with the percentage and the length while the length is
// known, else string 411 with the bytes read.
std::string ListDownloadStatusText(const ListDownloadProgress& progress);
// 0..100 for the progress bar; 0 while the length is unknown.
int ListDownloadPercent(const ListDownloadProgress& progress);

class ListDownload {
 public:
  // Answers whether the machine is online; the worker asks it first.
  using ConnectionTest = std::function<bool()>;

  // Downloads `url` into `path` (the folder is created when missing; an old file is replaced
  // only when the new body has arrived whole).
  // `http` is the user's proxy, from the settings of whoever starts the download.
  ListDownload(std::string url, std::string path, HTTP::ClientOptions http,
               ConnectionTest connection_test = {});
  ~ListDownload();
  ListDownload(const ListDownload&) = delete;
  ListDownload& operator=(const ListDownload&) = delete;

  // Starts the worker; false when no thread could be started (the download then counts as
  // finished and failed).
  bool Start();
  // Stops the transfer; the download ends as failed. Returns at once.
  void Cancel();
  ListDownloadProgress Snapshot() const;

  struct State;

 private:
  std::string url_;
  std::string path_;
  HTTP::ClientOptions http_;
  ConnectionTest connection_test_;
  std::shared_ptr<State> state_;
  std::thread worker_;
};

}  // namespace tarsel
