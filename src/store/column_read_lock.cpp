#include "store/column_read_lock.h"

#include <thread>

namespace tarsel {

ColumnReadLock::ColumnReadLock(Column& column, std::chrono::milliseconds patience)
    : lock_(column.lock, std::defer_lock) {
  if (column.update_state.load() != kUpdateRunning) {
    readable_ = true;
    return;
  }
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (!lock_.try_lock()) {
    if (std::chrono::steady_clock::now() >= deadline) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  readable_ = true;
}

}  // namespace tarsel
