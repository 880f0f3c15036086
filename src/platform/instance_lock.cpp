#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <string_view>
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

constexpr std::string_view kDesktopName = "tarsel";
constexpr std::string_view kCommandLineName = "tarsel-cli";

// "NAME PID\n" replaces whatever an earlier holder wrote.
void WriteHolder(int descriptor, LockHolder holder) {
  std::string text(holder == LockHolder::kCommandLine ? kCommandLineName : kDesktopName);
  text += ' ';
  text += std::to_string(::getpid());
  text += '\n';
  if (::ftruncate(descriptor, 0) != 0) return;
  [[maybe_unused]] const ssize_t written = ::pwrite(descriptor, text.data(), text.size(), 0);
}

LockHolderInfo ParseHolder(std::string_view text) {
  LockHolderInfo info;
  const size_t blank = text.find(' ');
  if (blank == std::string_view::npos) return info;
  const std::string_view name = text.substr(0, blank);
  if (name == kDesktopName) info.holder = LockHolder::kDesktopProgram;
  if (name == kCommandLineName) info.holder = LockHolder::kCommandLine;
  const std::string_view digits = text.substr(blank + 1);
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
  if (error == std::errc() && pid > 0) info.pid = pid;
  return info;
}

}  // namespace

bool InstanceLock::TryAcquire(const std::string& data_folder, LockHolder holder) {
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
  WriteHolder(descriptor, holder);
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

LockHolderInfo InstanceLock::ReadHolder(const std::string& data_folder) {
  int descriptor = ::open(LockPath(data_folder).c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return {};
  char buffer[64];
  const ssize_t got = ::pread(descriptor, buffer, sizeof(buffer), 0);
  ::close(descriptor);
  if (got <= 0) return {};
  std::string_view text(buffer, static_cast<size_t>(got));
  return ParseHolder(text.substr(0, text.find('\n')));
}

}  // namespace tarsel
