#include <gtest/gtest.h>

#include <string>

#include "parse/charsets/charsets.h"
#include "platform/system_code_page.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

const std::string kPrivetUtf8 = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";
const std::string kPrivetCp1251 = "\xCF\xF0\xE8\xE2\xE5\xF2";

TEST(IsValidUtf8, WellFormedness) {
  struct Case {
    const char* name;
    std::string bytes;
    bool valid;
  } const cases[] = {
      {"empty", "", true},
      {"ascii", "plain text", true},
      {"cyrillic", kPrivetUtf8, true},
      {"zero byte", std::string("a\0b", 3), true},
      {"overlong lead C0", "\xC0\x80", false},
      {"overlong lead C1", "\xC1\xBF", false},
      {"overlong three bytes", "\xE0\x80\x80", false},
      {"smallest three bytes", "\xE0\xA0\x80", true},
      {"overlong four bytes", "\xF0\x8F\xBF\xBF", false},
      {"smallest four bytes", "\xF0\x90\x80\x80", true},
      {"largest code point", "\xF4\x8F\xBF\xBF", true},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", false},
      {"lead F5", "\xF5\x80\x80\x80", false},
      {"five-byte form", "\xF8\x88\x80\x80\x80", false},
      {"surrogate is not excluded", "\xED\xA0\x80", true},
      {"lone continuation", "a\x80", false},
      {"ascii where a continuation belongs", "\xC3\x41", false},
      {"cut off after lead", "ab\xD0", false},
      {"cut off in three bytes", "\xE2\x82", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.name;
  }
}

TEST(Utf8ToCodePage, ByEncodingChoiceAndLocale) {
  struct Case {
    const char* name;
    std::string input;
    EncodingChoice choice;
    const char* locale;
    std::string expected;
  } const cases[] = {
      {"cyrillic, automatic on a single-byte Russian system", kPrivetUtf8,
       EncodingChoice::kAutomatic, "ru_RU.CP1251", kPrivetCp1251},
      {"automatic on a UTF-8 Russian desktop keeps UTF-8", kPrivetUtf8, EncodingChoice::kAutomatic,
       "ru_RU.UTF-8", kPrivetUtf8},
      {"automatic on a UTF-8 desktop mends malformed parts", "a\xC0\xAF\xE2\x82",
       EncodingChoice::kAutomatic, "C.UTF-8", "a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"cyrillic windows", kPrivetUtf8, EncodingChoice::kCyrillicWindows, "en_US.UTF-8",
       kPrivetCp1251},
      {"western europe has no cyrillic", kPrivetUtf8, EncodingChoice::kWesternEurope, "ru_RU.UTF-8",
       "      "},
      {"automatic on an English single-byte system", kPrivetUtf8, EncodingChoice::kAutomatic,
       "en_GB.ISO-8859-1", "      "},
      {"automatic on a Polish single-byte system", "za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87",
       EncodingChoice::kAutomatic, "pl_PL", "za\xBF\xF3\xB3\xE6"},
      {"an unknown choice acts as automatic", kPrivetUtf8, static_cast<EncodingChoice>(3), "uk_UA",
       kPrivetCp1251},
      {"euro in 1251", "\xE2\x82\xAC", EncodingChoice::kCyrillicWindows, "C", "\x88"},
      {"euro in 1250", "\xE2\x82\xAC", EncodingChoice::kCentralEuropean, "C", "\x80"},
      {"euro in 1252", "\xE2\x82\xAC", EncodingChoice::kWesternEurope, "C", "\x80"},
      {"numero in 1251", "\xE2\x84\x96", EncodingChoice::kCyrillicWindows, "C", "\xB9"},
      {"numero in 1250", "\xE2\x84\x96", EncodingChoice::kCentralEuropean, "C", " "},
      {"last character cut off", "ab\xD0", EncodingChoice::kCyrillicWindows, "C", "ab "},
      {"three-byte character cut off", "x\xE2\x82", EncodingChoice::kWesternEurope, "C", "x "},
      {"emoji", "\xF0\x9F\x98\x80!", EncodingChoice::kCyrillicWindows, "C", " !"},
      {"stray continuation byte keeps its value in 1252", "\xA9", EncodingChoice::kWesternEurope,
       "C", "\xA9"},
      {"zero bytes pass", std::string("a\0b", 3), EncodingChoice::kWesternEurope, "C",
       std::string("a\0b", 3)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::ScopedEnv locale("LC_ALL", c.locale);
    std::string text = c.input;
    Utf8ToCodePage(text, c.choice);
    EXPECT_EQ(text, c.expected);
  }
}

TEST(Utf8ToCodePage, BufferLengthShrinksToCharacterCount) {
  std::string buffer = kPrivetUtf8 + "!";
  size_t length = buffer.size();
  Utf8ToCodePage(buffer.data(), length, EncodingChoice::kCyrillicWindows);
  EXPECT_EQ(length, 7u);
  EXPECT_EQ(buffer.substr(0, length), kPrivetCp1251 + "!");
  // To UTF-8 the buffer never grows: a malformed part becomes one blank.
  testing::ScopedEnv locale("LC_ALL", "C.UTF-8");
  buffer = kPrivetUtf8 + "\xE2\x82!";
  length = buffer.size();
  Utf8ToCodePage(buffer.data(), length, EncodingChoice::kAutomatic);
  EXPECT_EQ(buffer.substr(0, length), kPrivetUtf8 + " !");
}

TEST(EncodingChoice, NamesRoundTripAndCodePages) {
  struct Case {
    EncodingChoice choice;
    const char* name;
    int code_page;
  } const cases[] = {
      {EncodingChoice::kWesternEurope, "Western Europe", 1252},
      {EncodingChoice::kCyrillicWindows, "Cyrillic Windows", 1251},
      {EncodingChoice::kCentralEuropean, "Central European", 1250},
      {EncodingChoice::kAutomatic, "Automatic", 1250},  // the locale below is Czech
  };
  testing::ScopedEnv locale("LC_ALL", "cs_CZ.ISO-8859-2");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EncodingChoiceName(c.choice), c.name);
    EXPECT_EQ(EncodingChoiceFromName(c.name), c.choice);
    EXPECT_EQ(CodePageForEncoding(c.choice), c.code_page);
  }
  EXPECT_EQ(EncodingChoiceName(static_cast<EncodingChoice>(4)), "Automatic");
  testing::ScopedEnv utf8_desktop("LC_ALL", "cs_CZ.UTF-8");
  EXPECT_EQ(CodePageForEncoding(EncodingChoice::kAutomatic), kCodePageUtf8);
  EXPECT_EQ(CodePageForEncoding(EncodingChoice::kCentralEuropean), 1250);
  EXPECT_FALSE(EncodingChoiceFromName("automatic").has_value());
}

}  // namespace
}  // namespace tarsel
