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
  EXPECT_FALSE(ParseAtom(XMLParser::NullNode::Instance(), channel));
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
    ASSERT_TRUE(ParseFeed(Atom(c.links), channel)) << c.name;
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

TEST(ParseAtomTest, UntitledEntryAndDates) {
  testing::ScopedEnv utc("TZ", "UTC");
  tzset();
  const int32_t before = testing::Now();
  ChannelInfo channel =
      ParseText(Atom("<entry><title/><summary>" + std::string(70, 's') +
                     " and more</summary>"
                     "<modified>2004-01-05T10:20:30Z</modified></entry>"
                     "<entry><title>x</title><issued>2004-01-05T10:20:30Z</issued></entry>"));
  ASSERT_EQ(channel.records.size(), 2u);
  EXPECT_EQ(channel.records[0]->title, std::string(70, 's') + "...");
  EXPECT_EQ(channel.records[0]->published, 1073298030);  // seconds count
  EXPECT_GE(channel.records[1]->published, before);
}

}  // namespace
}  // namespace tarsel
