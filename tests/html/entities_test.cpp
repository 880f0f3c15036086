#include "html/entities.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "html/markup_writer.h"
#include "platform/system_code_page.h"

namespace tarsel::HTML {
namespace {

// ASCII results read the same in every code page.
TEST(DecodeEntities, AsciiInEveryCodePage) {
  struct Case {
    const char* name;
    std::string input;
    std::string expected;
  } const cases[] = {
      {"plain text", "no entities", "no entities"},
      {"basic five", "&lt;b&gt; &amp; &apos;x&apos; &quot;y&quot;", "<b> & 'x' \"y\""},
      {"nbsp is a blank", "a&nbsp;b&nbsp", "a b "},
      {"quotes", "&laquo;a&raquo; &bdquo;b&ldquo;", "\"a\" \"b\""},
      {"ellipsis", "wait&hellip;", "wait..."},
      {"escaped less-than", "&amp;lt;b&amp;gt;", "<b>"},
      {"doubly escaped ampersand", "&amp;amp;", "&"},
      {"triply escaped less-than", "&amp;amp;lt;", "<"},
      {"ampersand before plain text", "&amp;x", "&x"},
      {"legacy names without ';'", "&lt &gt&amp &quot;", "< >& \""},
      {"capital names", "&LT;&GT &AMP;lt;", "<> &lt;"},
      {"legacy name before letters", "&gtx &ltb", ">x <b"},
      {"decimal", "&#65;&#66;", "AB"},
      {"hex either case", "&#x41;&#X42;&#x6a;&#x6A;", "ABjj"},
      {"missing semicolon stays", "&#65 x", "&#65 x"},
      {"no digits stays", "&#; &#x;", "&#; &#x;"},
      {"zero stays", "&#0;", "&#0;"},
      {"case-sensitive names", "&Amp; &lT;", "&Amp; &lT;"},
      {"unknown names", "&foo; &foo &#bar; &;", "&foo; &foo &#bar; &;"},
      {"cut off by the end", "a &am", "a &am"},
      {"lone ampersand at end", "a&", "a&"},
      {"cut off numeric", "&#6", "&#6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeEntities(c.input, kCodePageUtf8), c.expected);
    EXPECT_EQ(DecodeEntities(c.input, 1252), c.expected);
    std::string in_place = c.input;
    DecodeEntitiesInPlace(in_place, 1251);
    EXPECT_EQ(in_place, c.expected);
    std::string appended = "[";
    AppendDecodedEntities(c.input, 1250, appended);
    EXPECT_EQ(appended, "[" + c.expected);
  }
}

// A UTF-8 program: every code point becomes its UTF-8 bytes, and nothing but a reference to
// '<' itself gives a '<' that could open markup.
TEST(DecodeEntities, Utf8CodePage) {
  struct Case {
    const char* name;
    std::string input;
    std::string expected;
  } const cases[] = {
      {"common names", "caf&eacute; &aacute;&mdash;&rsquo;s &euro;5",
       "caf\xC3\xA9 \xC3\xA1\xE2\x80\x94\xE2\x80\x99s \xE2\x82\xAC"
       "5"},
      {"two code points", "&NotEqualTilde;&fjlig;",
       "\xE2\x89\x82\xCC\xB8"
       "fj"},
      {"growing name", "a&nGt;b",
       "a\xE2\x89\xAB\xE2\x83\x92"
       "b"},
      {"'<' with a mark", "&nvlt;", "<\xE2\x83\x92"},
      {"legacy without ';'", "caf&eacute! &copy 2024", "caf\xC3\xA9! \xC2\xA9 2024"},
      {"longest name first", "&notit; &notin; &ltimes;", "\xC2\xACit; \xE2\x88\x89 \xE2\x8B\x89"},
      {"others need their ';'", "&mdash &rsquo x&euro", "&mdash &rsquo x&euro"},
      {"escaped names", "&amp;eacute; &amp;amp;eacute", "\xC3\xA9 &eacute"},
      {"address text read again", "?a=1&amp;section=2&amp;copy=3", "?a=1&section=2&copy=3"},
      {"first and last rows", "&AElig;&Zscr;&aacute;&zwnj;",
       "\xC3\x86\xF0\x9D\x92\xB5\xC3\xA1\xE2\x80\x8C"},
      {"name longer than any", "&CounterClockwiseContourIntegralX;",
       "&CounterClockwiseContourIntegralX;"},
      {"latin-1 is two bytes", "caf&#233; &#xE9;", "caf\xC3\xA9 \xC3\xA9"},
      {"above U+FFFF", "&#x1F600;&#128512;", "\xF0\x9F\x98\x80\xF0\x9F\x98\x80"},
      {"last code point", "&#x10FFFF;", "\xF4\x8F\xBF\xBF"},
      {"C1 references mean Windows-1252", "&#150;&#x80;", "\xE2\x80\x93\xE2\x82\xAC"},
      {"C1 hole stays a control", "&#129;", "\xC2\x81"},
      {"past the last code point is U+FFFD", "&#x110000;&#1114112;", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"never wraps into a letter", "java&#x1000000073;&#4294967411;",
       "java\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"surrogate stays", "&#xD800;", "&#xD800;"},
      {"no folding onto '<'", "&#x1003C;&#xFF1C;", "\xF0\x90\x80\xBC\xEF\xBC\x9C"},
      {"escaped reference", "&amp;#1071;", "\xD0\xAF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeEntities(c.input, kCodePageUtf8), c.expected);
    std::string in_place = c.input;
    DecodeEntitiesInPlace(in_place, kCodePageUtf8);
    EXPECT_EQ(in_place, c.expected);
  }
}

// A single-byte program: names become the page's byte, or stay when the page lacks their
// character; numbers are the byte of that value.
TEST(DecodeEntities, SingleBytePages) {
  struct Case {
    const char* name;
    int code_page;
    std::string input;
    std::string expected;
  } const cases[] = {
      {"western names", 1252, "caf&eacute; &euro;&rsquo;&mdash;", "caf\xE9 \x80\x92\x97"},
      {"cyrillic page lacks e acute", 1251, "caf&eacute; &eacute", "caf&eacute; &eacute"},
      {"cyrillic names", 1251, "&IEcy;&euro;&copy", "\xC5\x88\xA9"},
      {"western page lacks cyrillic", 1252, "&IEcy;", "&IEcy;"},
      {"two code points lacked", 1252, "&nGt;&fjlig;", "&nGt;fj"},
      {"central european", 1250, "&scaron;&Lstrok;", "\x9A\xA3"},
      {"byte 255", 1251, "&#255;", "\xFF"},
      {"256 stays", 1252, "&#256; &#8364;", "&#256; &#8364;"},
      {"past the last code point stays, never wraps", 1252, "&#x1000000073;&#99999999999999999999;",
       "&#x1000000073;&#99999999999999999999;"},
      {"high bytes pass", 1251, "\xCF\xF0&amp;\xE8", "\xCF\xF0&\xE8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeEntities(c.input, c.code_page), c.expected);
  }
}

// In an attribute value a legacy name without ';' stays before '=', a letter or a digit: the
// query of an address keeps its parameters.
TEST(DecodeEntities, AttributeValues) {
  struct Case {
    const char* name;
    std::string input;
    std::string attribute;
    std::string text;
  } const cases[] = {
      {"query parameters", "?a=1&copy=2&section=3", "?a=1&copy=2&section=3",
       "?a=1\xC2\xA9=2\xC2\xA7ion=3"},
      {"escaped query", "?a=1&amp;copy=2", "?a=1&copy=2", "?a=1&copy=2"},
      {"with ';' always", "x&copy;y", "x\xC2\xA9y", "x\xC2\xA9y"},
      {"before other characters", "&copy &copy/&copy", "\xC2\xA9 \xC2\xA9/\xC2\xA9",
       "\xC2\xA9 \xC2\xA9/\xC2\xA9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeEntities(c.input, kCodePageUtf8, EntityContext::kAttribute), c.attribute);
    EXPECT_EQ(DecodeEntities(c.input, kCodePageUtf8), c.text);
  }
}

// "&nGt;" is longer decoded than written. In place, the writer must never overtake the reader,
// wherever the growing names fall and however little the text shrank before them.
TEST(DecodeEntities, GrowingNamesInPlace) {
  const std::string grown = "\xE2\x89\xAB\xE2\x83\x92";
  for (size_t shrunk = 0; shrunk < 3; ++shrunk) {
    for (size_t lead = 0; lead < 20; ++lead) {
      std::string input;
      std::string expected;
      for (size_t i = 0; i < shrunk; ++i) input += "&lt;", expected += "<";
      input += std::string(lead, 'a');
      expected += std::string(lead, 'a');
      for (int i = 0; i < 50; ++i) input += "&nGt;&#65;", expected += grown + "A";
      SCOPED_TRACE(testing::Message() << shrunk << " " << lead);
      std::string in_place = input;
      DecodeEntitiesInPlace(in_place, kCodePageUtf8);
      EXPECT_EQ(in_place, expected);
      std::string appended = "[";
      AppendDecodedEntities(input, kCodePageUtf8, appended);
      EXPECT_EQ(appended, "[" + expected);
    }
  }
}

TEST(DecodeEntities, LongEscapeChainsStayLinear) {
  std::string chain = "&";
  for (int i = 0; i < 100000; ++i) chain += "amp;";
  chain += "lt;";
  EXPECT_TRUE(DecodeEntities(chain, kCodePageUtf8) == "<");
  // A name is looked for in a few dozen bytes, not in the whole run of letters.
  const std::string letters = "&" + std::string(1000000, 'a') + ";";
  EXPECT_TRUE(DecodeEntities(letters, kCodePageUtf8) == letters);
}

// Runs are copied and searched a block at a time: entities at every offset from a block's start,
// with text after them, must decode as they do alone, in place and appended alike.
TEST(DecodeEntities, EntitiesAtEveryBlockOffset) {
  for (size_t lead = 0; lead < 40; ++lead) {
    SCOPED_TRACE(lead);
    const std::string gap(lead % 19, 'b');
    const std::string input =
        std::string(lead, 'a') + "&amp;lt;" + gap + "&quot;" + std::string(40, 'c') + "&";
    const std::string expected =
        std::string(lead, 'a') + "<" + gap + "\"" + std::string(40, 'c') + "&";
    EXPECT_EQ(DecodeEntities(input, kCodePageUtf8), expected);
    std::string in_place = input;
    DecodeEntitiesInPlace(in_place, 1252);
    EXPECT_EQ(in_place, expected);
    std::string appended = "[";
    AppendDecodedEntities(input, 1252, appended);
    EXPECT_EQ(appended, "[" + expected);
  }
}

// Dense references, where copies land right behind the reading: decoding in place, into new
// room and after text already there must agree on every text.
TEST(DecodeEntities, InPlaceAndAppendedAgreeOnDenseReferences) {
  static const char* const kPieces[] = {"&lt;",      "&amp;", "&quot;",    "&#233;",
                                        "&eacute;",  "&copy", "&",         "a",
                                        "bcdefghij", ";",     "&#x1F600;", "&notin;"};
  std::mt19937 random(27);
  for (int text = 0; text < 2000; ++text) {
    std::string input;
    const size_t pieces = random() % 40;
    for (size_t i = 0; i < pieces; ++i) input += kPieces[random() % std::size(kPieces)];
    for (int code_page : {kCodePageUtf8, 1252}) {
      const std::string decoded = DecodeEntities(input, code_page);
      std::string in_place = input;
      DecodeEntitiesInPlace(in_place, code_page);
      ASSERT_EQ(in_place, decoded) << input;
      std::string appended = "[";
      AppendDecodedEntities(input, code_page, appended);
      ASSERT_EQ(appended, "[" + decoded) << input;
    }
  }
}

TEST(FindAnyOf, FirstSpecialAtEveryOffset) {
  for (size_t size = 0; size < 40; ++size) {
    for (size_t at = 0; at <= size; ++at) {
      std::string text(size, 'x');
      if (at < size) text[at] = '>';
      if (at + 3 < size) text[at + 3] = '<';
      const size_t expected = at < size ? at : std::string_view::npos;
      EXPECT_EQ((FindAnyOf<'<', '>', '&'>(text, 0)), expected) << size << " " << at;
      EXPECT_EQ((FindAnyOf<'>'>(text, at < size ? at : 0)), expected) << size << " " << at;
    }
  }
}

}  // namespace
}  // namespace tarsel::HTML
