#pragma once

// Applying the interface language chosen by `lang_id` before the main window is made: the
// translation file of the language, from the program folder, is read into the process's
// translation table (settings/translation_table.h). A missing or broken file leaves English (or
// the part read before the error); no message. Main thread, once at start-up, before any worker.

#include "settings/language_choice.h"
#include "settings/settings.h"

namespace tarsel {

// Returns the language chosen (whether or not its file could be read).
Language ApplyLanguage(const Settings& settings);

}  // namespace tarsel
