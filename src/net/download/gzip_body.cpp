#include "net/download/gzip_body.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "net/http/http_exception.h"

namespace tarsel {
namespace {

constexpr size_t kOutputChunk = 64 * 1024;
constexpr int kGzipOnlyWindowBits = 15 + 16;

[[noreturn]] void FailDecompression() {
  throw HTTP::CHttpExeption(HTTP::kErrorConnect);
}

[[noreturn]] void FailTooLarge() {
  throw HTTP::CHttpExeption(HTTP::kErrorTooLarge);
}

bool StartsWithGzipSignature(std::string_view bytes) {
  return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1f &&
         static_cast<unsigned char>(bytes[1]) == 0x8b;
}

class Inflater {
 public:
  Inflater() {
    if (inflateInit2(&stream_, kGzipOnlyWindowBits) != Z_OK) FailDecompression();
  }
  ~Inflater() { inflateEnd(&stream_); }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  // Inflates the gzip member at the start of `input` onto `text`; returns the bytes after the
  // member. Throws on damaged or cut-off data and past `max_size`.
  std::string_view Member(std::string_view input, std::string& text, size_t max_size) {
    inflateReset(&stream_);
    stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
    const auto given = static_cast<uInt>(std::min<size_t>(input.size(), UINT_MAX));
    stream_.avail_in = given;
    for (;;) {
      const size_t room = std::min(kOutputChunk, max_size - text.size() + 1);
      const size_t before = text.size();
      text.resize(before + room);
      stream_.next_out = reinterpret_cast<Bytef*>(text.data() + before);
      stream_.avail_out = static_cast<uInt>(room);
      const int result = inflate(&stream_, Z_NO_FLUSH);
      text.resize(before + room - stream_.avail_out);
      if (text.size() > max_size) FailTooLarge();
      if (result == Z_STREAM_END) break;
      // Z_BUF_ERROR with output room left means the input ended before the member did.
      if (result != Z_OK || (stream_.avail_out != 0 && stream_.avail_in == 0)) {
        FailDecompression();
      }
    }
    return input.substr(given - stream_.avail_in);
  }

 private:
  z_stream stream_{};
};

}  // namespace

std::string GunzipBody(std::string_view body, size_t max_size) {
  std::string text;
  if (!StartsWithGzipSignature(body)) {
    text.assign(body.substr(0, std::min(body.size(), max_size + 1)));
    if (text.size() > max_size) FailTooLarge();
  } else {
    Inflater inflater;
    std::string_view rest = body;
    do {
      rest = inflater.Member(rest, text, max_size);
    } while (StartsWithGzipSignature(rest));
  }
  text.resize(std::strlen(text.c_str()));
  return text;
}

}  // namespace tarsel
