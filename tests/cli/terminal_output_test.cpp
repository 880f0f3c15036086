// What tarsel-cli writes where a person or a pipe reads it: feed text that cannot steer the
// terminal, a reader that leaves early, failures that stay visible after the run.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli_session.h"
#include "store/store_files.h"
#include "support/fixture_server.h"

namespace tarsel {
namespace {

using testing::CliRun;
using testing::CliSession;
using testing::FixtureResponse;

// ESC ] 0 ; ... BEL sets a terminal's window title; ESC [ 2 J clears the screen.
constexpr char kHostileTitle[] = "\x1b]0;owned\x07Title\nsecond line\x1b[2J\x01";

void WriteHostileStore(const std::string& folder) {
  ColumnTree tree;
  auto column = std::make_shared<Column>();
  column->id = 1;
  column->name = kHostileTitle;
  column->url = "http://example.com/feed.xml";
  auto record = std::make_shared<Record>();
  record->title = kHostileTitle;
  record->published = 1078477200;  // 2004-03-05 09:00 UTC
  record->link = "http://example.com/\x1b[31m";
  column->channel.records.push_back(record);
  tree.Append(column);
  mkdir(folder.c_str(), 0700);
  ASSERT_TRUE(SaveColumnStore(tree, folder, StoreOptions{}));
}

TEST(TerminalOutputTest, FeedTextNeverReachesTheTerminalAsControls) {
  CliSession cli;
  WriteHostileStore(cli.DataFolder());
  const std::string shown = "\\x1b]0;owned\\x07Title second line\\x1b[2J\\x01";
  const struct {
    std::vector<std::string> arguments;
    std::string expected;
  } cases[] = {
      {{"list"}, "[1] " + shown + " (1/1)  http://example.com/feed.xml\n"},
      {{"records", "1"},
       "U--- [2004.03.05 09:00] " + shown + "\n     http://example.com/\\x1b[31m\n"},
  };
  for (const auto& c : cases) {
    const CliRun run = cli.Run(c.arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, c.expected);
  }
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"records", "1", "--json"}, {"list", "--json"}}) {
    const CliRun run = cli.Run(arguments);
    EXPECT_EQ(run.out.find('\x1b'), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find('\x07'), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\\u001b]0;owned\\u0007Title\\nsecond"), std::string::npos) << run.out;
    EXPECT_TRUE(nlohmann::json::parse(run.out, nullptr, false).is_structured());
  }
}

class PipeTest : public ::testing::Test {
 protected:
  testing::ScopedEnv no_proxy_{"no_proxy", "*"};
  CliSession cli_;
  testing::FixtureServer server_;
};

// The reader of stdout leaves after one line; the update goes on and saves every column.
TEST_F(PipeTest, UpdateIntoAReaderThatLeavesEarlySavesEverything) {
  std::vector<testing::FixtureServer::Endpoint> feeds;
  constexpr int kColumns = 8;
  for (int i = 1; i <= kColumns; ++i) {
    const std::string path = "/" + std::to_string(i) + ".xml";
    feeds.push_back(server_.Serve(
        path, FixtureResponse(200,
                              "<rss><channel><title>F" + std::to_string(i) +
                                  "</title><item><title>r</title></item></channel></rss>",
                              "application/rss+xml")));
    ASSERT_EQ(cli_.Run({"add", server_.Url(path)}).status, 0);
  }
  const std::string command = std::string(TARSEL_CLI) + " update 2>/dev/null | head -1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char line[256] = {};
  ASSERT_NE(fgets(line, sizeof(line), pipe), nullptr);
  EXPECT_NE(std::string(line).find(": 1 new records, OK"), std::string::npos) << line;
  pclose(pipe);

  ColumnTree tree;
  ASSERT_TRUE(LoadColumnStore(tree, cli_.DataFolder(), StoreOptions{}));
  ASSERT_EQ(tree.Columns().size(), static_cast<size_t>(kColumns));
  for (const auto& column : tree.Columns()) {
    EXPECT_EQ(column->channel.records.size(), 1u) << column->url;
  }
}

// A full disk is no reader leaving: the command says so and fails.
TEST_F(PipeTest, AFullStandardOutputIsAFailure) {
  ASSERT_EQ(cli_.Run({"add", "http://example.com/a.xml"}).status, 0);
  const std::string err = cli_.DataFolder() + "/err.txt";
  const std::string command = std::string(TARSEL_CLI) + " export-opml >/dev/full 2>" + err;
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(testing::ReadFileBytes(err),
            "tarsel-cli: cannot write to standard output: No space left on device\n");
}

// The store forgets a column's last result when it is loaded; list still shows what the last
// update run ended with. A redirect loop shows the program's text for its code, and the JSON
// names it in its detail.
TEST_F(PipeTest, ListShowsTheFailuresOfTheLastUpdate) {
  auto feed = server_.Serve("/ok.xml", FixtureResponse(200,
                                                       "<rss><channel><title>Fine</title>"
                                                       "</channel></rss>"));
  auto loop =
      server_.Serve("/loop", FixtureResponse(302, "", "text/plain", {{"Location", "/loop"}}));
  ASSERT_EQ(cli_.Run({"add", server_.Url("/ok.xml")}).status, 0);
  ASSERT_EQ(cli_.Run({"add", server_.Url("/loop")}).status, 0);
  ASSERT_EQ(cli_.Run({"add", server_.Url("/gone.xml")}).status, 0);

  const CliRun update = cli_.Run({"update", "--json"});
  EXPECT_EQ(update.status, 1);
  std::map<int, nlohmann::json> lines;
  std::istringstream stream(update.out);
  for (std::string line; std::getline(stream, line);) {
    const nlohmann::json json = nlohmann::json::parse(line);
    lines[json["id"].get<int>()] = json;
  }
  ASSERT_EQ(lines.size(), 3u) << update.out;
  EXPECT_EQ(lines[1]["failure"], 0);
  EXPECT_EQ(lines[2]["failure"], 161) << "the stored code stays";
  EXPECT_EQ(lines[2]["http_status"], 302);
  const std::string not_found_text =
      "HTTP 404 Error. You should unsubscribe from this column or enter another url.";
  EXPECT_EQ(lines[2]["message"], not_found_text);
  EXPECT_NE(lines[2]["detail"].get<std::string>().find("Redirect loop"), std::string::npos);
  EXPECT_EQ(lines[3]["failure"], 161);
  EXPECT_EQ(lines[3]["message"], not_found_text);
  EXPECT_EQ(lines[3]["detail"], "");

  const std::string list = cli_.Run({"list"}).out;
  EXPECT_NE(list.find("/ok.xml\n"), std::string::npos) << list;
  EXPECT_NE(list.find("/loop  (HTTP 404 Error."), std::string::npos) << list;
  EXPECT_NE(list.find("/gone.xml  (HTTP 404 Error."), std::string::npos) << list;

  // A column that works again loses its failure.
  auto back = server_.Serve("/gone.xml", FixtureResponse(200,
                                                         "<rss><channel><title>Back"
                                                         "</title></channel></rss>"));
  ASSERT_EQ(cli_.Run({"update", "3"}).status, 0);
  const nlohmann::json nodes = nlohmann::json::parse(cli_.Run({"list", "--json"}).out);
  EXPECT_EQ(nodes[1]["last_result"], 161);
  EXPECT_EQ(nodes[2]["last_result"], 0);
  EXPECT_EQ(nodes[2]["message"], "");
}

}  // namespace
}  // namespace tarsel
