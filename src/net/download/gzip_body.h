#pragma once

// Undoing the gzip transfer compression of a downloaded feed body, in memory. Reads as zlib's
// gzip file reader did: a body that does not begin with the gzip signature passes through
// unchanged, members written one after another are read as one text, and bytes after the last
// member that are no gzip member are ignored. Any thread.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarsel {

// Far above any real feed; a gzip bomb stops here.
inline constexpr size_t kMaxDecompressedSize = 64 * 1024 * 1024;

// The text of `body` after decompression, up to its first zero byte. Throws
// HTTP::CHttpExeption code 2 when the compressed data is damaged or cut off, or when the text
// would pass `max_size` bytes.
std::string GunzipBody(std::string_view body, size_t max_size = kMaxDecompressedSize);

}  // namespace tarsel
