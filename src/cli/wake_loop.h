#pragma once

// The sleep of a long tarsel-cli command (run, update) between two looks at its work: it ends
// when a worker finishes, when SIGINT or SIGTERM arrives, or after a time-out. Both wake the
// loop through a non-blocking pipe, the one thing a signal handler may safely write to.
// One WakeLoop at a time per process, made and waited on by the main thread.

#include <cstdint>

namespace tarsel::cli {

class WakeLoop {
 public:
  enum class SecondSignal {
    kWaits,        // the command ends on its own once stopped
    kEndsProgram,  // a second Ctrl+C ends the program at once
  };

  // Catches SIGINT and SIGTERM until the object goes.
  explicit WakeLoop(SecondSignal second_signal);
  ~WakeLoop();
  WakeLoop(const WakeLoop&) = delete;
  WakeLoop& operator=(const WakeLoop&) = delete;

  // False when the pipe could not be made; the loop cannot be woken then.
  bool ok() const;
  // True once SIGINT or SIGTERM has arrived.
  bool StopRequested() const;
  // Sleeps until a wake-up or `timeout_ms` (negative: no time-out), then drains the pipe.
  void Wait(int64_t timeout_ms) const;

  // Wakes the loop; any thread may call it, also after the object is gone.
  static void Wake();
};

}  // namespace tarsel::cli
