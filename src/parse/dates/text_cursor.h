#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarsel {

// A read position in a date text, for the hand-written date scanners. Every step moves forward
// only, so a scan is linear in the text however it ends. Bytes in any code page; only ASCII
// letters, digits and blanks mean anything.
class TextCursor {
 public:
  explicit TextCursor(std::string_view text) : text_(text) {}

  bool AtEnd() const { return position_ >= text_.size(); }
  // The next byte, or zero at the end (a zero byte in the text is no letter, digit or blank
  // either, so the two never need telling apart).
  char Peek() const { return AtEnd() ? '\0' : text_[position_]; }
  size_t position() const { return position_; }
  void set_position(size_t position) {
    position_ = position < text_.size() ? position : text_.size();
  }
  std::string_view text() const { return text_; }

  bool Take(char c) {
    if (AtEnd() || text_[position_] != c) return false;
    ++position_;
    return true;
  }
  // Blanks are spaces, tabs and line ends (a mail header folds its date over lines).
  size_t SkipBlanks() { return SkipWhile(IsBlank); }
  std::string_view TakeDigits() { return TakeWhile(IsDigit); }
  std::string_view TakeLetters() { return TakeWhile(IsLetter); }

  static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

 private:
  size_t SkipWhile(bool (*accept)(char)) {
    const size_t start = position_;
    while (!AtEnd() && accept(text_[position_])) ++position_;
    return position_ - start;
  }
  std::string_view TakeWhile(bool (*accept)(char)) {
    const size_t start = position_;
    SkipWhile(accept);
    return text_.substr(start, position_ - start);
  }

  std::string_view text_;
  size_t position_ = 0;
};

// The value of a run of ASCII digits, saturating at kDigitsCap so that a year of ten thousand
// digits is simply "very large" rather than an overflow.
inline constexpr int64_t kDigitsCap = 1'000'000'000;
inline int64_t DigitsValue(std::string_view digits) {
  int64_t value = 0;
  for (char c : digits) {
    value = value * 10 + (c - '0');
    if (value >= kDigitsCap) return kDigitsCap;
  }
  return value;
}

}  // namespace tarsel
