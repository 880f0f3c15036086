#include "parse/charsets/legacy_charsets.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

#include "platform/utf8_text.h"

namespace tarsel {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// Labels read the way browsers read them: the common labels name a superset that pages in
// that "character set" use in practice.
struct LabelAlias {
  std::string_view label;
  const char* iconv_name;
};
constexpr LabelAlias kAliases[] = {
    {"iso-8859-1", "WINDOWS-1252"},
    {"iso8859-1", "WINDOWS-1252"},
    {"latin1", "WINDOWS-1252"},
    {"us-ascii", "WINDOWS-1252"},
    {"ascii", "WINDOWS-1252"},
    {"l1", "WINDOWS-1252"},
    {"gb2312", "GB18030"},
    {"gbk", "GB18030"},
    {"x-gbk", "GB18030"},
    {"euc-cn", "GB18030"},
    {"cp936", "GB18030"},
    {"big5", "BIG5-HKSCS"},
    {"x-x-big5", "BIG5-HKSCS"},
    {"euc-kr", "CP949"},
    {"ks_c_5601-1987", "CP949"},
    {"shift_jis", "CP932"},
    {"shift-jis", "CP932"},
    {"sjis", "CP932"},
    {"x-sjis", "CP932"},
    {"ms_kanji", "CP932"},
    {"windows-31j", "CP932"},
    {"koi8-r", "KOI8-RU"},
    {"tis-620", "CP874"},
    {"x-mac-roman", "MACINTOSH"},
};

std::string IconvName(std::string_view label) {
  for (const LabelAlias& alias : kAliases) {
    if (alias.label == label) return alias.iconv_name;
  }
  return std::string(label);
}

bool IsUtf8Label(std::string_view label) {
  return label == "utf-8" || label == "utf8";
}

// Character sets whose text may look like valid UTF-8 and still need converting.
bool NeedsConversionEvenIfUtf8(std::string_view label) {
  return label.starts_with("utf-16") || label.starts_with("utf-32") || label.starts_with("ucs-") ||
         label.starts_with("iso-2022") || label == "utf-7" || label.starts_with("hz");
}

std::string_view LabelOfByteOrderMark(std::string_view body) {
  using std::string_view_literals::operator""sv;
  if (body.starts_with("\xFF\xFE\0\0"sv) || body.starts_with("\0\0\xFE\xFF"sv)) return "utf-32";
  if (body.starts_with("\xFF\xFE") || body.starts_with("\xFE\xFF")) return "utf-16";
  return {};
}

// The label's text: blanks and quotes around it go, and case does not count.
std::string CleanLabel(std::string_view label) {
  const size_t first = label.find_first_not_of(" \t\"'");
  if (first == std::string_view::npos) return {};
  const size_t last = label.find_last_not_of(" \t\"'");
  return Lower(label.substr(first, last - first + 1));
}

// Whether text that is not all valid UTF-8 is still mostly UTF-8 with a few bad bytes: as many
// well-formed multi-byte sequences as malformed parts. Text in a single-byte or East Asian
// character set has next to no well-formed sequences.
bool IsMostlyUtf8(std::string_view text) {
  size_t good = 0;
  size_t bad = 0;
  for (size_t at = 0; at < text.size();) {
    if (static_cast<uint8_t>(text[at]) < 0x80) {
      ++at;
      continue;
    }
    uint32_t code_point = 0;
    size_t bad_length = 1;
    const size_t length = DecodeUtf8(text, at, code_point, bad_length);
    if (length == 0) {
      ++bad;
      at += bad_length;
    } else {
      ++good;
      at += length;
    }
  }
  return good > 0 && good >= bad;
}

class IconvToUtf8 {
 public:
  explicit IconvToUtf8(const std::string& from) : handle_(iconv_open("UTF-8", from.c_str())) {}
  ~IconvToUtf8() {
    if (IsOpen()) iconv_close(handle_);
  }
  IconvToUtf8(const IconvToUtf8&) = delete;
  IconvToUtf8& operator=(const IconvToUtf8&) = delete;

  bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // A byte sequence the character set does not define, or one cut off by the end, becomes
  // U+FFFD and the reading goes on after its first byte.
  std::string Convert(std::string& text) {
    std::string out(text.size() + text.size() / 2 + 16, '\0');
    size_t written = 0;
    char* in = text.data();
    size_t in_left = text.size();
    bool flushing = false;
    for (;;) {
      char* out_at = out.data() + written;
      size_t out_left = out.size() - written;
      // The last call, without input, ends the shift state of stateful sets (ISO-2022).
      const size_t result = flushing ? iconv(handle_, nullptr, nullptr, &out_at, &out_left)
                                     : iconv(handle_, &in, &in_left, &out_at, &out_left);
      const int error = errno;
      written = static_cast<size_t>(out_at - out.data());
      if (result != static_cast<size_t>(-1)) {
        if (flushing) break;
        flushing = true;
      } else if (error == E2BIG || out.size() - written < 3) {
        out.resize(out.size() * 2);
      } else if (flushing) {
        break;
      } else {
        out.replace(written, 3, "\xEF\xBF\xBD");
        written += 3;
        ++in;
        --in_left;
      }
    }
    out.resize(written);
    return out;
  }

 private:
  iconv_t handle_;
};

}  // namespace

std::string CharsetOfContentType(std::string_view content_type) {
  const std::string lower = Lower(content_type);
  const size_t name = lower.find("charset");
  if (name == std::string::npos) return {};
  size_t at = lower.find_first_not_of(" \t", name + 7);
  if (at == std::string::npos || lower[at] != '=') return {};
  at = lower.find_first_not_of(" \t\"'", at + 1);
  if (at == std::string::npos) return {};
  const size_t end = lower.find_first_of(" \t\"';,", at);
  return lower.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

std::string DeclaredXmlEncoding(std::string_view body) {
  if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3);
  const size_t start = body.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos || body.substr(start, 5) != "<?xml") return {};
  const size_t end = body.find("?>", start);
  if (end == std::string_view::npos) return {};
  const std::string_view declaration = body.substr(start, end - start);
  const size_t name = declaration.find("encoding");
  if (name == std::string_view::npos) return {};
  const size_t quote = declaration.find_first_of("\"'", name);
  if (quote == std::string_view::npos) return {};
  const size_t close = declaration.find(declaration[quote], quote + 1);
  if (close == std::string_view::npos) return {};
  return CleanLabel(declaration.substr(quote + 1, close - quote - 1));
}

bool ConvertCharsetToUtf8(std::string& text, std::string_view label) {
  IconvToUtf8 converter(IconvName(CleanLabel(label)));
  if (!converter.IsOpen()) return false;
  text = converter.Convert(text);
  return true;
}

bool BodyToUtf8(std::string& body, std::string_view raw_label, bool guess_windows_1252) {
  std::string label = CleanLabel(raw_label);
  const std::string_view byte_order = LabelOfByteOrderMark(body);
  if (!byte_order.empty() && !label.starts_with(byte_order)) label = byte_order;
  if (NeedsConversionEvenIfUtf8(label) && ConvertCharsetToUtf8(body, label)) return true;
  // Whole bodies are checked: once.
  const bool strict_utf8 = IsStrictUtf8(body);
  if (strict_utf8 || IsMostlyUtf8(body)) {
    if (!strict_utf8) body = RepairUtf8(body);
    return true;
  }
  if (!label.empty() && !IsUtf8Label(label) && ConvertCharsetToUtf8(body, label)) return true;
  return guess_windows_1252 && ConvertCharsetToUtf8(body, "windows-1252");
}

}  // namespace tarsel
