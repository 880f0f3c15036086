#pragma once

// settings.xml in the data folder: reading it once at start-up and writing it when the program
// ends. The file is bytes in the program's code page, LF line ends, no declaration; booleans are
// "true"/"false", attribute values sit in single quotes, the proxy credentials are
// percent-encoded. Element texts holding '<' or '&' go into CDATA sections and attribute values
// holding a single quote into double quotes, so every value reads back as it was written.
//
// Main thread (or the CLI). None of these show a message; a file that cannot be read or
// parsed leaves the record as it was.

#include <cstddef>
#include <string>

#include "settings/settings.h"

namespace tarsel {

// DataFolder() + "/settings.xml".
std::string SettingsFilePath();

// Reads settings.xml into `settings`. A missing, unreadable, unparsable or oversized file
// (over kMaxSettingsFileSize) leaves `settings` unchanged. Returns whether the file was applied.
bool LoadSettings(Settings& settings);

// Parses a whole settings document and applies it to `settings`. Returns false, changing
// nothing, when the bytes are not XML or the root element has no children. Values of the wrong
// form read as atoi reads them; unknown names are ignored.
bool ParseSettingsXml(const char* bytes, std::size_t length, Settings& settings);

// The text SaveSettings writes.
std::string SettingsFileText(const Settings& settings);

// Writes settings.xml through a temporary file that replaces the old one, readable by the
// user only (it holds passwords). The data folder must exist. On failure the old file stays
// and false is returned.
bool SaveSettings(const Settings& settings);

// Far above any real settings file; a larger file is not read.
inline constexpr std::size_t kMaxSettingsFileSize = 4 * 1024 * 1024;

}  // namespace tarsel
