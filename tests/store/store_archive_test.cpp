#include "store/store_archive.h"

#include <gtest/gtest.h>

#include "store_bytes.h"

namespace tarsel {
namespace {

using testing::StoreBytes;

int32_t ErrorCode(const std::function<void()>& action) {
  try {
    action();
  } catch (const CArchiveExeption& error) {
    return error.code();
  }
  return -1;
}

TEST(StoreArchiveTest, ShortBlockKeepsDefaultsAndLongBlockIsSkipped) {
  // A block holding one int32 where the reader wants int32, bool, string, int32; then a
  // block with more than the reader wants; then a plain int32.
  StoreBytes bytes;
  bytes.Begin().Int(11).End();
  bytes.Begin().Int(22).Bool(true).Str("extra").Int(99).End();
  bytes.Int(33);
  StoreArchive archive(bytes.data(), StoreOptions{});

  archive.BeginBlock();
  int32_t first = 0, missing_int = -7;
  bool missing_bool = true;
  std::string missing_string = "old";
  archive.Read(first);
  archive.Read(missing_int);
  archive.Read(missing_bool);
  archive.Read(missing_string);
  archive.EndBlock();
  EXPECT_EQ(first, 11);
  EXPECT_EQ(missing_int, -7);
  EXPECT_TRUE(missing_bool);
  EXPECT_EQ(missing_string, "");

  archive.BeginBlock();
  EXPECT_EQ(archive.ReadInt32(), 22);
  archive.EndBlock();
  EXPECT_EQ(archive.ReadInt32(), 33);
  EXPECT_EQ(archive.DataRemaining(), 0u);
}

TEST(StoreArchiveTest, StringLengthLimits) {
  struct Case {
    const char* name;
    int32_t length;
    int32_t code;
  } cases[] = {
      {"negative", -1, CArchiveExeption::kBadData},
      {"one above the limit", kMaxStoredString + 1, CArchiveExeption::kBadData},
      {"at the limit", kMaxStoredString, -1},
      {"empty", 0, -1},
  };
  for (const Case& c : cases) {
    StoreBytes bytes;
    bytes.Int(c.length).Raw(std::string(c.length > 0 ? c.length : 0, 'a'));
    StoreArchive archive(bytes.data(), StoreOptions{});
    std::string value;
    EXPECT_EQ(ErrorCode([&] { archive.Read(value); }), c.code) << c.name;
    if (c.code == -1) {
      EXPECT_EQ(value.size(), static_cast<size_t>(c.length)) << c.name;
    }
  }
}

TEST(StoreArchiveTest, DamagedDataThrows) {
  struct Case {
    const char* name;
    std::string bytes;
    std::function<void(StoreArchive&)> read;
  } cases[] = {
      {"int32 past the end", std::string("\x01\x02", 2), [](StoreArchive& a) { a.ReadInt32(); }},
      {"string past the end", StoreBytes().Int(10).Raw("abc").data(),
       [](StoreArchive& a) {
         std::string s;
         a.Read(s);
       }},
      {"block header past the end", StoreBytes().Int(0).data(),
       [](StoreArchive& a) { a.BeginBlock(); }},
      {"block shorter than its header", StoreBytes().Int(0).Int(4).data(),
       [](StoreArchive& a) { a.BeginBlock(); }},
      {"inner block past the outer one",
       StoreBytes().Int(0).Int(24).Int(8).Int(100).Raw(std::string(8, 0)).data(),
       [](StoreArchive& a) {
         a.BeginBlock();
         a.BeginBlock();
       }},
      {"inner block header past the outer one", StoreBytes().Int(0).Int(12).Int(0).Int(8).data(),
       [](StoreArchive& a) {
         a.BeginBlock();
         a.ReadInt32();
         a.BeginBlock();
       }},
      {"cut-off block still inside its length", StoreBytes().Int(0).Int(100).Int(5).data(),
       [](StoreArchive& a) {
         a.BeginBlock();
         a.ReadInt32();
         a.ReadInt32();
       }},
  };
  for (const Case& c : cases) {
    StoreArchive archive(c.bytes, StoreOptions{});
    EXPECT_EQ(ErrorCode([&] { c.read(archive); }), CArchiveExeption::kBadData) << c.name;
  }
}

// A UTF-8 text over the limit loses its last character whole rather than half of it.
TEST(StoreArchiveTest, LongUtf8StringsAreCutOnACharacterBoundary) {
  std::string cyrillic;
  while (cyrillic.size() <= static_cast<size_t>(kMaxStoredString)) {
    cyrillic +=
        "\xD0\x96"
        "a";
  }
  StoreArchive writer(StoreOptions{});
  writer.Write(cyrillic);
  // The reader reads from the bytes it is given: they must outlive it.
  const std::string bytes = writer.TakeBytes();
  StoreArchive reader(bytes, StoreOptions{});
  std::string text;
  reader.Read(text);
  // 640000 = 3 * 213333 + 1: the cut would fall between the two bytes of a letter.
  EXPECT_EQ(text.size(), static_cast<size_t>(kMaxStoredString) - 1);
  EXPECT_EQ(text, cyrillic.substr(0, text.size()));
}

TEST(StoreArchiveTest, WriterPatchesBlockLengthsAndCutsLongStrings) {
  StoreArchive writer(StoreOptions{});
  writer.Write(int32_t{5});
  writer.BeginBlock();
  writer.Write(true);
  writer.BeginBlock();
  writer.Write(std::string(kMaxStoredString + 10, 'z'));
  writer.EndBlock();
  writer.EndBlock();
  const std::string bytes = writer.TakeBytes();

  StoreArchive reader(bytes, StoreOptions{});
  EXPECT_EQ(reader.ReadInt32(), 5);
  reader.BeginBlock();
  bool flag = false;
  reader.Read(flag);
  EXPECT_TRUE(flag);
  reader.BeginBlock();
  std::string text;
  reader.Read(text);
  EXPECT_EQ(text.size(), static_cast<size_t>(kMaxStoredString));
  reader.EndBlock();
  reader.EndBlock();
  EXPECT_EQ(reader.DataRemaining(), 0u);
  // Block header of the outer block: its own offset, then its whole length.
  StoreArchive header(std::string_view(bytes).substr(4), StoreOptions{});
  EXPECT_EQ(header.ReadInt32(), 4);
  EXPECT_EQ(static_cast<size_t>(header.ReadInt32()), bytes.size() - 4);
}

}  // namespace
}  // namespace tarsel
