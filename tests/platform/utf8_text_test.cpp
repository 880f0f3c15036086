#include "platform/utf8_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tarsel {
namespace {

constexpr char kFffd[] = "\xEF\xBF\xBD";

TEST(RepairUtf8, EachMalformedPartBecomesOneReplacement) {
  const std::string r = kFffd;
  struct Case {
    const char* name;
    std::string input;
    std::string expected;
  } const cases[] = {
      {"valid text stays", "a\xD0\x9F\xE4\xB8\xAD\xF0\x9F\x98\x80",
       "a\xD0\x9F\xE4\xB8\xAD\xF0\x9F\x98\x80"},
      {"overlong two-byte form", "\xC0\xAF!", r + r + "!"},
      {"overlong three-byte form", "\xE0\x80\xAF", r + r + r},
      {"surrogate", "\xED\xA0\x80x", r + r + r + "x"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", r + r + r + r},
      {"bytes F5 to FF", "\xF5\xFF", r + r},
      {"stray continuation",
       "a\x80"
       "b",
       "a" + r + "b"},
      {"cut three-byte sequence is one", "\xE2\x82z", r + "z"},
      {"cut four-byte sequence at the end", "x\xF0\x9F\x98", "x" + r},
      {"single-byte Cyrillic", "\xCF\xF0\xE8", r + r + r},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RepairUtf8(c.input), c.expected) << c.name;
    EXPECT_TRUE(IsStrictUtf8(RepairUtf8(c.input))) << c.name;
  }
}

TEST(Utf8Prefix, CountsCharactersAndNeverSplitsOne) {
  struct Case {
    const char* name;
    std::string text;
    size_t max_characters;
    std::string expected;
    size_t count;
  } const cases[] = {
      {"ascii", "abcdef", 3, "abc", 6},
      {"short text stays", "ab", 5, "ab", 2},
      {"cyrillic", "\xD0\x9F\xD1\x80\xD0\xB8", 2, "\xD0\x9F\xD1\x80", 3},
      {"cjk", "\xE4\xB8\xAD\xE6\x96\x87!", 1, "\xE4\xB8\xAD", 3},
      {"emoji", "\xF0\x9F\x98\x80\xF0\x9F\x98\x80", 1, "\xF0\x9F\x98\x80", 2},
      {"single-byte text counts bytes", "\xCF\xF0\xE8\xE2", 2, "\xCF\xF0", 4},
      {"zero characters", "\xD0\x9F", 0, "", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8Prefix(c.text, c.max_characters), c.expected) << c.name;
    EXPECT_EQ(CountCharacters(c.text), c.count) << c.name;
  }
}

TEST(CharacterBoundaryAtOrBefore, BacksOffOnlyInsideASequence) {
  struct Case {
    const char* name;
    std::string text;
    size_t max_bytes;
    size_t expected;
  } const cases[] = {
      {"fits", "abc", 5, 3},
      {"ascii cut", "abcdef", 4, 4},
      {"between characters", "\xD0\x9F\xD0\x9F", 2, 2},
      {"inside a two-byte one", "a\xD0\x9F", 2, 1},
      {"inside a four-byte one", "a\xF0\x9F\x98\x80", 4, 1},
      {"after a whole four-byte one", "\xF0\x9F\x98\x80z", 4, 4},
      {"stray continuation bytes", "\x80\x80\x80\x80\x80\x80", 5, 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CharacterBoundaryAtOrBefore(c.text, c.max_bytes), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace tarsel
