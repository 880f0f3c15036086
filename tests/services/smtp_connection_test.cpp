#include "services/smtp_connection.h"

#include <gtest/gtest.h>
#include <netdb.h>

#include <thread>

#include "support/loopback_server.h"

namespace tarsel {
namespace {

// However the server's bytes are cut into packets, each read returns exactly one reply and
// keeps what follows for the next read.
TEST(SmtpConnectionTest, ReadsWholeRepliesAcrossPackets) {
  struct Case {
    const char* name;
    std::vector<std::string> packets;
    std::vector<std::string> replies;
  };
  const Case cases[] = {
      {"two replies in one packet", {"220 hi\r\n250 ok\r\n"}, {"220 hi\r\n", "250 ok\r\n"}},
      {"continuation cut mid-line",
       {"250-a\r\n250-", "b\r\n25", "0 c\r\n354 go\r\n"},
       {"250-a\r\n250-b\r\n250 c\r\n", "354 go\r\n"}},
      {"line end cut between CR and LF",
       {"250 ok\r", "\n221 bye\r\n"},
       {"250 ok\r\n", "221 bye\r\n"}},
      {"bare line feeds and code-only lines", {"250-x\n250\n", "221\n"}, {"250-x\n250\n", "221\n"}},
      {"one line of 20000 bytes",
       {"250 " + std::string(20000, 'y') + "\r\n"},
       {"250 " + std::string(20000, 'y') + "\r\n"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::LoopbackServer server([&c](int socket) {
      for (const std::string& packet : c.packets) {
        testing::SendText(socket, packet);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
      testing::ReadLine(socket);  // stay until the client has closed
    });
    SmtpConnection connection(std::chrono::milliseconds(5000));
    ASSERT_TRUE(connection.Open("127.0.0.1", server.port()));
    std::string reply;
    for (const std::string& expected : c.replies) {
      ASSERT_TRUE(connection.ReadReply(&reply));
      EXPECT_EQ(reply, expected);
    }
    connection.Close();
  }
}

TEST(SmtpConnectionTest, UnfinishedReplyFailsWhenTheServerGoesQuietOrAway) {
  for (bool hang_up : {false, true}) {
    SCOPED_TRACE(hang_up ? "hangs up" : "goes quiet");
    testing::LoopbackServer server([hang_up](int socket) {
      testing::SendText(socket, "250-first line only\r\n");
      if (!hang_up) testing::ReadLine(socket);
    });
    SmtpConnection connection(std::chrono::milliseconds(300));
    ASSERT_TRUE(connection.Open("127.0.0.1", server.port()));
    std::string reply;
    EXPECT_FALSE(connection.ReadReply(&reply));
    EXPECT_EQ(connection.last_error(), hang_up ? ECONNRESET : ETIMEDOUT);
    connection.Close();
  }
}

TEST(SmtpConnectionTest, ServicePortFallsBackTo25) {
  EXPECT_EQ(MailServicePort("no-such-service-here"), 25);
  if (getservbyname("http", "tcp") == nullptr) GTEST_SKIP() << "no services table";
  EXPECT_EQ(MailServicePort("http"), 80) << "port must come back in host byte order";
}

}  // namespace
}  // namespace tarsel
