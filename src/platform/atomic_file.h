#pragma once

// Whole-file writes that a crash cannot leave half done: the bytes go to a temporary file in the
// same folder, which is flushed to disk and then renamed over the target. Any thread; two
// writers of the same path leave one complete version.

#include <sys/types.h>

#include <string>
#include <string_view>

namespace tarsel {

// Replaces the file at `path` with `bytes`, giving it the permission bits `mode` (by default
// readable and writable by the user only). The folder must exist. Returns false, leaving the old
// file untouched and no temporary file behind, when anything fails.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, mode_t mode = 0600);

}  // namespace tarsel
