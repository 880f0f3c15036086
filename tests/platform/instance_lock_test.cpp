#include "platform/instance_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace tarsel {
namespace {

TEST(InstanceLockTest, OneHolderAtATime) {
  testing::TempDir dir;
  std::string folder = dir.File("data/Tarsel");  // missing, parents included
  EXPECT_FALSE(InstanceLock::IsHeldByAnother(folder));
  EXPECT_FALSE(std::filesystem::exists(folder)) << "asking must create nothing";
  {
    InstanceLock first, second;
    ASSERT_TRUE(first.TryAcquire(folder));
    EXPECT_TRUE(std::filesystem::exists(folder + "/tarsel.lock"));
    EXPECT_TRUE(first.TryAcquire(folder)) << "a holder asking again keeps its lock";
    EXPECT_FALSE(second.TryAcquire(folder + "/"));
    EXPECT_FALSE(second.held());
    EXPECT_TRUE(InstanceLock::IsHeldByAnother(folder));
  }
  EXPECT_FALSE(InstanceLock::IsHeldByAnother(folder)) << "destroying the holder frees the lock";
  InstanceLock third;
  EXPECT_TRUE(third.TryAcquire(folder));
}

// The holder names itself in the lock file; a later holder replaces the name, a longer one
// leaving nothing of it behind.
TEST(InstanceLockTest, TheLockFileNamesItsHolder) {
  testing::TempDir dir;
  EXPECT_EQ(InstanceLock::ReadHolder(dir.path()).holder, LockHolder::kUnknown);
  for (LockHolder holder : {LockHolder::kCommandLine, LockHolder::kDesktopProgram}) {
    InstanceLock lock;
    ASSERT_TRUE(lock.TryAcquire(dir.path(), holder));
    const LockHolderInfo info = InstanceLock::ReadHolder(dir.path());
    EXPECT_EQ(info.holder, holder);
    EXPECT_EQ(info.pid, getpid());
  }
  testing::WriteFileBytes(dir.File("tarsel.lock"), "garbage");
  EXPECT_EQ(InstanceLock::ReadHolder(dir.path()).holder, LockHolder::kUnknown);
}

TEST(InstanceLockTest, UncreatableFolderFails) {
  testing::TempDir dir;
  testing::WriteFileBytes(dir.File("file"), "x");
  InstanceLock lock;
  EXPECT_FALSE(lock.TryAcquire(dir.File("file/Tarsel")));
  EXPECT_FALSE(lock.held());
}

// The lock works between processes and dies with its holder, however the holder ends.
TEST(InstanceLockTest, AnotherProcessHoldsItUntilItEnds) {
  testing::TempDir dir;
  int to_child[2], from_child[2];
  ASSERT_EQ(pipe(to_child), 0);
  ASSERT_EQ(pipe(from_child), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    InstanceLock lock;
    char answer = lock.TryAcquire(dir.path()) ? 'y' : 'n';
    char go;
    if (write(from_child[1], &answer, 1) != 1 || read(to_child[0], &go, 1) < 0) _exit(2);
    _exit(0);  // ends without releasing: the kernel drops the lock
  }
  char answer = 0;
  ASSERT_EQ(read(from_child[0], &answer, 1), 1);
  ASSERT_EQ(answer, 'y');
  EXPECT_TRUE(InstanceLock::IsHeldByAnother(dir.path()));
  InstanceLock mine;
  EXPECT_FALSE(mine.TryAcquire(dir.path()));
  ASSERT_EQ(write(to_child[1], "g", 1), 1);
  waitpid(child, nullptr, 0);
  EXPECT_FALSE(InstanceLock::IsHeldByAnother(dir.path()));
  EXPECT_TRUE(mine.TryAcquire(dir.path()));
  for (int fd : {to_child[0], to_child[1], from_child[0], from_child[1]}) close(fd);
}

}  // namespace
}  // namespace tarsel
