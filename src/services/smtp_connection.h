#pragma once

// One plain TCP connection to a mail server: connect, send whole commands, read whole replies.
// No authentication and no encryption. Every step (connect, one send, one reply) has its own
// time-out, so a silent or stalled server never blocks the caller for longer than that.
// One object is used by one thread at a time.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarsel {

// The port of the system's service named service_name ("mail" for the mailer), in host byte
// order, or 25 when the services table does not know it. Thread-safe.
uint16_t MailServicePort(const char* service_name = "mail");

class SmtpConnection {
 public:
  // A reply longer than this is taken as a hostile server and fails the read.
  static constexpr size_t kMaxReplyBytes = 256 * 1024;

  explicit SmtpConnection(std::chrono::milliseconds timeout);
  ~SmtpConnection();
  SmtpConnection(const SmtpConnection&) = delete;
  SmtpConnection& operator=(const SmtpConnection&) = delete;

  // Resolves host (IPv4 only) and connects to its first address on port (host byte order)
  // within the time-out. False when the name is unknown or the connection fails.
  bool Open(const std::string& host, uint16_t port);
  bool IsOpen() const { return socket_ >= 0; }
  void Close();

  // Sends every byte of text. False on an error, a time-out or a connection the server closed.
  bool SendAll(std::string_view text);

  // Reads one whole reply: continuation lines ("250-...") up to and including the final line
  // ("250 ..."), each line kept with its line end. Bytes the server sent beyond the reply are
  // kept for the next call. False on a time-out, a closed connection or an oversized reply.
  bool ReadReply(std::string* reply);

  // errno of the last failure (ETIMEDOUT for a time-out, ECONNRESET when the server closed).
  int last_error() const { return last_error_; }

 private:
  bool WaitUntilReady(short events, std::chrono::steady_clock::time_point deadline);
  bool TakeReplyLines(std::string* reply);
  bool Fail(int error);

  int socket_ = -1;
  std::chrono::milliseconds timeout_;
  std::string pending_;  // received bytes not yet handed out as part of a reply
  int last_error_ = 0;
};

}  // namespace tarsel
