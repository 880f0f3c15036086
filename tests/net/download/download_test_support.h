#pragma once

// Shared by the column download tests: gzip bodies, raw HTTP replies and settings of the test's
// own choosing.

#include <zlib.h>

#include <string>
#include <string_view>

#include "settings/settings.h"

namespace tarsel::testing {

inline std::string Gzip(std::string_view text) {
  z_stream stream{};
  deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&stream, text.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

// A whole HTTP/1.1 200 reply with the given extra header lines ("Name: value\r\n" each).
inline std::string OkReply(const std::string& body, const std::string& header_lines = "") {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n" + header_lines + "\r\n" + body;
}

// Process-wide settings for the life of the object: no proxy (a proxy in the environment must
// not reroute loopback requests) and the given encoding choice.
class ScopedDownloadSettings {
 public:
  explicit ScopedDownloadSettings(int32_t encoding = kEncodingWesternEurope)
      : saved_(*CurrentSettings()) {
    Use(encoding);
  }
  ~ScopedDownloadSettings() { SetCurrentSettings(saved_); }
  ScopedDownloadSettings(const ScopedDownloadSettings&) = delete;
  ScopedDownloadSettings& operator=(const ScopedDownloadSettings&) = delete;

  void Use(int32_t encoding) {
    Settings settings = saved_;
    settings.proxy = ProxySettings{ProxyType::kNone, "", 0, "", ""};
    settings.encoding = encoding;
    SetCurrentSettings(std::move(settings));
  }

 private:
  Settings saved_;
};

}  // namespace tarsel::testing
