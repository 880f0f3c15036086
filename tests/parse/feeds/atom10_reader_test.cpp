#include <gtest/gtest.h>

#include <string>

#include "feed_test_support.h"
#include "parse/feeds/feed_parser.h"
#include "parse/feeds/parsed_channel_cleanup.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

using testing::ParseText;

std::string Atom10(const std::string& feed_content) {
  return "<?xml version=\"1.0\"?><feed xmlns=\"http://www.w3.org/2005/Atom\">" + feed_content +
         "</feed>";
}

RecordRef OnlyRecord(const std::string& entry_content) {
  ChannelInfo channel = ParseText(Atom10("<entry>" + entry_content + "</entry>"));
  return channel.records.size() == 1 ? channel.records.front() : nullptr;
}

// RFC 4287, section 1.1: the minimal document.
TEST(ParseAtom10Test, MinimalExampleOfTheRfc) {
  testing::ScopedEnv utc("TZ", "UTC");
  tzset();
  ChannelInfo channel = ParseText(
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<feed xmlns=\"http://www.w3.org/2005/Atom\">\n"
      "  <title>Example Feed</title>\n"
      "  <link href=\"http://example.org/\"/>\n"
      "  <updated>2003-12-13T18:30:02Z</updated>\n"
      "  <author>\n    <name>John Doe</name>\n  </author>\n"
      "  <id>urn:uuid:60a76c80-d399-11d9-b93C-0003939e0af6</id>\n"
      "  <entry>\n"
      "    <title>Atom-Powered Robots Run Amok</title>\n"
      "    <link href=\"http://example.org/2003/12/13/atom03\"/>\n"
      "    <id>urn:uuid:1225c695-cfb8-4ebb-aaaa-80da344efa6a</id>\n"
      "    <updated>2003-12-13T18:30:02Z</updated>\n"
      "    <summary>Some text.</summary>\n"
      "  </entry>\n"
      "</feed>\n");
  EXPECT_EQ(channel.title, "Example Feed");
  EXPECT_EQ(channel.link, "http://example.org/");
  ASSERT_EQ(channel.records.size(), 1u);
  const Record& record = *channel.records[0];
  EXPECT_EQ(record.title, "Atom-Powered Robots Run Amok");
  EXPECT_EQ(record.link, "http://example.org/2003/12/13/atom03");
  EXPECT_EQ(record.guid, "urn:uuid:1225c695-cfb8-4ebb-aaaa-80da344efa6a");
  EXPECT_NEAR(record.published, 1071340202, 2);
  EXPECT_EQ(record.author, "John Doe") << "the feed's author stands for the entry's";
  EXPECT_EQ(record.description, "Some text.");
  EXPECT_EQ(record.summary, "Some text.");
}

// RFC 4287, section 1.1: the more extensive document.
TEST(ParseAtom10Test, ExtensiveExampleOfTheRfc) {
  testing::ScopedEnv utc("TZ", "UTC");
  tzset();
  ChannelInfo channel = ParseText(
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<feed xmlns=\"http://www.w3.org/2005/Atom\">\n"
      "  <title type=\"text\">dive into mark</title>\n"
      "  <subtitle type=\"html\">\n    A &lt;em&gt;lot&lt;/em&gt; of effort\n"
      "    went into making this effortless\n  </subtitle>\n"
      "  <updated>2005-07-31T12:29:29Z</updated>\n"
      "  <id>tag:example.org,2003:3</id>\n"
      "  <link rel=\"alternate\" type=\"text/html\"\n   hreflang=\"en\" "
      "href=\"http://example.org/\"/>\n"
      "  <link rel=\"self\" type=\"application/atom+xml\"\n"
      "   href=\"http://example.org/feed.atom\"/>\n"
      "  <rights>Copyright (c) 2003, Mark Pilgrim</rights>\n"
      "  <generator uri=\"http://www.example.com/\" version=\"1.0\">\n"
      "    Example Toolkit\n  </generator>\n"
      "  <entry>\n"
      "    <title>Atom draft-07 snapshot</title>\n"
      "    <link rel=\"alternate\" type=\"text/html\"\n"
      "     href=\"http://example.org/2005/04/02/atom\"/>\n"
      "    <link rel=\"enclosure\" type=\"audio/mpeg\" length=\"1337\"\n"
      "     href=\"http://example.org/audio/ph34r_my_podcast.mp3\"/>\n"
      "    <id>tag:example.org,2003:3.2397</id>\n"
      "    <updated>2005-07-31T12:29:29Z</updated>\n"
      "    <published>2003-12-13T08:29:29-04:00</published>\n"
      "    <author>\n      <name>Mark Pilgrim</name>\n      <uri>http://example.org/</uri>\n"
      "      <email>f8dy@example.com</email>\n    </author>\n"
      "    <contributor>\n      <name>Sam Ruby</name>\n    </contributor>\n"
      "    <content type=\"xhtml\" xml:lang=\"en\"\n     xml:base=\"http://diveintomark.org/\">\n"
      "      <div xmlns=\"http://www.w3.org/1999/xhtml\">\n"
      "        <p><i>[Update: The Atom draft is finished.]</i></p>\n"
      "      </div>\n    </content>\n"
      "  </entry>\n"
      "</feed>\n");
  EXPECT_EQ(channel.title, "dive into mark");
  EXPECT_NE(channel.description.find("A lot of effort"), std::string::npos) << channel.description;
  EXPECT_EQ(channel.description.find('<'), std::string::npos) << "the subtitle is kept as text";
  EXPECT_EQ(channel.link, "http://example.org/");
  ASSERT_EQ(channel.records.size(), 1u);
  const Record& record = *channel.records[0];
  EXPECT_EQ(record.link, "http://example.org/2005/04/02/atom");
  EXPECT_EQ(record.guid, "tag:example.org,2003:3.2397");
  EXPECT_EQ(record.author, "Mark Pilgrim");
  EXPECT_LT(record.published, 1072915200) << "published (2003) comes before updated (2005)";
  EXPECT_GT(record.published, 1071273600);
  EXPECT_EQ(record.description, "<p><i>[Update: The Atom draft is finished.]</i></p>");
  ASSERT_EQ(record.enclosures.size(), 1u);
  EXPECT_EQ(record.enclosures[0].url, "http://example.org/audio/ph34r_my_podcast.mp3");
  EXPECT_EQ(record.enclosures[0].type, "audio/mpeg");
  EXPECT_EQ(record.enclosures[0].length, 1337);
}

TEST(ParseAtom10Test, TextConstructs) {
  const struct {
    const char* name;
    const char* construct;  // attributes and body, as a title and as a content
    const char* title;
    const char* description;
  } cases[] = {
      {"text by default", ">a &lt;b&gt; &amp; c", "a &lt;b&gt; &amp; c", "a &lt;b&gt; &amp; c"},
      {"text in CDATA", " type='text'><![CDATA[a <b> & c]]>", "a &lt;b&gt; &amp; c",
       "a &lt;b&gt; &amp; c"},
      {"text holding markup shows it", ">a <b>c</b>", "a &lt;b&gt;c&lt;/b&gt;",
       "a &lt;b&gt;c&lt;/b&gt;"},
      {"html unescaped once", " type='html'>&lt;p&gt;x &amp;amp; y&lt;/p&gt; &amp;lt;s&amp;gt;",
       "x &amp; y &lt;s&gt;", "<p>x &amp; y</p> &lt;s&gt;"},
      {"html in CDATA", " type='html'><![CDATA[<p>x &amp; y</p>]]>", "x &amp; y",
       "<p>x &amp; y</p>"},
      {"html character references to markup", " type='html'>&#60;b&#x3E;b&#60;/b>", "b",
       "<b>b</b>"},
      {"xhtml: inside the div",
       " type='xhtml'><div xmlns='http://www.w3.org/1999/xhtml'>x &amp; <b>y</b></div>",
       "x &amp; y", "x &amp; <b>y</b>"},
      {"xhtml without its div", " type='xhtml'><p>x</p><p>y</p>", "xy", "<p>x</p><p>y</p>"},
      {"media type of html", " type='text/html'>&lt;i&gt;i&lt;/i&gt;", "i", "<i>i</i>"},
  };
  for (const auto& c : cases) {
    std::string construct = c.construct;
    RecordRef record = OnlyRecord("<title" + construct + "</title><link href='http://l/'/>" +
                                  "<content" + construct + "</content>");
    ASSERT_NE(record, nullptr) << c.name;
    EXPECT_EQ(record->title, c.title) << c.name;
    EXPECT_EQ(record->description, c.description) << c.name;
  }
}

TEST(ParseAtom10Test, DescriptionAndLinkSources) {
  const struct {
    const char* name;
    const char* entry;
    const char* link;
    const char* description;
  } cases[] = {
      {"content before summary", "<summary>s</summary><content>c</content>", "", "c"},
      {"content src gives a link, the summary the text",
       "<content src='http://x/v?a=1&amp;b=2'/><summary>s</summary>", "http://x/v?a=1&b=2", "s"},
      {"alternate link wins over content src",
       "<link href='http://alt/'/><content src='http://src/'/>", "http://alt/", "T"},
      {"data content gives no text", "<content type='image/png'>iVBORw0KGgo=</content>", "", "T"},
      {"media picture and text when neither content nor summary",
       "<media:group><media:thumbnail url='http://i/t.jpg?v=1&amp;section=2'/>"
       "<media:description>a &amp; b</media:description></media:group>",
       "", "<p><img src=\"http://i/t.jpg?v=1&amp;section=2\" alt=\"\"></p><p>a &amp; b</p>"},
      {"summary beats media", "<summary>s</summary><media:description>m</media:description>", "",
       "s"},
      {"first alternate or rel-less link",
       "<link rel='self' href='http://self/'/><link rel='enclosure' href='http://e/'/>"
       "<link rel='alternate' href='http://a/'/><link href='http://b/'/>",
       "http://a/", "T"},
  };
  for (const auto& c : cases) {
    RecordRef record = OnlyRecord(std::string("<title>T</title>") + c.entry);
    ASSERT_NE(record, nullptr) << c.name;
    EXPECT_EQ(record->link, c.link) << c.name;
    EXPECT_EQ(record->description, c.description) << c.name;
  }
}

TEST(ParseAtom10Test, AuthorsCategoriesAndDates) {
  testing::ScopedEnv utc("TZ", "UTC");
  tzset();
  ChannelInfo channel = ParseText(Atom10(
      "<author><name>Feed</name></author>"
      "<entry><title>own</title><author><name>Own</name></author>"
      "<source><author><name>Source</name></author></source>"
      "<category term='t1' label='Label one'/><category term='t2'/><category label=''/>"
      "<published>not a date</published><updated>2004-01-05T10:20:00Z</updated></entry>"
      "<entry><title>source</title><source><author><name>Source</name></author></source></entry>"
      "<entry><title>feed</title><author><email>a@b</email></author></entry>"
      "<entry><content>neither title nor link: skipped</content></entry>"));
  ASSERT_EQ(channel.records.size(), 3u);
  EXPECT_EQ(channel.records[0]->author, "Own");
  EXPECT_EQ(channel.records[0]->subject, "Label one, t2");
  EXPECT_EQ(channel.records[0]->published, 1073298000) << "unreadable published: updated";
  EXPECT_EQ(channel.records[1]->author, "Source");
  EXPECT_EQ(channel.records[2]->author, "Feed");
}

TEST(ParseAtom10Test, XmlBase) {
  const struct {
    const char* name;
    const char* feed_base;
    const char* entry_base;
    const char* expected;
  } cases[] = {
      {"none", "", "", ""},
      {"feed's", "http://x.org/a/", "", "http://x.org/a/"},
      {"entry's resolved against the feed's", "http://x.org/a/", "b/", "http://x.org/a/b/"},
      {"entry's own absolute", "http://x.org/a/", "http://y.org/", "http://y.org/"},
      {"relative without an outer base: left to the clean-up", "", "b/", "b/"},
      {"not a URL: ignored", "::not a url::", "", ""},
      {"script: ignored", "", "javascript:alert(1)//", ""},
      {"query names stay", "", "http://x.org/?a=1&amp;section=2", "http://x.org/?a=1&section=2"},
  };
  for (const auto& c : cases) {
    ChannelInfo channel = ParseText(
        std::string("<feed xmlns='http://www.w3.org/2005/Atom' xml:base='") + c.feed_base +
        "'><entry xml:base='" + c.entry_base + "'><title>T</title></entry></feed>");
    ASSERT_EQ(channel.records.size(), 1u) << c.name;
    EXPECT_EQ(channel.records[0]->base_url, c.expected) << c.name;
  }
}

TEST(ParseAtom10Test, DispatchByNamespace) {
  const struct {
    const char* name;
    const char* root;
    const char* end;
    const char* description;
  } cases[] = {
      {"Atom 1.0 namespace", "<feed xmlns='http://www.w3.org/2005/Atom'>", "</feed>", "sub"},
      {"no namespace", "<feed>", "</feed>", "sub"},
      {"Atom 0.3 namespace", "<feed xmlns='http://purl.org/atom/ns#'>", "</feed>", "tag"},
      {"0.3 version without namespace", "<feed version='0.3'>", "</feed>", "tag"},
      {"prefixed Atom 1.0", "<a:feed xmlns:a='http://www.w3.org/2005/Atom'>", "</a:feed>", ""},
  };
  for (const auto& c : cases) {
    const std::string prefix = std::string(c.root).rfind("<a:", 0) == 0 ? "a:" : "";
    ChannelInfo channel =
        ParseText(std::string(c.root) + "<" + prefix + "subtitle>sub</" + prefix + "subtitle><" +
                  prefix + "tagline>tag</" + prefix + "tagline><" + prefix + "entry><" + prefix +
                  "title>T</" + prefix + "title></" + prefix + "entry>" + c.end);
    ASSERT_EQ(channel.records.size(), 1u) << c.name;
    EXPECT_EQ(channel.description, prefix.empty() ? c.description : "sub") << c.name;
  }
}

TEST(ParseAtom10Test, HostileEntries) {
  std::string categories;
  for (int i = 0; i < 100000; ++i) categories += "<category term='c" + std::to_string(i) + "'/>";
  std::string enclosures;
  for (int i = 0; i < 1000; ++i) enclosures += "<link rel='enclosure' href='http://e/'/>";
  ChannelInfo channel;
  ASSERT_TRUE(ParseAndCleanFeed(
      Atom10("<entry><title>T</title>" + categories + enclosures +
             "<link rel='enclosure' href='javascript:alert(1)' length='-5' type='audio/mpeg'/>"
             "<content type='xhtml'>no div &lt;script&gt;</content></entry>"),
      channel, false, testing::DefaultRead()));
  ASSERT_EQ(channel.records.size(), 1u);
  const Record& record = *channel.records[0];
  EXPECT_EQ(record.subject.rfind("c0, c1, ", 0), 0u);
  EXPECT_NE(record.subject.find(", c99"), std::string::npos);
  EXPECT_EQ(record.subject.find("c100"), std::string::npos) << "the first hundred only";
  EXPECT_LE(record.enclosures.size(), 100u);
}

TEST(ParseAtom10Test, EveryTruncationAndMutationOfARichFeed) {
  const std::string rich = Atom10(
      "<title type='html'>A &amp;amp; &lt;b&gt;B</title><subtitle type='xhtml'><div>s</div>"
      "</subtitle><link href='/'/><logo>l.png</logo><author><name>F</name></author>"
      "<entry xml:base='e/'><title type='xhtml'><div>T <i>i</i></div></title><link href='1'/>"
      "<link rel='enclosure' length='12' href='m.mp3'/><published>2005-07-31T12:29:29Z"
      "</published><category term='t'/><source><author><name>S</name></author></source>"
      "<summary type='html'>&lt;p&gt;s</summary><content type='html'>&lt;a href=\"r\"&gt;&amp;#60;"
      "</content></entry><entry><title><![CDATA[<x>]]></title><content src='v'/></entry>");
  for (size_t length = 0; length <= rich.size(); ++length) {
    ChannelInfo channel;
    ParseAndCleanFeed(rich.substr(0, length), channel, false, testing::DefaultRead());
  }
  for (size_t at = 0; at < rich.size(); ++at) {
    for (char c : {'<', '&', '>', ';', '\'', '#'}) {
      std::string mutated = rich;
      mutated[at] = c;
      ChannelInfo channel;
      ParseAndCleanFeed(mutated, channel, false, testing::DefaultRead());
    }
  }
  ChannelInfo whole;
  ASSERT_TRUE(ParseAndCleanFeed(rich, whole, false, testing::DefaultRead()));
  EXPECT_EQ(whole.records.size(), 2u);
}

}  // namespace
}  // namespace tarsel
