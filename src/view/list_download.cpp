#include "view/list_download.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <thread>

#include "app/area_options.h"
#include "net/http/http_client.h"
#include "net/http/network_connection.h"
#include "platform/atomic_file.h"
#include "view/dialog_text_ids.h"
#include "view/string_table.h"

namespace tarsel {

struct ListDownload::State {
  std::mutex mutex;
  ListDownloadProgress progress;
  bool cancelled = false;
  HTTP::CHttpClient* client = nullptr;  // set while the worker runs a transfer
};

namespace {

using State = ListDownload::State;

void Finish(State& state, bool succeeded) {
  std::lock_guard guard(state.mutex);
  state.progress.finished = true;
  state.progress.succeeded = succeeded && !state.cancelled;
  state.client = nullptr;
}

bool FetchBody(State& state, const std::string& url, const HTTP::ClientOptions& http,
               std::string& body) {
  HTTP::CHttpClient client(http);
  {
    std::lock_guard guard(state.mutex);
    if (state.cancelled) return false;
    state.client = &client;
  }
  client.SetObservers(nullptr, [&state, &client](HTTP::HttpStatusEvent event, int64_t value,
                                                 const HTTP::CUrlParts*, void*) {
    std::lock_guard guard(state.mutex);
    if (event == HTTP::HttpStatusEvent::kResponseReceived)
      state.progress.content_length = client.ContentLength();
    if (event == HTTP::HttpStatusEvent::kBodyRead) state.progress.bytes_read = value;
  });
  bool fetched = false;
  try {
    client.Download(url);
    fetched = client.Status() == 200;
  } catch (const HTTP::CHttpExeption&) {
    fetched = false;
  }
  std::lock_guard guard(state.mutex);
  state.client = nullptr;
  if (!fetched || state.cancelled) return false;
  body = client.Body();
  return true;
}

bool WriteListFile(const std::string& path, const std::string& body) {
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  return WriteFileAtomically(path, body, 0644, false);
}

void RunDownload(const std::shared_ptr<State>& state, const std::string& url,
                 const std::string& path, const HTTP::ClientOptions& http,
                 const ListDownload::ConnectionTest& connection_test) {
  const bool online =
      connection_test ? connection_test() : HTTP::HasNetworkConnection(http.proxy.type);
  std::string body;
  const bool fetched = online && FetchBody(*state, url, http, body);
  bool written = false;
  if (fetched) {
    std::lock_guard guard(state->mutex);
    written = !state->cancelled && WriteListFile(path, body);
  }
  Finish(*state, written);
}

}  // namespace

std::string ListDownloadStatusText(const ListDownloadProgress& progress) {
  char text[256];
  if (progress.content_length > 0) {
    std::snprintf(text, sizeof text, GetText(kTextDownloadPercent).c_str(),
                  ListDownloadPercent(progress), static_cast<int>(progress.content_length));
  } else {
    std::snprintf(text, sizeof text, GetText(kTextDownloadBytes).c_str(),
                  static_cast<int>(progress.bytes_read));
  }
  return text;
}

int ListDownloadPercent(const ListDownloadProgress& progress) {
  if (progress.content_length <= 0) return 0;
  const int64_t percent = progress.bytes_read * 100 / progress.content_length;
  return static_cast<int>(std::clamp<int64_t>(percent, 0, 100));
}

ListDownload::ListDownload(std::string url, std::string path, HTTP::ClientOptions http,
                           ConnectionTest connection_test)
    : url_(std::move(url)),
      path_(std::move(path)),
      http_(std::move(http)),
      connection_test_(std::move(connection_test)),
      state_(std::make_shared<State>()) {}

ListDownload::~ListDownload() {
  Cancel();
  if (worker_.joinable()) worker_.join();
}

bool ListDownload::Start() {
  if (worker_.joinable()) return false;
  try {
    worker_ = std::thread([state = state_, url = url_, path = path_, http = http_,
                           test = connection_test_] { RunDownload(state, url, path, http, test); });
    return true;
  } catch (const std::system_error&) {
    Finish(*state_, false);
    return false;
  }
}

void ListDownload::Cancel() {
  std::lock_guard guard(state_->mutex);
  if (state_->progress.finished) return;
  state_->cancelled = true;
  // Cancel is the one call of the client that other threads may make.
  if (state_->client != nullptr) state_->client->Cancel();
  state_->progress.finished = true;
  state_->progress.succeeded = false;
}

ListDownloadProgress ListDownload::Snapshot() const {
  std::lock_guard guard(state_->mutex);
  return state_->progress;
}

}  // namespace tarsel
