#pragma once

// The program's entries in the desktop: the menu entry that RegServer installs and UnregServer
// removes ($XDG_DATA_HOME/applications/tarsel.desktop), and the autostart entry that
// UpdateStartupShortcut keeps ($XDG_CONFIG_HOME/autostart/Tarsel.desktop). Main thread.
// Failures are silent (false).

#include <string>

#include "settings/settings.h"

namespace tarsel {

inline constexpr char kMenuEntryName[] = "tarsel.desktop";
inline constexpr char kAutostartEntryName[] = "Tarsel.desktop";

// The text of a desktop entry starting `executable` (quoted as the entry format wants).
// `autostart` adds the keys of an entry that starts minimized with the session.
std::string DesktopEntryText(const std::string& executable, bool autostart);

// The running executable's full path ("" when unknown).
std::string ExecutablePath();

// RegServer / UnregServer. 0 on success, 1 on failure (the process exit code).
int InstallMenuEntry();
int RemoveMenuEntry();

// With launch_on_startup the autostart entry is written (or rewritten), otherwise it is
// deleted (a missing entry is no failure). Nothing happens when the Startup folder is unknown.
void UpdateStartupShortcut(const Settings& settings);

}  // namespace tarsel
