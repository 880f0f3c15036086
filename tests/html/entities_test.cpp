#include "html/entities.h"

#include <gtest/gtest.h>

#include <string>

#include "html/markup_writer.h"
#include "platform/system_code_page.h"

namespace tarsel::HTML {
namespace {

// A single-byte code page: references below 256 are that byte.
TEST(DecodeEntities, Table) {
  struct Case {
    const char* name;
    std::string input;
    std::string expected;
  } const cases[] = {
      {"plain text", "no entities", "no entities"},
      {"basic five", "&lt;b&gt; &amp; &apos;x&apos; &quot;y&quot;", "<b> & 'x' \"y\""},
      {"nbsp is a blank", "a&nbsp;b", "a b"},
      {"quotes", "&laquo;a&raquo; &bdquo;b&ldquo;", "\"a\" \"b\""},
      {"ellipsis", "wait&hellip;", "wait..."},
      {"escaped less-than", "&amp;lt;b&amp;gt;", "<b>"},
      {"doubly escaped ampersand", "&amp;amp;", "&"},
      {"triply escaped less-than", "&amp;amp;lt;", "<"},
      {"ampersand before plain text", "&amp;x", "&x"},
      {"decimal", "&#65;&#66;", "AB"},
      {"hex either case", "&#x41;&#X42;&#x6a;&#x6A;", "ABjj"},
      {"byte 255", "&#255;", "\xFF"},
      {"256 stays", "&#256;", "&#256;"},
      {"huge number stays", "&#99999999999999999999;", "&#99999999999999999999;"},
      {"missing semicolon stays", "&#65 x", "&#65 x"},
      {"no digits stays", "&#; &#x;", "&#; &#x;"},
      {"zero stays", "&#0;", "&#0;"},
      {"case-sensitive names", "&LT; &Amp;", "&LT; &Amp;"},
      {"unknown name", "&copy; &foo", "&copy; &foo"},
      {"cut off by the end", "a &am", "a &am"},
      {"lone ampersand at end", "a&", "a&"},
      {"cut off numeric", "&#6", "&#6"},
      {"high bytes pass", "\xCF\xF0&amp;\xE8", "\xCF\xF0&\xE8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
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
// U+003C itself gives a '<' that could open markup.
TEST(DecodeEntities, Utf8CodePage) {
  struct Case {
    const char* name;
    std::string input;
    std::string expected;
  } const cases[] = {
      {"ascii as before", "&#65;&lt;&amp;amp;", "A<&"},
      {"latin-1 is two bytes", "caf&#233; &#xE9;", "caf\xC3\xA9 \xC3\xA9"},
      {"cyrillic", "&#1055;&#x440;", "\xD0\x9F\xD1\x80"},
      {"cjk", "&#20013;&#25991;", "\xE4\xB8\xAD\xE6\x96\x87"},
      {"above U+FFFF", "&#x1F600;&#128512;", "\xF0\x9F\x98\x80\xF0\x9F\x98\x80"},
      {"last code point", "&#x10FFFF;", "\xF4\x8F\xBF\xBF"},
      {"C1 references mean Windows-1252", "&#150;&#x80;", "\xE2\x80\x93\xE2\x82\xAC"},
      {"C1 hole stays a control", "&#129;", "\xC2\x81"},
      {"above the last code point stays", "&#x110000;", "&#x110000;"},
      {"surrogate stays", "&#xD800;", "&#xD800;"},
      {"zero stays", "&#0;", "&#0;"},
      {"no folding onto '<'", "&#x1003C;&#xFF1C;", "\xF0\x90\x80\xBC\xEF\xBC\x9C"},
      {"escaped reference", "&amp;#1071;", "\xD0\xAF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeEntities(c.input, kCodePageUtf8), c.expected);
  }
}

TEST(DecodeEntities, LongEscapeChainsStayLinear) {
  std::string chain = "&";
  for (int i = 0; i < 100000; ++i) chain += "amp;";
  chain += "lt;";
  EXPECT_TRUE(DecodeEntities(chain, kCodePageUtf8) == "<");
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
