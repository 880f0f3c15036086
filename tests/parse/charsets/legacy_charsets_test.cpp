#include "parse/charsets/legacy_charsets.h"

#include <gtest/gtest.h>

#include <string>

namespace tarsel {
namespace {

TEST(CharsetLabels, FromContentTypeAndXmlDeclaration) {
  const struct {
    const char* content_type;
    const char* label;
  } content_types[] = {
      {"text/xml; charset=KOI8-R", "koi8-r"},
      {"text/xml;charset=\"windows-1251\"; q=1", "windows-1251"},
      {"text/xml; CHARSET = 'Shift_JIS'", "shift_jis"},
      {"text/xml", ""},
      {"text/xml; charset=", ""},
  };
  for (const auto& c : content_types) {
    EXPECT_EQ(CharsetOfContentType(c.content_type), c.label) << c.content_type;
  }
  const struct {
    const char* body;
    const char* label;
  } bodies[] = {
      {"<?xml version=\"1.0\" encoding=\"GB2312\"?><rss>", "gb2312"},
      {"\xEF\xBB\xBF<?xml version='1.0' encoding='big5' ?>", "big5"},
      {"<?xml version=\"1.0\"?><rss encoding=\"koi8-r\">", ""},
      {"<rss><?xml encoding=\"koi8-r\"?>", ""},
      {"<?xml version=\"1.0\" encoding=\"koi8-r", ""},
  };
  for (const auto& c : bodies) {
    EXPECT_EQ(DeclaredXmlEncoding(c.body), c.label) << c.body;
  }
}

TEST(ConvertCharsetToUtf8, KnownSetsConvertAndUnknownOnesStay) {
  const struct {
    const char* name;
    const char* label;
    std::string text;
    std::string expected;
    bool known;
  } cases[] = {
      {"greek", "iso-8859-7", "\xE1\xE2", "\xCE\xB1\xCE\xB2", true},
      {"hebrew", "windows-1255", "\xF9", "\xD7\xA9", true},
      {"arabic", "windows-1256", "\xC7", "\xD8\xA7", true},
      {"gb2312 read as GB18030", "gb2312", "\xD6\xD0", "\xE4\xB8\xAD", true},
      {"big5", "Big5", "\xA4\xA4", "\xE4\xB8\xAD", true},
      {"euc-kr", "euc-kr", "\xC7\xD1", "\xED\x95\x9C", true},
      {"euc-jp", "euc-jp", "\xC6\xFC", "\xE6\x97\xA5", true},
      {"iso-2022-jp shifts back", "iso-2022-jp", "\x1B$BF|\x1B(Bx", "\xE6\x97\xA5x", true},
      {"koi8-r with the Ukrainian letters", "koi8-r", "\xA6", "\xD1\x96", true},
      {"a cut double-byte character", "shift_jis", "a\x93", "a\xEF\xBF\xBD", true},
      {"unknown", "x-klingon", "\xE1", "\xE1", false},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(ConvertCharsetToUtf8(text, c.label), c.known) << c.name;
    EXPECT_EQ(text, c.expected) << c.name;
  }
}

}  // namespace
}  // namespace tarsel
