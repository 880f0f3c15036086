#include "net/http/connection_watch.h"

#include <utility>

#include "net/http/network_connection.h"
#include "platform/network_state.h"

namespace tarsel::HTTP {

ConnectionWatch::ConnectionWatch()
    : ConnectionWatch(Tests{SystemReportsConnection, [](ProxyType proxy_type) {
                              return AddressesSuggestConnection(LocalHostAddresses(), proxy_type);
                            }}) {}

ConnectionWatch::ConnectionWatch(Tests tests) : tests_(std::move(tests)) {}

ConnectionWatch::~ConnectionWatch() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  if (worker_.joinable()) worker_.join();
}

bool ConnectionWatch::Check(ProxyType proxy_type) {
  if (tests_.system_reports_connection()) return true;
  std::lock_guard<std::mutex> lock(mutex_);
  if (!testing_ && !wanted_) {
    wanted_ = proxy_type;
    if (!worker_.joinable()) worker_ = std::thread([this] { Run(); });
    wake_.notify_one();
  }
  return last_answer_;
}

void ConnectionWatch::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || wanted_.has_value(); });
    if (stopping_) return;
    const ProxyType proxy_type = *wanted_;
    wanted_.reset();
    testing_ = true;
    lock.unlock();
    const bool connected = tests_.addresses_suggest_connection(proxy_type);
    lock.lock();
    testing_ = false;
    last_answer_ = connected;
  }
}

}  // namespace tarsel::HTTP
