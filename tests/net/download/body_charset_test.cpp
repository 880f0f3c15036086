#include "net/download/body_charset.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace tarsel {
namespace {

const std::string kPrivetUtf8 = "\xD0\x9F\xD1\x80\xD0\xB8";  // "При"
const std::string kPrivet1251 = "\xCF\xF0\xE8";
const std::string kPrivetKoi8 = "\xF0\xD2\xC9";

TEST(ConvertDownloadedTextTest, ToASingleByteCodePage) {
  const struct {
    const char* name;
    const char* content_type;
    EncodingChoice choice;
    std::string body;
    std::string expected;
    bool converted;
  } cases[] = {
      {"utf-8 header, cyrillic setting", "text/xml; charset=utf-8",
       EncodingChoice::kCyrillicWindows, kPrivetUtf8, kPrivet1251, true},
      {"utf-8 header, western setting", "text/xml; charset=utf-8", EncodingChoice::kWesternEurope,
       kPrivetUtf8, "   ", true},
      {"no charset, valid utf-8", "text/xml", EncodingChoice::kCyrillicWindows, kPrivetUtf8,
       kPrivet1251, true},
      {"no charset, not utf-8", "", EncodingChoice::kCyrillicWindows, "\xE4\xC1", "\xE4\xC1",
       false},
      {"koi8-r header", "text/xml; charset=koi8-r", EncodingChoice::kWesternEurope, "\xE4\xC1",
       "\xC4\xE0", true},
      {"iso-8859-2 header", "text/xml; charset=iso-8859-2", EncodingChoice::kWesternEurope, "\xB1",
       "\xB9", true},
      {"plain ascii counts as converted", "", EncodingChoice::kWesternEurope, "<rss/>", "<rss/>",
       true},
  };
  testing::ScopedEnv locale("LC_ALL", "C.UTF-8");
  for (const auto& c : cases) {
    std::string body = c.body;
    EXPECT_EQ(ConvertDownloadedText(body, c.content_type, c.choice), c.converted) << c.name;
    EXPECT_EQ(body, c.expected) << c.name;
  }
}

TEST(ConvertDownloadedTextTest, AutomaticOnASingleByteDesktop) {
  const std::string text = "caf\xC3\xA9 \xD0\x94";  // "café Д"
  const struct {
    const char* locale;
    std::string expected;
  } cases[] = {
      {"ru_RU", "caf  \xC4"},
      {"fr_FR", "caf\xE9  "},
      {"pl_PL.ISO-8859-2", "caf\xE9  "},
  };
  for (const auto& c : cases) {
    testing::ScopedEnv all("LC_ALL", c.locale);
    std::string body = text;
    EXPECT_TRUE(ConvertDownloadedText(body, "", EncodingChoice::kAutomatic));
    EXPECT_EQ(body, c.expected) << c.locale;
  }
}

// Automatic on a UTF-8 desktop: any known charset becomes UTF-8; UTF-8 stays whatever the label
// says; what cannot be told is left to the merge.
TEST(ConvertDownloadedTextTest, AutomaticOnAUtf8Desktop) {
  const struct {
    const char* name;
    const char* content_type;
    std::string body;
    std::string expected;
    bool converted;
  } cases[] = {
      {"utf-8 stays", "text/xml; charset=UTF-8", kPrivetUtf8, kPrivetUtf8, true},
      {"no label, utf-8", "", kPrivetUtf8, kPrivetUtf8, true},
      {"koi8-r", "text/xml; charset=koi8-r", kPrivetKoi8, kPrivetUtf8, true},
      {"windows-1251 quoted", "text/xml;charset=\"Windows-1251\"", kPrivet1251, kPrivetUtf8, true},
      {"shift_jis", "application/rss+xml; charset=Shift_JIS", "\x93\xFA\x96\x7B",
       "\xE6\x97\xA5\xE6\x9C\xAC", true},
      {"iso-8859-1 read as windows-1252", "text/xml; charset=iso-8859-1", "\x93x\x94",
       "\xE2\x80\x9Cx\xE2\x80\x9D", true},
      {"label says latin-1, body is utf-8", "text/xml; charset=iso-8859-1", kPrivetUtf8,
       kPrivetUtf8, true},
      {"label says utf-8, body is windows-1252, left to the merge", "text/xml; charset=utf-8",
       "caf\xE9", "caf\xE9", false},
      {"no label, not utf-8, left to the merge", "", kPrivet1251, kPrivet1251, false},
      {"unknown label, not utf-8", "text/xml; charset=x-klingon", kPrivet1251, kPrivet1251, false},
      {"mostly utf-8 with one stray byte", "", kPrivetUtf8 + kPrivetUtf8 + "\xFF",
       kPrivetUtf8 + kPrivetUtf8 + "\xEF\xBF\xBD", true},
      {"byte in no character set", "text/xml; charset=shift_jis", "a\xA0z", "a\xEF\xBF\xBDz", true},
      {"utf-16 by byte order mark", "", std::string("\xFF\xFE<\0a\0", 6), "<a", true},
  };
  testing::ScopedEnv locale("LC_ALL", "C.UTF-8");
  for (const auto& c : cases) {
    std::string body = c.body;
    EXPECT_EQ(ConvertDownloadedText(body, c.content_type, EncodingChoice::kAutomatic), c.converted)
        << c.name;
    EXPECT_EQ(body, c.expected) << c.name;
  }
}

TEST(ConvertBodyByDeclarationTest, DeclaredEncodingElseUtf8ElseWindows1252) {
  const std::string declared_koi8 = "<?xml version=\"1.0\" encoding=\"KOI8-R\"?><t>";
  const std::string undeclared = "<?xml version=\"1.0\"?><t>";
  const struct {
    const char* name;
    std::string body;
    std::string expected;
  } cases[] = {
      {"declared koi8-r", declared_koi8 + kPrivetKoi8, declared_koi8 + kPrivetUtf8},
      {"undeclared utf-8", undeclared + kPrivetUtf8, undeclared + kPrivetUtf8},
      {"undeclared windows-1252", undeclared + "caf\xE9", undeclared + "caf\xC3\xA9"},
      {"declared utf-8 over windows-1252", "<?xml encoding='utf-8'?>\x93q\x94",
       "<?xml encoding='utf-8'?>\xE2\x80\x9Cq\xE2\x80\x9D"},
  };
  testing::ScopedEnv locale("LC_ALL", "C.UTF-8");
  for (const auto& c : cases) {
    std::string body = c.body;
    EXPECT_TRUE(ConvertBodyByDeclaration(body, false, EncodingChoice::kAutomatic)) << c.name;
    EXPECT_EQ(body, c.expected) << c.name;
  }
  // Converted at download, or a single-byte program: the body stays for the clean-up.
  std::string body = declared_koi8 + kPrivetKoi8;
  EXPECT_TRUE(ConvertBodyByDeclaration(body, true, EncodingChoice::kAutomatic));
  EXPECT_FALSE(ConvertBodyByDeclaration(body, false, EncodingChoice::kCyrillicWindows));
  EXPECT_EQ(body, declared_koi8 + kPrivetKoi8);
}

}  // namespace
}  // namespace tarsel
