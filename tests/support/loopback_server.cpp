#include "support/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace tarsel::testing {
namespace {

constexpr int kWaitMs = 5000;

bool WaitReadable(int socket, int milliseconds) {
  pollfd watched{socket, POLLIN, 0};
  return ::poll(&watched, 1, milliseconds) > 0;
}

}  // namespace

LoopbackServer::LoopbackServer(Handler handler) {
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(listener_, 1) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("loopback server cannot listen");
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this, handler = std::move(handler)] {
    if (!WaitReadable(listener_, kWaitMs)) return;
    int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) return;
    handler(client);
    ::close(client);
  });
}

LoopbackServer::~LoopbackServer() {
  thread_.join();
  ::close(listener_);
}

void SendText(int socket, const std::string& text) {
  ::send(socket, text.data(), text.size(), MSG_NOSIGNAL);
}

std::string ReadLine(int socket) {
  std::string line;
  char c;
  while (WaitReadable(socket, kWaitMs) && ::recv(socket, &c, 1, 0) == 1) {
    line += c;
    if (c == '\n') break;
  }
  return line;
}

bool ClientSpokeEarly(int socket) {
  if (!WaitReadable(socket, 50)) return false;
  char c;
  return ::recv(socket, &c, 1, MSG_PEEK | MSG_DONTWAIT) == 1;
}

uint16_t UnusedLoopbackPort() {
  const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ::bind(probe, reinterpret_cast<sockaddr*>(&address), length);
  ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(probe);
  return ntohs(address.sin_port);
}

}  // namespace tarsel::testing
