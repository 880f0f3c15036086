#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_session.h"
#include "support/fixture_server.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

using Json = nlohmann::json;
using testing::CliRun;
using testing::FixtureRequest;
using testing::FixtureResponse;

constexpr char kFeed[] = "<rss version=\"2.0\"><channel><title>T</title></channel></rss>";

class FetchCommandTest : public ::testing::Test {
 protected:
  // Runs `fetch URL args...`; the command's scratch data folder must be gone afterwards.
  CliRun Fetch(const std::string& path, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"fetch", server_.Url(path)});
    CliRun run = session_.Run(arguments);
    EXPECT_TRUE(std::filesystem::is_empty(scratch_parent_.path())) << "scratch folder left";
    return run;
  }

  testing::CliSession session_;
  testing::TempDir scratch_parent_;
  testing::ScopedEnv temp_{"TMPDIR", scratch_parent_.path()};
  testing::ScopedEnv no_proxy_{"no_proxy", "*"};
  testing::FixtureServer server_;
};

TEST_F(FetchCommandTest, ReportsTheDownloadAsJson) {
  auto feed = server_.Serve("/feed", [](const FixtureRequest& request) {
    if (request.Header("If-None-Match") == "\"v1\"") return FixtureResponse{304, ""};
    return FixtureResponse{200, kFeed, "application/rss+xml", {{"ETag", "\"v1\""}}};
  });
  auto missing = server_.Serve("/missing", FixtureResponse{404, "gone"});
  auto page = server_.Serve(
      "/site/",
      FixtureResponse{200, "<html><link type=\"text/xml\" href=\"rss.xml\">", "text/html"});
  auto moved =
      server_.Serve("/old", FixtureResponse{301, "", "text/plain", {{"Location", "/feed"}}});
  auto nowhere = server_.Serve("/nowhere", FixtureResponse{302, "", "text/plain"});
  auto locked = server_.Serve("/locked", [](const FixtureRequest& request) {
    return request.Header("Authorization") == "Basic dTpw"
               ? FixtureResponse{200, kFeed}
               : FixtureResponse{401, "", "text/plain", {{"WWW-Authenticate", "Basic"}}};
  });
  const struct {
    const char* name;
    std::string path;
    std::vector<std::string> arguments;
    int exit_status;
    Json expected;  // the keys to compare
  } cases[] = {
      {"feed",
       "/feed",
       {},
       0,
       {{"status", 200},
        {"failure", 0},
        {"message", ""},
        {"detail", ""},
        {"etag", "\"v1\""},
        {"new_content", true},
        {"bytes", sizeof(kFeed) - 1},
        {"discovered", ""},
        {"title", "T"},
        {"records", 0}}},
      {"not modified",
       "/feed",
       {"--etag", "\"v1\""},
       0,
       {{"status", 304}, {"etag", "\"v1\""}, {"new_content", false}, {"bytes", 0}}},
      {"404",
       "/missing",
       {},
       1,
       {{"status", 404},
        {"failure", 161},
        {"message",
         "HTTP 404 Error. You should unsubscribe from this column or enter another url."},
        {"detail", ""},
        {"new_content", false}}},
      {"redirect to no address",
       "/nowhere",
       {},
       1,
       {{"status", 302},
        {"failure", 161},
        {"message",
         "HTTP 404 Error. You should unsubscribe from this column or enter another url."},
        {"detail", "Redirect loop: the address kept redirecting (or redirected to no address)"}}},
      {"web page",
       "/site/",
       {},
       5,
       {{"failure", 5},
        {"discovered", server_.Url("/site/rss.xml")},
        {"url", server_.Url("/site/")}}},
      {"moved", "/old", {}, 0, {{"url", server_.Url("/feed")}, {"status", 200}}},
      {"credentials", "/locked", {"--user", "u", "--password", "p"}, 0, {{"status", 200}}},
      {"no credentials", "/locked", {}, 1, {{"status", 401}, {"failure", 7}}},
      {"url through the code page",
       "/\xD0\x94",
       {"--encoding", "cyrillic"},
       1,
       {{"url", server_.Url("/\xD0\x94")}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> arguments = c.arguments;
    arguments.push_back("--json");
    CliRun run = Fetch(c.path, arguments);
    EXPECT_EQ(run.status, c.exit_status) << run.err;
    const Json output = Json::parse(run.out, nullptr, false);
    ASSERT_TRUE(output.is_object()) << run.out;
    EXPECT_EQ(output.size(), 13u);
    for (const auto& [key, value] : c.expected.items()) EXPECT_EQ(output[key], value) << key;
  }
}

TEST_F(FetchCommandTest, PlainReportAndUsage) {
  CliRun plain = Fetch("/nothing-here", {});
  EXPECT_EQ(plain.status, 1);
  EXPECT_NE(plain.out.find("HTTP status:   404"), std::string::npos) << plain.out;
  EXPECT_NE(plain.out.find("You should unsubscribe"), std::string::npos) << plain.out;

  for (const std::vector<std::string>& arguments : {std::vector<std::string>{"fetch"},
                                                    {"fetch", "http://a/", "--encoding", "klingon"},
                                                    {"fetch", "http://a/", "http://b/"}}) {
    CliRun run = session_.Run(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("Usage: tarsel-cli fetch"), std::string::npos);
  }
}

}  // namespace
}  // namespace tarsel
