#include <gtest/gtest.h>

#include <string>

#include "feed_test_support.h"
#include "parse/feeds/feed_parser.h"
#include "parse/xml/xml_node.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

using testing::Atom;
using testing::ParseText;

TEST(ParseAtomTest, NullRootIsTheOnlyFailure) {
  ChannelInfo channel;
  EXPECT_FALSE(ParseAtom(XMLParser::NullNode::Instance(), channel, testing::DefaultRead()));
  bool ok = false;
  ParseText("<feed/>", &ok);
  EXPECT_TRUE(ok);
}

TEST(ParseAtomTest, ChannelLink) {
  const struct {
    const char* name;
    const char* links;
    const char* expected;
  } cases[] = {
      {"single link href", "<link href='http://a/'/>", "http://a/"},
      {"single link text when href empty", "<link>http://text/</link>", "http://text/"},
      {"first alternate of several",
       "<link rel='self' href='http://self/'/><link rel='alternate' href='http://alt/'/>"
       "<link rel='alternate' href='http://alt2/'/>",
       "http://alt/"},
      {"alternate without href gives its text",
       "<link rel='self' href='http://self/'/><link rel='alternate'>http://t/</link>", "http://t/"},
      {"several, none alternate: unchanged",
       "<link rel='self' href='http://self/'/><link rel='ALTERNATE' href='http://x/'/>",
       "unchanged"},
  };
  for (const auto& c : cases) {
    ChannelInfo channel;
    channel.link = "unchanged";
    ASSERT_TRUE(ParseFeed(Atom(c.links), channel, testing::DefaultRead())) << c.name;
    EXPECT_EQ(channel.link, c.expected) << c.name;
  }
}

TEST(ParseAtomTest, Tagline) {
  const struct {
    const char* tagline;
    const char* description;
  } cases[] = {
      {"<tagline>plain &amp; raw</tagline>", "plain &amp; raw"},
      {"<tagline type='text/plain'>&lt;b&gt;</tagline>", "&lt;b&gt;"},
      {"<tagline type='text/html' mode='escaped'>&lt;b&gt;Bold&lt;/b&gt; &amp;amp; co</tagline>",
       "<b>Bold</b> & co"},
      {"<tagline type='application/xhtml+xml'><![CDATA[<i>it</i> &lt;]]></tagline>", "it <"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseText(Atom(std::string("<title>T</title>") + c.tagline)).description,
              c.description)
        << c.tagline;
  }
}

TEST(ParseAtomTest, EntryLinkTitleAndFields) {
  ChannelInfo channel = ParseText(
      Atom("<entry><content>no title, skipped</content></entry>"
           "<entry><title mode='escaped'>A &amp;amp; B</title>"
           "<link rel='related' href='http://rel/'/><link rel='alternate' href='http://alt/'/>"
           "<author><name>Ann</name><email>a@b</email></author><dc:subject>S</dc:subject></entry>"
           "<entry><title>one link</title><link href='http://one/'/></entry>"
           "<entry><title>no alternate</title><link rel='a' href='http://a/'/>"
           "<link rel='b' href='http://b/'/><author>no name</author></entry>"
           "<entry><title>empty alternate</title><link rel='alternate'>http://text/</link>"
           "<link rel='self' href='http://self/'/></entry>"));
  ASSERT_EQ(channel.records.size(), 4u);
  EXPECT_EQ(channel.records[0]->title, "A & B");
  EXPECT_EQ(channel.records[0]->link, "http://alt/");
  EXPECT_EQ(channel.records[0]->author, "Ann");
  EXPECT_EQ(channel.records[0]->subject, "S");
  EXPECT_EQ(channel.records[1]->link, "http://one/");
  EXPECT_EQ(channel.records[2]->link, "");
  EXPECT_EQ(channel.records[2]->author, "");
  EXPECT_EQ(channel.records[3]->link, "") << "an alternate's href is taken even when empty";
}

TEST(ParseAtomTest, DescriptionAndSummary) {
  const struct {
    const char* name;
    const char* entry;
    const char* description;
    const char* summary;
  } cases[] = {
      {"content inner xml", "<content type='application/xhtml+xml'><p>x &amp; y</p></content>",
       "<p>x &amp; y</p>", "x & y"},
      {"escaped content decoded", "<content mode='escaped'>&lt;b&gt;b&lt;/b&gt;</content>",
       "<b>b</b>", "b"},
      {"multipart takes its first inner content",
       "<content type='multipart/alternative'><content type='text/plain'>plain</content>"
       "<content type='text/html' mode='escaped'>&lt;b&gt;html&lt;/b&gt;</content></content>",
       "plain", "plain"},
      {"multipart escaped inner",
       "<content type='multipart/alternative'><content mode='escaped'>&lt;i&gt;i&lt;/i&gt;"
       "</content></content>",
       "<i>i</i>", "i"},
      {"multipart without inner content", "<content type='multipart/alternative'>x</content>", "",
       "Title"},
      {"summary text when no content", "<summary>sum &amp; more</summary>", "sum &amp; more",
       "sum & more"},
      {"summary element gives the summary",
       "<content>long content</content><summary>short</summary>", "long content", "short"},
      {"nothing: the title", "", "Title", "Title"},
  };
  for (const auto& c : cases) {
    ChannelInfo channel =
        ParseText(Atom(std::string("<entry><title>Title</title>") + c.entry + "</entry>"));
    ASSERT_EQ(channel.records.size(), 1u) << c.name;
    EXPECT_EQ(channel.records[0]->description, c.description) << c.name;
    EXPECT_EQ(channel.records[0]->summary, c.summary) << c.name;
  }
}

TEST(ParseAtomTest, UntitledEntryTakesItsSummaryAndTitleMarkupBecomesText) {
  ChannelInfo channel = ParseText(Atom("<entry><title/><summary>" + std::string(70, 's') +
                                       " and more</summary></entry>"
                                       "<entry><title mode='xml'>a <b>b</b></title></entry>"));
  ASSERT_EQ(channel.records.size(), 2u);
  EXPECT_EQ(channel.records[0]->title, std::string(70, 's') + "...");
  EXPECT_EQ(channel.records[1]->title, "a b");
}

TEST(ParseAtomTest, DateFallbacks) {
  testing::ScopedEnv utc("TZ", "UTC");
  tzset();
  const int32_t kJan5 = 1073298000;  // 2004-01-05 10:20 UTC
  const int32_t kJan6 = kJan5 + 86400;
  const struct {
    const char* name;
    const char* dates;
    int32_t expected;  // 0: the time of parsing
  } cases[] = {
      {"modified first",
       "<created>2004-01-06T10:20Z</created><modified>2004-01-05T10:20Z</modified>"
       "<issued>2004-01-06T10:20Z</issued>",
       kJan5},
      {"issued when modified is missing",
       "<issued>2004-01-05T10:20Z</issued>"
       "<created>2004-01-06T10:20Z</created>",
       kJan5},
      {"issued when modified is unreadable",
       "<modified>soon</modified>"
       "<issued>2004-01-05T10:20Z</issued>",
       kJan5},
      {"created last", "<created>2004-01-06T10:20Z</created>", kJan6},
      {"modified in RFC 822 form", "<modified>Mon, 05 Jan 2004 10:20:00 GMT</modified>", kJan5},
      {"none readable", "<modified>soon</modified><issued></issued>", 0},
  };
  for (const auto& c : cases) {
    const int32_t before = testing::Now();
    ChannelInfo channel =
        ParseText(Atom(std::string("<entry><title>T</title>") + c.dates + "</entry>"));
    ASSERT_EQ(channel.records.size(), 1u) << c.name;
    if (c.expected == 0) {
      EXPECT_GE(channel.records[0]->published, before) << c.name;
    } else {
      EXPECT_EQ(channel.records[0]->published, c.expected) << c.name;
    }
  }
}

TEST(ParseAtomTest, ModesOfContentAndSummary) {
  const struct {
    const char* name;
    const char* entry;
    const char* description;
    const char* summary;
  } cases[] = {
      {"summary with child markup", "<summary><p>a <b>b</b></p></summary>", "<p>a <b>b</b></p>",
       "a b"},
      {"escaped summary", "<summary mode='escaped'>&lt;i&gt;i&lt;/i&gt; &amp;amp;</summary>",
       "<i>i</i> &", "i &"},
      {"base64 content", "<content mode='base64'>PGI+Ym9sZDwvYj4=</content>", "<b>bold</b>",
       "bold"},
      {"base64 without padding, broken over lines",
       "<content mode='base64'>PGI+Ym9s\nZDwvYj4</content>", "<b>bold</b>", "bold"},
      {"base64 summary", "<summary mode='base64'>c3Vt</summary>", "sum", "sum"},
      {"not base64: kept as text", "<content mode='base64'>not base64!</content>", "not base64!",
       "not base64!"},
  };
  for (const auto& c : cases) {
    ChannelInfo channel =
        ParseText(Atom(std::string("<entry><title>Title</title>") + c.entry + "</entry>"));
    ASSERT_EQ(channel.records.size(), 1u) << c.name;
    EXPECT_EQ(channel.records[0]->description, c.description) << c.name;
    EXPECT_EQ(channel.records[0]->summary, c.summary) << c.name;
  }
}

TEST(ParseAtomTest, IdEnclosuresAndXmlBase) {
  ChannelInfo channel = ParseText(
      "<feed xmlns='http://purl.org/atom/ns#' xml:base='http://x.org/a/'><entry xml:base='b/'>"
      "<title>T</title><id>tag:x.org,2004:1</id><link rel='alternate' href='1.html'/>"
      "<link rel='enclosure' type='audio/mpeg' length='99' href='m.mp3'/></entry></feed>");
  ASSERT_EQ(channel.records.size(), 1u);
  const Record& record = *channel.records[0];
  EXPECT_EQ(record.guid, "tag:x.org,2004:1");
  EXPECT_EQ(record.link, "1.html") << "the clean-up resolves it";
  EXPECT_EQ(record.base_url, "http://x.org/a/b/");
  ASSERT_EQ(record.enclosures.size(), 1u);
  EXPECT_EQ(record.enclosures[0].url, "m.mp3");
  EXPECT_EQ(record.enclosures[0].length, 99);
}

}  // namespace
}  // namespace tarsel
