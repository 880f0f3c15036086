#include "parse/dates/pattern.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tarsel {
namespace {

constexpr const char* kNoMatch = "<no match>";
constexpr const char* kAbsent = "<absent>";

// Describes a search as "whole|group0|group1..." so a table row states the full outcome.
std::string Describe(const Pattern& pattern, std::string_view text) {
  MatchResult match;
  if (!pattern.Search(text, match)) return kNoMatch;
  std::string out(text.substr(match.whole.begin, match.whole.end - match.whole.begin));
  for (size_t g = 0; g < match.groups.size(); ++g) {
    out += "|";
    out += match.groups[g].matched() ? std::string(match.Group(text, g)) : kAbsent;
  }
  return out;
}

struct SearchCase {
  const char* name;
  const char* pattern;
  std::string text;
  std::string expected;
};

TEST(PatternTest, SearchFindsFirstPositionAndFirstPath) {
  const std::vector<SearchCase> cases = {
      {"literal found later in text", "abc", "xxabcabc", "abc"},
      {"case sensitive by default", "abc", "ABC", kNoMatch},
      {"dot is any byte, even zero", "a.c", std::string("a\0c", 3), std::string("a\0c", 3)},
      {"range set", "{[0-9]+}", "ab1234cd", "1234|1234"},
      {"negated set", "{[^ ]+}", "  word rest", "word|word"},
      {"set with escaped bracket", "{[\\]x]+}", "a]x]b", "]x]|]x]"},
      {"escaped meaning characters", "\\[\\.\\]\\{\\}\\(\\)\\?\\*\\+\\\\", "[.]{}()?*+\\",
       "[.]{}()?*+\\"},
      {"escaped ordinary letter is itself", "\\t", "t", "t"},
      {"greedy star takes most", "{a.*}b", "a1b2b3", "a1b2b|a1b2"},
      {"lazy star takes least", "{a.*?}b", "a1b2b3", "a1b|a1"},
      {"lazy plus takes least", "{a.+?}b", "abb2b", "abb|ab"},
      {"optional capture absent", "x{y}?z", "xz", "xz|<absent>"},
      {"optional capture present", "x{y}?z", "xyz", "xyz|y"},
      {"quantifier on group", "{(ab)+}c", "abababc", "abababc|ababab"},
      {"groups numbered by opening brace", "{a{b}}{c}", "abc", "abc|ab|b|c"},
      {"first alternative wins", "{a|ab}", "ab", "a|a"},
      {"later alternative when first fails", "{x|ab|a}c", "abc", "abc|ab"},
      {"leftmost start wins over longer", "b+|a+b", "aab", "aab"},
      {"group in repetition keeps last pass", "({[a-z]})+", "abc", "abc|c"},
      {"empty loop terminates", "{(a*)*}b", "aaac", kNoMatch},
      {"empty loop matches", "{(a*)*}b", "aab", "aab|aa"},
      {"empty pattern matches at start", "", "abc", ""},
      {"blank abbreviation is blank or tab", "a\\bb", "a\tb a b", "a\tb"},
      {"blank abbreviation is not a word boundary", "a\\bb", "ab", kNoMatch},
      {"digit and digits", "{\\d}-{\\z}", "x7-123", "7-123|7|123"},
      {"word and letter-or-digit", "{\\w}{\\a}", "--abc9", "abc9|abc|9"},
      {"letter and hex", "{\\c}{\\h+}", "1gF0z", "gF0|g|F0"},
      {"quoted string, double or single", "{\\q}", "x='a b' \"c\"", "'a b'|'a b'"},
      {"line ends", "a\\nb", "a\r\nb", "a\r\nb"},
      {"bare carriage return line end", "a\\nb", "a\rb", "a\rb"},
      {"high bytes are ordinary", "{[\xC0-\xFF]+}", "ab\xE0\xFF\x7F", "\xE0\xFF|\xE0\xFF"},
  };
  for (const SearchCase& c : cases) {
    std::optional<Pattern> pattern = Pattern::Compile(c.pattern);
    ASSERT_TRUE(pattern.has_value()) << c.name;
    EXPECT_EQ(Describe(*pattern, c.text), c.expected) << c.name;
  }
}

TEST(PatternTest, CaseInsensitiveFoldsAsciiOnly) {
  std::optional<Pattern> pattern = Pattern::Compile("{Jan[a-c]}", false);
  ASSERT_TRUE(pattern.has_value());
  EXPECT_FALSE(pattern->case_sensitive());
  EXPECT_EQ(Describe(*pattern, "xJANB"), "JANB|JANB");
  EXPECT_EQ(Describe(*pattern, "jana"), "jana|jana");
  std::optional<Pattern> high = Pattern::Compile("\xE0", false);
  ASSERT_TRUE(high.has_value());
  EXPECT_EQ(Describe(*high, "\xC0"), kNoMatch);
}

TEST(PatternTest, MalformedPatternsAreRejected) {
  const std::vector<std::string> bad = {
      "(abc",
      "{abc",
      "abc)",
      "abc}",
      "[abc",
      "[z-a]",
      "*a",
      "a|+",
      "({)}",
      "(?)",
      std::string(300, '(') + std::string(300, ')'),
  };
  for (const std::string& text : bad) EXPECT_FALSE(Pattern::Compile(text).has_value()) << text;
  // Deep but bounded nesting and long alternation lists are fine.
  EXPECT_TRUE(Pattern::Compile(std::string(100, '(') + "a" + std::string(100, ')')).has_value());
  std::string many = "a";
  for (int i = 0; i < 2000; ++i) many += "|a";
  EXPECT_TRUE(Pattern::Compile(many).has_value());
}

TEST(PatternTest, GroupCountAndFailedSearchClearsResult) {
  std::optional<Pattern> pattern = Pattern::Compile("{a}({b})?{c}");
  ASSERT_TRUE(pattern.has_value());
  EXPECT_EQ(pattern->group_count(), 3u);
  MatchResult match;
  ASSERT_TRUE(pattern->Search("abc", match));
  EXPECT_FALSE(pattern->Search("xyz", match));
  ASSERT_EQ(match.groups.size(), 3u);
  for (const MatchSpan& span : match.groups) EXPECT_FALSE(span.matched());
  EXPECT_FALSE(match.whole.matched());
  EXPECT_EQ(match.Group("abc", 7), "");
}

// Patterns with nested or adjacent open-ended repeats would take polynomial or exponential time
// in a plain backtracker; each must finish promptly on a large hostile text.
TEST(PatternTest, HostileTextsStayLinear) {
  const std::string commas(50000, ',');
  std::string digits_and_blanks;
  for (int i = 0; i < 20000; ++i) digits_and_blanks += "1 ";
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"(.*?, ){[0-9]+} {.*}? {[0-9]+} {[0-9]+}:{[0-9]+}:{[0-9]+} ", commas + " " + commas},
      {"(.*?, ){[0-9]+} {.*}? {[0-9]+} {[0-9]+}:{[0-9]+}:{[0-9]+} ", ", " + digits_and_blanks},
      {"(a*)*(a*)*b", std::string(50000, 'a')},
      {"((a|aa)+)+c", std::string(50000, 'a')},
  };
  for (const auto& [text, input] : cases) {
    std::optional<Pattern> pattern = Pattern::Compile(text);
    ASSERT_TRUE(pattern.has_value()) << text;
    MatchResult match;
    EXPECT_FALSE(pattern->Search(input, match)) << text;
  }
}

}  // namespace
}  // namespace tarsel
