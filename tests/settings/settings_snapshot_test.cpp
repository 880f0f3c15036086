#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "settings/settings.h"

namespace tarsel {
namespace {

// Readers must only ever see whole records: mail and lastid are set together.
TEST(SettingsSnapshotTest, ReadersSeeWholeRecordsWhileTheMainThreadReplacesThem) {
  const Settings original = *CurrentSettings();
  std::atomic<bool> done{false};
  std::atomic<int> torn{0};
  std::vector<std::thread> readers;
  for (int r = 0; r < 3; ++r) {
    readers.emplace_back([&] {
      int last_seen = -1;
      while (!done.load()) {
        std::shared_ptr<const Settings> snapshot = CurrentSettings();
        if (snapshot->lastid < 0) continue;
        if (snapshot->mail != std::to_string(snapshot->lastid) || snapshot->lastid < last_seen) {
          ++torn;
        }
        last_seen = snapshot->lastid;
      }
    });
  }
  for (int i = 0; i < 2000; ++i) {
    Settings next = *CurrentSettings();
    next.lastid = i;
    next.mail = std::to_string(i);
    SetCurrentSettings(std::move(next));
  }
  done = true;
  for (std::thread& reader : readers) reader.join();
  EXPECT_EQ(torn.load(), 0);
  EXPECT_EQ(CurrentSettings()->lastid, 1999);
  SetCurrentSettings(original);
}

}  // namespace
}  // namespace tarsel
