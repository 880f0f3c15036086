#pragma once

// Stopping a running column download from another thread.

#include <mutex>

namespace tarsel {

namespace HTTP {
class CHttpClient;
}

// Shared by the thread that runs DownloadColumn and the thread that wants it to end. The owner
// keeps it alive until the download has returned.
class DownloadStopper {
 public:
  // Any thread: ends the running download at once (it throws HTTP::CHttpExeption code 4) and
  // makes every later download given this stopper fail the same way before it sends anything.
  void Stop();
  bool Stopped() const;

  // The downloading thread: a client whose transfer Stop cancels, until Detach. A client
  // attached after Stop is cancelled at once.
  void Attach(HTTP::CHttpClient& client);
  void Detach();

 private:
  mutable std::mutex mutex_;
  HTTP::CHttpClient* client_ = nullptr;
  bool stopped_ = false;
};

// Attaches a client for the life of the object.
class AttachedClient {
 public:
  AttachedClient(DownloadStopper* stopper, HTTP::CHttpClient& client) : stopper_(stopper) {
    if (stopper_ != nullptr) stopper_->Attach(client);
  }
  ~AttachedClient() {
    if (stopper_ != nullptr) stopper_->Detach();
  }
  AttachedClient(const AttachedClient&) = delete;
  AttachedClient& operator=(const AttachedClient&) = delete;

 private:
  DownloadStopper* stopper_;
};

}  // namespace tarsel
