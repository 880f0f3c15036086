#include "app/area_options.h"

namespace tarsel {

EncodingChoice EncodingForSettings(const Settings& settings) {
  return static_cast<EncodingChoice>(settings.encoding);
}

VersionCheckOptions VersionCheckOptionsForSettings(const Settings& settings) {
  return {settings.newversion, HttpOptionsForSettings(settings)};
}

}  // namespace tarsel
