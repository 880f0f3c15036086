#pragma once

// The entry that starts the program when the user logs in: an XDG autostart entry
// StartupFolder() + "/Tarsel.desktop", made or removed after the settings window's OK by the
// "Launch At Startup" setting. Main thread. Failures are silent.

#include <string>

namespace tarsel {

// The autostart entry's text: the executable's full path (quoted as desktop entries quote),
// the program folder as working folder, started minimised where the desktop honours it.
std::string StartupEntryText(const std::string& executable, const std::string& program_folder);

// With `launch_on_startup`, writes (or rewrites) the entry for `executable`; otherwise deletes
// it (a missing entry is no error). Nothing happens when the startup folder is unknown.
void UpdateStartupShortcut(bool launch_on_startup, const std::string& executable);

// The running program's executable (from /proc/self/exe); empty when it cannot be read.
std::string CurrentExecutable();

}  // namespace tarsel
