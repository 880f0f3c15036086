#include "platform/process_spawn.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/instance_lock.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

using Words = std::vector<std::string>;

TEST(SplitShellWordsTest, SplitsAsAShellWouldWithoutExpanding) {
  struct Case {
    const char* name;
    const char* text;
    Words words;
  };
  const Case cases[] = {
      {"nothing", "", {}},
      {"only blanks", " \t\n ", {}},
      {"blanks of every kind", "  a\tb\n c  ", {"a", "b", "c"}},
      {"single quotes keep blanks", "'my file.txt' x", {"my file.txt", "x"}},
      {"double quotes keep blanks", "\"my file.txt\"", {"my file.txt"}},
      {"escaped blank", "my\\ file", {"my file"}},
      {"quotes join their neighbours", "a'b c'\"d e\"f", {"ab cd ef"}},
      {"empty quotes are empty words", "'' \"\" x", {"", "", "x"}},
      {"backslash literal in single quotes", "'a\\b\\'", {"a\\b\\"}},
      {"double quotes escape only a few characters", "\"a\\\"b\\\\c\\$d\\e\"", {"a\"b\\c$d\\e"}},
      {"backslash outside quotes escapes anything", "\\'\\\"\\a", {"'\"a"}},
      {"backslash-newline joins", "ab\\\ncd \"e\\\nf\"", {"abcd", "ef"}},
      {"trailing backslash stays", "a\\", {"a\\"}},
      {"no expansion of any kind",
       "$HOME *.txt ~ `id` $(id) a;b|c>d",
       {"$HOME", "*.txt", "~", "`id`", "$(id)", "a;b|c>d"}},
      {"single quote inside double quotes", "\"it's\"", {"it's"}},
  };
  for (const Case& c : cases) {
    std::optional<Words> words = SplitShellWords(c.text);
    ASSERT_TRUE(words.has_value()) << c.name;
    EXPECT_EQ(*words, c.words) << c.name;
  }
}

TEST(SplitShellWordsTest, UnclosedQuotesAreRefused) {
  for (const char* text : {"'abc", "a \"b", "\"a\\\"", "'a'\"", "x \"it's"}) {
    EXPECT_FALSE(SplitShellWords(text).has_value()) << text;
  }
}

// Waits a few seconds at most for a condition that a started program brings about.
template <typename Condition>
bool Eventually(Condition condition) {
  for (int i = 0; i < 500; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TEST(ProcessSpawnTest, ParametersReachTheProgramAsWordsAndNeverAsCommands) {
  testing::TempDir dir;
  std::string spaced = dir.File("my file");
  // A shell would substitute or glob this name; only a literal file proves none ran.
  std::string literal = dir.File("$(id) `id` * ~");
  ASSERT_TRUE(OpenProgram("touch", "'" + spaced + "' \"" + literal + "\""));
  EXPECT_TRUE(Eventually([&] { return std::filesystem::exists(literal); }));
  EXPECT_TRUE(std::filesystem::exists(spaced));
  EXPECT_FALSE(std::filesystem::exists(dir.File("my")));
}

TEST(ProcessSpawnTest, RefusesWhatCannotStart) {
  EXPECT_FALSE(OpenProgram("", ""));
  EXPECT_FALSE(OpenProgram("touch", "'unclosed"));
  EXPECT_FALSE(SpawnDetached({}));
  EXPECT_FALSE(SpawnDetached({"tarsel-no-such-program-here"}));
  EXPECT_FALSE(SpawnDetached({"/nonexistent/program"}));
}

TEST(ProcessSpawnTest, EndedProgramsLeaveNoZombie) {
  pid_t pid = 0;
  ASSERT_TRUE(SpawnDetached({"true"}, &pid));
  // A zombie still answers signal 0; a reaped child is gone.
  EXPECT_TRUE(Eventually([pid] { return kill(pid, 0) != 0 && errno == ESRCH; }));
}

TEST(ProcessSpawnTest, StartedProgramsDoNotInheritTheInstanceLock) {
  testing::TempDir dir;
  InstanceLock lock;
  ASSERT_TRUE(lock.TryAcquire(dir.path()));
  // Its output goes nowhere: holding the test's own output open would keep ctest waiting.
  ASSERT_TRUE(SpawnDetached({"sh", "-c", "exec sleep 2 >/dev/null 2>&1"}));
  lock.Release();
  InstanceLock next;
  EXPECT_TRUE(next.TryAcquire(dir.path())) << "the started program kept the lock alive";
}

}  // namespace
}  // namespace tarsel
