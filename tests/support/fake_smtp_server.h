#pragma once

// A scripted SMTP server on the loopback server: answers each command with a canned reply,
// records what the client sent, and can fall silent or hang up at a chosen point.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/loopback_server.h"

namespace tarsel::testing {

struct SmtpScript {
  std::string greeting = "220 mail.test ready\r\n";
  // Replies by command verb ("HELO", "MAIL", "RCPT", "DATA", "QUIT") and "END" for the
  // end of the message; verbs not named get a plain positive reply.
  std::map<std::string, std::string> replies;
  // After this verb ("GREETING" for the greeting) the server hangs up instead of replying.
  std::string hang_up_after;
  // From this verb on ("GREETING" = from the start) the server reads but never replies.
  std::string silent_from;
  // Sends each reply in two parts and notes whether the client spoke in between.
  bool watch_for_early_speech = false;
};

struct SmtpDialogue {
  std::vector<std::string> commands;  // each line as sent; the message after DATA is one entry
  bool client_spoke_early = false;
};

class FakeSmtpServer {
 public:
  explicit FakeSmtpServer(SmtpScript script);
  uint16_t port() const { return server_->port(); }
  // Waits for the conversation to end, then returns it.
  SmtpDialogue Finish();

 private:
  std::shared_ptr<SmtpDialogue> dialogue_;
  std::unique_ptr<LoopbackServer> server_;
};

}  // namespace tarsel::testing
