#include "parse/xml/xml_cursor.h"

#include <climits>
#include <cstring>

#include "parse/xml/xml_exception.h"

namespace tarsel::XMLParser {

int Cursor::PeekPastCarriageReturns() {
  while (pos_ < end_ && *pos_ == '\r') ++pos_;
  return pos_ < end_ ? static_cast<unsigned char>(*pos_) : kEnd;
}

bool Cursor::Match(std::string_view literal, bool fold_case) {
  const char* start = pos_;
  for (char wanted : literal) {
    int c = Next();
    bool same = c != kEnd && (fold_case ? chars::Lower(static_cast<char>(c)) == chars::Lower(wanted)
                                        : c == static_cast<unsigned char>(wanted));
    if (!same) {
      pos_ = start;
      return false;
    }
  }
  return true;
}

bool Cursor::MatchExact(std::string_view literal) {
  return Match(literal, false);
}

bool Cursor::MatchNoCase(std::string_view literal) {
  return Match(literal, true);
}

const char* Cursor::LiteralAt(const char* from, std::string_view literal) const {
  for (char wanted : literal) {
    while (from < end_ && *from == '\r') ++from;
    if (from == end_ || *from != wanted) return nullptr;
    ++from;
  }
  return from;
}

const char* Cursor::Find(std::string_view literal) const {
  for (const char* p = pos_; p < end_; ++p) {
    p = static_cast<const char*>(std::memchr(p, literal[0], end_ - p));
    if (!p) return nullptr;
    if (LiteralAt(p + 1, literal.substr(1))) return p;
  }
  return nullptr;
}

bool Cursor::ReadName(std::string& out) {
  if (!chars::Has(Peek(), chars::kNameStart)) return false;
  out.clear();
  for (;;) {
    const char* run = pos_;
    while (pos_ < end_ && chars::Has(*pos_, chars::kNameChar)) ++pos_;
    std::size_t old_size = out.size();
    out.append(run, pos_);
    for (std::size_t i = old_size; i < out.size(); ++i) out[i] = chars::Lower(out[i]);
    // A CR inside a name is not delivered, so the name goes on after it.
    if (pos_ == end_ || *pos_ != '\r' || !chars::Has(Peek(), chars::kNameChar)) return true;
  }
}

bool Cursor::ReadNameEqualTo(std::string_view expected, bool& equal) {
  if (!chars::Has(Peek(), chars::kNameStart)) return false;
  // Usually the name is there byte for byte, with no CR inside it.
  std::size_t size = expected.size();
  if (static_cast<std::size_t>(end_ - pos_) > size && !chars::Has(pos_[size], chars::kNameChar) &&
      pos_[size] != '\r') {
    equal = true;
    for (std::size_t i = 0; i < size && equal; ++i) equal = chars::Lower(pos_[i]) == expected[i];
    if (equal) {
      pos_ += size;
      return true;
    }
  }
  std::size_t matched = 0;
  equal = true;
  for (int c = Peek(); chars::Has(c, chars::kNameChar); c = Peek()) {
    char lower = chars::Lower(static_cast<char>(c));
    if (matched >= expected.size() || expected[matched] != lower) equal = false;
    ++matched;
    Advance();
  }
  equal = equal && matched == expected.size();
  return true;
}

void Cursor::SkipPast(char stop) {
  const void* found = std::memchr(pos_, stop, end_ - pos_);
  if (!found) FailAt(end_);
  pos_ = static_cast<const char*>(found) + 1;
}

void Cursor::Fail() const {
  long long line = 1;
  long long column = 1;
  for (const char* p = begin_; p < pos_; ++p) {
    if (*p == '\n') {
      ++line;
      column = 1;
    } else if (*p != '\r') {
      ++column;
    }
  }
  throw Exception{static_cast<int>(line > INT_MAX ? INT_MAX : line),
                  static_cast<int>(column > INT_MAX ? INT_MAX : column)};
}

void AppendTrimmed(std::string& out, const char* first, const char* last) {
  while (first < last && chars::Has(*first, chars::kTrimmed)) ++first;
  while (last > first && chars::Has(last[-1], chars::kTrimmed)) --last;
  out.append(first, last);
}

}  // namespace tarsel::XMLParser
