#pragma once

// Reading a column on the window thread while an update of it may be merging.
//
// A column whose state is not "updating" has no worker writing it, and only the window thread
// starts an update, so it is read as it is. An updating column's worker holds `lock` only
// while it writes the column (the download runs on a copy): the lock is tried, and tried again
// until `patience` has passed. A merge of a large feed can hold it longer; the caller then
// leaves the column out, or reports that it could not read it, but it never waits for the merge.
//
// Window thread (or a program's only thread) only.

#include <chrono>
#include <mutex>

#include "store/column.h"

namespace tarsel {

class ColumnReadLock {
 public:
  explicit ColumnReadLock(Column& column,
                          std::chrono::milliseconds patience = std::chrono::milliseconds(0));

  // True when the column's channel, records and URL may be read now.
  bool readable() const { return readable_; }

 private:
  std::unique_lock<std::mutex> lock_;
  bool readable_ = false;
};

}  // namespace tarsel
