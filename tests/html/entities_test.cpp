#include "html/entities.h"

#include <gtest/gtest.h>

#include <string>

namespace tarsel::HTML {
namespace {

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
    EXPECT_EQ(DecodeEntities(c.input), c.expected);
    std::string in_place = c.input;
    DecodeEntitiesInPlace(in_place);
    EXPECT_EQ(in_place, c.expected);
    std::string appended = "[";
    AppendDecodedEntities(c.input, appended);
    EXPECT_EQ(appended, "[" + c.expected);
  }
}

TEST(DecodeEntities, LongEscapeChainsStayLinear) {
  std::string chain = "&";
  for (int i = 0; i < 100000; ++i) chain += "amp;";
  chain += "lt;";
  EXPECT_TRUE(DecodeEntities(chain) == "<");
}

}  // namespace
}  // namespace tarsel::HTML
