#include "platform/folders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace tarsel {
namespace {

using testing::ScopedEnv;

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

}  // namespace
}  // namespace tarsel
