#include <gtest/gtest.h>

#include <string>

#include "feed_test_support.h"
#include "parse/feeds/feed_parser.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

using testing::ParseText;
using testing::Rss;

TEST(IsFeedDocumentTest, Table) {
  const struct {
    const char* body;
    bool feed;
  } cases[] = {
      {"<rss version='2.0'>", true},
      {"junk <?xml version='1.0'?>", true},
      {"<?xml version='1.0'?><html><body>XHTML</body></html>", true},
      {"<rdf:RDF><channel>", true},
      {"<rdf:RDF> only", false},
      {"<channel> only", false},
      {"<RSS version='2.0'>", false},
      {"<html><head><title>page</title></head></html>", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsFeedDocument(c.body), c.feed) << c.body;
}

TEST(ParseFeedTest, FailuresLeaveTheChannelAlone) {
  const char* bodies[] = {
      "",
      "not xml at all",
      "<?xml version='1.0' encoding='utf-8'?><rss><channel><title>x</title></chanel></rss>",
      "<?xml version='1.0' encoding='koi8-r'?><rss version='2.0'></rss>",  // no channel
      "<html><body>page</body></html>",
  };
  for (const char* body : bodies) {
    ChannelInfo channel;
    channel.title = "old";
    channel.encoding = "before";
    EXPECT_FALSE(ParseFeed(body, channel, testing::DefaultRead())) << body;
    EXPECT_EQ(channel.title, "old") << body;
    EXPECT_TRUE(channel.records.empty()) << body;
    if (std::string(body).find("chanel") != std::string::npos) {
      EXPECT_EQ(channel.encoding, "before") << "the encoding is copied only after a parse";
    }
  }
}

TEST(ParseFeedTest, CopiesTheDeclaredEncoding) {
  EXPECT_EQ(ParseText("<?xml version='1.0' encoding='KOI8-R'?><rss><channel/></rss>").encoding,
            "koi8-r");
  EXPECT_EQ(ParseText("<rss><channel/></rss>").encoding, "Automatic");
}

TEST(ParseRssTest, ChannelFieldsAndImage) {
  ChannelInfo channel =
      ParseText(Rss("<title>T</title><link>http://s/</link><description>D &amp; d</description>"
                    "<image><url>http://s/i.png</url><title>Logo</title></image>"));
  EXPECT_EQ(channel.title, "T");
  EXPECT_EQ(channel.link, "http://s/");
  EXPECT_EQ(channel.description, "D &amp; d") << "decoding is the clean-up's job";
  EXPECT_EQ(channel.image_url, "http://s/i.png");
  EXPECT_EQ(channel.image_title, "Logo");

  ChannelInfo rdf = ParseText(
      "<rdf:RDF><channel><image rdf:resource='http://s/r.gif'/></channel>"
      "<image><url>http://s/other.gif</url><title>x</title></image></rdf:RDF>");
  EXPECT_EQ(rdf.image_url, "http://s/r.gif");
  EXPECT_EQ(rdf.image_title, "");
}

TEST(ParseRssTest, WhichItemsBecomeRecords) {
  ChannelInfo channel =
      ParseText(Rss("<item><title>A</title></item>"
                    "<item><description>neither title nor link</description></item>"
                    "<item><title>Customize this feed</title><link>http://ad/</link></item>"
                    "<item><title>Customize this feed!</title></item>"
                    "<item><link>http://only/link</link></item>"));
  ASSERT_EQ(channel.records.size(), 3u);
  EXPECT_EQ(channel.records[0]->title, "A");
  EXPECT_EQ(channel.records[1]->title, "Customize this feed!");
  EXPECT_EQ(channel.records[2]->title, "");
  EXPECT_EQ(channel.records[2]->link, "http://only/link");
}

TEST(ParseRssTest, RdfItemsBesideTheChannel) {
  const std::string beside =
      "<rdf:RDF><channel><title>C</title></channel>"
      "<item><title>1</title></item><item><title>2</title></item></rdf:RDF>";
  EXPECT_EQ(ParseText(beside).records.size(), 2u);

  const std::string inside =
      "<rdf:RDF><channel><item><title>in</title></item></channel>"
      "<item><title>out</title></item></rdf:RDF>";
  ChannelInfo channel = ParseText(inside);
  ASSERT_EQ(channel.records.size(), 1u);
  EXPECT_EQ(channel.records[0]->title, "in");
}

TEST(ParseRssTest, DescriptionPrecedence) {
  const struct {
    const char* name;
    const char* item;
    const char* description;
  } cases[] = {
      {"content:encoded wins",
       "<content:encoded>full</content:encoded><description>d</description>", "full"},
      {"body beats description", "<body><p>b</p></body><description>d</description>", "<p>b</p>"},
      {"escaped description is decoded", "<description>&lt;b&gt;bold&lt;/b&gt;</description>",
       "<b>bold</b>"},
      {"cdata description is not", "<description><![CDATA[&lt;b&gt;]]></description>", "&lt;b&gt;"},
      {"escaped content:encoded is decoded", "<content:encoded>&lt;i&gt;</content:encoded>", "<i>"},
      {"cdata content:encoded is not", "<content:encoded><![CDATA[a &amp; b]]></content:encoded>",
       "a &amp; b"},
      {"child markup kept by inner xml", "<description>a <b>b</b></description>", "a <b>b</b>"},
      {"body is taken as it is", "<body>x &amp; y</body>", "x &amp; y"},
      {"no description: the title", "", "Title"},
  };
  for (const auto& c : cases) {
    ChannelInfo channel =
        ParseText(Rss(std::string("<item><title>Title</title>") + c.item + "</item>"));
    ASSERT_EQ(channel.records.size(), 1u) << c.name;
    EXPECT_EQ(channel.records[0]->description, c.description) << c.name;
  }
}

TEST(ParseRssTest, OptionalFields) {
  ChannelInfo channel = ParseText(
      Rss("<item><title>T</title><link>L</link><comments>http://c/</comments>"
          "<dc:creator>Ann</dc:creator><dc:subject>News</dc:subject><guid>g-1</guid></item>"
          "<item><title>U</title></item>"));
  ASSERT_EQ(channel.records.size(), 2u);
  const Record& full = *channel.records[0];
  EXPECT_EQ(full.comments, "http://c/");
  EXPECT_EQ(full.author, "Ann");
  EXPECT_EQ(full.subject, "News");
  EXPECT_EQ(full.guid, "g-1");
  const Record& bare = *channel.records[1];
  EXPECT_EQ(bare.comments + bare.author + bare.subject + bare.guid, "");
}

TEST(ParseRssTest, PublishedDates) {
  testing::ScopedEnv utc("TZ", "UTC");
  tzset();
  const int32_t before = testing::Now();
  ChannelInfo channel =
      ParseText(Rss("<item><title>rfc</title><pubDate>Mon, 05 Jan 2004 10:20:30 GMT</pubDate>"
                    "<dc:date>1999-01-01T00:00</dc:date></item>"
                    "<item><title>iso</title><dc:date>2004-01-05T10:20:30Z</dc:date></item>"
                    "<item><title>none</title></item>"
                    "<item><title>bad</title><pubDate>yesterday</pubDate></item>"));
  const int32_t after = testing::Now();
  ASSERT_EQ(channel.records.size(), 4u);
  EXPECT_EQ(channel.records[0]->published, 1073298030);  // seconds count
  EXPECT_EQ(channel.records[1]->published, 1073298030);  // seconds count
  for (size_t i : {2u, 3u}) {
    EXPECT_GE(channel.records[i]->published, before) << i;
    EXPECT_LE(channel.records[i]->published, after) << i;
  }
}

TEST(ParseRssTest, TitleCleanUp) {
  const struct {
    const char* name;
    std::string item;
    std::string title;
  } cases[] = {
      {"line breaks collapse", "<title>Line one\r\nline  two</title>", "Line one  line two"},
      {"markup becomes text", "<title>&lt;b&gt;Bold&lt;/b&gt; move</title>",
       "&lt;b&gt;Bold&lt;/b&gt; move"},
      {"cdata markup becomes text", "<title><![CDATA[<b>Bold</b> move]]></title>", "Bold move"},
      {"untitled takes the summary's start",
       "<link>l</link><description>" + std::string(60, 'w') + " tail words here</description>",
       std::string(60, 'w') + "..."},
      {"untitled and short",
       "<link>l</link><description>short &lt;b&gt;one&lt;/b&gt;</description>", "short one"},
      {"untitled without description stays empty", "<link>l</link>", ""},
  };
  for (const auto& c : cases) {
    ChannelInfo channel = ParseText(Rss("<item>" + c.item + "</item>"));
    ASSERT_EQ(channel.records.size(), 1u) << c.name;
    EXPECT_EQ(channel.records[0]->title, c.title) << c.name;
  }
}

TEST(ParseRssTest, SummaryIsPlainTextOfTheDescription) {
  ChannelInfo channel =
      ParseText(Rss("<item><title>t</title><description>&lt;p&gt;one&lt;br&gt;two &amp;amp; "
                    "three&lt;/p&gt;&lt;script&gt;x()&lt;/script&gt;</description></item>"));
  ASSERT_EQ(channel.records.size(), 1u);
  EXPECT_EQ(channel.records[0]->summary, "one\ntwo & three");
}

}  // namespace
}  // namespace tarsel
