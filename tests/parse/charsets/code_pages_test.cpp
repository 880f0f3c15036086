#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "parse/charsets/charsets.h"
#include "parse/charsets/iconv_reference.h"

namespace tarsel {
namespace {

using testing::IconvByte;
using testing::IconvCodePoint;

bool InRange(uint32_t u, uint32_t first, uint32_t last) {
  return u >= first && u <= last;
}

uint8_t PublishedOrBlank(uint32_t u, const char* code_page) {
  return IconvByte(u, code_page).value_or(0x20);
}

// Every code point up to U+22FF, plus a few beyond, against glibc's published tables restricted
// to the ranges the program maps.
TEST(UnicodeToCodePage, AgreesWithPublishedTablesInItsRanges) {
  std::vector<uint32_t> code_points;
  for (uint32_t u = 0; u < 0x2300; ++u) code_points.push_back(u);
  for (uint32_t u : {0xFFFFu, 0x10041u, 0x1003Cu, 0x1F600u, 0x120ACu}) code_points.push_back(u);
  for (uint32_t u : code_points) {
    SCOPED_TRACE(u);
    uint8_t cp1251 = 0x20;
    if (u <= 0x80) {
      cp1251 = static_cast<uint8_t>(u);
    } else if (InRange(u, 0xA0, 0xBF) || InRange(u, 0x400, 0x497) || InRange(u, 0x2010, 0x203F) ||
               u == 0x20AC || u == 0x2116 || u == 0x2122) {
      cp1251 = PublishedOrBlank(u, "CP1251");
    }
    EXPECT_EQ(UnicodeToCp1251(u), cp1251);

    uint8_t cp1250 = 0x20;
    if (u <= 0x80) {
      cp1250 = static_cast<uint8_t>(u);
    } else if (InRange(u, 0xA0, 0x17F) || InRange(u, 0x2010, 0x203F) || u == 0x20AC ||
               u == 0x2122) {
      cp1250 = PublishedOrBlank(u, "CP1250");
    }
    EXPECT_EQ(UnicodeToCp1250(u), cp1250);

    const uint8_t cp1252 = u <= 0xFF ? static_cast<uint8_t>(u) : PublishedOrBlank(u, "CP1252");
    EXPECT_EQ(UnicodeToCp1252(u), cp1252);
  }
}

TEST(UnicodeToCodePage, NamedCharacters) {
  struct Case {
    const char* name;
    uint32_t code_point;
    uint8_t cp1251, cp1250, cp1252;
  } const cases[] = {
      {"euro sign", 0x20AC, 0x88, 0x80, 0x80},
      {"numero sign", 0x2116, 0xB9, 0x20, 0x20},
      {"trade mark", 0x2122, 0x99, 0x99, 0x99},
      {"U+0080 passes as its own byte", 0x80, 0x80, 0x80, 0x80},
      {"cyrillic io", 0x0451, 0xB8, 0x20, 0x20},
      {"l with stroke", 0x0142, 0x20, 0xB3, 0x20},
      {"caron is no letter in 1250", 0x02C7, 0x20, 0x20, 0x20},
      {"modifier circumflex", 0x02C6, 0x20, 0x20, 0x88},
      {"e acute", 0x00E9, 0x20, 0xE9, 0xE9},
      {"beyond the 16-bit plane, not folded onto '<'", 0x1003C, 0x20, 0x20, 0x20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(UnicodeToCp1251(c.code_point), c.cp1251);
    EXPECT_EQ(UnicodeToCp1250(c.code_point), c.cp1250);
    EXPECT_EQ(UnicodeToCp1252(c.code_point), c.cp1252);
  }
}

// KOI8-R of RFC 1489 except ten positions that carry Ukrainian and Belarusian letters.
TEST(Koi8ToCp1251, EveryByteAgreesWithKoi8RAndTheTenLetters) {
  const std::pair<uint8_t, uint32_t> kLetters[] = {
      {0xA4, 0x0454}, {0xA6, 0x0456}, {0xA7, 0x0457}, {0xAD, 0x0491}, {0xAE, 0x045E},
      {0xB4, 0x0404}, {0xB6, 0x0406}, {0xB7, 0x0407}, {0xBD, 0x0490}, {0xBE, 0x040E}};
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  std::string converted = all;
  Koi8ToCp1251(converted);
  ASSERT_EQ(converted.size(), all.size());
  for (int b = 1; b < 256; ++b) {
    SCOPED_TRACE(b);
    uint32_t code_point = IconvCodePoint(static_cast<uint8_t>(b), "KOI8-R").value();
    for (const auto& [byte, letter] : kLetters) {
      if (byte == b) code_point = letter;
    }
    EXPECT_EQ(static_cast<uint8_t>(converted[b - 1]), UnicodeToCp1251(code_point));
  }
}

TEST(Iso88592ToCp1250, EveryByteAgreesWithIso88592) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  std::string converted = all;
  Iso88592ToCp1250(converted);
  ASSERT_EQ(converted.size(), all.size());
  for (int b = 1; b < 256; ++b) {
    SCOPED_TRACE(b);
    const uint8_t expected =
        InRange(b, 0x80, 0x9F)
            ? 0x20
            : UnicodeToCp1250(IconvCodePoint(static_cast<uint8_t>(b), "ISO-8859-2").value());
    EXPECT_EQ(static_cast<uint8_t>(converted[b - 1]), expected);
  }
}

TEST(SingleByteConversions, NamedBytes) {
  struct Case {
    const char* name;
    void (*convert)(std::string&);
    std::string input;
    std::string expected;
  } const cases[] = {
      {"koi8 i becomes 1251 i", Koi8ToCp1251, "\xA6", "\xB3"},
      {"koi8 box drawing becomes a blank", Koi8ToCp1251, "\xA5", " "},
      {"koi8 word", Koi8ToCp1251, "\xF0\xD2\xC9\xD7\xC5\xD4!", "\xCF\xF0\xE8\xE2\xE5\xF2!"},
      {"koi8 stops at a zero byte", Koi8ToCp1251, std::string("\xC1\0\xC1", 3), "\xE0"},
      {"iso l with stroke", Iso88592ToCp1250, "\xB3", "\xB3"},
      {"iso control byte becomes a blank", Iso88592ToCp1250, "\x85", " "},
      {"iso caron becomes a blank", Iso88592ToCp1250, "\xB7", " "},
      {"iso S caron moves", Iso88592ToCp1250, "\xA9", "\x8A"},
      {"iso stops at a zero byte", Iso88592ToCp1250, std::string("a\0b", 3), "a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = c.input;
    c.convert(text);
    EXPECT_EQ(text, c.expected);
  }
}

TEST(SingleByteConversions, BufferFormConvertsPastZeroBytes) {
  char buffer[] = {'\xC1', '\0', '\xC1'};
  Koi8ToCp1251(buffer, sizeof(buffer));
  EXPECT_EQ(std::string(buffer, 3), std::string("\xE0\0\xE0", 3));
}

}  // namespace
}  // namespace tarsel
