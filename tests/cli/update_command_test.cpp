#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli_session.h"
#include "store/store_files.h"
#include "support/fixture_server.h"

extern char** environ;

namespace tarsel {
namespace {

using testing::CliRun;
using testing::CliSession;
using testing::FixtureRequest;
using testing::FixtureResponse;
using testing::FixtureServer;

std::string Feed(const std::string& title, const std::vector<std::string>& items) {
  std::string body = "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>" + title +
                     "</title><link>http://example.com/</link><description>d</description>";
  for (const std::string& item : items) {
    body += "<item><title>" + item + "</title><link>http://example.com/" + item +
            "</link><description>text</description></item>";
  }
  return body + "</channel></rss>";
}

constexpr char kModified[] = "Tue, 05 Mar 2024 13:05:09 GMT";

// A feed server that honours both validators, as a well-behaved site does.
FixtureServer::Endpoint ServeFeed(FixtureServer& server, const std::string& path,
                                  const std::string& feed) {
  return server.Serve(path, [feed](const FixtureRequest& request) {
    if (request.Header("If-None-Match") == "\"v1\"" ||
        request.Header("If-Modified-Since") == kModified) {
      return FixtureResponse(304, "");
    }
    return FixtureResponse(200, feed, "application/rss+xml",
                           {{"ETag", "\"v1\""}, {"Last-Modified", kModified}});
  });
}

std::vector<std::string> SortedLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  std::sort(lines.begin(), lines.end());
  return lines;
}

class UpdateCommandTest : public ::testing::Test {
 protected:
  void Add(const std::string& url, const std::vector<std::string>& more = {}) {
    std::vector<std::string> arguments = {"add", url};
    arguments.insert(arguments.end(), more.begin(), more.end());
    const CliRun run = cli_.Run(arguments);
    ASSERT_EQ(run.status, 0) << run.err;
  }

  testing::ScopedEnv no_proxy_{"no_proxy", "*"};
  testing::ScopedEnv no_proxy_upper_{"NO_PROXY", "*"};
  CliSession cli_;
  FixtureServer server_;
};

TEST_F(UpdateCommandTest, FetchesMergesReportsAndSaves) {
  auto first = ServeFeed(server_, "/a.xml", Feed("Feed A", {"one", "two"}));
  auto second = ServeFeed(server_, "/b.xml", Feed("Feed B", {"three"}));
  Add(server_.Url("/a.xml"));
  Add(server_.Url("/b.xml"));
  Add(server_.Url("/missing.xml"));

  const CliRun run = cli_.Run({"update"});
  EXPECT_EQ(run.status, 1) << "one column failed";
  EXPECT_EQ(SortedLines(run.out),
            (std::vector<std::string>{
                "Feed A: 2 new records, OK",
                "Feed B: 1 new records, OK",
                "New RSS Column: 0 new records, HTTP 404 Error. You should unsubscribe from "
                "this column or enter another url.",
            }));

  ColumnTree tree;
  ASSERT_TRUE(LoadColumnStore(tree, cli_.DataFolder(), StoreOptions()));
  const auto columns = tree.Columns();
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0]->name, "Feed A");
  EXPECT_EQ(columns[0]->channel.records.size(), 2u);
  EXPECT_EQ(columns[0]->etag, "\"v1\"");
  EXPECT_EQ(columns[0]->last_modified, kModified);
  EXPECT_GT(columns[0]->last_update_time.load(), 0);
  EXPECT_EQ(columns[1]->channel.records.size(), 1u);
  EXPECT_TRUE(columns[2]->channel.records.empty());
  EXPECT_EQ(columns[2]->etag, "");
}

TEST_F(UpdateCommandTest, SecondUpdateAsksConditionallyAndChangesNothing) {
  auto feed = ServeFeed(server_, "/a.xml", Feed("Feed A", {"one", "two"}));
  Add(server_.Url("/a.xml"));
  ASSERT_EQ(cli_.Run({"update"}).status, 0);
  const std::string records = cli_.Run({"records", "1", "--all", "--json"}).out;
  ASSERT_FALSE(records.empty());

  const CliRun again = cli_.Run({"update", "1"});
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(again.out, "Feed A: 0 new records, OK\n");
  EXPECT_EQ(feed.Hits(), 2);
  EXPECT_EQ(feed.LastRequest().Header("If-None-Match"), "\"v1\"");
  EXPECT_EQ(feed.LastRequest().Header("If-Modified-Since"), kModified);
  EXPECT_EQ(cli_.Run({"records", "1", "--all", "--json"}).out, records);
}

TEST_F(UpdateCommandTest, JsonLinesForTheColumnsOfAGroup) {
  auto a = ServeFeed(server_, "/a.xml", Feed("Feed A", {"one"}));
  auto b = ServeFeed(server_, "/b.xml", Feed("Feed B", {"two"}));
  Add(server_.Url("/a.xml"));
  ASSERT_EQ(cli_.Run({"add-group", "News"}).out, "2\n");
  Add(server_.Url("/b.xml"), {"--group", "2"});
  Add(server_.Url("/gone.xml"), {"--group", "2"});

  const CliRun run = cli_.Run({"update", "2", "--json"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(a.Hits(), 0) << "column 1 is outside the group";
  std::vector<nlohmann::json> lines;
  for (const std::string& line : SortedLines(run.out)) lines.push_back(nlohmann::json::parse(line));
  std::sort(lines.begin(), lines.end(),
            [](const auto& x, const auto& y) { return x["id"] < y["id"]; });
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], nlohmann::json({{"id", 3},
                                      {"name", "Feed B"},
                                      {"url", server_.Url("/b.xml")},
                                      {"new", 1},
                                      {"failure", 0},
                                      {"message", ""},
                                      {"detail", ""},
                                      {"http_status", 200}}));
  EXPECT_EQ(lines[1]["id"], 4);
  EXPECT_EQ(lines[1]["failure"], 161);
  EXPECT_EQ(lines[1]["http_status"], 404);
}

// Ctrl+C stops a hanging update, and what the other columns fetched is saved.
TEST_F(UpdateCommandTest, InterruptStopsTheWorkersAndSaves) {
  testing::RawFixtureServer silent("", /*hold_open=*/true);
  auto feed = ServeFeed(server_, "/a.xml", Feed("Feed A", {"one"}));
  Add(server_.Url("/a.xml"));
  Add(silent.Url("/hangs.xml"));

  const std::string out_path = cli_.DataFolder() + "/out.txt";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT, 0600);
  const char* argv[] = {TARSEL_CLI, "update", nullptr};
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, TARSEL_CLI, &actions, nullptr, const_cast<char**>(argv), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while ((feed.Hits() == 0 || silent.Hits() == 0 || testing::ReadFileBytes(out_path).empty()) &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid, SIGINT);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(testing::ReadFileBytes(out_path), "Feed A: 1 new records, OK\n");

  ColumnTree tree;
  ASSERT_TRUE(LoadColumnStore(tree, cli_.DataFolder(), StoreOptions()));
  ASSERT_EQ(tree.Columns().size(), 2u);
  EXPECT_EQ(tree.Columns()[0]->channel.records.size(), 1u);
  EXPECT_TRUE(tree.Columns()[1]->channel.records.empty());
}

}  // namespace
}  // namespace tarsel
