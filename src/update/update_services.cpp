#include "update/update_services.h"

namespace tarsel {

std::shared_ptr<const Settings> TaskSettings(const UpdateServices& services) {
  if (services.settings) {
    if (std::shared_ptr<const Settings> settings = services.settings()) return settings;
  }
  static const auto defaults = std::make_shared<const Settings>();
  return defaults;
}

}  // namespace tarsel
