#include "parse/feeds/parsed_channel_cleanup.h"

#include <gtest/gtest.h>

#include <string>

#include "feed_test_support.h"
#include "parse/feeds/enclosure_block.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

using testing::ParseText;

TEST(CleanParsedChannelTest, DecodesAndResolvesAgainstTheChannelLink) {
  ChannelInfo channel = ParseText(testing::Rss(
      "<title>Q &amp;amp; A</title><link>http://site/blog/</link>"
      "<description>&lt;about&gt;</description>"
      "<item><title>Tom &amp;amp; Jerry</title><link>http://site/1</link>"
      "<comments>c.html</comments>"
      "<description>&lt;a href=\"../p.html\" class=\"x\"&gt;p&lt;/a&gt;&lt;img src=\"i.png\" "
      "onerror=\"x()\"&gt;&lt;script&gt;bad()&lt;/script&gt;</description></item>"));
  CleanParsedChannel(channel, false, testing::DefaultRead());
  EXPECT_EQ(channel.title, "Q & A");
  EXPECT_EQ(channel.description, "") << "an unknown tag, read as HTML";
  ASSERT_EQ(channel.records.size(), 1u);
  const Record& record = *channel.records[0];
  EXPECT_EQ(record.title, "Tom &amp; Jerry") << "the title is cleaned HTML";
  EXPECT_EQ(record.comments, "http://site/blog/c.html");
  EXPECT_EQ(record.description,
            "<a href=\"http://site/p.html\" >p</a><img src=\"http://site/blog/i.png\" />");
}

TEST(CleanParsedChannelTest, AddressesCannotRunScriptOrLeaveTheirAttribute) {
  const struct {
    std::string address;
    std::string expected;
  } cases[] = {
      {"javascript:alert(1)", ""},
      {" JavaScript:alert(1)", ""},
      {"vbscript:msgbox(1)", ""},
      {"data:text/html,<b>x</b>", ""},
      {"data:image/png;base64,AAAA", ""},
      {"http://x/\" onerror=\"go()", "http://x/%22%20onerror=%22go()"},
      {"http://x/<b>", "http://x/%3Cb%3E"},
      {"http://x/?a=1&amp;b=2", "http://x/?a=1&amp;b=2"},
      {"http://x/ onmouseover=alert(1) x=", "http://x/%20onmouseover=alert(1)%20x="},
      {"\n  http://x/a\tb\x7f\x01"
       "c  \r\n",
       "http://x/a%09b%7F%01c"},
      {" \t\n", ""},
  };
  for (const auto& c : cases) {
    ChannelInfo channel;
    channel.link = channel.image_url = c.address;
    auto record = std::make_shared<Record>();
    record->link = record->comments = record->base_url = c.address;
    record->enclosures = {{c.address, "audio/mpeg", -1}};
    channel.records.push_back(record);
    CleanParsedChannel(channel, true, testing::DefaultRead());
    EXPECT_EQ(channel.link, c.expected) << c.address;
    EXPECT_EQ(channel.image_url, c.expected) << c.address;
    EXPECT_EQ(record->link, c.expected) << c.address;
    EXPECT_EQ(record->comments, c.expected) << c.address;
    EXPECT_EQ(record->base_url, c.expected) << c.address;
    const std::vector<Enclosure> shown = feeds::ReadEnclosureBlock(record->description);
    if (c.expected.empty()) {
      EXPECT_TRUE(shown.empty()) << c.address << " is dropped";
    } else {
      ASSERT_EQ(shown.size(), 1u) << c.address;
      EXPECT_EQ(shown[0].url, c.expected) << c.address;
    }
  }
}

// A relative address resolved against a base whose host holds an escaped control byte: the
// combination may decode it, and the result is made safe again.
TEST(CleanParsedChannelTest, ResolvedAddressesStaySafe) {
  ChannelInfo channel;
  channel.link =
      "https://p\x7f"
      "dcast.example.net/";
  channel.image_url = "/art/icon.png";
  auto record = std::make_shared<Record>();
  record->link = "notes/3";
  channel.records.push_back(record);
  CleanParsedChannel(channel, true, testing::DefaultRead());
  for (const std::string* address : {&channel.link, &channel.image_url, &record->link}) {
    EXPECT_EQ(address->find_first_of(std::string("\x7f \"<>", 5)), std::string::npos) << *address;
  }
}

TEST(CleanParsedChannelTest, TitlesCannotHideTagsBehindAStrayLessThan) {
  ChannelInfo channel = ParseText(
      testing::Rss("<item><title>&lt;&lt;iframe "
                   "srcdoc=\"&amp;lt;script&amp;gt;alert(1)&amp;lt;/script&amp;gt;\"&gt;"
                   "x &lt;1&lt;base href=//evil/&gt;</title><link>http://site/1</link></item>"));
  CleanParsedChannel(channel, false, testing::DefaultRead());
  ASSERT_EQ(channel.records.size(), 1u);
  EXPECT_EQ(channel.records[0]->title, "&lt;x &lt;1");
}

TEST(CleanParsedChannelTest, ConvertsByTheDeclaredEncoding) {
  // "Да" in KOI8-R is 0xE4 0xC1; in Windows-1251 it is 0xC4 0xE0.
  // "ł" in ISO-8859-2 is 0xB3, and so in Windows-1250; "ą" is 0xB1 there and 0xB9 in 1250.
  const struct {
    const char* name;
    const char* encoding;
    bool converted_at_download;
    std::string text;
    std::string expected;
  } cases[] = {
      {"koi8-r", "koi8-r", false, "\xE4\xC1", "\xC4\xE0"},
      {"iso-8859-2", "iso-8859-2", false, "\xB3\xB1", "\xB3\xB9"},
      {"already converted", "koi8-r", true, "\xE4\xC1", "\xE4\xC1"},
      {"other encodings stay", "windows-1251", false, "\xE4\xC1", "\xE4\xC1"},
  };
  // The tables serve a single-byte program code page; a UTF-8 one converts whole bodies before
  // parsing (ConvertBodyByDeclaration).
  testing::ScopedEnv single_byte_desktop("LC_ALL", "ru_RU.KOI8-R");
  for (const auto& c : cases) {
    ChannelInfo channel;
    channel.encoding = c.encoding;
    channel.title = channel.description = channel.image_title = c.text;
    channel.link = channel.image_url = "http://x/" + c.text;
    auto record = std::make_shared<Record>();
    record->title = record->author = record->subject = record->description = record->summary =
        c.text;
    record->link = record->comments = record->guid = "http://x/" + c.text;
    channel.records.push_back(record);
    CleanParsedChannel(channel, c.converted_at_download, testing::DefaultRead());

    for (const std::string* text :
         {&channel.title, &channel.description, &channel.image_title, &record->title,
          &record->author, &record->subject, &record->description, &record->summary}) {
      EXPECT_EQ(*text, c.expected) << c.name;
    }
    for (const std::string* address :
         {&channel.link, &channel.image_url, &record->link, &record->guid, &record->comments}) {
      EXPECT_EQ(*address, "http://x/" + c.text) << c.name;
    }
  }
}

TEST(CleanParsedChannelTest, ChannelTitleAndDescriptionAreText) {
  const struct {
    const char* name;
    const char* element;
    const char* text;
  } cases[] = {
      {"markup in the element", "<title>Fish &amp; <b>Chips</b></title>", "Fish & Chips"},
      {"escaped markup", "<title>Fish &amp;amp; &lt;b&gt;Chips&lt;/b&gt;</title>", "Fish & Chips"},
      {"cdata markup", "<title><![CDATA[Fish &amp; <b>Chips</b>]]></title>", "Fish & Chips"},
      {"plain text", "<title>Fish and chips</title>", "Fish and chips"},
      {"script goes", "<title>a<script>alert(1)</script>b</title>", "ab"},
  };
  for (const auto& c : cases) {
    ChannelInfo channel = ParseText(testing::Rss(c.element));
    CleanParsedChannel(channel, false, testing::DefaultRead());
    EXPECT_EQ(channel.title, c.text) << c.name;
  }
  ChannelInfo channel =
      ParseText(testing::Rss("<description><p>Boats &amp; <em>tides</em></p></description>"));
  CleanParsedChannel(channel, false, testing::DefaultRead());
  EXPECT_EQ(channel.description, "Boats & tides");
}

// Relative addresses resolve against the item's xml:base, else the feed's own address, else
// the channel link.
TEST(CleanParsedChannelTest, BaseOfRelativeLinks) {
  const struct {
    const char* name;
    const char* feed_url;
    const char* item_base;
    const char* link;
    const char* image;  // the channel's, which no item's xml:base reaches
  } cases[] = {
      {"channel link", "", "", "http://site.example/blog/p.html", "http://site.example/blog/i.png"},
      {"feed address beats the channel link", "http://feeds.example/f/rss", "",
       "http://feeds.example/f/p.html", "http://feeds.example/f/i.png"},
      {"xml:base beats both", "http://feeds.example/f/rss", "http://base.example/b/",
       "http://base.example/b/p.html", "http://feeds.example/f/i.png"},
      {"relative xml:base against the feed address", "http://feeds.example/f/rss", "old/",
       "http://feeds.example/f/old/p.html", "http://feeds.example/f/i.png"},
      {"xml:base that is not a URL is ignored", "http://feeds.example/f/rss", "not a url",
       "http://feeds.example/f/p.html", "http://feeds.example/f/i.png"},
  };
  for (const auto& c : cases) {
    const std::string base = *c.item_base ? std::string(" xml:base=\"") + c.item_base + "\"" : "";
    ChannelInfo channel;
    ASSERT_TRUE(ParseAndCleanFeed(
        testing::Rss("<link>http://site.example/blog/</link><image><url>i.png</url></image>"
                     "<item" +
                     base +
                     "><title>T</title><link>p.html</link><comments>p.html#c</comments>"
                     "<description>&lt;a href=\"p.html\"&gt;p&lt;/a&gt;</description>"
                     "<enclosure url=\"p.html\"/></item>"),
        channel, true, testing::DefaultRead(), c.feed_url));
    ASSERT_EQ(channel.records.size(), 1u) << c.name;
    EXPECT_EQ(channel.image_url, c.image) << c.name;
    const Record& record = *channel.records[0];
    EXPECT_EQ(record.link, c.link) << c.name;
    EXPECT_EQ(record.comments, std::string(c.link) + "#c") << c.name;
    EXPECT_EQ(record.enclosures.at(0).url, c.link) << c.name;
    EXPECT_EQ(record.description.find(std::string("<a href=\"") + c.link + "\" >p</a>"), 0u)
        << c.name << ": " << record.description;
  }
}

TEST(CleanParsedChannelTest, EnclosuresEndTheDescriptionButNotTheSummary) {
  const std::string feed = testing::Rss(
      "<item><title>Episode</title><description>Notes</description>"
      "<enclosure url=\"http://a.example/e.mp3\" length=\"1024\" type=\"audio/mpeg\"/>"
      "<enclosure url=\"javascript:alert(1)\" type=\"audio/mpeg\"/></item>");
  for (bool single_parse : {true, false}) {
    ChannelInfo channel;
    if (single_parse) {
      ASSERT_TRUE(ParseAndCleanFeed(feed, channel, true, testing::DefaultRead()));
    } else {
      ASSERT_TRUE(ParseFeed(feed, channel, testing::DefaultRead()));
      CleanParsedChannel(channel, true, testing::DefaultRead());
    }
    const Record& record = *channel.records.at(0);
    EXPECT_EQ(record.summary, "Notes") << single_parse;
    EXPECT_EQ(record.description, "Notes" + feeds::WriteEnclosureBlock(
                                                {{"http://a.example/e.mp3", "audio/mpeg", 1024}}))
        << single_parse;
  }

  ChannelInfo stored;
  auto record = std::make_shared<Record>();
  record->description = "x" + feeds::WriteEnclosureBlock({{"http://a.example/e.mp3", "", -1}});
  record->enclosures = {{"http://a.example/other.mp3", "", -1}};
  stored.records.push_back(record);
  CleanParsedChannel(stored, true, testing::DefaultRead());
  EXPECT_EQ(record->description.find("other.mp3"), std::string::npos) << "never a second block";

  // The block is written after cleaning: a type holding a zero byte must not reach it.
  ChannelInfo hostile;
  auto zero_type = std::make_shared<Record>();
  zero_type->enclosures = {{"http://a.example/v.mp4", std::string("v\0ideo/mp4", 10), -1}};
  hostile.records.push_back(zero_type);
  CleanParsedChannel(hostile, true, testing::DefaultRead());
  EXPECT_EQ(zero_type->description.find('\0'), std::string::npos);
  EXPECT_NE(zero_type->description.find("v.mp4"), std::string::npos);
}

}  // namespace
}  // namespace tarsel
