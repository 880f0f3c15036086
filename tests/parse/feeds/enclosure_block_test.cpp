#include "parse/feeds/enclosure_block.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarsel {
namespace {

using feeds::HumanSize;
using feeds::ReadEnclosureBlock;
using feeds::WriteEnclosureBlock;

TEST(EnclosureBlockTest, WritesPlayerLinkAndInfo) {
  const struct {
    const char* name;
    Enclosure enclosure;
    std::string block;
  } cases[] = {
      {"audio with type and size",
       {"http://a.example/ep/12.mp3", "audio/mpeg", 12216320},
       "<div class=\"enclosure\"><audio controls preload=\"none\" "
       "src=\"http://a.example/ep/12.mp3\"></audio><a class=\"enclosure-link\" "
       "href=\"http://a.example/ep/12.mp3\" type=\"audio/mpeg\" data-length=\"12216320\">12.mp3</a>"
       " <span class=\"enclosure-info\">(audio/mpeg, 11.7 MB)</span></div>"},
      {"video without a size",
       {"http://v.example/t.mp4", "video/mp4", -1},
       "<div class=\"enclosure\"><video controls preload=\"none\" "
       "src=\"http://v.example/t.mp4\"></video><a class=\"enclosure-link\" "
       "href=\"http://v.example/t.mp4\" type=\"video/mp4\">t.mp4</a> <span "
       "class=\"enclosure-info\">(video/mp4)</span></div>"},
      {"image by its extension, nothing known",
       {"http://i.example/p/a.JPG?s=1&t=2", "", -1},
       "<div class=\"enclosure\"><img src=\"http://i.example/p/a.JPG?s=1&amp;t=2\" alt=\"\"><a "
       "class=\"enclosure-link\" href=\"http://i.example/p/a.JPG?s=1&amp;t=2\">a.JPG</a></div>"},
      {"other type, no player, quotes and brackets escaped, named by the address",
       {"http://d.example/", "application/\"x<y>\"", 0},
       "<div class=\"enclosure\"><a class=\"enclosure-link\" href=\"http://d.example/\" "
       "type=\"application/&quot;x&lt;y&gt;&quot;\" data-length=\"0\">http://d.example/</a> "
       "<span class=\"enclosure-info\">(application/&quot;x&lt;y&gt;&quot;)</span></div>"},
      {"named by its title, which markup in it cannot leave",
       {"http://a.example/e.bin", "", -1, "Part \"1\" <b>&</b>"},
       "<div class=\"enclosure\"><a class=\"enclosure-link\" href=\"http://a.example/e.bin\" "
       "title=\"Part &quot;1&quot; &lt;b&gt;&amp;&lt;/b&gt;\">Part &quot;1&quot; "
       "&lt;b&gt;&amp;&lt;/b&gt;</a></div>"},
  };
  for (const auto& c : cases) {
    const std::string block = WriteEnclosureBlock({c.enclosure});
    EXPECT_EQ(block, "<div class=\"enclosures\">" + c.block + "</div>") << c.name;
    const std::vector<Enclosure> read = ReadEnclosureBlock("<p>text</p>" + block);
    ASSERT_EQ(read.size(), 1u) << c.name;
    EXPECT_EQ(read[0].url, c.enclosure.url) << c.name;
    EXPECT_EQ(read[0].type, c.enclosure.type) << c.name;
    EXPECT_EQ(read[0].length, c.enclosure.length) << c.name;
    EXPECT_EQ(read[0].title, c.enclosure.title) << c.name;
  }
}

TEST(EnclosureBlockTest, BoundsAndSkipsEmptyAddresses) {
  EXPECT_EQ(WriteEnclosureBlock({}), "");
  EXPECT_EQ(WriteEnclosureBlock({{"", "audio/mpeg", 1}}), "") << "a dropped address";
  std::vector<Enclosure> many(1000, Enclosure{"http://x/a.bin", "", -1});
  EXPECT_EQ(ReadEnclosureBlock(WriteEnclosureBlock(many)).size(), feeds::kMaxEnclosures);
  EXPECT_TRUE(ReadEnclosureBlock("<p>no block <a class=\"enclosure-link\" href=\"x\">").empty());
}

TEST(EnclosureBlockTest, HumanSizes) {
  const std::pair<int64_t, const char*> cases[] = {
      {-1, ""},
      {0, ""},
      {1, "1 byte"},
      {1023, "1023 bytes"},
      {1024, "1.0 KB"},
      {24986239, "23.8 MB"},
      {5LL << 30, "5.0 GB"},
      {INT64_MAX, "8388608.0 TB"},
  };
  for (const auto& [length, text] : cases) EXPECT_EQ(HumanSize(length), text) << length;
}

}  // namespace
}  // namespace tarsel
