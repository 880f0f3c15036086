#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/http/client_test_support.h"
#include "services/version_checker.h"
#include "services/version_compare.h"
#include "support/fixture_server.h"

namespace tarsel {
namespace {

constexpr char kOwnVersion[] = "2.0 build 158";

class RecordingNewVersionPrompt final : public NewVersionPrompt {
 public:
  bool ShowNewVersion(const std::string& caption, const std::string& text) override {
    shown.push_back(caption + "|" + text);
    return tick;
  }
  std::vector<std::string> shown;
  bool tick = false;
};

TEST(VersionCompareTest, OnlyAHigherMajorOrMinorTells) {
  const struct {
    const char* name;
    std::string file;
    bool notice;
  } kCases[] = {
      {"same version", "2.0\r\nbuild 158\r\ntext", false},
      {"higher build only", "2.0\nbuild 200\ntext", false},
      {"older", "1.9\nbuild 999\ntext", false},
      {"newer minor", "\r\n2.1\n\n\rbuild 1\nfixes\nignored", true},
      {"newer major, no build number", "3.0\nbeta\ntext", true},
      {"no numbers", "beta\nbuild 1\ntext", false},
      {"two lines", "9.9\nbuild 1\n", false},
      {"huge numbers", "99999999999.99999999999\nb\nt", true},
  };
  for (const auto& test_case : kCases) {
    RecordingNewVersionPrompt prompt;
    CompareAndNotify(SplitVersionLines(test_case.file), kOwnVersion, prompt);
    EXPECT_EQ(prompt.shown.size(), test_case.notice ? 1u : 0u) << test_case.name;
  }
  RecordingNewVersionPrompt prompt;
  prompt.tick = true;
  EXPECT_TRUE(CompareAndNotify({"2.1", "build 1", "fixes"}, kOwnVersion, prompt));
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0],
            "New Version|New version of Tarsel is availible for download\n"
            "Version: 2.1 build 1\nLast Changes:\nfixes");
}

TEST(VersionCompareTest, TwentyDayRule) {
  constexpr int32_t kDay = 86400;
  const int32_t now = 1700000000;
  EXPECT_FALSE(VersionCheckPeriodPassed(now, now - 19 * kDay));
  EXPECT_FALSE(VersionCheckPeriodPassed(now, now - 20 * kDay));
  EXPECT_TRUE(VersionCheckPeriodPassed(now, now - 21 * kDay));
  EXPECT_TRUE(VersionCheckPeriodPassed(INT32_MAX, INT32_MIN));
  EXPECT_FALSE(VersionCheckPeriodPassed(INT32_MIN, INT32_MAX));
}

TEST(VersionCheckerTest, FetchesTheFileOrStaysSilent) {
  testing::FixtureServer server;
  auto file = server.Serve("/version.txt", {200, "2.1\r\nbuild 160\r\nfaster\r\n"});
  auto missing = server.Serve("/missing.txt", {404, "no"});
  auto moved = server.Serve("/other.txt", {203, "2.1\nbuild 160\nfaster"});
  const struct {
    const char* name;
    const char* path;
    bool enabled;
    std::vector<std::string> lines;
    int file_hits;  // after this case
  } kCases[] = {
      {"found", "/version.txt", true, {"2.1", "build 160", "faster"}, 1},
      {"http error", "/missing.txt", true, {}, 1},
      {"other status", "/other.txt", true, {}, 1},
      {"the user said not to tell", "/version.txt", false, {}, 1},
  };
  for (const auto& test_case : kCases) {
    std::vector<std::string> heard;
    {
      VersionChecker checker(server.Url(test_case.path));
      const VersionCheckOptions options{test_case.enabled, HTTP::testing::Direct()};
      ASSERT_TRUE(
          checker.Start(options, [&heard](std::vector<std::string> lines) { heard = lines; }));
      checker.Wait();
    }
    EXPECT_EQ(heard, test_case.lines) << test_case.name;
    EXPECT_EQ(file.Hits(), test_case.file_hits) << test_case.name;
  }
  EXPECT_EQ(file.LastRequest().Header("Accept"), "*/*");
}

}  // namespace
}  // namespace tarsel
