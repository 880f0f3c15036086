// Replies of a mail server: the bytes come over a loopback connection, as from a real server,
// and are read reply by reply until the server has closed.

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "fuzz_support.h"
#include "services/smtp_connection.h"

namespace {

// One listening socket for the whole run.
struct Listener {
  int fd = -1;
  uint16_t port = 0;
  Listener() {
    fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd, 4) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      tarsel::fuzz::Fail("no loopback listener");
    }
    port = ntohs(address.sin_port);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Listener listener;
  if (size > 60000) return 0;  // stays within the socket buffer, so one thread can write it all
  tarsel::SmtpConnection connection(std::chrono::milliseconds(200));
  if (!connection.Open("127.0.0.1", listener.port)) tarsel::fuzz::Fail("cannot connect");
  const int server = accept(listener.fd, nullptr, nullptr);
  if (server < 0) tarsel::fuzz::Fail("cannot accept");
  size_t sent = 0;
  while (sent < size) {
    const ssize_t n = send(server, data + sent, size - sent, MSG_NOSIGNAL);
    if (n <= 0) break;
    sent += static_cast<size_t>(n);
  }
  close(server);
  std::string reply;
  for (int replies = 0; replies < 100000 && connection.ReadReply(&reply); ++replies) reply.clear();
  return 0;
}
