#pragma once

// The reader's read position over a borrowed byte range, and the character-level steps the
// grammar is made of. Internal to the XML reader.
//
// A CR byte is never delivered as a character: the grammar sees the byte after it (so CR LF reads
// as LF and a lone CR vanishes). Raw byte ranges taken from the input (texts, attribute values,
// comment bodies) keep their CRs. End of input reads as kEnd.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarsel::XMLParser {

inline constexpr int kEnd = -1;

namespace chars {

enum : std::uint8_t { kBlank = 1, kNameStart = 2, kNameChar = 4, kTrimmed = 8 };

struct Table {
  std::uint8_t flags[256] = {};
  char lower[256] = {};
};

constexpr Table MakeTable() {
  Table table;
  for (int c = 0; c < 256; ++c) {
    bool upper = c >= 'A' && c <= 'Z';
    bool letter = upper || (c >= 'a' && c <= 'z');
    bool digit = c >= '0' && c <= '9';
    std::uint8_t f = 0;
    if (c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r') f |= kBlank;
    if (letter || c == '_' || c == ':') f |= kNameStart;
    if (letter || digit || c == '-' || c == '.' || c == '_' || c == ':') f |= kNameChar;
    if (c == '\t' || c == '\n' || c == '\r') f |= kTrimmed;
    table.flags[c] = f;
    table.lower[c] = static_cast<char>(upper ? c - 'A' + 'a' : c);
  }
  return table;
}

inline constexpr Table kTable = MakeTable();

inline bool Has(int c, std::uint8_t flag) {
  return c >= 0 && (kTable.flags[c] & flag) != 0;
}
inline bool Has(char c, std::uint8_t flag) {
  return (kTable.flags[static_cast<unsigned char>(c)] & flag) != 0;
}
inline char Lower(char c) {
  return kTable.lower[static_cast<unsigned char>(c)];
}

}  // namespace chars

class Cursor {
 public:
  Cursor(const char* bytes, std::size_t length)
      : begin_(bytes), pos_(bytes), end_(bytes + length) {}

  const char* Position() const { return pos_; }
  const char* End() const { return end_; }
  void MoveTo(const char* position) { pos_ = position; }

  // The next character without taking it (CRs before it are passed over), or kEnd.
  int Peek() {
    if (pos_ < end_ && *pos_ != '\r') return static_cast<unsigned char>(*pos_);
    return PeekPastCarriageReturns();
  }
  // Takes the character Peek returned; only after a Peek that was not kEnd.
  void Advance() { ++pos_; }
  int Next() {
    int c = Peek();
    if (c != kEnd) ++pos_;
    return c;
  }

  // Skips blank bytes (CR included); true when at least one was skipped.
  bool SkipBlanks() {
    const char* start = pos_;
    while (pos_ < end_ && chars::Has(*pos_, chars::kBlank)) ++pos_;
    return pos_ != start;
  }

  // Takes `literal` when the next characters are exactly it; otherwise takes nothing.
  bool MatchExact(std::string_view literal);
  // As MatchExact, with A-Z folded to a-z on both sides.
  bool MatchNoCase(std::string_view literal);
  // When the characters from `from` on spell `literal`, the position just after them; else null.
  const char* LiteralAt(const char* from, std::string_view literal) const;
  // The first position from the read position on where `literal` is spelled, or null.
  const char* Find(std::string_view literal) const;

  // Reads a name, folded to lower case, into `out`; false (nothing taken) when none starts here.
  bool ReadName(std::string& out);
  // Reads a name and tells whether it equals `expected`; false when there is no name.
  bool ReadNameEqualTo(std::string_view expected, bool& equal);
  // Takes every byte up to and including the next `stop`; throws at the end of input.
  void SkipPast(char stop);

  // Throws Exception with the line and column of the read position.
  [[noreturn]] void Fail() const;
  [[noreturn]] void FailAt(const char* position) {
    pos_ = position;
    Fail();
  }

 private:
  int PeekPastCarriageReturns();
  bool Match(std::string_view literal, bool fold_case);

  const char* begin_;
  const char* pos_;
  const char* end_;
};

// Appends [first, last) to `out` without the tabs, LFs and CRs at both ends.
void AppendTrimmed(std::string& out, const char* first, const char* last);

}  // namespace tarsel::XMLParser
