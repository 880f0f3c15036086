// Golden files: tests/data/feeds/NAME.xml (or the JSON Feed NAME.json) is parsed by
// `tarsel-cli parse` and compared with NAME.expected.json. NAME.args holds the options of that
// run (default "--encoding western"). Records without a date take the parse time; the expected
// files write that as "parse time".
// TARSEL_UPDATE_GOLDEN=1 rewrites the expected files (read them before committing them).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli_session.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;
using testing::CliRun;
using testing::CliSession;

constexpr char kParseTime[] = "parse time";

std::string FeedData(const std::string& name) {
  return std::string(TARSEL_TEST_DATA) + "/feeds/" + name;
}

std::vector<std::string> ArgumentsOf(const fs::path& args_file) {
  std::vector<std::string> arguments;
  std::istringstream words(fs::exists(args_file) ? testing::ReadFileBytes(args_file)
                                                 : std::string("--encoding western"));
  for (std::string word; words >> word;) arguments.push_back(word);
  return arguments;
}

// Dates a record got from the clock instead of the feed become kParseTime.
void NormaliseParseTimes(Json& channel, int64_t started, int64_t ended) {
  for (Json& record : channel["records"]) {
    int64_t published = record["published"].get<int64_t>();
    if (published >= started && published <= ended) record["published"] = kParseTime;
  }
}

TEST(ParseCommandTest, GoldenFiles) {
  const bool update = std::getenv("TARSEL_UPDATE_GOLDEN") != nullptr;
  std::vector<fs::path> feeds;
  for (const auto& entry : fs::directory_iterator(FeedData(""))) {
    const std::string file = entry.path().filename().string();
    const bool json_feed = file.ends_with(".json") && !file.ends_with(".expected.json");
    if (entry.path().extension() == ".xml" || json_feed) feeds.push_back(entry.path());
  }
  std::sort(feeds.begin(), feeds.end());
  ASSERT_GE(feeds.size(), 9u);

  CliSession session;
  for (const fs::path& feed : feeds) {
    const std::string name = feed.stem().string();
    std::vector<std::string> arguments = {"parse", feed.string()};
    for (std::string& argument : ArgumentsOf(fs::path(feed).replace_extension(".args"))) {
      arguments.push_back(argument);
    }
    const int64_t started = std::time(nullptr);
    CliRun run = session.Run(arguments);
    const int64_t ended = std::time(nullptr);
    ASSERT_EQ(run.status, 0) << name << ": " << run.err;
    Json actual = Json::parse(run.out);
    NormaliseParseTimes(actual, started, ended);

    const fs::path expected_file = fs::path(feed).replace_extension(".expected.json");
    if (update) testing::WriteFileBytes(expected_file, actual.dump(2) + "\n");
    Json expected = Json::parse(testing::ReadFileBytes(expected_file));
    EXPECT_EQ(actual.dump(2), expected.dump(2)) << name;
  }
}

TEST(ParseCommandTest, PagesAndBrokenBodies) {
  const struct {
    const char* name;
    std::vector<std::string> arguments;
    int status;
    std::string out;
    std::string err;
  } cases[] = {
      {"web page without a feed link",
       {"not_a_feed.html"},
       4,
       "",
       "tarsel-cli: Error parsing column data\n"},
      {"elements nested too deep",
       {"too_deep.rss"},
       4,
       "",
       "tarsel-cli: Error parsing column data\n"},
      {"web page with a feed link",
       {"page_with_feed_link.html", "--url", "http://workshop.example.com/blog/"},
       5,
       "http://workshop.example.com/feeds/index.rss\n",
       "tarsel-cli: This is not rss column.\n The link to RSS file was autodiscovered\nNew link "
       "will be used in next update\n"},
      {"feed link without a page address stays relative",
       {"page_with_feed_link.html"},
       5,
       "../feeds/index.rss\n",
       ""},
      {"unknown encoding word", {"rss20.xml", "--encoding", "klingon"}, 2, "", ""},
      {"missing file", {"no_such_feed.xml"}, 1, "", ""},
  };
  CliSession session;
  for (const auto& c : cases) {
    std::vector<std::string> arguments = {"parse", FeedData(c.arguments[0])};
    arguments.insert(arguments.end(), c.arguments.begin() + 1, c.arguments.end());
    CliRun run = session.Run(arguments);
    EXPECT_EQ(run.status, c.status) << c.name;
    EXPECT_EQ(run.out, c.out) << c.name;
    if (!c.err.empty()) {
      EXPECT_EQ(run.err, c.err) << c.name;
    }
  }
}

std::string FirstDescription(const CliRun& run) {
  if (run.status != 0) return "exit " + std::to_string(run.status) + ": " + run.err;
  return Json::parse(run.out)["description"].get<std::string>();
}

TEST(ParseCommandTest, EncodingComesFromTheSettingsFile) {
  CliSession session;
  const std::string feed = FeedData("utf8_cyrillic.xml");
  EXPECT_EQ(FirstDescription(session.Run({"parse", feed})), "Номер №5 — цена 100 € и café")
      << "no settings file: Automatic, here C.UTF-8's UTF-8";

  Settings settings;
  settings.encoding = kEncodingCyrillicWindows;
  fs::create_directories(session.DataFolder());
  testing::WriteFileBytes(session.DataFolder() + "/settings.xml", SettingsFileText(settings));
  EXPECT_EQ(FirstDescription(session.Run({"parse", feed})), "Номер №5 — цена 100 € и caf ");
  EXPECT_EQ(FirstDescription(session.Run({"parse", feed, "--encoding", "central"})),
            "       5 —      100 €   caf\xC3\xA9")
      << "the command line wins over the file";
}

TEST(ParseCommandTest, AutomaticFollowsTheLocale) {
  CliSession session;
  const std::string feed = FeedData("utf8_cyrillic.xml");
  const struct {
    const char* locale;
    std::string description;
  } cases[] = {
      {"ru_RU.CP1251", "Номер №5 — цена 100 € и caf "},
      {"de_DE", "       5 —      100 €   caf\xC3\xA9"},
      {"ru_RU.UTF-8", "Номер №5 — цена 100 € и café"},
      {"en_US.UTF-8", "Номер №5 — цена 100 € и café"},
  };
  for (const auto& c : cases) {
    testing::ScopedEnv locale("LC_ALL", c.locale);
    EXPECT_EQ(FirstDescription(session.Run({"parse", feed, "--encoding", "automatic"})),
              c.description)
        << c.locale;
  }
}

// The UTF-8 Russian feed read into Windows-1251 by the explicit choice shows the same text as
// under Automatic on a UTF-8 desktop.
TEST(ParseCommandTest, RussianFeedUnderCyrillicWindows) {
  CliSession session;
  const Json golden = Json::parse(testing::ReadFileBytes(FeedData("lang_ru_utf8.expected.json")));
  const CliRun run = session.Run({"parse", FeedData("lang_ru_utf8.xml"), "--encoding", "cyrillic"});
  ASSERT_EQ(run.status, 0) << run.err;
  const Json cyrillic = Json::parse(run.out);
  EXPECT_EQ(cyrillic["title"], golden["title"]);
  for (size_t i = 0; i < 2; ++i) {
    for (const char* field : {"title", "summary", "description"}) {
      EXPECT_EQ(cyrillic["records"][i][field], golden["records"][i][field]) << i << field;
    }
  }
}

}  // namespace
}  // namespace tarsel
