#pragma once

// The threads the program's workers run on. A run takes an idle thread when one is waiting,
// else a new one, so every run starts at once whatever other runs are doing (a stopped run
// still sending its mail holds its thread, not the next column's). A thread that has found no
// run for a while ends. Starting a thread costs far more than a column's short update, and an
// update of hundreds of columns at five at a time needs only a handful of threads this way.
//
// How many runs go on at once is the caller's business (the update queue's limit); the pool
// adds no limit of its own. Any thread may hand it a run. The pool lives until the process
// ends: threads waiting for work at exit simply end with the process.

#include <functional>

namespace tarsel {

// Runs `body` on a pooled thread. Throws std::system_error when no thread is idle and none
// can be created; `body` then does not run.
void RunOnPooledThread(std::function<void()> body);

}  // namespace tarsel
