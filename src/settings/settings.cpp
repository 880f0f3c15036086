#include "settings/settings.h"

#include <ctime>
#include <mutex>

namespace tarsel {

std::map<std::string, HeaderSetting> DefaultHeaders() {
  return {
      {"read", {0, true}},        {"title", {300, true}}, {"received", {120, true}},
      {"published", {120, true}}, {"author", {90, true}}, {"subject", {90, true}},
      {"persistant", {0, true}},
  };
}

int32_t CurrentTimeSeconds() {
  return static_cast<int32_t>(std::time(nullptr));
}

namespace {

struct SharedSettings {
  std::mutex mutex;
  std::shared_ptr<const Settings> current = std::make_shared<const Settings>();
};

SharedSettings& Shared() {
  static SharedSettings shared;
  return shared;
}

// Built during static construction so that last_version_check holds the process start time.
const bool kSharedBuiltAtStart = (Shared(), true);

}  // namespace

std::shared_ptr<const Settings> CurrentSettings() {
  SharedSettings& shared = Shared();
  std::lock_guard<std::mutex> lock(shared.mutex);
  return shared.current;
}

void SetCurrentSettings(Settings settings) {
  auto replacement = std::make_shared<const Settings>(std::move(settings));
  SharedSettings& shared = Shared();
  std::shared_ptr<const Settings> previous;
  {
    std::lock_guard<std::mutex> lock(shared.mutex);
    previous = std::move(shared.current);
    shared.current = std::move(replacement);
  }
  // The previous record (when this was its last holder) is freed outside the lock.
}

}  // namespace tarsel
