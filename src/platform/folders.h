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

// The folder of what is shipped with the program (Theme/, localization/, Feeds/, help/),
// ending in '/': ShippedFilesFolder of the running executable's folder. Empty when
// /proc/self/exe cannot be read.
std::string ProgramFolder();

// A build tree keeps the shipped files beside the executables, so that is the folder; an
// installed program lives in PREFIX/bin/ and finds them in PREFIX/share/tarsel/ when that
// folder exists. `executable_folder` ends in '/', and so does the result.
std::string ShippedFilesFolder(const std::string& executable_folder);

// The folder of autostart entries: $XDG_CONFIG_HOME (default ~/.config) + "/autostart".
std::string StartupFolder();

}  // namespace tarsel
