#pragma once

// Writing a column's cache file in place: the file is opened, emptied and written, with no
// temporary file and no rename, so an update reuses the file (and its inode) of the last one.
// A write that fails or is cut off by a crash leaves an incomplete file; the download then
// keeps no validators for it (see DownloadColumn), and a cache file is read only right after
// the download that wrote it. Any thread; one writer per path at a time (the update queue
// never runs two columns with one cache file together).

#include <string>
#include <string_view>

namespace tarsel {

// Replaces the content of the file at `path` (inside CacheFolder()) with `text`, creating
// the Cache folder when it is missing. A new file gets mode 0600; a link in the file's place
// is not followed. False when the file could not be opened or written whole.
bool WriteCacheFile(const std::string& path, std::string_view text);

}  // namespace tarsel
