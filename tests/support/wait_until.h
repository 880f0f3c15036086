#pragma once

// Waiting in a test for something another thread does, always with a deadline: a fault shows
// as a failed case, never as a test run that hangs.

#include <chrono>
#include <functional>
#include <thread>

namespace tarsel::testing {

// Polls `done` until it holds or `limit` passes; true when it held.
inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(20)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

}  // namespace tarsel::testing
