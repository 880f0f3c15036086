#include "support/fixture_server.h"

#include <httplib.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace tarsel::testing {
namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

FixtureRequest ToFixtureRequest(const httplib::Request& request) {
  FixtureRequest out;
  out.method = request.method;
  out.path = request.path;
  out.target = request.target;
  out.body = request.body;
  for (const auto& [name, value] : request.headers) out.headers.emplace_back(name, value);
  return out;
}

}  // namespace

std::string FixtureRequest::Header(std::string_view name) const {
  for (const auto& [key, value] : headers) {
    if (EqualNoCase(key, name)) return value;
  }
  return {};
}

bool FixtureRequest::HasHeader(std::string_view name) const {
  return std::any_of(headers.begin(), headers.end(),
                     [&](const auto& pair) { return EqualNoCase(pair.first, name); });
}

struct FixtureServer::State {
  struct Entry {
    std::string path;
    FixtureHandler handler;
    int hits = 0;
    FixtureRequest last_request;
  };

  std::mutex mutex;
  std::map<int, Entry> entries;  // by id; the highest id of a path answers
  int next_id = 1;
  int hits = 0;
  FixtureRequest last_request;

  // Finds the endpoint, counts the hit; the handler itself runs without the lock.
  FixtureResponse Dispatch(const FixtureRequest& request) {
    FixtureHandler handler;
    {
      std::lock_guard<std::mutex> lock(mutex);
      ++hits;
      last_request = request;
      for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (it->second.path != request.path) continue;
        ++it->second.hits;
        it->second.last_request = request;
        handler = it->second.handler;
        break;
      }
    }
    if (!handler) return FixtureResponse{404, "no such fixture endpoint"};
    return handler(request);
  }
};

class FixtureServer::Impl {
 public:
  httplib::Server server;
  std::thread thread;
};

FixtureServer::FixtureServer()
    : impl_(std::make_unique<Impl>()), state_(std::make_shared<State>()) {
  httplib::Server& server = impl_->server;
  // One request per connection: every request is a fresh connection and stop() never waits for
  // an idle keep-alive connection.
  server.set_keep_alive_max_count(1);
  auto handler = [state = state_](const httplib::Request& request, httplib::Response& response) {
    FixtureResponse answer = state->Dispatch(ToFixtureRequest(request));
    response.status = answer.status;
    for (const auto& [name, value] : answer.headers) response.set_header(name, value);
    response.set_content(answer.body, answer.content_type);
  };
  server.Get(".*", handler);
  server.Post(".*", handler);
  server.Put(".*", handler);
  server.Patch(".*", handler);
  server.Delete(".*", handler);
  server.Options(".*", handler);
  port_ = server.bind_to_any_port("127.0.0.1");
  if (port_ <= 0) throw std::runtime_error("fixture server: cannot bind a port");
  // The socket already listens; requests wait in the backlog until the loop starts.
  impl_->thread = std::thread([this] { impl_->server.listen_after_bind(); });
  // stop() does nothing until the loop runs, so a server destroyed before its loop started
  // would be waited for for ever.
  for (int waited_ms = 0; !impl_->server.is_running() && waited_ms < 10000; ++waited_ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

FixtureServer::~FixtureServer() {
  impl_->server.stop();
  if (impl_->thread.joinable()) impl_->thread.join();
}

std::string FixtureServer::Url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

FixtureServer::Endpoint FixtureServer::Serve(std::string path, FixtureHandler handler) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  int id = state_->next_id++;
  state_->entries[id] = State::Entry{std::move(path), std::move(handler), 0, {}};
  return Endpoint(state_, id);
}

FixtureServer::Endpoint FixtureServer::Serve(std::string path, FixtureResponse response) {
  return Serve(std::move(path), [response](const FixtureRequest&) { return response; });
}

int FixtureServer::Hits() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->hits;
}

FixtureRequest FixtureServer::LastRequest() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->last_request;
}

FixtureServer::Endpoint::Endpoint(Endpoint&& other) noexcept
    : state_(std::move(other.state_)), id_(other.id_) {}

FixtureServer::Endpoint& FixtureServer::Endpoint::operator=(Endpoint&& other) noexcept {
  if (this != &other) {
    Release();
    state_ = std::move(other.state_);
    id_ = other.id_;
  }
  return *this;
}

FixtureServer::Endpoint::~Endpoint() {
  Release();
}

void FixtureServer::Endpoint::Release() {
  if (!state_) return;
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->entries.erase(id_);
  state_.reset();
}

int FixtureServer::Endpoint::Hits() const {
  if (!state_) return 0;
  std::lock_guard<std::mutex> lock(state_->mutex);
  auto it = state_->entries.find(id_);
  return it == state_->entries.end() ? 0 : it->second.hits;
}

FixtureRequest FixtureServer::Endpoint::LastRequest() const {
  if (!state_) return {};
  std::lock_guard<std::mutex> lock(state_->mutex);
  auto it = state_->entries.find(id_);
  return it == state_->entries.end() ? FixtureRequest{} : it->second.last_request;
}

}  // namespace tarsel::testing
