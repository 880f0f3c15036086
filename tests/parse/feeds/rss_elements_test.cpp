// The RSS 2.0 elements beyond the first readers' set (author, category, guid as the link,
// enclosure, Dublin Core terms dates, iTunes and Media RSS texts), and xml:base. Feeds are
// written from the RSS 2.0 format document's own examples.
#include <gtest/gtest.h>

#include <string>

#include "feed_test_support.h"
#include "parse/feeds/rss_item_fields.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

using testing::ParseText;
using testing::Rss;

const Record& OnlyRecord(const ChannelInfo& channel) {
  static const Record kNone;
  return channel.records.size() == 1 ? *channel.records[0] : kNone;
}

TEST(RssElementsTest, TextFields) {
  const struct {
    const char* name;
    std::string item;
    std::string Record::*field;
    std::string expected;
  } cases[] = {
      {"author shows the name", "<author>lawyer@boyer.net (Lawyer Boyer)</author>", &Record::author,
       "Lawyer Boyer"},
      {"author without a name", "<author>lawyer@boyer.net</author>", &Record::author,
       "lawyer@boyer.net"},
      {"author with empty parentheses", "<author>lawyer@boyer.net ( )</author>", &Record::author,
       "lawyer@boyer.net ( )"},
      {"dc:creator beats author", "<author>a@b.net (A)</author><dc:creator>Dee</dc:creator>",
       &Record::author, "Dee"},
      {"itunes:author last", "<itunes:author>Show Host</itunes:author>", &Record::author,
       "Show Host"},
      {"author beats itunes:author", "<itunes:author>S</itunes:author><author>a (A)</author>",
       &Record::author, "A"},
      {"one category", "<category>Grateful Dead</category>", &Record::subject, "Grateful Dead"},
      {"categories joined, empty ones skipped",
       "<category domain=\"http://www.fool.com/cusips\">MSFT</category><category/>"
       "<category>Grateful Dead</category>",
       &Record::subject, "MSFT, Grateful Dead"},
      {"dc:subject beats category", "<category>c</category><dc:subject>S</dc:subject>",
       &Record::subject, "S"},
      {"guid is the permalink", "<guid>http://inessential.com/2002/09/01.php#a2</guid>",
       &Record::link, "http://inessential.com/2002/09/01.php#a2"},
      {"guid that is no permalink", "<guid isPermaLink=\"false\">http://x/p</guid>", &Record::link,
       ""},
      {"guid that cannot be opened", "<guid>8812</guid>", &Record::link, ""},
      {"guid with isPermaLink true", "<guid isPermaLink=\"true\">http://x/p</guid>", &Record::link,
       "http://x/p"},
      {"link beats guid", "<link>http://x/l</link><guid>http://x/g</guid>", &Record::link,
       "http://x/l"},
      {"dc:description stands in", "<dc:description>dc text</dc:description>", &Record::description,
       "dc text"},
      {"itunes:summary stands in", "<itunes:summary>Show &amp;amp; tell</itunes:summary>",
       &Record::description, "Show & tell"},
      {"description beats itunes:summary",
       "<itunes:summary>i</itunes:summary><description>d</description>", &Record::description, "d"},
      {"media text and picture when nothing else",
       "<media:group><media:thumbnail url=\"http://i.example/t.jpg?a=1&amp;b=2\"/>"
       "<media:description>Tides &lt; 2 m\nat dawn</media:description></media:group>",
       &Record::description,
       "<p><img src=\"http://i.example/t.jpg?a=1&amp;b=2\" alt=\"\"></p><p>Tides &lt; 2 "
       "m<br>at dawn</p>"},
      {"media html description",
       "<media:description type=\"html\">&lt;b&gt;b&lt;/b&gt;"
       "</media:description>",
       &Record::description, "<b>b</b>"},
      {"media text only when the item has none",
       "<description>own</description><media:description>m</media:description>",
       &Record::description, "own"},
      {"empty description gives way to media",
       "<description></description><media:description>m</media:description>", &Record::description,
       "<p>m</p>"},
  };
  for (const auto& c : cases) {
    ChannelInfo channel = ParseText(Rss("<item><title>T</title>" + c.item + "</item>"));
    EXPECT_EQ(OnlyRecord(channel).*c.field, c.expected) << c.name;
  }
}

TEST(RssElementsTest, DatesAfterPubDateAndDcDate) {
  testing::ScopedEnv utc("TZ", "UTC");
  tzset();
  const struct {
    const char* name;
    const char* item;
  } cases[] = {
      {"dcterms:modified", "<dcterms:modified>2004-01-05T10:20:00Z</dcterms:modified>"},
      {"dcterms:issued", "<dcterms:issued>2004-01-05T10:20:00Z</dcterms:issued>"},
      {"dcterms:created", "<dcterms:created>2004-01-05T10:20:00Z</dcterms:created>"},
      {"modified before issued",
       "<dcterms:issued>1999-01-01T00:00:00Z</dcterms:issued>"
       "<dcterms:modified>2004-01-05T10:20:00Z</dcterms:modified>"},
      {"dc:date before dcterms",
       "<dcterms:modified>1999-01-01T00:00:00Z</dcterms:modified>"
       "<dc:date>2004-01-05T10:20:00Z</dc:date>"},
      {"pubDate first",
       "<dcterms:created>1999-01-01T00:00:00Z</dcterms:created>"
       "<pubDate>Mon, 05 Jan 2004 10:20:00 GMT</pubDate>"},
  };
  for (const auto& c : cases) {
    ChannelInfo channel =
        ParseText(Rss(std::string("<item><title>T</title>") + c.item + "</item>"));
    EXPECT_EQ(OnlyRecord(channel).published, 1073298000) << c.name;
  }
}

TEST(RssElementsTest, Enclosures) {
  ChannelInfo channel = ParseText(
      Rss("<item><title>T</title>"
          "<enclosure url=\"http://www.scripting.com/mp3s/weatherReportSuite.mp3\" "
          "length=\"12216320\" type=\"audio/mpeg\" />"
          "<enclosure url=\"http://x.example/a?b=1&amp;section=2\" length=\"lots\"/>"
          "<enclosure url=\"http://www.scripting.com/mp3s/weatherReportSuite.mp3\"/>"
          "<enclosure type=\"audio/mpeg\"/>"
          "<media:content url=\"http://v.example/direct.mp4\" type=\"video/mp4\" fileSize=\"9\"/>"
          "<media:group><media:content url=\"http://v.example/in-group.webm\"/></media:group>"
          "</item>"));
  const std::vector<Enclosure>& enclosures = OnlyRecord(channel).enclosures;
  ASSERT_EQ(enclosures.size(), 4u) << "the repeated and the address-less are left out";
  EXPECT_EQ(enclosures[0].url, "http://www.scripting.com/mp3s/weatherReportSuite.mp3");
  EXPECT_EQ(enclosures[0].type, "audio/mpeg");
  EXPECT_EQ(enclosures[0].length, 12216320);
  EXPECT_EQ(enclosures[1].url, "http://x.example/a?b=1&section=2") << "a query name, not &sect";
  EXPECT_EQ(enclosures[1].length, -1);
  EXPECT_EQ(enclosures[2].url, "http://v.example/direct.mp4");
  EXPECT_EQ(enclosures[2].length, 9);
  EXPECT_EQ(enclosures[3].url, "http://v.example/in-group.webm");
}

TEST(RssElementsTest, NestedXmlBase) {
  const struct {
    const char* name;
    const char* rss_base;
    const char* channel_base;
    const char* item_base;
    const char* expected;
  } cases[] = {
      {"none", "", "", "", ""},
      {"each resolved against the outer one", "http://a.example/x/", "y/", "z/",
       "http://a.example/x/y/z/"},
      {"an absolute one replaces the outer", "http://a.example/", "", "https://b.example/n/",
       "https://b.example/n/"},
      {"relative without an outer one stays for the clean-up", "", "sub/", "", "sub/"},
      {"not a URL is ignored", "", "http://a.example/", "::not a url::", "http://a.example/"},
      {"script is ignored", "", "http://a.example/", "javascript:alert(1)//", "http://a.example/"},
      {"unparsable is ignored", "", "http://a.example/", "http://[oops/", "http://a.example/"},
  };
  auto base_attribute = [](const char* base) {
    return *base ? std::string(" xml:base=\"") + base + "\"" : std::string();
  };
  for (const auto& c : cases) {
    ChannelInfo channel = ParseText(
        "<rss" + base_attribute(c.rss_base) + "><channel" + base_attribute(c.channel_base) +
        "><item" + base_attribute(c.item_base) + "><title>T</title></item>" + "</channel></rss>");
    EXPECT_EQ(OnlyRecord(channel).base_url, c.expected) << c.name;
  }
}

TEST(RssElementsTest, HundredThousandCategoriesAreBounded) {
  std::string categories;
  for (int i = 0; i < 100000; ++i) categories += "<category>c" + std::to_string(i) + "</category>";
  ChannelInfo channel = ParseText(Rss("<item><title>T</title>" + categories + "</item>"));
  std::string expected = "c0";
  for (size_t i = 1; i < feeds::kMaxCategories; ++i) expected += ", c" + std::to_string(i);
  EXPECT_EQ(OnlyRecord(channel).subject, expected);
}

}  // namespace
}  // namespace tarsel
