#include "parse/xml/xml_prolog.h"

#include <cstring>

namespace tarsel::XMLParser {
namespace {

bool IsAsciiLetter(int c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsValueChar(int c) {
  return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == ':' || c == '_';
}

// version="..." or encoding="..." inside the declaration. Absent unless a blank and then the word
// follow; once the word is there, everything after it must be well formed.
bool ReadPseudoAttribute(Cursor& cursor, std::string_view word, bool letter_first,
                         std::string& value) {
  if (!cursor.SkipBlanks() || !cursor.MatchExact(word)) return false;
  cursor.SkipBlanks();
  if (cursor.Next() != '=') cursor.Fail();
  cursor.SkipBlanks();
  int quote = cursor.Next();
  if (quote != '"' && quote != '\'') cursor.Fail();
  std::string read;
  for (int c = cursor.Peek(); IsValueChar(c); c = cursor.Peek()) {
    if (read.empty() && letter_first && !IsAsciiLetter(c)) break;
    read += static_cast<char>(c);
    cursor.Advance();
  }
  if (read.empty() || cursor.Next() != quote) cursor.Fail();
  value = std::move(read);
  return true;
}

bool ReadDeclaration(Cursor& cursor, std::string& version, std::string& encoding) {
  cursor.SkipBlanks();
  // Also swallows other instructions beginning with these letters, such as a style sheet's.
  if (!cursor.MatchNoCase("<?xml")) return false;
  ReadPseudoAttribute(cursor, "version", false, version);
  std::string declared;
  if (ReadPseudoAttribute(cursor, "encoding", true, declared)) {
    for (char& c : declared) c = chars::Lower(c);
    encoding = std::move(declared);
  }
  cursor.SkipBlanks();
  cursor.SkipPast('>');
  return true;
}

bool ReadProcessingInstruction(Cursor& cursor) {
  cursor.SkipBlanks();
  if (!cursor.MatchNoCase("<?xml-")) return false;
  cursor.SkipPast('>');
  return true;
}

// Skips to the '>' that closes the declaration; every '<' on the way opens a group that needs
// its own '>'. Quotes mean nothing here. Counting instead of recursing keeps deep nesting cheap.
bool ReadDocumentType(Cursor& cursor) {
  cursor.SkipBlanks();
  if (!cursor.MatchNoCase("<!DOCTYPE")) return false;
  std::size_t open_groups = 0;
  for (const char* p = cursor.Position(); p < cursor.End(); ++p) {
    if (*p == '\0') cursor.FailAt(p);
    if (*p == '<') {
      ++open_groups;
    } else if (*p == '>') {
      if (open_groups == 0) {
        cursor.MoveTo(p + 1);
        return true;
      }
      --open_groups;
    }
  }
  cursor.FailAt(cursor.End());
}

}  // namespace

void ReadProlog(Cursor& cursor, std::string& version, std::string& encoding) {
  const char* end = cursor.End();
  const void* first_tag = std::memchr(cursor.Position(), '<', end - cursor.Position());
  if (!first_tag) cursor.FailAt(end);
  cursor.MoveTo(static_cast<const char*>(first_tag));
  for (bool matched = true; matched;) {
    matched = ReadDeclaration(cursor, version, encoding);
    matched = ReadProcessingInstruction(cursor) || matched;
    matched = ReadDocumentType(cursor) || matched;
  }
}

}  // namespace tarsel::XMLParser
