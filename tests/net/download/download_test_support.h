#pragma once

// Shared by the column download tests: gzip bodies, raw HTTP replies and the options of a direct
// download.

#include <zlib.h>

#include <string>
#include <string_view>

#include "net/download/download_column.h"

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

// Downloads go direct, so that a proxy in the environment cannot reroute loopback requests.
inline DownloadOptions DirectDownload(EncodingChoice encoding = EncodingChoice::kWesternEurope) {
  return {encoding, {ProxySettings{ProxyType::kNone, "", 0, "", ""}, ""}};
}

}  // namespace tarsel::testing
