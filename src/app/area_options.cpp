#include "app/area_options.h"

namespace tarsel {

VersionCheckOptions VersionCheckOptionsForSettings(const Settings& settings) {
  return {settings.newversion, HttpOptionsForSettings(settings)};
}

}  // namespace tarsel
