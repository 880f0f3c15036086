#pragma once

// Undoing the gzip transfer compression of a downloaded feed body. The body goes through a
// temporary file and zlib's gzip file reader, which also passes a body that is not gzip at all
// through unchanged. Any thread; each caller names its own temporary file.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarsel {

// Far above any real feed; a gzip bomb stops here.
inline constexpr size_t kMaxDecompressedSize = 64 * 1024 * 1024;

// The text of `body` after decompression, up to its first zero byte. `body` is written to
// `temp_path` (its folder must exist) and read back; the file is removed again whatever
// happens. Throws HTTP::CHttpExeption code 2 when the file cannot be written or read back,
// when the compressed data is damaged or cut off, or when the text would pass `max_size` bytes.
std::string GunzipThroughFile(std::string_view body, const std::string& temp_path,
                              size_t max_size = kMaxDecompressedSize);

}  // namespace tarsel
