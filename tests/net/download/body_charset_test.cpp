#include "net/download/body_charset.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace tarsel {
namespace {

TEST(ConvertDownloadedTextTest, ByCharsetAndByUtf8Check) {
  const std::string privet_utf8 = "\xD0\x9F\xD1\x80\xD0\xB8";  // "При"
  const std::string privet_1251 = "\xCF\xF0\xE8";
  const struct {
    const char* name;
    int charset;
    EncodingChoice choice;
    std::string body;
    std::string expected;
    bool converted;
  } cases[] = {
      {"utf-8 header, cyrillic setting", 4, EncodingChoice::kCyrillicWindows, privet_utf8,
       privet_1251, true},
      {"utf-8 header, western setting", 4, EncodingChoice::kWesternEurope, privet_utf8, "   ",
       true},
      {"no charset, valid utf-8", 0, EncodingChoice::kCyrillicWindows, privet_utf8, privet_1251,
       true},
      {"no charset, not utf-8", 0, EncodingChoice::kCyrillicWindows, "\xE4\xC1", "\xE4\xC1", false},
      {"koi8-r header", 3, EncodingChoice::kWesternEurope, "\xE4\xC1", "\xC4\xE0", true},
      {"iso-8859-2 header", 6, EncodingChoice::kWesternEurope, "\xB1", "\xB9", true},
      {"plain ascii counts as converted", 0, EncodingChoice::kWesternEurope, "<rss/>", "<rss/>",
       true},
  };
  for (const auto& c : cases) {
    std::string body = c.body;
    EXPECT_EQ(ConvertDownloadedText(body, c.charset, c.choice), c.converted) << c.name;
    EXPECT_EQ(body, c.expected) << c.name;
  }
}

TEST(ConvertDownloadedTextTest, AutomaticFollowsTheSystemCodePage) {
  const std::string text = "caf\xC3\xA9 \xD0\x94";  // "café Д"
  const struct {
    const char* locale;
    std::string expected;
  } cases[] = {
      {"ru_RU.UTF-8", "caf  \xC4"},
      {"fr_FR.UTF-8", "caf\xE9  "},
      {"pl_PL.UTF-8", "caf\xE9  "},
  };
  for (const auto& c : cases) {
    testing::ScopedEnv all("LC_ALL", c.locale);
    std::string body = text;
    EXPECT_TRUE(ConvertDownloadedText(body, 0, EncodingChoice::kAutomatic));
    EXPECT_EQ(body, c.expected) << c.locale;
  }
}

}  // namespace
}  // namespace tarsel
