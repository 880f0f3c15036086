#include "platform/system_code_page.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/utf8_text.h"

namespace tarsel {
namespace {

// Languages whose Windows ANSI code page is 1251 or 1250.
constexpr std::string_view kCyrillicLanguages[] = {"ru", "uk", "be", "bg", "sr", "mk",
                                                   "kk", "ky", "tt", "mn", "ba"};
constexpr std::string_view kCentralEuropeanLanguages[] = {"pl", "cs", "sk", "hu", "sl",
                                                          "hr", "ro", "bs", "sq"};

bool Contains(const auto& list, std::string_view language) {
  return std::find(std::begin(list), std::end(list), language) != std::end(list);
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// The UTF-8 form of each byte of one code page, and the way back for 0x80-0xFF.
struct CodePageTables {
  std::array<std::string, 256> to_utf8;
  std::vector<std::pair<uint32_t, uint8_t>> from_code_point;  // sorted by code point
};

// One byte through iconv; empty when the code page leaves it undefined.
std::string ConvertByte(iconv_t converter, uint8_t byte) {
  char in_byte = static_cast<char>(byte);
  char out_bytes[8];
  char* in = &in_byte;
  char* out = out_bytes;
  size_t in_left = 1;
  size_t out_left = sizeof(out_bytes);
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  if (iconv(converter, &in, &in_left, &out, &out_left) == static_cast<size_t>(-1)) return {};
  return std::string(out_bytes, out);
}

uint32_t DecodeTableEntry(const std::string& utf8) {
  const auto* p = reinterpret_cast<const uint8_t*>(utf8.data());
  if (utf8.size() == 1) return p[0];
  if (utf8.size() == 2) return ((p[0] & 0x1Fu) << 6) | (p[1] & 0x3Fu);
  return ((p[0] & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
}

CodePageTables BuildTables(const char* iconv_name) {
  CodePageTables tables;
  iconv_t converter = iconv_open("UTF-8", iconv_name);
  for (int byte = 0; byte < 256; ++byte) {
    std::string utf8;
    if (byte >= 0x80 && converter != reinterpret_cast<iconv_t>(-1)) {
      utf8 = ConvertByte(converter, static_cast<uint8_t>(byte));
    }
    // Undefined positions (and every byte when iconv lacks the code page) keep their value as a
    // code point, as Windows does.
    if (utf8.empty()) AppendUtf8(static_cast<uint32_t>(byte), utf8);
    tables.to_utf8[byte] = utf8;
    if (byte >= 0x80) {
      tables.from_code_point.emplace_back(DecodeTableEntry(utf8), static_cast<uint8_t>(byte));
    }
  }
  if (converter != reinterpret_cast<iconv_t>(-1)) iconv_close(converter);
  std::sort(tables.from_code_point.begin(), tables.from_code_point.end());
  return tables;
}

const CodePageTables& TablesFor(int code_page) {
  static const CodePageTables cp1250 = BuildTables("CP1250");
  static const CodePageTables cp1251 = BuildTables("CP1251");
  static const CodePageTables cp1252 = BuildTables("CP1252");
  if (code_page == 1250) return cp1250;
  if (code_page == 1251) return cp1251;
  return cp1252;
}

// Strict UTF-8: returns the code point and advances, or returns nothing and advances one byte.
bool DecodeStrict(const uint8_t*& p, const uint8_t* end, uint32_t& code_point) {
  const uint8_t lead = *p;
  size_t length = 0;
  uint32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, code_point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, code_point = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, code_point = lead & 0x07;
  } else {
    ++p;
    return false;
  }
  if (static_cast<size_t>(end - p) < length) {
    ++p;
    return false;
  }
  for (size_t i = 1; i < length; ++i) {
    if ((p[i] & 0xC0) != 0x80) {
      ++p;
      return false;
    }
    code_point = (code_point << 6) | (p[i] & 0x3F);
  }
  if (code_point < minimum || code_point > 0x10FFFF) {
    ++p;
    return false;
  }
  p += length;
  return true;
}

// "UTF-8", "utf8", "UTF8"... in any case.
bool IsUtf8Codeset(std::string_view codeset) {
  std::string folded;
  for (char c : codeset) {
    if (c != '-' && c != '_') folded += c;
  }
  return Lower(folded) == "utf8";
}

// The character set a locale name spells out: "ru_RU.UTF-8@x" gives "UTF-8".
std::string_view CodesetOfName(std::string_view locale_name) {
  const size_t dot = locale_name.find('.');
  if (dot == std::string_view::npos) return {};
  const std::string_view rest = locale_name.substr(dot + 1);
  return rest.substr(0, rest.find('@'));
}

// The installed locale's character set; empty when the locale is not installed.
std::string InstalledCodeset(const char* locale_name) {
  locale_t locale = newlocale(LC_CTYPE_MASK, locale_name, static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) return {};
  std::string codeset = nl_langinfo_l(CODESET, locale);
  freelocale(locale);
  return codeset;
}

// Every widget text asks for the code page, so each thread keeps its last answer for the last
// locale name it saw.
int CachedCodePage(const char* locale_name) {
  thread_local std::string cached_name;
  thread_local int cached_code_page = 0;
  if (cached_code_page == 0 || cached_name != locale_name) {
    cached_code_page = CodePageForLocale(locale_name, InstalledCodeset(locale_name));
    cached_name = locale_name;
  }
  return cached_code_page;
}

}  // namespace

int CodePageForLocale(std::string_view locale_name, std::string_view codeset) {
  if (codeset.empty()) codeset = CodesetOfName(locale_name);
  if (IsUtf8Codeset(codeset)) return kCodePageUtf8;
  const size_t language_end = locale_name.find_first_of("_.@");
  const std::string language = Lower(locale_name.substr(0, language_end));
  const size_t at = locale_name.find('@');
  const std::string modifier =
      at == std::string_view::npos ? std::string() : Lower(locale_name.substr(at + 1));
  // Serbian in Latin letters is Central European on Windows.
  if (language == "sr" && modifier == "latin") return 1250;
  if (Contains(kCyrillicLanguages, language)) return 1251;
  if (Contains(kCentralEuropeanLanguages, language)) return 1250;
  return 1252;
}

int SystemCodePage() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return CachedCodePage(value);
  }
  return 1252;
}

std::string CodePageToUtf8(std::string_view bytes, int code_page) {
  if (code_page == kCodePageUtf8) return RepairUtf8(bytes);
  const CodePageTables& tables = TablesFor(code_page);
  std::string utf8;
  utf8.reserve(bytes.size() + bytes.size() / 2);
  for (char byte : bytes) {
    const auto value = static_cast<uint8_t>(byte);
    if (value < 0x80) {
      utf8 += byte;
    } else {
      utf8 += tables.to_utf8[value];
    }
  }
  return utf8;
}

std::string CodePageFromUtf8(std::string_view utf8, int code_page) {
  if (code_page == kCodePageUtf8) return RepairUtf8(utf8);
  const CodePageTables& tables = TablesFor(code_page);
  std::string bytes;
  bytes.reserve(utf8.size());
  const auto* p = reinterpret_cast<const uint8_t*>(utf8.data());
  const uint8_t* end = p + utf8.size();
  while (p < end) {
    if (*p < 0x80) {
      bytes += static_cast<char>(*p++);
      continue;
    }
    uint32_t code_point = 0;
    char byte = '?';
    if (DecodeStrict(p, end, code_point)) {
      const auto found =
          std::lower_bound(tables.from_code_point.begin(), tables.from_code_point.end(),
                           std::make_pair(code_point, uint8_t{0}));
      if (found != tables.from_code_point.end() && found->first == code_point) {
        byte = static_cast<char>(found->second);
      }
    }
    bytes += byte;
  }
  return bytes;
}

}  // namespace tarsel
