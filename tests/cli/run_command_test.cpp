// tarsel-cli run: the desktop program's timers without a window.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <string>
#include <thread>

#include "cli_session.h"
#include "platform/instance_lock.h"
#include "store/store_files.h"
#include "support/fixture_server.h"

extern char** environ;

namespace tarsel {
namespace {

using testing::CliSession;
using testing::FixtureRequest;
using testing::FixtureResponse;
using testing::FixtureServer;

constexpr char kFeed[] =
    "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>Run Feed</title>"
    "<link>http://example.com/</link><description>d</description>"
    "<item><title>one</title><link>http://example.com/1</link></item></channel></rss>";

class RunCommandTest : public ::testing::Test {
 protected:
  testing::ScopedEnv no_proxy_{"no_proxy", "*"};
  testing::ScopedEnv no_proxy_upper_{"NO_PROXY", "*"};
  CliSession cli_;
  FixtureServer server_;
};

// A never-updated column is due at the first due check; SIGTERM then saves and ends with 0.
TEST_F(RunCommandTest, UpdatesDueColumnsUntilTerminated) {
  auto feed = server_.Serve("/run.xml", [](const FixtureRequest&) {
    return FixtureResponse(200, kFeed, "application/rss+xml");
  });
  ASSERT_EQ(cli_.Run({"add", server_.Url("/run.xml")}).status, 0);

  const std::string out_path = cli_.DataFolder() + "/out.txt";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT, 0600);
  const char* argv[] = {TARSEL_CLI, "run", nullptr};
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, TARSEL_CLI, &actions, nullptr, const_cast<char**>(argv), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (testing::ReadFileBytes(out_path).empty() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  // While it runs, the data folder is taken.
  EXPECT_EQ(cli_.Run({"update"}).status, 3);
  kill(pid, SIGTERM);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_NE(testing::ReadFileBytes(out_path).find("Run Feed: 1 new records"), std::string::npos);
  EXPECT_EQ(feed.Hits(), 1);

  ColumnTree tree;
  ASSERT_TRUE(LoadColumnStore(tree, cli_.DataFolder(), StoreOptions()));
  ASSERT_EQ(tree.Columns().size(), 1u);
  EXPECT_EQ(tree.Columns()[0]->channel.records.size(), 1u);
}

TEST_F(RunCommandTest, RefusesWhileTheDesktopProgramRuns) {
  InstanceLock desktop;
  ASSERT_TRUE(desktop.TryAcquire(cli_.DataFolder()));
  EXPECT_EQ(cli_.Run({"run"}).status, 3);
  EXPECT_EQ(cli_.Run({"run", "extra"}).status, 2);
}

}  // namespace
}  // namespace tarsel
