#include "net/http/connection_watch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "support/wait_until.h"

namespace tarsel::HTTP {
namespace {

// An address test that blocks, as a name look-up does while the machine is offline, until the
// test lets it answer.
class BlockedAddressTest {
 public:
  bool operator()(ProxyType proxy_type) {
    ++calls;
    seen = proxy_type;
    std::unique_lock<std::mutex> lock(mutex_);
    released_.wait(lock, [this] { return released; });
    return answer;
  }
  void Release() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      released = true;
    }
    released_.notify_all();
  }

  std::atomic<int> calls{0};
  std::atomic<ProxyType> seen{ProxyType::kNone};
  bool answer = true;
  bool released = false;

 private:
  std::mutex mutex_;
  std::condition_variable released_;
};

TEST(ConnectionWatchTest, AnInterfaceThatIsUpAnswersWithoutTheAddressTest) {
  int calls = 0;
  ConnectionWatch watch({[] { return true; }, [&calls](ProxyType) { return ++calls, false; }});
  EXPECT_TRUE(watch.Check(ProxyType::kNone));
  EXPECT_EQ(calls, 0);
}

TEST(ConnectionWatchTest, CheckNeverWaitsForABlockedAddressTest) {
  BlockedAddressTest address_test;
  ConnectionWatch watch(
      {[] { return false; }, [&address_test](ProxyType type) { return address_test(type); }});
  // The test blocks: both answers come from before it, and only one test is under way.
  EXPECT_FALSE(watch.Check(ProxyType::kGiven));
  EXPECT_FALSE(watch.Check(ProxyType::kGiven));
  EXPECT_LE(address_test.calls.load(), 1);
  address_test.Release();
  bool connected = false;
  for (int tries = 0; tries < 1000 && !connected; ++tries) {
    connected = watch.Check(ProxyType::kGiven);
    if (!connected) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_TRUE(connected) << "the worker's answer is taken on a later check";
  EXPECT_EQ(address_test.seen.load(), ProxyType::kGiven);
  EXPECT_GE(address_test.calls.load(), 1);
}

TEST(ConnectionWatchTest, DestroyedWhileATestIsUnderWay) {
  BlockedAddressTest address_test;
  {
    ConnectionWatch watch(
        {[] { return false; }, [&address_test](ProxyType type) { return address_test(type); }});
    EXPECT_FALSE(watch.Check(ProxyType::kSystem));
    EXPECT_TRUE(tarsel::testing::WaitUntil([&] { return address_test.calls.load() > 0; }));
    address_test.Release();
  }
  EXPECT_EQ(address_test.calls.load(), 1);
}

}  // namespace
}  // namespace tarsel::HTTP
