#pragma once

// Applying the interface language chosen by `lang_id` before the main window is made. The
// translation files are read here once they exist; until then the built-in English texts
// stand. Main thread, once at start-up.

#include "settings/settings.h"

namespace tarsel {

void ApplyLanguage(const Settings& settings);

}  // namespace tarsel
