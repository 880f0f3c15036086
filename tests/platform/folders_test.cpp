#include "platform/folders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace tarsel {
namespace {

using testing::ScopedEnv;
using testing::TempDir;
using testing::WriteFileBytes;

TEST(FoldersTest, XdgVariablesAreReadAtEveryCall) {
  ScopedEnv home("HOME", "/home/someone");
  {
    ScopedEnv data("XDG_DATA_HOME", "/srv/data");
    ScopedEnv config("XDG_CONFIG_HOME", "/srv/config");
    EXPECT_EQ(DataFolder(), "/srv/data/Tarsel");
    EXPECT_EQ(StartupFolder(), "/srv/config/autostart");
    ScopedEnv moved("XDG_DATA_HOME", "/elsewhere");
    EXPECT_EQ(DataFolder(), "/elsewhere/Tarsel");
  }
  // Unset, empty or relative values fall back to the folders under HOME.
  for (const char* value : {"", "relative/path"}) {
    SCOPED_TRACE(value);
    ScopedEnv data("XDG_DATA_HOME", value);
    ScopedEnv config("XDG_CONFIG_HOME", value);
    EXPECT_EQ(DataFolder(), "/home/someone/.local/share/Tarsel");
    EXPECT_EQ(StartupFolder(), "/home/someone/.config/autostart");
  }
}

TEST(FoldersTest, ProgramFolderIsTheFolderOfTheExecutableWithTrailingSlash) {
  std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.front(), '/');
  EXPECT_EQ(folder.back(), '/');
  char exe[4096] = {};
  ssize_t length = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
  ASSERT_GT(length, 0);
  std::string path(exe, static_cast<size_t>(length));
  EXPECT_EQ(path.rfind(folder, 0), 0u);
  EXPECT_EQ(path.find('/', folder.size()), std::string::npos);
}

// The installed layout: PREFIX/bin/tarsel with its shipped files in PREFIX/share/tarsel/.
TEST(FoldersTest, ShippedFilesOfAnInstalledProgramAreUnderShare) {
  TempDir prefix;
  std::filesystem::create_directories(prefix.File("usr/bin"));
  std::filesystem::create_directories(prefix.File("usr/share/tarsel"));
  std::filesystem::create_directories(prefix.File("build/bin"));
  std::filesystem::create_directories(prefix.File("opt/share/tarsel"));
  std::filesystem::create_directories(prefix.File("opt/libexec"));
  std::filesystem::create_directories(prefix.File("odd/bin"));
  std::filesystem::create_directories(prefix.File("odd/share"));
  WriteFileBytes(prefix.File("odd/share/tarsel"), "not a folder");
  const struct {
    const char* name;
    std::string executable_folder;
    std::string expected;
  } kCases[] = {
      {"installed", prefix.File("usr/bin/"), prefix.File("usr/share/tarsel/")},
      {"build tree", prefix.File("build/bin/"), prefix.File("build/bin/")},
      {"not a bin folder", prefix.File("opt/libexec/"), prefix.File("opt/libexec/")},
      {"share/tarsel is a file", prefix.File("odd/bin/"), prefix.File("odd/bin/")},
  };
  for (const auto& test_case : kCases) {
    SCOPED_TRACE(test_case.name);
    EXPECT_EQ(ShippedFilesFolder(test_case.executable_folder), test_case.expected);
  }
}

}  // namespace
}  // namespace tarsel
