#include "support/fake_smtp_server.h"

namespace tarsel::testing {
namespace {

const std::map<std::string, std::string> kPlainReplies = {
    {"HELO", "250 mail.test\r\n"}, {"MAIL", "250 ok\r\n"},    {"RCPT", "250 ok\r\n"},
    {"DATA", "354 go ahead\r\n"},  {"END", "250 queued\r\n"}, {"QUIT", "221 bye\r\n"}};

std::string ReplyFor(const SmtpScript& script, const std::string& verb) {
  auto found = script.replies.find(verb);
  if (found != script.replies.end()) return found->second;
  found = kPlainReplies.find(verb);
  return found != kPlainReplies.end() ? found->second : "500 what?\r\n";
}

// Splits before the last line of a multi-line reply, else after the code, and watches the
// client in between: a client that waits for whole replies stays quiet.
void SendReply(int socket, const std::string& reply, bool watch, SmtpDialogue* dialogue) {
  if (!watch) return SendText(socket, reply);
  size_t last_line = reply.rfind('\n', reply.size() - 2);
  size_t split = last_line == std::string::npos ? 3 : last_line + 1;
  SendText(socket, reply.substr(0, split));
  if (ClientSpokeEarly(socket)) dialogue->client_spoke_early = true;
  SendText(socket, reply.substr(split));
}

std::string ReadMessage(int socket) {
  std::string message, line;
  do {
    line = ReadLine(socket);
    message += line;
  } while (!line.empty() && line != ".\r\n");
  return message;
}

void Converse(int socket, const SmtpScript& script, SmtpDialogue* dialogue) {
  bool silent = script.silent_from == "GREETING";
  if (!silent) {
    if (script.watch_for_early_speech && ClientSpokeEarly(socket)) {
      dialogue->client_spoke_early = true;
    }
    SendReply(socket, script.greeting, script.watch_for_early_speech, dialogue);
    if (script.hang_up_after == "GREETING") return;
  }
  for (std::string line = ReadLine(socket); !line.empty(); line = ReadLine(socket)) {
    dialogue->commands.push_back(line);
    std::string verb = line.substr(0, 4);
    if (verb == script.silent_from) silent = true;
    if (silent) continue;
    if (verb == script.hang_up_after) return;
    SendReply(socket, ReplyFor(script, verb), script.watch_for_early_speech, dialogue);
    if (verb == "DATA") {
      dialogue->commands.push_back(ReadMessage(socket));
      SendReply(socket, ReplyFor(script, "END"), script.watch_for_early_speech, dialogue);
    }
    if (verb == "QUIT") return;
  }
}

}  // namespace

FakeSmtpServer::FakeSmtpServer(SmtpScript script) : dialogue_(std::make_shared<SmtpDialogue>()) {
  server_ = std::make_unique<LoopbackServer>(
      [script = std::move(script), dialogue = dialogue_](int socket) {
        Converse(socket, script, dialogue.get());
      });
}

SmtpDialogue FakeSmtpServer::Finish() {
  server_.reset();
  return *dialogue_;
}

}  // namespace tarsel::testing
