#include "cli/wake_loop.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <csignal>

namespace tarsel::cli {
namespace {

// The pipe stays open until the process ends: a worker may still be about to wake the loop, and
// a closed descriptor number could meanwhile belong to a file being saved.
int g_wake_pipe[2] = {-1, -1};
volatile std::sig_atomic_t g_stop_requested = 0;
struct sigaction g_old_int {};
struct sigaction g_old_term {};

extern "C" void OnStopSignal(int) {
  g_stop_requested = 1;
  WakeLoop::Wake();
}

}  // namespace

WakeLoop::WakeLoop(SecondSignal second_signal) {
  if (g_wake_pipe[0] < 0 && pipe2(g_wake_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    g_wake_pipe[0] = g_wake_pipe[1] = -1;
  }
  g_stop_requested = 0;
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  if (second_signal == SecondSignal::kEndsProgram) action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &g_old_int);
  sigaction(SIGTERM, &action, &g_old_term);
}

WakeLoop::~WakeLoop() {
  sigaction(SIGINT, &g_old_int, nullptr);
  sigaction(SIGTERM, &g_old_term, nullptr);
}

bool WakeLoop::ok() const {
  return g_wake_pipe[0] >= 0;
}

bool WakeLoop::StopRequested() const {
  return g_stop_requested != 0;
}

void WakeLoop::Wait(int64_t timeout_ms) const {
  // poll() takes an int; a wait of weeks is as good as one of 24 days.
  const int timeout =
      timeout_ms < 0 ? -1 : static_cast<int>(std::min<int64_t>(timeout_ms, INT_MAX));
  pollfd entry{g_wake_pipe[0], POLLIN, 0};
  if (poll(&entry, 1, timeout) <= 0) return;
  char buffer[64];
  while (read(g_wake_pipe[0], buffer, sizeof(buffer)) > 0) {
  }
}

void WakeLoop::Wake() {
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = write(g_wake_pipe[1], &byte, 1);
}

}  // namespace tarsel::cli
