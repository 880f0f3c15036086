#pragma once

// Whole-file reading and the safe replacement of a file. POSIX; any thread.

#include <optional>
#include <string>
#include <string_view>

namespace tarsel {

// The whole content of `path`; nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes `bytes` to `temp_path` (created with mode 0600, replacing any old one), then renames
// it over `path`. With `sync`, the temporary file is flushed to the disk before the rename and
// the folder after it. Any failure removes the temporary file and leaves `path` untouched.
bool ReplaceFileAtomically(const std::string& path, const std::string& temp_path,
                           std::string_view bytes, bool sync);

}  // namespace tarsel
