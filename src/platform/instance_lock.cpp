#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace tarsel {
namespace {

std::string LockPath(const std::string& data_folder) {
  if (data_folder.empty() || data_folder.back() == '/')
    return data_folder + InstanceLock::kFileName;
  return data_folder + "/" + InstanceLock::kFileName;
}

// 0 when the lock was taken, else the errno (EWOULDBLOCK: someone holds it).
int LockNow(int descriptor) {
  while (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EINTR) return errno;
  }
  return 0;
}

}  // namespace

bool InstanceLock::TryAcquire(const std::string& data_folder) {
  if (held()) return true;
  std::error_code ignored;
  if (!data_folder.empty()) std::filesystem::create_directories(data_folder, ignored);
  int descriptor = ::open(LockPath(data_folder).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (descriptor < 0) return false;
  if (LockNow(descriptor) != 0) {
    ::close(descriptor);
    return false;
  }
  descriptor_ = descriptor;
  return true;
}

void InstanceLock::Release() {
  if (descriptor_ >= 0) ::close(descriptor_);  // closing the file drops the lock
  descriptor_ = -1;
}

bool InstanceLock::IsHeldByAnother(const std::string& data_folder) {
  int descriptor = ::open(LockPath(data_folder).c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return false;
  // Only a lock someone holds counts; a file system without locks stops nobody.
  bool held_elsewhere = LockNow(descriptor) == EWOULDBLOCK;
  ::close(descriptor);
  return held_elsewhere;
}

}  // namespace tarsel
