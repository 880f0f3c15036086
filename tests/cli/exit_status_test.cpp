// The exit-status table every command keeps: 0 success, 1 a named failure, 2 usage, 3 the data
// folder in use, 4 not a feed, 5 a discovered feed link. Each command is run into each status
// it can reach.
#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

#include "cli_session.h"
#include "platform/instance_lock.h"
#include "support/fixture_server.h"

namespace tarsel {
namespace {

using testing::CliRun;
using testing::FixtureResponse;

const std::vector<std::string> kCommands = {
    "parse", "fetch",   "add",    "add-group",   "remove",      "mark-read", "mark-unread",
    "list",  "records", "update", "export-opml", "import-opml", "memories",  "remember"};

constexpr char kFeed[] =
    "<rss version=\"2.0\"><channel><title>Feed</title><link>http://example.com/</link>"
    "<item><title>one</title><link>http://example.com/1</link></item></channel></rss>";

std::string FeedData(const std::string& name) {
  return std::string(TARSEL_TEST_DATA) + "/feeds/" + name;
}

struct Case {
  const char* name;
  std::vector<std::string> arguments;
  int status;
  std::string err;  // a part of stderr, when given
};

class ExitStatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    feed_.emplace(server_.Serve("/feed.xml", FixtureResponse(200, kFeed, "application/rss+xml")));
    page_.emplace(server_.Serve(
        "/page.html",
        FixtureResponse(200, "<html><link type=\"text/xml\" href=\"/feed.xml\"></html>",
                        "text/html")));
    plain_.emplace(
        server_.Serve("/plain.html", FixtureResponse(200, "<html>no feed</html>", "text/html")));
    Expect({"add", server_.Url("/feed.xml")}, "1\n");
    Expect({"add-group", "Group"}, "2\n");
    Expect({"add", server_.Url("/page.html")}, "3\n");
    Expect({"update", "1"}, "Feed: 1 new records, OK\n");
    Expect({"remember", "1", "1", "--new", "Kept"}, "[1] Kept (1)\n");
    opml_ = cli_.DataFolder() + "/list.opml";
    testing::WriteFileBytes(opml_,
                            "<opml><body><outline text=\"x\" xmlUrl=\"http://x.example/rss\"/>"
                            "</body></opml>");
  }

  void Expect(const std::vector<std::string>& arguments, const std::string& out) {
    const CliRun run = cli_.Run(arguments);
    ASSERT_EQ(run.status, 0) << arguments[0] << ": " << run.err;
    ASSERT_EQ(run.out, out) << arguments[0];
  }

  void RunCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      const CliRun run = cli_.Run(c.arguments);
      EXPECT_EQ(run.status, c.status) << run.err;
      if (!c.err.empty()) {
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
      }
    }
  }

  testing::ScopedEnv no_proxy_{"no_proxy", "*"};
  testing::CliSession cli_;
  testing::TempDir scratch_;
  testing::ScopedEnv temp_{"TMPDIR", scratch_.path()};
  testing::FixtureServer server_;
  std::optional<testing::FixtureServer::Endpoint> feed_, page_, plain_;
  std::string opml_;
};

TEST_F(ExitStatusTest, EveryCommandIntoEveryStatusItCanReach) {
  const std::string missing = cli_.DataFolder() + "/missing.xml";
  RunCases({
      // 0
      {"list", {"list"}, 0, ""},
      {"list json", {"list", "--json"}, 0, ""},
      {"records", {"records", "1"}, 0, ""},
      {"memories", {"memories", "--json"}, 0, ""},
      {"memories column", {"memories", "1"}, 0, ""},
      {"parse a feed", {"parse", FeedData("rss20.xml")}, 0, ""},
      {"fetch a feed", {"fetch", server_.Url("/feed.xml")}, 0, ""},
      {"update with a discovered link", {"update"}, 0, ""},
      {"add", {"add", "https://example.com/new.xml"}, 0, ""},
      {"add-group", {"add-group", "Other", "--group", "2"}, 0, ""},
      {"mark-read", {"mark-read", "all"}, 0, ""},
      {"mark-unread", {"mark-unread", "1"}, 0, ""},
      {"export-opml", {"export-opml", cli_.DataFolder() + "/out.opml"}, 0, ""},
      {"import-opml", {"import-opml", opml_}, 0, ""},
      {"remember", {"remember", "1", "1", "--to", "1"}, 0, ""},
      {"help", {"help"}, 0, ""},
      {"version", {"--version"}, 0, ""},
      // 1
      {"records of nothing", {"records", "99"}, 1, "no column or group with id 99"},
      {"remove nothing", {"remove", "99"}, 1, "no column or group with id 99"},
      {"update nothing", {"update", "99"}, 1, "no column or group with id 99"},
      {"mark-read nothing", {"mark-read", "99"}, 1, "no column or group"},
      {"add into a column", {"add", "http://x.example/a", "--group", "1"}, 1, "not a group"},
      {"add-group into nothing", {"add-group", "G", "--group", "99"}, 1, "no column or group"},
      {"add a duplicate", {"add", server_.Url("/feed.xml")}, 1, "aready rss column"},
      {"fetch a 404", {"fetch", server_.Url("/none")}, 1, ""},
      {"parse a missing file", {"parse", missing}, 1, missing + ": No such file or directory"},
      {"import a missing file", {"import-opml", missing}, 1, "No such file or directory"},
      {"export into a missing folder",
       {"export-opml", missing + "/x.opml"},
       1,
       "cannot write " + missing + "/x.opml: No such file or directory"},
      {"memories of nothing", {"memories", "99"}, 1, "no memories column with id 99"},
      {"remember beyond the list", {"remember", "1", "9", "--to", "1"}, 1, "no record 9"},
      // 4
      {"parse a page without a feed", {"parse", FeedData("not_a_feed.html")}, 4, ""},
      {"fetch a page without a feed", {"fetch", server_.Url("/plain.html")}, 4, ""},
      // 5
      {"parse a page with a feed link", {"parse", FeedData("page_with_feed_link.html")}, 5, ""},
      {"fetch a page with a feed link", {"fetch", server_.Url("/page.html")}, 5, ""},
      // last: it takes column 1 away
      {"remove", {"remove", "1"}, 0, ""},
  });
}

TEST_F(ExitStatusTest, BadArgumentsAreUsageErrors) {
  std::vector<Case> cases = {
      {"no command", {}, 2, "Usage: tarsel-cli COMMAND"},
      {"unknown command", {"frobnicate"}, 2, "unknown command 'frobnicate'"},
      {"help of nothing", {"help", "frobnicate"}, 2, "unknown command"},
      {"negative id", {"records", "-5"}, 2, "not a node id: -5"},
      {"id beyond int32", {"remove", "99999999999"}, 2, "not a node id"},
      {"id zero", {"mark-read", "0"}, 2, "Usage: tarsel-cli mark-read"},
      {"garbage id", {"update", "1", "x"}, 2, "not a node id: x"},
      {"garbage group", {"add", "http://x.example/", "--group", "abc"}, 2, "not a node id"},
      {"record number zero", {"remember", "1", "0", "--to", "1"}, 2, "not a node id: 0"},
      {"memories id", {"memories", "one"}, 2, "not a node id"},
      {"not http", {"add", "ftp://example.com/feed"}, 2, "not an http or https URL"},
      {"no host", {"add", "http:///feed"}, 2, "not an http or https URL"},
      {"no scheme", {"add", "example.com/feed"}, 2, "not an http or https URL"},
      {"empty URL", {"add", ""}, 2, "not an http or https URL"},
      {"blank in URL", {"add", "http://x.example/a b"}, 2, "holds no blanks"},
      {"empty group name", {"add-group", ""}, 2, "the group name is empty"},
      {"fetch of no URL", {"fetch", "not-a-url"}, 2, "not an http or https URL"},
      {"empty list file", {"import-opml", ""}, 2, "the file name is empty"},
      {"empty memories name", {"remember", "1", "1", "--new", ""}, 2, "name is empty"},
      {"blank group name", {"add-group", "  "}, 2, "the group name is empty"},
      {"extra word", {"list", "1"}, 2, "too many arguments"},
      {"missing word", {"records"}, 2, "missing argument"},
      {"unknown encoding", {"parse", "x.xml", "--encoding", "klingon"}, 2, "unknown encoding"},
      {"option without value", {"fetch", "http://x.example/", "--etag"}, 2, "needs a value"},
  };
  for (const std::string& command : kCommands) {
    cases.push_back({"unknown option", {command, "--bogus"}, 2, "Usage: tarsel-cli " + command});
  }
  RunCases(cases);
  EXPECT_EQ(cli_.Run({"list"}).out, "[1] Feed (1/1)  " + server_.Url("/feed.xml") +
                                        "\n[2] Group (0/0)\n[3] New RSS Column (0/0)  " +
                                        server_.Url("/page.html") + "\n")
      << "nothing changed";
}

TEST_F(ExitStatusTest, WritersRefuseWhileTheFolderIsInUseAndNameTheHolder) {
  const std::vector<std::vector<std::string>> writers = {{"add", "http://x.example/b"},
                                                         {"add-group", "G"},
                                                         {"remove", "2"},
                                                         {"mark-read", "all"},
                                                         {"mark-unread", "1"},
                                                         {"update", "1"},
                                                         {"import-opml", opml_},
                                                         {"remember", "1", "1", "--to", "1"}};
  const struct {
    LockHolder holder;
    std::string names;
  } holders[] = {{LockHolder::kDesktopProgram, "in use by the Tarsel desktop program (process "},
                 {LockHolder::kCommandLine, "in use by another tarsel-cli command (process "}};
  for (const auto& holder : holders) {
    InstanceLock lock;
    ASSERT_TRUE(lock.TryAcquire(cli_.DataFolder(), holder.holder));
    for (const auto& arguments : writers) {
      SCOPED_TRACE(arguments[0]);
      const CliRun run = cli_.Run(arguments);
      EXPECT_EQ(run.status, 3);
      EXPECT_NE(run.err.find(holder.names + std::to_string(getpid()) + ")"), std::string::npos)
          << run.err;
    }
    EXPECT_EQ(cli_.Run({"list"}).status, 0) << "reading needs no lock";
  }
  EXPECT_EQ(feed_->Hits(), 1) << "only the update of the set-up";
}

TEST_F(ExitStatusTest, HelpOfEveryCommandOnStdout) {
  for (const std::string& command : kCommands) {
    SCOPED_TRACE(command);
    const CliRun help = cli_.Run({command, "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out.rfind("Usage: tarsel-cli " + command, 0), 0u) << help.out;
    EXPECT_NE(help.out.find("  --help "), std::string::npos);
    EXPECT_NE(help.out.find("Exit status:\n  0  success\n"), std::string::npos);
    EXPECT_EQ(cli_.Run({"help", command}).out, help.out);
    EXPECT_EQ(cli_.Run({command, "1", "-h"}).out, help.out) << "-h anywhere before --";
  }
}

}  // namespace
}  // namespace tarsel
