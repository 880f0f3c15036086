// JSON Feed documents written from the format's own description (versions 1 and 1.1).
#include <gtest/gtest.h>

#include <string>

#include "feed_test_support.h"
#include "parse/feeds/feed_parser.h"
#include "parse/feeds/json_values.h"
#include "parse/feeds/parsed_channel_cleanup.h"
#include "platform/system_code_page.h"

namespace tarsel {
namespace {

using testing::DefaultRead;

std::string Feed(const std::string& members, const std::string& version = "1.1") {
  return "{\"version\": \"https://jsonfeed.org/version/" + version + "\", \"title\": \"F\"" +
         members + "}";
}

std::string FeedWithItems(const std::string& items, const std::string& members = "") {
  return Feed(members + ", \"items\": [" + items + "]");
}

ChannelInfo Cleaned(const std::string& body, int code_page = kCodePageUtf8) {
  feeds::ReadSettings read = DefaultRead();
  read.code_page = code_page;
  ChannelInfo channel;
  EXPECT_TRUE(ParseAndCleanFeed(body, channel, true, read)) << body;
  return channel;
}

TEST(JsonFeedTest, WhichBodiesAreJsonFeeds) {
  const struct {
    const char* name;
    std::string body;
    bool feed;
  } cases[] = {
      {"version 1.1", Feed(", \"items\": []"), true},
      {"version 1 with escaped slashes",
       R"j({"version":"https:\/\/jsonfeed.org\/version\/1","title":"x","items":[]})j", true},
      {"byte order mark and blanks", "\xEF\xBB\xBF \n" + Feed(""), true},
      {"no items still names a feed", Feed(""), true},
      {"plain http version", R"j({"version":"http://jsonfeed.org/version/1.1","items":[]})j",
       false},
      {"version not a string", R"j({"version":1.1,"items":[],"about":"jsonfeed.org"})j", false},
      {"other JSON", R"j({"name":"jsonfeed.org fan club"})j", false},
      {"array root", R"j([{"version":"https://jsonfeed.org/version/1.1"}])j", false},
      {"cut short", Feed(", \"items\": [").substr(0, 60), false},
      {"trailing garbage", Feed("") + "}", false},
  };
  for (const auto& c : cases) {
    ChannelInfo channel;
    EXPECT_EQ(ParseFeed(c.body, channel, DefaultRead()), c.feed) << c.name;
    if (!c.feed) EXPECT_TRUE(channel.title.empty()) << c.name << ": the channel stays untouched";
  }
  EXPECT_TRUE(IsFeedDocument(Feed("")));
  EXPECT_FALSE(IsFeedDocument("<html><p>see https://jsonfeed.org/version/1.1</p></html>"));
}

TEST(JsonFeedTest, ChannelAndRecordFields) {
  const ChannelInfo channel = Cleaned(FeedWithItems(
      R"j({"id": "e1", "url": "https://h.example/1", "title": "One",
          "content_html": "<p>Body</p>", "summary": "Short",
          "date_published": "2010-02-07T14:04:00-05:00", "date_modified": "2011-01-01T00:00:00Z",
          "authors": [{"name": "Ann"}, {"url": "https://nameless"}, {"name": "Bo"}],
          "tags": ["a", " b ", "", 3],
          "attachments": [{"url": "https://h.example/1.mp3", "mime_type": "audio/mpeg",
                           "size_in_bytes": 1500, "title": "MP3"}]})j",
      R"j(, "home_page_url": "https://h.example/", "description": "About",
         "icon": "https://h.example/icon.png", "favicon": "https://h.example/fav.ico")j"));
  EXPECT_EQ(channel.title, "F");
  EXPECT_EQ(channel.link, "https://h.example/");
  EXPECT_EQ(channel.description, "About");
  EXPECT_EQ(channel.image_url, "https://h.example/icon.png");
  ASSERT_EQ(channel.records.size(), 1u);
  const Record& record = *channel.records[0];
  EXPECT_EQ(record.guid, "e1");
  EXPECT_EQ(record.link, "https://h.example/1");
  EXPECT_EQ(record.title, "One");
  EXPECT_EQ(record.summary, "Short");
  EXPECT_EQ(record.published, 1265569440) << "date_published, with its offset";
  EXPECT_EQ(record.author, "Ann, Bo");
  EXPECT_EQ(record.subject, "a, b");
  ASSERT_EQ(record.enclosures.size(), 1u);
  EXPECT_EQ(record.enclosures[0].type, "audio/mpeg");
  EXPECT_EQ(record.enclosures[0].length, 1500);
  EXPECT_EQ(record.description.rfind("<p>Body</p><div class=\"enclosures\">", 0), 0u)
      << record.description;
}

// Each row leaves out what the row before had, so the next choice shows.
TEST(JsonFeedTest, FallbacksInOrder) {
  const struct {
    const char* name;
    std::string item;
    std::string feed_members;
    std::string link, author, description;
  } cases[] = {
      {"external_url without url", R"j({"id":"1","external_url":"https://x/","title":"t"})j", "",
       "https://x/", "", "t"},
      {"1.0 author", R"j({"id":"1","title":"t","author":{"name":"Old"}})j", "", "", "Old", "t"},
      {"the feed's authors", R"j({"id":"1","title":"t"})j", R"j(, "authors":[{"name":"Feed"}])j",
       "", "Feed", "t"},
      {"content_text, its line breaks kept", R"j({"id":"1","content_text":"a & b\r\nc\nd"})j", "",
       "", "", "a &#38; b<br/>c<br/>d"},
      {"summary when no content", R"j({"id":"1","title":"t","summary":"s <i>"})j", "", "", "",
       "s &lt;i&gt;"},
  };
  for (const auto& c : cases) {
    const ChannelInfo channel = Cleaned(FeedWithItems(c.item, c.feed_members));
    ASSERT_EQ(channel.records.size(), 1u) << c.name;
    EXPECT_EQ(channel.records[0]->link, c.link) << c.name;
    EXPECT_EQ(channel.records[0]->author, c.author) << c.name;
    EXPECT_EQ(channel.records[0]->description, c.description) << c.name;
  }
  const ChannelInfo modified =
      Cleaned(FeedWithItems(R"j({"id":"1","title":"t","date_modified":"2010-02-07T19:04:00Z"})j"));
  EXPECT_EQ(modified.records[0]->published, 1265569440) << "date_modified without a published";
}

// Plain text must show as written, whatever markup or references it spells.
TEST(JsonFeedTest, PlainTextsShowAsWritten) {
  const ChannelInfo channel = Cleaned(FeedWithItems(
      R"j({"id":"1","title":"A <b> &amp; C","content_html":"x","authors":[{"name":"Q &lt; R"}],
          "tags":["x&y"]},
         {"id":"2","content_text":"Tides & fog: an untitled note about the harbour tables"})j",
      R"j(, "description": "<i>not markup</i> &amp;")j"));
  EXPECT_EQ(channel.description, "<i>not markup</i> &amp;");
  EXPECT_EQ(channel.records[0]->title, "A &lt;b&gt; &#38;amp; C") << "shown: A <b> &amp; C";
  EXPECT_EQ(channel.records[0]->author, "Q &lt; R");
  EXPECT_EQ(channel.records[0]->subject, "x&y");
  EXPECT_EQ(channel.records[1]->title.rfind("Tides &amp; fog: an untitled note", 0), 0u)
      << "an untitled item takes the start of its text";
}

TEST(JsonFeedTest, RelativeAddressesAndUnsafeOnes) {
  const std::string items =
      R"j({"id":"1","url":"posts/1","content_html":"<a href=\"../n.html\">n</a><script>x()</script>",
          "attachments":[{"url":"a.mp3","mime_type":"audio/mpeg"},
                         {"url":"javascript:alert(1)","mime_type":"audio/mpeg"},
                         {"mime_type":"audio/mpeg"}]
})j";
  const ChannelInfo own = Cleaned(FeedWithItems(
      items, R"j(, "feed_url": "https://h.example/feeds/f.json", "icon": "/i.png")j"));
  const Record& record = *own.records[0];
  EXPECT_EQ(own.image_url, "https://h.example/i.png");
  EXPECT_EQ(record.link, "https://h.example/feeds/posts/1");
  ASSERT_EQ(record.enclosures.size(), 2u) << "an attachment without an address is none";
  EXPECT_EQ(record.enclosures[0].url, "https://h.example/feeds/a.mp3");
  EXPECT_EQ(record.enclosures[1].url, "") << "a script address is dropped";
  EXPECT_NE(record.description.find("href=\"https://h.example/n.html\""), std::string::npos);
  EXPECT_EQ(record.description.find("script"), std::string::npos);

  // A relative feed_url is no base: the address the body came from is.
  feeds::ReadSettings read = DefaultRead();
  ChannelInfo fetched;
  ASSERT_TRUE(ParseAndCleanFeed(FeedWithItems(items, R"j(, "feed_url": "f.json")j"), fetched, true,
                                read, "https://mirror.example/x/feed.json"));
  EXPECT_EQ(fetched.records[0]->link, "https://mirror.example/x/posts/1");
}

TEST(JsonFeedTest, ValuesOfTheWrongKind) {
  const ChannelInfo channel = Cleaned(Feed(
      R"j(, "title": 5, "home_page_url": ["https://x/"], "items": [
          {"id": 42, "url": 7, "title": {"text": "t"}, "content_html": null,
           "tags": "single", "authors": {"name": "not a list"}, "attachments": {"url": "x"},
           "date_published": 1265569440},
          {"id": 1e3, "title": "dup", "title": "last wins", "content_text": "c",
           "attachments": [{"url": "https://x/a", "size_in_bytes": -5},
                           {"url": "https://x/b", "size_in_bytes": "12"}]},
          "text item", 17, null])j"));
  EXPECT_EQ(channel.title, "");
  EXPECT_EQ(channel.link, "");
  ASSERT_EQ(channel.records.size(), 1u) << "an item with nothing to show is no record";
  const Record& record = *channel.records[0];
  EXPECT_EQ(record.title, "last wins");
  EXPECT_EQ(record.guid, "") << "only whole numbers stand for identifiers";
  ASSERT_EQ(record.enclosures.size(), 2u);
  EXPECT_EQ(record.enclosures[0].length, -1);
  EXPECT_EQ(record.enclosures[1].length, -1);
  const ChannelInfo numbered = Cleaned(FeedWithItems(R"j({"id": 42, "title": "t"})j"));
  EXPECT_EQ(numbered.records[0]->guid, "42");
}

// JSON is UTF-8; the texts come out in the program's code page, whether the body was converted
// to it on the way in or not.
TEST(JsonFeedTest, CodePages) {
  const std::string utf8 = FeedWithItems(R"j({"id":"1","title":"Caf\u00e9 Zo\u00eb"})j");
  const std::string literal = FeedWithItems("{\"id\":\"1\",\"title\":\"Caf\xC3\xA9\"}");
  const std::string converted = FeedWithItems("{\"id\":\"1\",\"title\":\"Caf\xE9\"}");
  EXPECT_EQ(Cleaned(utf8, 1252).records[0]->title, "Caf\xE9 Zo\xEB");
  EXPECT_EQ(Cleaned(literal, 1252).records[0]->title, "Caf\xE9");
  EXPECT_EQ(Cleaned(converted, 1252).records[0]->title, "Caf\xE9");
  EXPECT_EQ(Cleaned(literal).records[0]->title, "Caf\xC3\xA9");
  EXPECT_EQ(Cleaned(converted).records[0]->title, "Caf\xEF\xBF\xBD") << "malformed: U+FFFD";
}

TEST(JsonFeedTest, BoundsOnHostileBodies) {
  // Nested far past any feed's shape: read, with the deep part dropped.
  const std::string deep = std::string(100000, '[') + std::string(100000, ']');
  const ChannelInfo nested = Cleaned(FeedWithItems(R"j({"id":"1","title":"t","x":)j" + deep + "}"));
  EXPECT_EQ(nested.records.size(), 1u);

  std::string many;
  for (size_t i = 0; i < feeds::kMaxJsonItems + 5; ++i) {
    many += (i ? ",{\"title\":\"" : "{\"title\":\"") + std::to_string(i) + "\"}";
  }
  ChannelInfo channel;
  ASSERT_TRUE(ParseFeed(FeedWithItems(many), channel, DefaultRead()));
  ASSERT_EQ(channel.records.size(), feeds::kMaxJsonItems);
  EXPECT_EQ(channel.records.back()->title, std::to_string(feeds::kMaxJsonItems - 1));
}

}  // namespace
}  // namespace tarsel
