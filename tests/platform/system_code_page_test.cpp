#include "platform/system_code_page.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tarsel {
namespace {

TEST(CodePageForLocale, LanguagesAndForms) {
  struct Case {
    const char* locale;
    int code_page;
  } const cases[] = {
      {"ru_RU.UTF-8", 1251}, {"uk_UA", 1251},
      {"be_BY.utf8", 1251},  {"bg_BG", 1251},
      {"sr_RS", 1251},       {"mk_MK.UTF-8", 1251},
      {"RU_ru", 1251},       {"ru", 1251},
      {"pl_PL.UTF-8", 1250}, {"cs_CZ", 1250},
      {"sk_SK", 1250},       {"hu_HU", 1250},
      {"sl_SI", 1250},       {"hr_HR", 1250},
      {"ro_RO", 1250},       {"bs_BA", 1250},
      {"sr_RS@latin", 1250}, {"en_US.UTF-8", 1252},
      {"de_DE@euro", 1252},  {"C", 1252},
      {"POSIX", 1252},       {"", 1252},
      {"rus_RU", 1252},      {"C.UTF-8", 1252},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CodePageForLocale(c.locale), c.code_page) << c.locale;
  }
}

// LC_ALL overrides LC_CTYPE, which overrides LANG; empty values do not count.
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

}  // namespace
}  // namespace tarsel
