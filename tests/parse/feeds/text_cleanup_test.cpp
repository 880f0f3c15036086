#include "parse/feeds/text_cleanup.h"

#include <gtest/gtest.h>

#include <string>

namespace tarsel {
namespace {

struct ShortenCase {
  const char* name;
  std::string text;
  size_t limit;
  std::string expected;
};

std::string Repeat(const std::string& unit, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += unit;
  return text;
}

TEST(ShortenTextTest, CutsAtFirstBreakPastTheLimit) {
  const std::string words60 = std::string(57, 'a') + " bb cc";  // first blank at 57
  const ShortenCase cases[] = {
      {"shorter than the limit stays bare", std::string(30, 'x'), 50, std::string(30, 'x')},
      {"empty stays empty", "", 50, ""},
      {"exactly the limit gets dots", std::string(50, 'x'), 50, std::string(50, 'x') + "..."},
      {"no break past the limit keeps all", std::string(80, 'x'), 50, std::string(80, 'x') + "..."},
      {"cuts at first blank past the limit", words60, 50, std::string(57, 'a') + "..."},
      {"break exactly at the limit is not a cut point",
       std::string(50, 'a') + " " + std::string(5, 'b') + ".c", 50,
       std::string(50, 'a') + " " + std::string(5, 'b') + "..."},
      {"full stop is a cut point", std::string(55, 'a') + ".rest of it", 50,
       std::string(55, 'a') + "..."},
      {"trailing white space goes before the dots", std::string(50, 'a') + " \r\n", 50,
       std::string(50, 'a') + "..."},
      // UTF-8 text counts characters: 30 two-byte letters are 60 bytes but under the limit.
      {"utf-8 under the limit in characters", Repeat("\xD0\x96", 30), 50, Repeat("\xD0\x96", 30)},
      {"utf-8 cut at the first blank past 50 characters",
       Repeat("\xD0\x96", 52) + " " + Repeat("\xE4\xB8\xAD", 3), 50,
       Repeat("\xD0\x96", 52) + "..."},
      {"utf-8 blank at character 50 is not a cut point", Repeat("\xE4\xB8\xAD", 50) + " x y", 50,
       Repeat("\xE4\xB8\xAD", 50) + " x..."},
  };
  for (const ShortenCase& c : cases) {
    EXPECT_EQ(ShortenText(c.text, c.limit), c.expected) << c.name;
  }
}

TEST(ShortenTextTest, LongTextOfWords) {
  std::string text;
  while (text.size() < 200) text += "word ";
  std::string shortened = ShortenText(text, 50);
  // Blanks sit at 4, 9, ..., 54: the first one past 50 is at 54.
  EXPECT_EQ(shortened, text.substr(0, 54) + "...");
}

TEST(CollapseBlanksTest, Table) {
  const struct {
    const char* name;
    std::string text;
    std::string expected;
  } cases[] = {
      {"crlf becomes two blanks, then the run shrinks", "Line one\r\nline  two",
       "Line one  line two"},
      {"blank then line break drops the break", "a \nb", "a b"},
      {"tabs count as breaks", "a\t\tb", "a  b"},
      {"runs of spaces shrink", "a    b", "a b"},
      {"leading break becomes a blank", "\nx", " x"},
      {"untouched text", "plain", "plain"},
      {"empty", "", ""},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    CollapseBlanks(text);
    EXPECT_EQ(text, c.expected) << c.name;
  }
}

}  // namespace
}  // namespace tarsel
