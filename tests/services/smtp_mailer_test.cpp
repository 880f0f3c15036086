#include "services/smtp_mailer.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <regex>
#include <sstream>

#include "services/mail_header_word.h"
#include "support/fake_smtp_server.h"
#include "support/loopback_server.h"

namespace tarsel {
namespace {

using testing::FakeSmtpServer;
using testing::SmtpDialogue;
using testing::SmtpScript;

constexpr std::chrono::milliseconds kShortTimeout{300};

const char kHeaderAfterDate[] =
    "FROM: \r\n"
    "To: <you@example.org>\r\n"
    "Cc: \r\n"
    "Subject: rss column News updated\r\n"
    "X-Mailer: \r\n"
    "Reply-To: me@example.org\r\n"
    "MIME-Version: 1.0\r\n"
    "Content-type: text/plain; charset=UTF-8\r\n"
    "Content-Transfer-Encoding: 8bit\r\n"
    "\r\n";

UpdateMail NewsMail(uint16_t port) {
  UpdateMail mail;
  mail.server = "127.0.0.1";
  mail.port = port;
  mail.sender = "me@example.org";
  mail.to_address = "you@example.org";
  mail.subject = "rss column News updated";
  mail.body = "First title\nFirst text.\n.\nSecond title";
  mail.timeout = std::chrono::milliseconds(5000);
  return mail;
}

std::string LongReply(const std::string& code, size_t lines, size_t width) {
  std::string reply;
  for (size_t i = 0; i + 1 < lines; ++i) reply += code + "-" + std::string(width, 'x') + "\r\n";
  return reply + code + " done\r\n";
}

void ExpectNewsDialogue(const SmtpDialogue& dialogue) {
  ASSERT_EQ(dialogue.commands.size(), 6u);
  EXPECT_EQ(dialogue.commands[0], "HELO 127.0.0.1\r\n");
  EXPECT_EQ(dialogue.commands[1], "MAIL FROM: <me@example.org>\r\n");
  EXPECT_EQ(dialogue.commands[2], "RCPT TO: <you@example.org>\r\n");
  EXPECT_EQ(dialogue.commands[3], "DATA\r\n");
  const std::string& message = dialogue.commands[4];
  std::smatch date;
  ASSERT_TRUE(std::regex_search(message, date,
                                std::regex(R"(^DATE: (Mon|Tue|Wed|Thu|Fri|Sat|Sun), \d\d )"
                                           R"([A-Z][a-z]{2} \d{4} \d\d:\d\d:\d\d \+0000\r\n)")))
      << message;
  EXPECT_EQ(
      message.substr(date.length()),
      std::string(kHeaderAfterDate) + "First title\r\nFirst text.\r\n..\r\nSecond title\r\n.\r\n");
  EXPECT_EQ(dialogue.commands[5], "QUIT\r\n");
  EXPECT_FALSE(dialogue.client_spoke_early) << "a command went out before its reply had ended";
}

// Whatever shape the server's replies take, the client waits for each whole reply and the
// dialogue is the same.
TEST(SmtpMailerTest, SpeaksTheDialogueWhateverTheReplyShape) {
  struct Case {
    const char* name;
    std::string greeting;
    std::map<std::string, std::string> replies;
  };
  const Case cases[] = {
      {"one line each", "220 ready\r\n", {}},
      {"multi-line replies",
       "220-mail.test\r\n220 ready\r\n",
       {{"HELO", "250-mail.test\r\n250-SIZE 1000\r\n250 HELP\r\n"},
        {"MAIL", "250-a\r\n250 b\r\n"},
        {"END", "250-queued\r\n250 as 42\r\n"}}},
      {"greeting and replies past 4096 bytes",
       LongReply("220", 100, 70),
       {{"HELO", LongReply("250", 300, 60)}, {"RCPT", LongReply("250", 2, 9000)}}},
      {"bare line feeds and a code-only final line",
       "220\n",
       {{"HELO", "250-mail.test\n250\n"}, {"DATA", "354\n"}}},
      {"refusals are not judged",
       "554 go away\r\n",
       {{"RCPT", "550 no such user\r\n"}, {"END", "554 no\r\n"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SmtpScript script;
    script.greeting = c.greeting;
    script.replies = c.replies;
    script.watch_for_early_speech = true;
    FakeSmtpServer server(script);
    EXPECT_TRUE(SendUpdateMail(NewsMail(server.port())));
    ExpectNewsDialogue(server.Finish());
  }
}

// A server that goes quiet or hangs up ends the exchange as a failure, never as a hang, and a
// dead connection is not asked to QUIT.
TEST(SmtpMailerTest, ServerFailuresEndTheExchange) {
  struct Case {
    const char* name;
    SmtpScript script;
    bool connects;
    std::vector<std::string> commands;
  };
  auto silent_from = [](const char* verb) {
    SmtpScript script;
    script.silent_from = verb;
    return script;
  };
  auto hang_up_after = [](const char* verb) {
    SmtpScript script;
    script.hang_up_after = verb;
    return script;
  };
  SmtpScript oversized;
  oversized.replies["RCPT"] = LongReply("250", 5000, 60);
  const std::string helo = "HELO 127.0.0.1\r\n", mail = "MAIL FROM: <me@example.org>\r\n",
                    rcpt = "RCPT TO: <you@example.org>\r\n";
  const Case cases[] = {
      {"silent from the start", silent_from("GREETING"), false, {}},
      {"silent after HELO", silent_from("HELO"), false, {helo}},
      {"silent after MAIL FROM", silent_from("MAIL"), true, {helo, mail}},
      {"silent after DATA", silent_from("DATA"), true, {helo, mail, rcpt, "DATA\r\n"}},
      {"hangs up after the greeting", hang_up_after("GREETING"), false, {}},
      {"hangs up after RCPT TO", hang_up_after("RCPT"), true, {helo, mail, rcpt}},
      {"reply beyond any sane size", oversized, true, {helo, mail, rcpt}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSmtpServer server(c.script);
    {
      SmtpMailer mailer;
      mailer.SetTimeout(kShortTimeout);
      mailer.AddRecipient("you@example.org", "");
      mailer.SetEnvelopeSender("me@example.org");
      EXPECT_EQ(mailer.Connect("127.0.0.1", server.port()), c.connects);
      EXPECT_FALSE(mailer.Send());
      EXPECT_FALSE(mailer.connected());
    }
    EXPECT_EQ(server.Finish().commands, c.commands);
  }
}

TEST(SmtpMailerTest, WithoutSenderOnlyGreetsAndQuits) {
  FakeSmtpServer server({});
  {
    SmtpMailer mailer;
    mailer.AddRecipient("you@example.org", "");
    ASSERT_TRUE(mailer.Connect("127.0.0.1", server.port()));
    EXPECT_FALSE(mailer.Send());
  }
  EXPECT_EQ(server.Finish().commands, (std::vector<std::string>{"HELO 127.0.0.1\r\n", "QUIT\r\n"}));
}

TEST(SmtpMailerTest, ReconnectingQuitsTheFirstServer) {
  FakeSmtpServer first({}), second({});
  SmtpMailer mailer;
  ASSERT_TRUE(mailer.Connect("127.0.0.1", first.port()));
  ASSERT_TRUE(mailer.Connect("127.0.0.1", second.port()));
  EXPECT_EQ(first.Finish().commands, (std::vector<std::string>{"HELO 127.0.0.1\r\n", "QUIT\r\n"}));
  EXPECT_TRUE(mailer.Quit());
  EXPECT_FALSE(mailer.Quit());
}

TEST(SmtpMailerTest, UnreachableServerFailsQuietly) {
  SmtpMailer mailer;
  mailer.SetTimeout(kShortTimeout);
  EXPECT_FALSE(mailer.Connect("127.0.0.1", testing::UnusedLoopbackPort()));
  EXPECT_FALSE(mailer.Connect("", 0));
  EXPECT_FALSE(mailer.connected());
}

TEST(SmtpMailerTest, RecipientListsFillHeaderAndEnvelope) {
  FakeSmtpServer server({});
  {
    SmtpMailer mailer;
    mailer.AddRecipient("a@example.org", "");
    mailer.AddRecipient("b@example.org", "Bea ");
    mailer.AddCcRecipient("c@example.org", "Cy");
    mailer.AddBccRecipient("d@example.org", "");
    mailer.SetEnvelopeSender("me@example.org");
    std::string header = mailer.BuildHeaderBlock(0);
    EXPECT_NE(header.find("\r\nTo: <a@example.org>,Bea <b@example.org>\r\n"), std::string::npos);
    EXPECT_NE(header.find("\r\nCc: Cy<c@example.org>\r\n"), std::string::npos);
    EXPECT_EQ(header.find("d@example.org"), std::string::npos) << "Bcc leaked into the header";
    ASSERT_TRUE(mailer.Connect("127.0.0.1", server.port()));
    EXPECT_TRUE(mailer.Send());
  }
  std::vector<std::string> commands = server.Finish().commands;
  ASSERT_EQ(commands.size(), 9u);
  EXPECT_EQ(
      std::vector<std::string>(commands.begin() + 2, commands.begin() + 6),
      (std::vector<std::string>{"RCPT TO: <a@example.org>\r\n", "RCPT TO: <b@example.org>\r\n",
                                "RCPT TO: <c@example.org>\r\n", "RCPT TO: <d@example.org>\r\n"}));
}

// A feed title or a configured address with line breaks must not add header lines or commands.
TEST(SmtpMailerTest, LineBreaksCannotInjectHeadersOrCommands) {
  const std::string evil = "x\r\nBcc: evil@example.org\nRCPT TO: <evil@example.org>\r";
  FakeSmtpServer server({});
  {
    SmtpMailer mailer;
    mailer.AddRecipient("you@example.org" + evil, "Name" + evil);
    mailer.AddCcRecipient("cc@example.org" + evil, "");
    mailer.SetEnvelopeSender("me@example.org" + evil);
    mailer.SetFrom("From" + evil);
    mailer.SetSubject("Subject" + evil);
    mailer.SetReplyTo("reply@example.org" + evil);
    ASSERT_TRUE(mailer.Connect("127.0.0.1", server.port()));
    EXPECT_TRUE(mailer.Send());
  }
  std::vector<std::string> commands = server.Finish().commands;
  ASSERT_EQ(commands.size(), 7u) << "HELO, MAIL, two RCPT, DATA, message, QUIT";
  for (size_t i : {0, 1, 2, 3, 4, 6}) {
    EXPECT_EQ(commands[i].find_first_of("\r\n"), commands[i].size() - 2) << commands[i];
  }
  std::vector<std::string> names;
  std::istringstream message(commands[5]);
  for (std::string line; std::getline(message, line) && line != "\r";) {
    names.push_back(line.substr(0, line.find(':')));
  }
  EXPECT_EQ(names, (std::vector<std::string>{"DATE", "FROM", "To", "Cc", "Subject", "X-Mailer",
                                             "Reply-To", "MIME-Version", "Content-type",
                                             "Content-Transfer-Encoding"}));
}

TEST(SmtpMailerTest, HeaderBlockIsEmptyWithoutRecipients) {
  SmtpMailer mailer;
  mailer.AddBccRecipient("d@example.org", "");
  EXPECT_EQ(mailer.BuildHeaderBlock(0), "");
}

TEST(SmtpMailerTest, BodyTravelsWithCrLfAndDotStuffing) {
  struct Case {
    const char* body;
    const char* encoded;
  };
  const Case cases[] = {
      {"", ""},
      {".", ".."},
      {"a.b", "a.b"},
      {"a\n.\nb", "a\r\n..\r\nb"},
      {"a\r\n.b\r\n", "a\r\n..b\r\n"},
      {"\n..", "\r\n..."},
      {"a\rb\n\nc", "a\r\nb\r\n\r\nc"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeMailBody(c.body), c.encoded) << "body: " << c.body;
  }
}

TEST(SmtpMailerTest, DateLineIsEnglishUtc) {
  struct Case {
    int32_t seconds;
    const char* text;
  };
  const Case cases[] = {
      {0, "Thu, 01 Jan 1970 00:00:00 +0000"},
      {-1, "Wed, 31 Dec 1969 23:59:59 +0000"},
      {1709643909, "Tue, 05 Mar 2024 13:05:09 +0000"},
      {2147483647, "Tue, 19 Jan 2038 03:14:07 +0000"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatMailDate(c.seconds), c.text) << c.seconds;
}

TEST(EncodeHeaderWordsTest, AsciiStaysAndTheRestBecomesEncodedWords) {
  const struct {
    const char* name;
    std::string text;
    std::string expected;
  } cases[] = {
      {"ascii", "rss column News updated", "rss column News updated"},
      {"cyrillic", "\xD0\x9D\xD0\xBE\xD0\xB2\xD0\xBE\xD1\x81\xD1\x82\xD0\xB8",
       "=?UTF-8?B?0J3QvtCy0L7RgdGC0Lg=?="},
      {"padding of one", "\xC3\xA9", "=?UTF-8?B?w6k=?="},
      // 16 three-byte characters: 45 bytes in the first word, the sixteenth in the next.
      {"long text folds between whole characters",
       [] {
         std::string text;
         for (int i = 0; i < 16; ++i) text += "\xE4\xB8\xAD";
         return text;
       }(),
       "=?UTF-8?B?5Lit5Lit5Lit5Lit5Lit5Lit5Lit5Lit5Lit5Lit5Lit5Lit5Lit5Lit5Lit?=\r\n "
       "=?UTF-8?B?5Lit?="},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeHeaderWords(c.text), c.expected) << c.name;
}

}  // namespace
}  // namespace tarsel
