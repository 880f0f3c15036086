#include "platform/system_code_page.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tarsel {
namespace {

// Single-byte locales by language; a UTF-8 character set, from the name or the installed
// locale, gives UTF-8 whatever the language.
TEST(CodePageForLocale, LanguagesAndCharacterSets) {
  struct Case {
    const char* locale;
    const char* codeset;
    int code_page;
  } const cases[] = {
      {"uk_UA", "", 1251},
      {"bg_BG.CP1251", "", 1251},
      {"sr_RS", "", 1251},
      {"RU_ru", "", 1251},
      {"ru", "", 1251},
      {"ru_RU.KOI8-R", "", 1251},
      {"ru_RU", "KOI8-R", 1251},
      {"cs_CZ", "", 1250},
      {"pl_PL.ISO-8859-2", "", 1250},
      {"sr_RS@latin", "", 1250},
      {"de_DE@euro", "", 1252},
      {"C", "ANSI_X3.4-1968", 1252},
      {"POSIX", "", 1252},
      {"", "", 1252},
      {"rus_RU", "", 1252},
      {"ru_RU.UTF-8", "", kCodePageUtf8},
      {"be_BY.utf8", "", kCodePageUtf8},
      {"pl_PL.UTF-8@x", "", kCodePageUtf8},
      {"en_US.UTF-8", "", kCodePageUtf8},
      {"C.UTF-8", "", kCodePageUtf8},
      {"ja_JP", "UTF-8", kCodePageUtf8},
      // The installed locale's character set wins over the name.
      {"ru_RU.whatever", "UTF-8", kCodePageUtf8},
      {"de_DE.utf8", "ISO-8859-1", 1252},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CodePageForLocale(c.locale, c.codeset), c.code_page) << c.locale;
  }
}

// LC_ALL overrides LC_CTYPE, which overrides LANG; empty values do not count. C.UTF-8 is
// installed everywhere; en_US.UTF-8 may be missing and still counts as UTF-8.
TEST(SystemCodePage, FirstNonEmptyLocaleVariableWins) {
  struct Case {
    const char* name;
    const char* lc_all;
    const char* lc_ctype;
    const char* lang;
    int code_page;
  } const cases[] = {
      {"LC_ALL first", "ru_RU", "pl_PL", "en_US", 1251},
      {"LC_CTYPE next", "", "pl_PL", "ru_RU", 1250},
      {"LANG last", "", "", "bg_BG", 1251},
      {"nothing set", "", "", "", 1252},
      {"installed UTF-8 locale", "", "", "C.UTF-8", kCodePageUtf8},
      {"UTF-8 locale by name", "en_US.UTF-8", "", "", kCodePageUtf8},
      {"Russian UTF-8 desktop", "", "ru_RU.UTF-8", "", kCodePageUtf8},
      {"plain C", "C", "", "", 1252},
  };
  for (const Case& c : cases) {
    testing::ScopedEnv lc_all("LC_ALL", c.lc_all);
    testing::ScopedEnv lc_ctype("LC_CTYPE", c.lc_ctype);
    testing::ScopedEnv lang("LANG", c.lang);
    EXPECT_EQ(SystemCodePage(), c.code_page) << c.name;
  }
}

TEST(CodePageToUtf8, ConvertsEachCodePage) {
  struct Case {
    const char* name;
    std::string bytes;
    int code_page;
    std::string utf8;
  } const cases[] = {
      {"ascii", "plain <text>", 1251, "plain <text>"},
      {"cyrillic", "\xCF\xF0\xE8\xE2\xE5\xF2", 1251,
       "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},
      {"polish",
       "\xB3\xF3"
       "d\xBF",
       1250,
       "\xC5\x82\xC3\xB3"
       "d\xC5\xBC"},
      {"euro in 1252", "\x80", 1252, "\xE2\x82\xAC"},
      {"euro in 1251", "\x88", 1251, "\xE2\x82\xAC"},
      {"undefined position stays a C1 control", "\x81", 1252, "\xC2\x81"},
      {"undefined position in 1251", "\x98", 1251, "\xC2\x98"},
      {"another code page counts as 1252", "\xE9", 437, "\xC3\xA9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CodePageToUtf8(c.bytes, c.code_page), c.utf8);
  }
}

TEST(CodePageFromUtf8, RoundTripsEveryByteAndMarksWhatIsMissing) {
  for (int code_page : {1250, 1251, 1252}) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(CodePageFromUtf8(CodePageToUtf8(all, code_page), code_page), all) << code_page;
  }
  EXPECT_EQ(CodePageFromUtf8("\xE4\xB8\xAD x", 1251), "? x");  // not in the code page
  EXPECT_EQ(CodePageFromUtf8("a\xC0\x80"
                             "b",
                             1252),
            "a??b");                                      // overlong form
  EXPECT_EQ(CodePageFromUtf8("a\xE2\x82", 1252), "a??");  // cut off
}

// A UTF-8 program code page: text passes through, each malformed part one U+FFFD, both ways.
TEST(CodePageUtf8, RepairsMalformedText) {
  const std::string valid = "\xD0\x9F \xE4\xB8\xAD \xF0\x9F\x98\x80 <a>";
  EXPECT_EQ(CodePageToUtf8(valid, kCodePageUtf8), valid);
  EXPECT_EQ(CodePageFromUtf8(valid, kCodePageUtf8), valid);
  EXPECT_EQ(CodePageToUtf8("a\xC0\x80z", kCodePageUtf8), "a\xEF\xBF\xBD\xEF\xBF\xBDz");
  EXPECT_EQ(CodePageFromUtf8("a\xE2\x82", kCodePageUtf8), "a\xEF\xBF\xBD");
}

}  // namespace
}  // namespace tarsel
