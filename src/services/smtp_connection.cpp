#include "services/smtp_connection.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tarsel {
namespace {

constexpr uint16_t kFallbackMailPort = 25;

using Clock = std::chrono::steady_clock;

// A reply line is final unless its fourth character is '-' ("250-more follows").
bool IsFinalReplyLine(std::string_view line) {
  return line.size() < 4 || line[3] != '-';
}

bool ResolveIPv4(const std::string& host, sockaddr_in* address) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (host.empty() || getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0) return false;
  bool ok = found != nullptr && found->ai_addrlen >= sizeof(sockaddr_in);
  if (ok) std::memcpy(address, found->ai_addr, sizeof(sockaddr_in));
  freeaddrinfo(found);
  return ok;
}

}  // namespace

uint16_t MailServicePort(const char* service_name) {
  servent entry{};
  servent* found = nullptr;
  char buffer[1024];
  if (getservbyname_r(service_name, "tcp", &entry, buffer, sizeof buffer, &found) != 0 ||
      found == nullptr) {
    return kFallbackMailPort;
  }
  return ntohs(static_cast<uint16_t>(found->s_port));
}

SmtpConnection::SmtpConnection(std::chrono::milliseconds timeout) : timeout_(timeout) {}

SmtpConnection::~SmtpConnection() {
  Close();
}

void SmtpConnection::Close() {
  if (socket_ >= 0) ::close(socket_);
  socket_ = -1;
  pending_.clear();
}

bool SmtpConnection::Fail(int error) {
  last_error_ = error;
  return false;
}

bool SmtpConnection::WaitUntilReady(short events, Clock::time_point deadline) {
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return Fail(ETIMEDOUT);
    pollfd watched{socket_, events, 0};
    int ready = ::poll(&watched, 1, static_cast<int>(left.count()));
    if (ready > 0) return true;
    if (ready < 0 && errno != EINTR) return Fail(errno);
  }
}

bool SmtpConnection::Open(const std::string& host, uint16_t port) {
  Close();
  sockaddr_in address{};
  if (!ResolveIPv4(host, &address)) return Fail(EHOSTUNREACH);
  address.sin_port = htons(port);
  socket_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (socket_ < 0) return Fail(errno);
  auto deadline = Clock::now() + timeout_;
  if (::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    int error = errno;
    if (error != EINPROGRESS && error != EINTR) {
      Close();
      return Fail(error);
    }
    if (!WaitUntilReady(POLLOUT, deadline)) {
      Close();
      return false;
    }
    socklen_t length = sizeof error;
    if (getsockopt(socket_, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
    if (error != 0) {
      Close();
      return Fail(error);
    }
  }
  return true;
}

bool SmtpConnection::SendAll(std::string_view text) {
  if (socket_ < 0) return Fail(ENOTCONN);
  auto deadline = Clock::now() + timeout_;
  while (!text.empty()) {
    if (Clock::now() >= deadline) return Fail(ETIMEDOUT);
    // MSG_NOSIGNAL: a server that hung up must give a failed send, not a SIGPIPE.
    ssize_t sent = ::send(socket_, text.data(), text.size(), MSG_NOSIGNAL);
    if (sent > 0) {
      text.remove_prefix(static_cast<size_t>(sent));
    } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!WaitUntilReady(POLLOUT, deadline)) return false;
    } else if (sent < 0 && errno != EINTR) {
      return Fail(errno);
    }
  }
  return true;
}

bool SmtpConnection::TakeReplyLines(std::string* reply) {
  size_t line_end;
  while ((line_end = pending_.find('\n')) != std::string::npos) {
    std::string_view line(pending_.data(), line_end + 1);
    reply->append(line);
    bool final_line = IsFinalReplyLine(line);
    pending_.erase(0, line_end + 1);
    if (final_line) return true;
  }
  return false;
}

bool SmtpConnection::ReadReply(std::string* reply) {
  reply->clear();
  if (socket_ < 0) return Fail(ENOTCONN);
  auto deadline = Clock::now() + timeout_;
  char buffer[4096];
  while (!TakeReplyLines(reply)) {
    if (reply->size() + pending_.size() > kMaxReplyBytes) return Fail(EMSGSIZE);
    // A server that trickles bytes must not stretch one reply past the time-out either.
    if (Clock::now() >= deadline) return Fail(ETIMEDOUT);
    ssize_t received = ::recv(socket_, buffer, sizeof buffer, 0);
    if (received > 0) {
      pending_.append(buffer, static_cast<size_t>(received));
    } else if (received == 0) {
      return Fail(ECONNRESET);
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      if (!WaitUntilReady(POLLIN, deadline)) return false;
    } else if (errno != EINTR) {
      return Fail(errno);
    }
  }
  return true;
}

}  // namespace tarsel
