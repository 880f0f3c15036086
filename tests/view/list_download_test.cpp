#include "view/list_download.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/atomic_file.h"
#include "settings/settings.h"
#include "support/fixture_server.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

using testing::FixtureResponse;
using testing::FixtureServer;
using testing::RawFixtureServer;

// Loopback servers are reached directly, whatever proxy the environment names.
class ListDownloadTest : public ::testing::Test {
 protected:
  // Loopback servers are reached directly.
  static HTTP::ClientOptions Direct() { return {{ProxyType::kNone, "", 0, "", ""}, ""}; }

  static ListDownloadProgress WaitUntil(const ListDownload& download,
                                        bool (*done)(const ListDownloadProgress&)) {
    // Bounded so a broken worker fails the test instead of hanging it.
    for (int i = 0; i < 3000; ++i) {
      ListDownloadProgress progress = download.Snapshot();
      if (done(progress)) return progress;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return download.Snapshot();
  }
  static bool Finished(const ListDownloadProgress& progress) { return progress.finished; }

  static bool Online() { return true; }

  testing::TempDir folder_;
};

TEST_F(ListDownloadTest, WritesTheListAndReportsTheWholeLength) {
  FixtureServer server;
  const std::string body(10000, 'x');
  auto list = server.Serve("/list.opml", FixtureResponse{200, body, "text/xml"});
  const std::string path = folder_.File("Feeds/list");
  ListDownload download(server.Url("/list.opml"), path, Direct(), Online);
  ASSERT_TRUE(download.Start());
  const ListDownloadProgress progress = WaitUntil(download, Finished);
  EXPECT_TRUE(progress.succeeded);
  EXPECT_EQ(progress.content_length, 10000);
  EXPECT_EQ(progress.bytes_read, 10000);
  EXPECT_EQ(ListDownloadPercent(progress), 100);
  EXPECT_EQ(ListDownloadStatusText(progress), "Downloading file... 100 % of 10000 complete");
  std::optional<FileContent> written = ReadWholeFile(path);
  ASSERT_TRUE(written);
  EXPECT_EQ(written->view(), body);
}

TEST_F(ListDownloadTest, FailuresWriteNothing) {
  FixtureServer server;
  auto missing = server.Serve("/gone", FixtureResponse{404, "no"});
  auto error = server.Serve("/error", FixtureResponse{204, ""});
  const struct {
    const char* name;
    std::string url;
    bool online;
  } kCases[] = {
      {"404", server.Url("/gone"), true},
      {"204 is not the list", server.Url("/error"), true},
      {"offline", server.Url("/gone"), false},
      {"not http", "ftp://127.0.0.1/x", true},
  };
  for (const auto& row : kCases) {
    const std::string path = folder_.File(std::string("out-") + row.name);
    const int hits_before = server.Hits();
    ListDownload download(
        row.url, path, Direct(),
        row.online ? ListDownload::ConnectionTest(Online) : [] { return false; });
    ASSERT_TRUE(download.Start());
    const ListDownloadProgress progress = WaitUntil(download, Finished);
    EXPECT_TRUE(progress.finished) << row.name;
    EXPECT_FALSE(progress.succeeded) << row.name;
    EXPECT_FALSE(std::filesystem::exists(path)) << row.name;
    if (!row.online) {
      EXPECT_EQ(server.Hits(), hits_before) << "offline asks no server";
    }
  }
}

TEST_F(ListDownloadTest, CancelEndsAStalledDownloadAtOnceAndTheWorkerIsJoined) {
  // Announces 10000 bytes, sends 5000 (reported in steps of 2048), then stays silent.
  RawFixtureServer server(
      "HTTP/1.1 200 OK\r\nContent-Length: 10000\r\n\r\n" + std::string(5000, 'y'), true);
  const std::string path = folder_.File("stalled");
  // The worker holds a copy of the connection test: once the download is gone, so is the copy.
  auto worker_token = std::make_shared<int>(0);
  const std::weak_ptr<int> worker_alive = worker_token;
  {
    ListDownload download(server.Url("/list"), path, Direct(),
                          [token = std::move(worker_token)] { return token != nullptr; });
    ASSERT_TRUE(download.Start());
    const ListDownloadProgress partial =
        WaitUntil(download, [](const ListDownloadProgress& p) { return p.bytes_read >= 4096; });
    EXPECT_EQ(partial.content_length, 10000);
    EXPECT_EQ(ListDownloadPercent(partial), 40);
    EXPECT_FALSE(partial.finished);
    download.Cancel();
    const ListDownloadProgress after = download.Snapshot();
    EXPECT_TRUE(after.finished);
    EXPECT_FALSE(after.succeeded);
  }
  EXPECT_TRUE(worker_alive.expired()) << "the worker outlived its download";
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(ListDownloadStatusTest, TextsWithAndWithoutALength) {
  EXPECT_EQ(ListDownloadStatusText({500, 2000, false, false}),
            "Downloading file... 25 % of 2000 complete");
  EXPECT_EQ(ListDownloadStatusText({512, 0, false, false}),
            "Downloading file... 512  of ? complete");
  EXPECT_EQ(ListDownloadPercent({5000, 2000, false, false}), 100);
}

}  // namespace
}  // namespace tarsel
