#pragma once

// The online test for a thread that must never wait, such as the window thread that drives the
// update queue every few seconds. Asking the system about its interfaces is quick, but the
// address rule resolves the local host name, which can block for seconds while the machine is
// offline; that part runs on a worker of its own and is answered from its last result.
//
// Threads: Check and the destructor belong to the owning thread; the worker only runs the test.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "settings/settings.h"

namespace tarsel::HTTP {

class ConnectionWatch {
 public:
  // The two halves of HasNetworkConnection; tests give their own.
  struct Tests {
    std::function<bool()> system_reports_connection;
    std::function<bool(ProxyType proxy_type)> addresses_suggest_connection;
  };

  ConnectionWatch();
  explicit ConnectionWatch(Tests tests);
  // Waits for an address test under way (one name look-up at most).
  ~ConnectionWatch();
  ConnectionWatch(const ConnectionWatch&) = delete;
  ConnectionWatch& operator=(const ConnectionWatch&) = delete;

  // Never waits for the address test: true at once when the system reports a connected
  // interface; otherwise the answer of the last address test (false before the first one has
  // answered), and a new address test for `proxy_type` is started unless one is under way.
  bool Check(ProxyType proxy_type);

 private:
  void Run();

  Tests tests_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<ProxyType> wanted_;  // a test is asked for and not yet taken by the worker
  bool testing_ = false;             // the worker runs a test
  bool last_answer_ = false;
  bool stopping_ = false;
  std::thread worker_;  // started by the first address test
};

}  // namespace tarsel::HTTP
