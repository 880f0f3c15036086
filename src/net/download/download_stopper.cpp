#include "net/download/download_stopper.h"

#include "net/http/http_client.h"

namespace tarsel {

// The client is cancelled under the mutex, so Detach (and with it the client's destruction)
// cannot come between the check and the call.
void DownloadStopper::Stop() {
  std::lock_guard<std::mutex> lock(mutex_);
  stopped_ = true;
  if (client_ != nullptr) client_->Cancel();
}

bool DownloadStopper::Stopped() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return stopped_;
}

void DownloadStopper::Attach(HTTP::CHttpClient& client) {
  std::lock_guard<std::mutex> lock(mutex_);
  client_ = &client;
  if (stopped_) client.Cancel();
}

void DownloadStopper::Detach() {
  std::lock_guard<std::mutex> lock(mutex_);
  client_ = nullptr;
}

}  // namespace tarsel
