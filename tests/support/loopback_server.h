#pragma once

// A one-connection TCP server on 127.0.0.1 with a port chosen by the system, for tests of
// clients that speak a line protocol. The handler runs on the server's own thread with the
// accepted socket; the destructor waits for it.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace tarsel::testing {

class LoopbackServer {
 public:
  using Handler = std::function<void(int socket)>;

  explicit LoopbackServer(Handler handler);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  uint16_t port() const { return port_; }

 private:
  int listener_ = -1;
  uint16_t port_ = 0;
  std::thread thread_;
};

// Helpers for handlers. All wait at most a few seconds, so a broken client cannot hang a test.
void SendText(int socket, const std::string& text);
// One line up to and including "\n"; empty when the client closed or went quiet.
std::string ReadLine(int socket);
// True when the client has sent bytes that nobody has read yet (looked at after a short pause).
bool ClientSpokeEarly(int socket);

// A loopback port nobody listens on: bound once by the system, then released.
uint16_t UnusedLoopbackPort();

}  // namespace tarsel::testing
