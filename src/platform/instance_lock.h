#pragma once

// Only one desktop program runs per user: it holds an exclusive lock on the file
// "tarsel.lock" in the data folder for as long as it runs. The lock is an flock, so it goes
// away with the process, however that ends. tarsel-cli asks IsHeldByAnother before it writes
// the stores. The lock file's descriptor is never inherited by programs this process starts.
//
// The holder writes who it is into the lock file ("tarsel PID" or "tarsel-cli PID"), so a
// refused writer can say what keeps the folder busy. The content is a hint only: the flock
// alone decides who holds the folder.

#include <sys/types.h>

#include <string>

namespace tarsel {

// Who took the lock, as the lock file tells.
enum class LockHolder {
  kUnknown,         // nobody wrote a name (an old holder, or it is just taking the lock)
  kDesktopProgram,  // the desktop program
  kCommandLine,     // a tarsel-cli command
};

struct LockHolderInfo {
  LockHolder holder = LockHolder::kUnknown;
  pid_t pid = 0;  // 0 when unknown
};

class InstanceLock {
 public:
  static constexpr const char* kFileName = "tarsel.lock";

  InstanceLock() = default;
  ~InstanceLock() { Release(); }
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Creates data_folder (with its parents) and the lock file when missing, then takes the lock
  // without waiting. False when another holder has it or the file cannot be made; true when
  // this object already holds it. On success `holder` and this process's id are written into
  // the lock file (a failed write keeps the lock).
  bool TryAcquire(const std::string& data_folder, LockHolder holder = LockHolder::kDesktopProgram);
  bool held() const { return descriptor_ >= 0; }
  void Release();

  // True when some other holder has the lock of data_folder. Creates nothing. Ask it from a
  // process that does not hold the lock itself: its own lock counts as another's too.
  static bool IsHeldByAnother(const std::string& data_folder);

  // What the lock file of data_folder says about its holder. Creates nothing.
  static LockHolderInfo ReadHolder(const std::string& data_folder);

 private:
  int descriptor_ = -1;
};

}  // namespace tarsel
