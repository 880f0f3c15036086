#pragma once

// Ordered name/value pairs: the headers a request sends and the headers a response brought.
// Names and values are bytes as they travel on the wire; no code page conversion happens here.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarsel::HTTP {

class CHeaderList {
 public:
  using Pair = std::pair<std::string, std::string>;

  void Add(std::string name, std::string value);
  void Clear() { pairs_.clear(); }
  bool Empty() const { return pairs_.empty(); }
  const std::vector<Pair>& Pairs() const { return pairs_; }

  // The value of the first pair whose name matches without regard to case; empty when absent.
  std::string Find(std::string_view name) const;
  bool Contains(std::string_view name) const;

  // The request block: every pair as name ':' value CR LF, in the order added, no blank after
  // the colon.
  std::string RequestBlock() const;

  // Reads a raw response header block (lines ending in CR LF or LF). The status is the number
  // after the first blank of the first line (0 when there is none). Every following line with a
  // ':' gives a pair: the name before the colon folded to lower case, the value after it with
  // leading blanks skipped, up to the line end.
  static CHeaderList ParseResponse(std::string_view raw, int* status);

 private:
  std::vector<Pair> pairs_;
};

// Response charset codes.
inline constexpr int kCharsetNone = 0;
inline constexpr int kCharsetKoi8r = 3;
inline constexpr int kCharsetUtf8 = 4;
inline constexpr int kCharsetIso88592 = 6;

// The charset code of a "content-type" value: the text that starts eight bytes after the first
// (case-sensitive) "charset", folded to lower case, compared exactly with "koi8-r", "utf-8" and
// "iso-8859-2". Anything else (quotes, trailing parameters, "CHARSET") gives kCharsetNone.
int CharsetFromContentType(std::string_view content_type);

// A decimal "content-length" value; 0 when absent, malformed, negative or out of range.
long long ParseContentLength(std::string_view value);

}  // namespace tarsel::HTTP
