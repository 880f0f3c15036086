#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "net/http/client_test_support.h"
#include "net/http/http_client.h"
#include "support/fixture_server.h"
#include "support/loopback_server.h"
#include "support/wait_until.h"

namespace tarsel::HTTP {
namespace {

using tarsel::testing::RawFixtureServer;
using testing::Direct;
using testing::DownloadCode;
using testing::ObservedDownload;

// A loopback port nobody listens on.
int ClosedPort() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof(address);
  bind(fd, reinterpret_cast<sockaddr*>(&address), length);
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  close(fd);
  return ntohs(address.sin_port);
}

class HttpClientFailureTest : public ::testing::Test {
 protected:
  CHttpClient client_{Direct()};
};

TEST_F(HttpClientFailureTest, HostileResponses) {
  struct Case {
    const char* name;
    std::string reply;
    int code;
    std::string body;  // when code is 0
  } cases[] = {
      {"NothingAtAll", "", 4, ""},
      {"NotHttp", "SSH-2.0-OpenSSH\r\n\r\n", 4, ""},
      {"BadStatusLine", "HTTP/1.1 abc\r\n\r\n", 4, ""},
      {"NulInHeader", std::string("HTTP/1.1 200 OK\r\nX: a\0b\r\nContent-Length: 0\r\n\r\n", 45), 4,
       ""},
      {"HugeHeader", "HTTP/1.1 200 OK\r\nX: " + std::string(400000, 'a') + "\r\n\r\n", 4, ""},
      {"TruncatedBody", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nshort", 4, ""},
      {"NegativeLength", "HTTP/1.1 200 OK\r\nContent-Length: -5\r\nConnection: close\r\n\r\nok", 4,
       ""},
      {"ChunkedGarbage", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n", 4, ""},
      {"OddButReadable", "HTTP/1.1 200 OK\r\nX-Odd:tight\r\nContent-Length: 2\r\n\r\nok", 0, "ok"},
      {"ClosedWithoutLength", "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nuntil close", 0,
       "until close"},
      {"RedirectToNul",
       std::string("HTTP/1.1 302 Found\r\nLocation: /a\0b\r\nContent-Length: 0\r\n\r\n", 58), 4,
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RawFixtureServer raw(c.reply);
    CHttpClient client(Direct());
    client.SetStallTimeout(std::chrono::seconds(10));
    EXPECT_EQ(DownloadCode(client, raw.Url("/feed")), c.code);
    if (c.code == 0) {
      EXPECT_EQ(client.Body(), c.body);
    }
  }
}

TEST_F(HttpClientFailureTest, ConnectionFailures) {
  // A plain HTTP server behind an https URL: the client must connect to the port the URL names
  // (not 443) and fail in the TLS handshake.
  RawFixtureServer plain("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
  EXPECT_EQ(DownloadCode(client_, "https://127.0.0.1:" + std::to_string(plain.port()) + "/"), 2);
  EXPECT_EQ(plain.Hits(), 1);
  EXPECT_EQ(DownloadCode(client_, "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/"), 2);
}

TEST_F(HttpClientFailureTest, RefusesLineBreaksInUrlsAndHeaders) {
  RawFixtureServer raw("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
  ObservedDownload observed;
  observed.Attach(client_);
  std::string url = raw.Url("/feed");
  EXPECT_EQ(DownloadCode(client_, url + "\r\nX-Injected: 1"), 3);
  EXPECT_EQ(DownloadCode(client_, url + "\n"), 3);
  EXPECT_EQ(DownloadCode(client_, url + std::string(1, '\0') + "x"), 3);
  EXPECT_EQ(observed.errors.size(), 3u);
  EXPECT_TRUE(observed.events.empty());

  CHttpClient with_bad_header(Direct());
  with_bad_header.AddHeader("If-None-Match", "\"x\"\r\nX-Injected: 1");
  EXPECT_EQ(DownloadCode(with_bad_header, url), 3);
  EXPECT_EQ(raw.Hits(), 0);
}

TEST_F(HttpClientFailureTest, BodySizeCap) {
  client_.SetMaxBodySize(1000);
  std::string body(1500, 'x');
  struct Case {
    const char* name;
    std::string reply;
  } cases[] = {
      {"Announced", "HTTP/1.1 200 OK\r\nContent-Length: 1500\r\n\r\n" + body},
      {"Unannounced", "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + body},
      {"Chunked",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5dc\r\n" + body + "\r\n0\r\n\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RawFixtureServer raw(c.reply);
    EXPECT_EQ(DownloadCode(client_, raw.Url("/big")), HTTP::kErrorTooLarge);
  }
  // A 304 may announce the length of the entity it does not send.
  RawFixtureServer not_modified("HTTP/1.1 304 Not Modified\r\nContent-Length: 5000\r\n\r\n");
  EXPECT_EQ(DownloadCode(client_, not_modified.Url("/")), 0);
  EXPECT_EQ(client_.Status(), 304);
  RawFixtureServer at_cap("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" +
                          std::string(1000, 'y'));
  EXPECT_EQ(DownloadCode(client_, at_cap.Url("/ok")), 0);
  EXPECT_EQ(client_.BodyLength(), 1000u);
}

TEST_F(HttpClientFailureTest, StalledServersGiveUp) {
  client_.SetStallTimeout(std::chrono::milliseconds(300));
  struct Case {
    const char* name;
    std::string reply;
  } cases[] = {
      {"SilentAfterConnect", ""},
      {"SilentAfterHeaders", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n"},
      {"SilentMidBody", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RawFixtureServer raw(c.reply, /*hold_open=*/true);
    EXPECT_EQ(DownloadCode(client_, raw.Url("/slow")), 6);
  }
}

// Answers with headers promising a long body, then sends `piece` every `pause` until the client
// goes away (or a minute passes).
tarsel::testing::LoopbackServer Trickler(std::string piece, std::chrono::milliseconds pause) {
  return tarsel::testing::LoopbackServer([piece, pause](int socket) {
    while (tarsel::testing::ReadLine(socket).size() > 2) {
    }
    tarsel::testing::SendText(socket, "HTTP/1.1 200 OK\r\nContent-Length: 100000000\r\n\r\n");
    const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (std::chrono::steady_clock::now() < until &&
           ::send(socket, piece.data(), piece.size(), MSG_NOSIGNAL) > 0) {
      std::this_thread::sleep_for(pause);
    }
  });
}

TEST_F(HttpClientFailureTest, TricklingServersGiveUp) {
  client_.SetStallTimeout(std::chrono::seconds(60));
  {
    SCOPED_TRACE("below the low-speed limit");
    auto server = Trickler("x", std::chrono::milliseconds(100));  // 10 bytes a second
    client_.SetLowSpeedLimit(64, std::chrono::milliseconds(500));
    client_.SetTotalTimeout(std::chrono::minutes(10));
    EXPECT_EQ(DownloadCode(client_, "http://127.0.0.1:" + std::to_string(server.port()) + "/"), 6);
  }
  {
    SCOPED_TRACE("fast enough but never ending");
    auto server = Trickler(std::string(1000, 'x'), std::chrono::milliseconds(10));
    client_.SetLowSpeedLimit(0, std::chrono::milliseconds(0));
    client_.SetTotalTimeout(std::chrono::milliseconds(500));
    EXPECT_EQ(DownloadCode(client_, "http://127.0.0.1:" + std::to_string(server.port()) + "/"), 6);
  }
}

TEST_F(HttpClientFailureTest, CancelFromAnotherThread) {
  RawFixtureServer raw("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789", true);
  std::atomic<bool> body_started{false};
  client_.SetStallTimeout(std::chrono::seconds(60));
  client_.SetObservers(nullptr, [&](HttpStatusEvent event, int64_t, const CUrlParts*, void*) {
    if (event == HttpStatusEvent::kReadingBody) body_started = true;
  });
  std::thread canceller([&] {
    if (!tarsel::testing::WaitUntil([&] { return body_started.load(); }))
      ADD_FAILURE() << "no body";
    client_.Cancel();
  });
  int code = DownloadCode(client_, raw.Url("/slow"));
  canceller.join();
  EXPECT_EQ(code, kErrorCancelled);

  // Cancelled stays cancelled until cleared: a stopping worker must not start another transfer.
  RawFixtureServer next("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
  EXPECT_EQ(DownloadCode(client_, next.Url("/")), kErrorCancelled);
  EXPECT_EQ(next.Hits(), 0);
  client_.ClearCancel();
  EXPECT_EQ(DownloadCode(client_, next.Url("/")), 0);
}

TEST_F(HttpClientFailureTest, ObserverExceptionsReachTheCaller) {
  RawFixtureServer raw("HTTP/1.1 200 OK\r\nContent-Length: 4096\r\n\r\n" + std::string(4096, 'z'));
  client_.SetObservers(nullptr, [](HttpStatusEvent event, int64_t, const CUrlParts*, void*) {
    if (event == HttpStatusEvent::kBodyRead) throw std::runtime_error("stop");
  });
  EXPECT_THROW(client_.Download(raw.Url("/")), std::runtime_error);
}

}  // namespace
}  // namespace tarsel::HTTP
