// Columns updating at once against loopback servers, through the real download and merge.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "net/download/download_column.h"
#include "net/download/failure_code.h"
#include "settings/settings.h"
#include "support/fixture_server.h"
#include "support/loopback_server.h"
#include "update/update_queue.h"
#include "update/update_test_support.h"
#include "update/worker_thread.h"

namespace tarsel {
namespace {

using testing::FixtureRequest;
using testing::FixtureResponse;
using testing::FixtureServer;
using testing::RawFixtureServer;
using testing::RecordingNotice;
using testing::RecordingSound;
using testing::RssFeed;
using testing::WaitUntil;

// A feed that answers 304 once the client sends back its ETag.
FixtureServer::Endpoint ServeFeed(FixtureServer& server, const std::string& path,
                                  const std::string& feed, int delay_ms = 0) {
  return server.Serve(path, [feed, delay_ms](const FixtureRequest& request) {
    if (delay_ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delay_ms));
    if (request.Header("If-None-Match") == "\"v1\"") return FixtureResponse(304, "");
    return FixtureResponse(200, feed, "application/rss+xml", {{"ETag", "\"v1\""}});
  });
}

class UpdateNetworkTest : public ::testing::Test {
 protected:
  UpdateNetworkTest() : data_home_("XDG_DATA_HOME", home_.path()) {
    Settings settings;
    settings.proxy.type = ProxyType::kNone;
    snapshot_ = std::make_shared<const Settings>(settings);
    services_ = std::make_shared<UpdateServices>();
    services_->notice = &notice_;
    services_->sound = &sound_;
    services_->sound_file = "notify.wav";
    services_->settings = [this] { return Snapshot(); };
    queue_ = std::make_unique<UpdateQueue>(tree_, services_, nullptr);
  }
  ~UpdateNetworkTest() override {
    queue_->StopAll();
    EXPECT_TRUE(WorkerThread::WaitForHandedOff(std::chrono::seconds(30)));
  }

  // The settings the workers are given; a case may change them at any moment.
  std::shared_ptr<const Settings> Snapshot() {
    std::lock_guard lock(snapshot_mutex_);
    return snapshot_;
  }
  void ChangeSettings(const std::function<void(Settings&)>& edit) {
    std::lock_guard lock(snapshot_mutex_);
    Settings changed = *snapshot_;
    edit(changed);
    snapshot_ = std::make_shared<const Settings>(changed);
  }

  std::shared_ptr<Column> Add(const std::string& url) {
    auto column = std::make_shared<Column>();
    column->id = static_cast<int32_t>(tree_.Columns().size()) + 1;
    column->name = "Column " + std::to_string(column->id);
    column->url = url;
    tree_.AddColumn(column);
    return column;
  }

  // Ticks (quickly, as a test may) until the queue is empty or only `left` remains.
  void RunQueue(size_t left = 0) {
    ASSERT_TRUE(WaitUntil(
        [&] {
          queue_->Tick(0);
          return queue_->size() <= left;
        },
        std::chrono::seconds(60)));
  }

  testing::TempDir home_;
  testing::ScopedEnv data_home_;
  RecordingNotice notice_;
  RecordingSound sound_;
  ColumnTree tree_;
  std::mutex snapshot_mutex_;
  std::shared_ptr<const Settings> snapshot_;
  std::shared_ptr<UpdateServices> services_;
  std::unique_ptr<UpdateQueue> queue_;
};

// Settings changed while a column downloads do not reach its merge: every step of a task
// follows the snapshot the task took when it started.
TEST_F(UpdateNetworkTest, ASettingsChangeMidUpdateLeavesTheRunningTaskOnItsSnapshot) {
  ChangeSettings([](Settings& settings) {
    settings.descriptions_limitrows = true;
    settings.descriptions_rows = 1;
  });
  FixtureServer server;
  auto endpoint = server.Serve(
      "/feed.xml",
      FixtureResponse(200,
                      "<rss version=\"2.0\"><channel><title>F</title><item><title>A</title>"
                      "<description>one&lt;br&gt;two&lt;br&gt;three</description></item>"
                      "</channel></rss>",
                      "application/rss+xml"));
  std::atomic<bool> downloading = false;
  std::atomic<bool> go_on = false;
  const DownloadOptions direct{EncodingChoice::kAutomatic, {Snapshot()->proxy, ""}};
  services_->download = [&](Column& column, DownloadStopper* stopper) {
    downloading = true;
    EXPECT_TRUE(WaitUntil([&] { return go_on.load(); }));
    return DownloadColumn(column, direct, stopper);
  };
  auto column = Add(server.Url("/feed.xml"));
  queue_->UpdateColumns(tree_.Columns());
  ASSERT_TRUE(WaitUntil(
      [&] {
        queue_->Tick(0);
        return downloading.load();
      },
      std::chrono::seconds(30)));
  ChangeSettings([](Settings& settings) { settings.descriptions_limitrows = false; });
  go_on = true;
  RunQueue();
  ASSERT_EQ(column->channel.records.size(), 1u);
  const std::string& summary = column->channel.records[0]->summary;
  EXPECT_NE(summary.find("one"), std::string::npos) << summary;
  EXPECT_EQ(summary.find("three"), std::string::npos) << "the one-row limit of the task's start";
}

TEST_F(UpdateNetworkTest, ManyColumnsUpdateAtOnceAndFailuresStayWithTheirColumn) {
  FixtureServer server;
  std::vector<FixtureServer::Endpoint> endpoints;
  std::vector<std::shared_ptr<Column>> good;
  constexpr int kGood = 12;
  for (int i = 0; i < kGood; ++i) {
    const std::string path = "/feed" + std::to_string(i) + ".xml";
    std::vector<std::string> items;
    for (int item = 0; item <= i % 3; ++item) items.push_back("item" + std::to_string(item));
    // Every third feed is slow: the others go on meanwhile.
    endpoints.push_back(
        ServeFeed(server, path, RssFeed("Feed " + std::to_string(i), items), i % 3 == 0 ? 300 : 0));
    good.push_back(Add(server.Url(path)));
  }
  endpoints.push_back(server.Serve("/gone", FixtureResponse(404, "no")));
  endpoints.push_back(server.Serve("/broken", FixtureResponse(500, "oops")));
  endpoints.push_back(
      server.Serve("/page", FixtureResponse(200, "<html><p>no feed</p></html>", "text/html")));
  RawFixtureServer garbage("garbage\r\n\r\n");
  RawFixtureServer vanishing("HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\n<rss version=");

  const std::map<std::string, int32_t> failing = {
      {server.Url("/gone"), 161},
      {server.Url("/broken"), 163},
      {server.Url("/page"), 4},
      {"http://127.0.0.1:" + std::to_string(testing::UnusedLoopbackPort()) + "/feed", 3},
      {garbage.Url("/feed"), 3},
      {vanishing.Url("/feed"), 3},
  };
  std::vector<std::shared_ptr<Column>> bad;
  for (const auto& [url, status] : failing) bad.push_back(Add(url));

  queue_->UpdateColumns(tree_.Columns());
  RunQueue();

  for (size_t i = 0; i < good.size(); ++i) {
    SCOPED_TRACE(good[i]->url);
    EXPECT_EQ(good[i]->last_result.load(), 0);
    EXPECT_EQ(good[i]->DisplayName(), "Feed " + std::to_string(i));
    EXPECT_EQ(good[i]->NewCount(), static_cast<int32_t>(i % 3) + 1);
    EXPECT_EQ(good[i]->etag, "\"v1\"");
  }
  for (const auto& column : bad) {
    SCOPED_TRACE(column->url);
    EXPECT_EQ(column->last_result.load(), failing.at(column->url));
    EXPECT_TRUE(column->channel.records.empty());
  }
  auto notices = notice_.texts();
  std::sort(notices.begin(), notices.end());
  ASSERT_EQ(notices.size(), good.size());
  EXPECT_EQ(notices[0], "\"Feed 0\" updated (1 new records)\n");
  EXPECT_EQ(sound_.files(), std::vector<std::string>(good.size(), "notify.wav"));

  // Unchanged feeds answer 304: nothing is new, nothing is announced, nothing fails.
  for (const auto& column : good) queue_->Enqueue(column);
  RunQueue();
  for (const auto& column : good) {
    SCOPED_TRACE(column->url);
    EXPECT_EQ(column->last_result.load(), 0);
    EXPECT_EQ(column->NewCount(), 0);
    EXPECT_FALSE(column->channel.records.empty());
  }
  for (int i = 0; i < kGood; ++i) {
    EXPECT_EQ(endpoints[i].Hits(), 2);
    EXPECT_EQ(endpoints[i].LastRequest().Header("If-None-Match"), "\"v1\"");
  }
  EXPECT_EQ(notice_.texts().size(), good.size());
}

// A body that could not be stored leaves the column without validators, so the next update
// asks for the whole body rather than earning a 304 for a file it lost.
TEST_F(UpdateNetworkTest, ABodyThatCouldNotBeStoredIsFetchedWholeNextTime) {
  FixtureServer server;
  auto version = std::make_shared<std::atomic<int>>(1);
  auto feed = server.Serve("/feed.xml", [version](const FixtureRequest& request) {
    const std::string etag = "\"v" + std::to_string(version->load()) + "\"";
    if (request.Header("If-None-Match") == etag) return FixtureResponse(304, "");
    std::vector<std::string> items = {"a"};
    if (version->load() > 1) items.push_back("b");
    return FixtureResponse(200, RssFeed("F", items), "application/rss+xml", {{"ETag", etag}});
  });
  auto column = Add(server.Url("/feed.xml"));
  queue_->Enqueue(column);
  RunQueue();
  ASSERT_EQ(column->etag, "\"v1\"");

  *version = 2;
  const std::string cache_path = CacheFilePath(*column);
  std::filesystem::remove(cache_path);
  std::filesystem::create_directory(cache_path);  // the write fails
  queue_->Enqueue(column);
  RunQueue();
  EXPECT_EQ(column->last_result.load(), kFailureUpdate);
  EXPECT_EQ(column->etag, "");
  EXPECT_EQ(column->channel.records.size(), 1u);

  std::filesystem::remove(cache_path);
  queue_->Enqueue(column);
  RunQueue();
  EXPECT_EQ(feed.LastRequest().Header("If-None-Match"), "");
  EXPECT_EQ(column->last_result.load(), 0);
  EXPECT_EQ(column->etag, "\"v2\"");
  EXPECT_EQ(column->channel.records.size(), 2u);
}

// A server that accepts and then says nothing: stopping the column ends its worker promptly,
// and the column keeps nothing of the run.
TEST_F(UpdateNetworkTest, StoppingAStalledDownloadEndsItsWorker) {
  RawFixtureServer silent("", /*hold_open=*/true);
  FixtureServer server;
  auto feed = ServeFeed(server, "/feed.xml", RssFeed("Fine", {"a"}));
  auto stalled = Add(silent.Url("/feed"));
  auto fine = Add(server.Url("/feed.xml"));
  queue_->Enqueue(stalled);
  queue_->Enqueue(fine);
  RunQueue(/*left=*/1);
  EXPECT_EQ(fine->last_result.load(), 0);
  ASSERT_TRUE(WaitUntil([&] { return silent.Hits() == 1; }));

  const auto stopped_at = std::chrono::steady_clock::now();
  queue_->StopColumns({stalled});
  EXPECT_TRUE(WorkerThread::WaitForHandedOff(std::chrono::seconds(10)));
  EXPECT_LT(std::chrono::steady_clock::now() - stopped_at, std::chrono::seconds(5));
  EXPECT_TRUE(queue_->empty());
  EXPECT_EQ(stalled->update_state.load(), kUpdateIdle);
  EXPECT_EQ(stalled->last_result.load(), 0);
  EXPECT_TRUE(stalled->channel.records.empty());
}

}  // namespace
}  // namespace tarsel
