#include "platform/shell_open.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/temp_dir.h"

namespace tarsel {
namespace {

using testing::ReadFileBytes;
using testing::ScopedEnv;
using testing::TempDir;
using testing::WriteFileBytes;

// A stand-in xdg-open on PATH that writes its arguments, one a line, to a file.
class FakeXdgOpen {
 public:
  FakeXdgOpen()
      : path_env_("PATH", folder_.path()), out_env_("TARSEL_FAKE_OUT", folder_.File("args")) {
    std::string script = folder_.File("xdg-open");
    WriteFileBytes(
        script,
        "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$TARSEL_FAKE_OUT.part\"\n"
        "/bin/mv \"$TARSEL_FAKE_OUT.part\" \"$TARSEL_FAKE_OUT\"\n");
    chmod(script.c_str(), 0700);
  }

  // The arguments of the last run, or "" when none arrived within a few seconds.
  std::string WaitForArguments() const {
    for (int i = 0; i < 500; ++i) {
      if (std::filesystem::exists(folder_.File("args"))) return ReadFileBytes(folder_.File("args"));
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "";
  }

 private:
  TempDir folder_;
  ScopedEnv path_env_;
  ScopedEnv out_env_;
};

TEST(ShellOpenTest, HandsTheTargetOverAsOneArgumentWithoutAShell) {
  struct Case {
    const char* name;
    bool (*open)(const std::string&);
    std::string target;
    std::string expected;
  };
  const Case cases[] = {
      {"url with shell characters", OpenUrlInBrowser, "https://a.example/?q=1&r=$(id);x y",
       "https://a.example/?q=1&r=$(id);x y\n"},
      {"mailto", OpenUrlInBrowser, "mailto:x@y.example?subject=A[B - 1]",
       "mailto:x@y.example?subject=A[B - 1]\n"},
      {"document", OpenDocument, "/tmp/help page.html", "/tmp/help page.html\n"},
      {"document named like an option", OpenDocument, "-x.html", "./-x.html\n"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    FakeXdgOpen fake;
    ASSERT_TRUE(test.open(test.target));
    EXPECT_EQ(fake.WaitForArguments(), test.expected);
  }
}

TEST(ShellOpenTest, RefusesWhatXdgOpenWouldMisreadAndFailsQuietlyWithoutIt) {
  {
    FakeXdgOpen fake;
    EXPECT_FALSE(OpenUrlInBrowser("--manual"));
    EXPECT_FALSE(OpenUrlInBrowser(""));
    EXPECT_FALSE(OpenUrlInBrowser(std::string("http://a\0b", 10)));
  }
  TempDir empty;
  ScopedEnv path("PATH", empty.path());
  EXPECT_FALSE(OpenUrlInBrowser("https://tarsel.example/"));
}

}  // namespace
}  // namespace tarsel
