#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "support/fixture_server.h"

namespace tarsel::testing {
namespace {

// A client that goes quiet this long has sent all it will (a TLS hello, say).
constexpr int kQuietMs = 1000;
constexpr size_t kMaxRequest = 1 << 20;

// Waits until fd is readable or the stop pipe fires; false on stop or after timeout_ms.
bool WaitReadable(int fd, int stop_fd, int timeout_ms) {
  pollfd fds[2] = {{fd, POLLIN, 0}, {stop_fd, POLLIN, 0}};
  int ready = poll(fds, 2, timeout_ms);
  return ready > 0 && fds[1].revents == 0 && fds[0].revents != 0;
}

size_t ContentLengthOf(const std::string& head) {
  std::string lower(head);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  size_t at = lower.find("\ncontent-length:");
  return at == std::string::npos ? 0 : std::strtoul(lower.c_str() + at + 16, nullptr, 10);
}

}  // namespace

class RawFixtureServer::Impl {
 public:
  std::string reply;
  bool hold_open = false;
  int listen_fd = -1;
  int stop_pipe[2] = {-1, -1};
  std::thread thread;
  mutable std::mutex mutex;
  int hits = 0;
  std::string last_request;

  void Run() {
    while (WaitReadable(listen_fd, stop_pipe[0], -1)) {
      int connection = accept(listen_fd, nullptr, nullptr);
      if (connection < 0) continue;
      {
        std::lock_guard<std::mutex> lock(mutex);
        ++hits;
      }
      Serve(connection);
      close(connection);
    }
  }

  void Serve(int connection) {
    std::string request = ReadRequest(connection);
    {
      std::lock_guard<std::mutex> lock(mutex);
      last_request = request;
    }
    size_t sent = 0;
    while (sent < reply.size()) {
      ssize_t n = send(connection, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) return;
      sent += static_cast<size_t>(n);
    }
    if (hold_open) {
      pollfd stop = {stop_pipe[0], POLLIN, 0};
      poll(&stop, 1, -1);
    }
  }

  std::string ReadRequest(int connection) {
    std::string request;
    char buffer[4096];
    size_t wanted = std::string::npos;  // known once the head is complete
    while (request.size() < std::min(wanted, kMaxRequest)) {
      if (!WaitReadable(connection, stop_pipe[0], kQuietMs)) break;
      ssize_t n = recv(connection, buffer, sizeof(buffer), 0);
      if (n <= 0) break;
      request.append(buffer, static_cast<size_t>(n));
      size_t head_end = request.find("\r\n\r\n");
      if (head_end != std::string::npos && wanted == std::string::npos) {
        wanted = head_end + 4 + ContentLengthOf(request.substr(0, head_end));
      }
    }
    return request;
  }
};

RawFixtureServer::RawFixtureServer(std::string reply, bool hold_open)
    : impl_(std::make_unique<Impl>()) {
  impl_->reply = std::move(reply);
  impl_->hold_open = hold_open;
  impl_->listen_fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof(address);
  if (impl_->listen_fd < 0 ||
      bind(impl_->listen_fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      listen(impl_->listen_fd, 16) != 0 ||
      getsockname(impl_->listen_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
      pipe(impl_->stop_pipe) != 0) {
    if (impl_->listen_fd >= 0) close(impl_->listen_fd);
    throw std::runtime_error("raw fixture server: cannot listen");
  }
  port_ = ntohs(address.sin_port);
  impl_->thread = std::thread([impl = impl_.get()] { impl->Run(); });
}

RawFixtureServer::~RawFixtureServer() {
  char stop = 1;
  (void)!write(impl_->stop_pipe[1], &stop, 1);
  impl_->thread.join();
  close(impl_->listen_fd);
  close(impl_->stop_pipe[0]);
  close(impl_->stop_pipe[1]);
}

std::string RawFixtureServer::Url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

int RawFixtureServer::Hits() const {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  return impl_->hits;
}

std::string RawFixtureServer::LastRequest() const {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  return impl_->last_request;
}

}  // namespace tarsel::testing
