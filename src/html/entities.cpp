#include "html/entities.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "html/entity_table.h"
#include "html/markup_writer.h"
#include "platform/system_code_page.h"
#include "platform/utf8_text.h"

namespace tarsel::HTML {
namespace {

struct Decoding {
  int code_page;
  EntityContext context;
};

// What one entity stands for: at most two code points of four UTF-8 bytes each.
class EntityBytes {
 public:
  void Clear() { size_ = 0; }
  void Append(std::string_view bytes) {
    std::memcpy(data_ + size_, bytes.data(), bytes.size());
    size_ += bytes.size();
  }
  void AppendByte(char byte) { data_[size_++] = byte; }
  // A code point up to U+10FFFF that is no surrogate.
  void AppendUtf8(char32_t c) {
    if (c < 0x80) return AppendByte(static_cast<char>(c));
    if (c < 0x800) {
      AppendByte(static_cast<char>(0xC0 | (c >> 6)));
    } else if (c < 0x10000) {
      AppendByte(static_cast<char>(0xE0 | (c >> 12)));
      AppendByte(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    } else {
      AppendByte(static_cast<char>(0xF0 | (c >> 18)));
      AppendByte(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      AppendByte(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    }
    AppendByte(static_cast<char>(0x80 | (c & 0x3F)));
  }
  const char* data() const { return data_; }
  size_t size() const { return size_; }
  static constexpr size_t kCapacity = 8;

 private:
  char data_[kCapacity] = {};
  size_t size_ = 0;
};

int DigitValue(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (!hex) return -1;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Windows-1252's characters at 0x80-0x9F: references to those C1 controls mean them, as
// browsers read them (0 where Windows-1252 has none either).
constexpr uint16_t kWindows1252From80[] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

constexpr uint32_t kLastCodePoint = 0x10FFFF;

constexpr uint32_t kReplacementCharacter = 0xFFFD;

// The code point of a character reference "&#N;" or "&#xH;" whose text after the '&' is
// `after`, and the length of that text; 0 when it is not one (no digits or no ';'). A number
// past U+10FFFF, however many digits it has, stands for U+FFFD, as HTML reads it: it never wraps
// into a smaller code point.
size_t MatchNumeric(std::string_view after, uint32_t& value) {
  size_t i = 1;  // past '#'
  const bool hex = i < after.size() && (after[i] == 'x' || after[i] == 'X');
  if (hex) ++i;
  const size_t digits_start = i;
  value = 0;
  bool too_large = false;
  for (; i < after.size(); ++i) {
    const int digit = DigitValue(after[i], hex);
    if (digit < 0) break;
    if (too_large) continue;
    value = value * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
    too_large = value > kLastCodePoint;
  }
  if (i == digits_start || i >= after.size() || after[i] != ';') return 0;
  if (too_large) value = kReplacementCharacter;
  return i + 1;
}

// The bytes a referenced code point becomes in the text's code page; false when the reference
// stays as it is. Zero never decodes (it would cut C strings short). In a single-byte page a
// number below 256 is that byte. In UTF-8 every code point but the surrogates is its UTF-8
// form, which never holds an ASCII byte, so only a reference to '<' itself can make a '<'.
bool ReferencedBytes(uint32_t value, int code_page, EntityBytes& bytes) {
  if (value == 0) return false;
  bytes.Clear();
  if (code_page != kCodePageUtf8) {
    if (value >= 256) return false;
    bytes.AppendByte(static_cast<char>(value));
    return true;
  }
  if (value >= 0xD800 && value <= 0xDFFF) return false;
  if (value >= 0x80 && value <= 0x9F && kWindows1252From80[value - 0x80] != 0) {
    value = kWindows1252From80[value - 0x80];
  }
  bytes.AppendUtf8(value);
  return true;
}

// Characters the program has always read as ASCII: stored titles hold them that way, and a
// title must read as it did to stay the same record.
std::string_view AsciiStandIn(char32_t c) {
  switch (c) {
    case 0x00A0:
      return " ";
    case 0x00AB:
    case 0x00BB:
    case 0x201C:
    case 0x201E:
      return "\"";
    case 0x2026:
      return "...";
    default:
      return {};
  }
}

// Appends `c` in the code page; false when a single-byte page lacks it.
bool AppendCharacter(char32_t c, int code_page, EntityBytes& bytes) {
  if (code_page == kCodePageUtf8 || c < 0x80) {
    bytes.AppendUtf8(c);
    return true;
  }
  std::string utf8;
  AppendUtf8(c, utf8);
  const std::string converted = CodePageFromUtf8(utf8, code_page);
  // The conversion writes '?' for what the page lacks; c itself is not ASCII.
  if (converted.size() != 1 || converted[0] == '?') return false;
  bytes.Append(converted);
  return true;
}

// The bytes the named reference stands for; false when the page lacks one of its characters.
bool NamedBytes(const NamedReference& reference, int code_page, EntityBytes& bytes) {
  bytes.Clear();
  if (reference.second == 0) {
    const std::string_view stand_in = AsciiStandIn(reference.first);
    if (!stand_in.empty()) {
      bytes.Append(stand_in);
      return true;
    }
  }
  if (!AppendCharacter(reference.first, code_page, bytes)) return false;
  return reference.second == 0 || AppendCharacter(reference.second, code_page, bytes);
}

bool IsAsciiAlphanumeric(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The five names XML predefines, with their ';': nearly every entity of an escaped description
// is one of them, so they skip the table's hashing. They read as the table reads them.
size_t MatchPredefinedName(std::string_view after, EntityBytes& bytes) {
  struct Predefined {
    std::string_view name;
    char character;
  };
  static constexpr Predefined kLessThan{"lt;", '<'}, kGreaterThan{"gt;", '>'}, kQuote{"quot;", '"'},
      kAmpersand{"amp;", '&'}, kApostrophe{"apos;", '\''};
  if (after.size() < 3) return 0;
  const Predefined* entry = nullptr;
  switch (after[0]) {
    case 'l':
      entry = &kLessThan;
      break;
    case 'g':
      entry = &kGreaterThan;
      break;
    case 'q':
      entry = &kQuote;
      break;
    case 'a':
      entry = after[1] == 'm' ? &kAmpersand : &kApostrophe;
      break;
    default:
      return 0;
  }
  // Names this short compare faster in a loop than through memcmp.
  if (after.size() < entry->name.size()) return 0;
  for (size_t i = 1; i < entry->name.size(); ++i) {
    if (after[i] != entry->name[i]) return 0;
  }
  bytes.Clear();
  bytes.AppendByte(entry->character);
  return entry->name.size();
}

// The length of the entity whose text after the '&' starts `after` (0 when there is none), and
// in `bytes` what it stands for. `semicolon_only` leaves out the legacy names without ';'.
size_t MatchEntity(std::string_view after, const Decoding& decoding, bool semicolon_only,
                   EntityBytes& bytes) {
  if (const size_t length = MatchPredefinedName(after, bytes)) return length;
  if (!after.empty() && after[0] == '#') {
    uint32_t value = 0;
    const size_t length = MatchNumeric(after, value);
    if (length == 0 || !ReferencedBytes(value, decoding.code_page, bytes)) return 0;
    return length;
  }
  const NamedReference reference = MatchNamedReference(after);
  if (reference.length == 0) return 0;
  if (!reference.semicolon && semicolon_only) return 0;
  if (!reference.semicolon && decoding.context == EntityContext::kAttribute &&
      reference.length < after.size() &&
      (after[reference.length] == '=' || IsAsciiAlphanumeric(after[reference.length]))) {
    return 0;
  }
  return NamedBytes(reference, decoding.code_page, bytes) ? reference.length : 0;
}

// Copies src[read, ...) to dst[write, ...) up to the next '&' or the end, sixteen bytes at a
// time where it can: escaped descriptions hold an entity every few words. A block is read
// before it is written, and the writer never passes the reader, so src and dst may be the same
// text.
void CopyUpToAmpersand(const char* src, size_t length, size_t& read, char* dst, size_t& write) {
  if (src + read == dst + write) {
    // Nothing decoded yet: the bytes are where they belong.
    const size_t amp = std::min(FindAnyOf<'&'>(std::string_view(src, length), read), length);
    write += amp - read;
    read = amp;
    return;
  }
  for (; read + 16 <= length; read += 16, write += 16) {
    char block[16];
    std::memcpy(block, src + read, sizeof block);
    const unsigned first = FirstOfSixteen<'&'>(block);
    if (first < 16) {
      // The block goes whole where its tail lands on bytes already read (or on scratch room
      // past the output); in place it could land on the '&' itself.
      if (src != dst || write + sizeof block <= read + first) {
        std::memcpy(dst + write, block, sizeof block);
      } else {
        std::memmove(dst + write, block, first);
      }
      read += first;
      write += first;
      return;
    }
    std::memcpy(dst + write, block, sizeof block);
  }
  while (read < length && src[read] != '&') dst[write++] = src[read++];
}

struct Progress {
  size_t read = 0;
  size_t write = 0;
};

// Decodes src[at.read, length) into dst from at.write on. dst holds `room` bytes; it is src
// itself (room == length) or apart from it. Stops early, at the '&' of an entity, when writing
// it would leave less room than the rest of src needs undecoded: in place, the writer then
// never passes the reader. Copying and every entity but a few two-character names shrink.
Progress DecodeRange(const char* src, size_t length, char* dst, size_t room, Progress at,
                     const Decoding& decoding) {
  EntityBytes bytes;
  auto [read, write] = at;
  while (read < length) {
    CopyUpToAmpersand(src, length, read, dst, write);
    if (read == length) break;
    // "&amp;" yields an '&' that is read again, so "&amp;lt;" gives "<": the text after the
    // '&' goes on after every "amp;" that follows it. Read again, only a name with its ';'
    // counts: "&amp;section=2" is the text "&section=2" of an address, never "§ion=2".
    size_t after = read + 1;
    while (length - after >= 4 && std::memcmp(src + after, "amp;", 4) == 0) after += 4;
    const bool read_again = after != read + 1;
    const size_t consumed =
        MatchEntity(std::string_view(src + after, length - after), decoding, read_again, bytes);
    if (consumed == 0) {
      dst[write++] = '&';
      read = after;
      continue;
    }
    const size_t next = after + consumed;
    if (write + bytes.size() + (length - next) > room) return {read, write};
    // All eight bytes where they land on read input or scratch room: a copy of fixed length.
    if (write + EntityBytes::kCapacity <= room &&
        (src != dst || write + EntityBytes::kCapacity <= next)) {
      std::memcpy(dst + write, bytes.data(), EntityBytes::kCapacity);
    } else {
      std::memcpy(dst + write, bytes.data(), bytes.size());
    }
    write += bytes.size();
    read = next;
  }
  return {read, write};
}

}  // namespace

void DecodeEntitiesInPlace(std::string& text, int code_page, EntityContext context) {
  const Progress done =
      DecodeRange(text.data(), text.size(), text.data(), text.size(), {}, {code_page, context});
  if (done.read < text.size()) {
    // An entity longer decoded than written: the rest goes into new room.
    const std::string rest = text.substr(done.read);
    text.resize(done.write);
    AppendDecodedEntities(rest, code_page, text, context);
    return;
  }
  text.resize(done.write);
}

std::string DecodeEntities(std::string_view text, int code_page, EntityContext context) {
  std::string decoded;
  AppendDecodedEntities(text, code_page, decoded, context);
  return decoded;
}

void AppendDecodedEntities(std::string_view text, int code_page, std::string& out,
                           EntityContext context) {
  // Most text between tags holds no reference at all: it goes over as it is.
  if (text.find('&') == std::string_view::npos) {
    out.append(text);
    return;
  }
  const size_t start = out.size();
  size_t room = text.size();
  Progress done;
  for (;;) {
    out.resize(start + room);
    done =
        DecodeRange(text.data(), text.size(), out.data() + start, room, done, {code_page, context});
    if (done.read == text.size()) break;
    room += text.size() / 8 + 16;
  }
  out.resize(start + done.write);
}

}  // namespace tarsel::HTML
