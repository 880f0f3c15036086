#pragma once

// The options the areas below the program take, made from the user's settings. The areas never
// read the settings themselves: whoever holds the settings (the desktop program, tarsel-cli)
// makes their options here and passes them down. Pure functions; any thread.

#include "parse/charsets/encoding_choice.h"
#include "services/version_checker.h"
#include "settings/settings.h"
#include "update/update_options.h"

namespace tarsel {

// Whether the user wants to hear about new versions, and the proxy.
VersionCheckOptions VersionCheckOptionsForSettings(const Settings& settings);

}  // namespace tarsel
