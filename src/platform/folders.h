#pragma once

// The folders every other area finds its files through. Paths use '/'.
// All functions are thread-safe; they read the environment at every call, so a change of
// XDG_DATA_HOME or XDG_CONFIG_HOME takes effect at the next call.

#include <string>

namespace tarsel {

// The per-user data folder: $XDG_DATA_HOME (default ~/.local/share) + "/Tarsel", without a
// trailing '/'. Holds settings.xml, columns.dat, memories.dat and the Cache folder. A relative
// or empty XDG_DATA_HOME is ignored, as the XDG rules say.
std::string DataFolder();

// The folder of the running executable, ending in '/'. Holds what is shipped with the
// program: Theme/, localization/, Feeds/, help/. Empty when /proc/self/exe cannot be read.
std::string ProgramFolder();

// The folder of autostart entries: $XDG_CONFIG_HOME (default ~/.config) + "/autostart".
std::string StartupFolder();

}  // namespace tarsel
