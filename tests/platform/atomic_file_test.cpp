#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace tarsel {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

int EntriesIn(const std::string& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

TEST(AtomicFileTest, ReplacesTheFileWithTheGivenModeAndNothingElse) {
  TempDir folder;
  const std::string path = folder.File("data.bin");
  WriteFileBytes(path, "old contents that are longer");
  chmod(path.c_str(), 0666);
  for (mode_t mode : {mode_t{0600}, mode_t{0644}}) {
    std::string bytes("new\0bytes", 9);
    ASSERT_TRUE(WriteFileAtomically(path, bytes, mode));
    EXPECT_EQ(ReadFileBytes(path), bytes);
    struct stat status {};
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, mode);
    EXPECT_EQ(EntriesIn(folder.path()), 1);
  }
}

// A save that died before its rename leaves its temporary file behind; the next save writes
// over it and must not keep the tail of the longer old bytes.
TEST(AtomicFileTest, StaleTemporaryFileLongerThanTheNewContentLeavesNothingBehind) {
  TempDir folder;
  const std::string path = folder.File("columns.dat");
  const std::string temp_path = folder.File("columns.dat.tmp");
  WriteFileBytes(temp_path, std::string(4096, 'x'));
  ASSERT_TRUE(ReplaceFileAtomically(path, temp_path, "new store", false));
  EXPECT_EQ(ReadFileBytes(path), "new store");
}

TEST(AtomicFileTest, FailureKeepsTheOldStateAndLeavesNoTemporaryFile) {
  TempDir folder;
  // The target is a non-empty folder: rename fails after the bytes were written.
  const std::string blocked = folder.File("blocked");
  std::filesystem::create_directory(blocked);
  WriteFileBytes(blocked + "/inside", "x");
  EXPECT_FALSE(WriteFileAtomically(blocked, "bytes"));
  EXPECT_EQ(ReadFileBytes(blocked + "/inside"), "x");
  EXPECT_EQ(EntriesIn(folder.path()), 1);
  EXPECT_FALSE(WriteFileAtomically(folder.File("missing/data.bin"), "bytes"));
}

}  // namespace
}  // namespace tarsel
