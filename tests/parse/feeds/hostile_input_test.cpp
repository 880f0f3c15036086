// Feeds are hostile input: whatever the bytes, the readers return instead of crashing, hanging or
// reading out of bounds (the sanitizer build checks the last).
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "feed_test_support.h"
#include "parse/feeds/feed_parser.h"
#include "parse/feeds/parsed_channel_cleanup.h"

namespace tarsel {
namespace {

const char kRichRss[] =
    "<?xml version='1.0' encoding='koi8-r'?><rss version='2.0'><channel><title>T &amp; t</title>"
    "<link>http://s/</link><image><url>u</url><title>i</title></image>"
    "<item><title>a &lt;b&gt;</title><link>l</link><pubDate>Mon, 05 Jan 2004 10:20:30 GMT"
    "</pubDate><description>&lt;p&gt;x&lt;a href='r'&gt;y&lt;/a&gt;</description>"
    "<content:encoded><![CDATA[<div><img src=i.png></div>]]></content:encoded></item>"
    "<item><link>only</link><dc:date>2004-01-05T10:20</dc:date><body><p>b</p></body></item>"
    "</channel></rss>";

const char kRichAtom[] =
    "<?xml version='1.0'?><feed><title>A</title><link rel='alternate' href='h'/><link/>"
    "<tagline type='text/html'>&lt;i&gt;t</tagline><entry><title mode='escaped'>x&amp;lt;"
    "</title><link href='e'/><modified>2004-01-05T10:20Z</modified><author><name>n</name>"
    "</author><content type='multipart/alternative'><content mode='escaped'>&lt;b&gt;"
    "</content></content><summary>s</summary></entry></feed>";

// Parses and cleans; the answer itself is not the point, but the update's single parse of each
// description must give what the two steps give.
void Digest(const std::string& body) {
  ChannelInfo channel;
  const bool parsed = ParseFeed(body, channel, testing::DefaultRead());
  if (parsed) CleanParsedChannel(channel, false, testing::DefaultRead());
  ChannelInfo single;
  ASSERT_EQ(ParseAndCleanFeed(body, single, false, testing::DefaultRead()), parsed) << body;
  ASSERT_EQ(single.records.size(), channel.records.size()) << body;
  for (size_t i = 0; i < channel.records.size(); ++i) {
    EXPECT_EQ(single.records[i]->title, channel.records[i]->title) << body;
    EXPECT_EQ(single.records[i]->summary, channel.records[i]->summary) << body;
    EXPECT_EQ(single.records[i]->description, channel.records[i]->description) << body;
  }
}

TEST(HostileFeedTest, EveryTruncation) {
  for (const std::string& full : {std::string(kRichRss), std::string(kRichAtom)}) {
    bool whole_parses = false;
    testing::ParseText(full, &whole_parses);
    EXPECT_TRUE(whole_parses);
    for (size_t length = 0; length < full.size(); ++length) Digest(full.substr(0, length));
  }
}

TEST(HostileFeedTest, RandomBytesAndMutations) {
  std::mt19937 random(20040105);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 300; ++round) {
    std::string noise(static_cast<size_t>(random() % 400), '\0');
    for (char& c : noise) c = static_cast<char>(byte(random));
    Digest(noise);
    std::string mutated = round % 2 == 0 ? kRichRss : kRichAtom;
    for (int flips = 0; flips < 8; ++flips) {
      mutated[random() % mutated.size()] = "<>&;/'\"=!?[]\0x"[random() % 15];
    }
    Digest(mutated);
  }
}

TEST(HostileFeedTest, DeepNesting) {
  const size_t depth = 100000;
  std::string xml = "<rss><channel><item><title>deep</title><description>";
  for (size_t i = 0; i < depth; ++i) xml += "<d>";
  xml += "</description></item></channel></rss>";
  bool ok = true;
  testing::ParseText(xml, &ok);
  EXPECT_FALSE(ok) << "nesting beyond the reader's limit is a malformed document";

  std::string html;
  for (size_t i = 0; i < depth; ++i) html += "&lt;div&gt;&lt;b&gt;";
  ChannelInfo channel = testing::ParseText(
      testing::Rss("<item><title>t</title><description>" + html + "x</description></item>"), &ok);
  ASSERT_TRUE(ok);
  CleanParsedChannel(channel, false, testing::DefaultRead());
  EXPECT_EQ(channel.records.size(), 1u);
}

TEST(HostileFeedTest, OversizedFields) {
  const std::string big(8 * 1024 * 1024, 'w');
  ChannelInfo channel = testing::ParseText(testing::Rss(
      "<item><title>" + big + "</title><description>" + big + " &lt;b&gt;</description></item>"));
  CleanParsedChannel(channel, false, testing::DefaultRead());
  ASSERT_EQ(channel.records.size(), 1u);
  EXPECT_EQ(channel.records[0]->title.size(), big.size());
}

}  // namespace
}  // namespace tarsel
