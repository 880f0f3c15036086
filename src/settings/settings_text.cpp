#include "settings/settings_text.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <limits>
#include <vector>

namespace tarsel {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool KeptByPercentEncode(unsigned char byte) {
  return byte >= 0x20 && byte <= 0x7E && byte != '%' && byte != '^' && byte != '_' && byte != '`';
}

int PercentDigit(unsigned char byte) {
  if (byte >= 'A' && byte <= 'Z') return byte - 'A' + 10;
  return byte - '0';
}

int32_t Clamp32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// Pieces of `text` between any of `separators`, empty pieces skipped.
std::vector<std::string_view> SplitPieces(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of(separators, start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) pieces.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

}  // namespace

std::string PercentEncode(std::string_view text) {
  std::string encoded;
  encoded.reserve(text.size());
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (KeptByPercentEncode(byte)) {
      encoded += c;
    } else {
      encoded += '%';
      encoded += kHexDigits[byte >> 4];
      encoded += kHexDigits[byte & 0x0F];
    }
  }
  return encoded;
}

std::string PercentDecode(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      int value = 16 * PercentDigit(static_cast<unsigned char>(text[i + 1])) +
                  PercentDigit(static_cast<unsigned char>(text[i + 2]));
      decoded += static_cast<char>(value & 0xFF);
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

int32_t ReadLeadingInt(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  int64_t value = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    value = std::min<int64_t>(value * 10 + (text[pos] - '0'), int64_t{1} << 32);
  }
  return Clamp32(negative ? -value : value);
}

int32_t ReadDuration(std::string_view text) {
  int64_t hours = 0;
  int64_t minutes = 0;
  int64_t seconds = 0;
  std::vector<std::string_view> words = SplitPieces(text, " ");
  if (words.size() >= 2) {
    for (size_t i = 0; i + 1 < words.size(); i += 2) {
      std::string unit = Lower(words[i + 1]);
      int64_t number = ReadLeadingInt(words[i]);
      if (unit == "hr") hours = number;
      if (unit == "min") minutes = number;
      if (unit == "sec") seconds = number;
    }
  } else if (std::vector<std::string_view> parts = SplitPieces(text, ":"); parts.size() >= 3) {
    hours = ReadLeadingInt(parts[0]);
    minutes = ReadLeadingInt(parts[1]);
    seconds = ReadLeadingInt(parts[2]);
  }
  return Clamp32((hours * 60 + minutes) * 60 + seconds);
}

int32_t ReadSettingsDate(std::string_view text) {
  std::vector<std::string_view> pieces = SplitPieces(text, "/ :");
  if (pieces.size() < 7) return -1;
  // Years and hours far outside any calendar would overflow the broken-down fields.
  auto field = [&](size_t index, int64_t offset) {
    return static_cast<int>(std::clamp<int64_t>(int64_t{ReadLeadingInt(pieces[index])} + offset,
                                                -1000000000, 1000000000));
  };
  std::tm local{};
  local.tm_mon = field(0, -1);
  local.tm_mday = field(1, 0);
  local.tm_year = field(2, -1900);
  local.tm_hour = field(3, (pieces[6] == "PM" || pieces[6] == "pm") ? 12 : 0);
  local.tm_min = field(4, 0);
  local.tm_sec = field(5, 0);
  local.tm_isdst = -1;
  std::time_t converted = std::mktime(&local);
  if (converted < std::numeric_limits<int32_t>::min() ||
      converted > std::numeric_limits<int32_t>::max()) {
    return -1;
  }
  return static_cast<int32_t>(converted);
}

}  // namespace tarsel
