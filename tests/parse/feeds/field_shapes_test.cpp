// Shapes of common fields that every format may write: a person as a name and a mail address,
// Dublin Core's author, the iTunes and Media RSS categories, an Atom link without href, and a
// relative guid under xml:base.
#include <gtest/gtest.h>

#include <string>

#include "feed_test_support.h"
#include "parse/feeds/author_name.h"
#include "parse/feeds/feed_parser.h"
#include "parse/feeds/parsed_channel_cleanup.h"

namespace tarsel {
namespace {

using testing::ParseText;
using testing::Rss;

std::string Atom10(const std::string& feed_content) {
  return "<feed xmlns=\"http://www.w3.org/2005/Atom\">" + feed_content + "</feed>";
}

TEST(FieldShapesTest, AuthorNameOfAPerson) {
  const struct {
    const char* text;
    const char* name;
  } cases[] = {
      {"Jane Roe <jane@example.com>", "Jane Roe"},
      {"Jane Roe &lt;jane@example.com&gt;", "Jane Roe"},
      {"\"Roe, Jane\" <jane@example.com>", "Roe, Jane"},
      {"&quot;Jane Roe&quot; &lt;jane@example.com&gt;", "Jane Roe"},
      {"jane@example.com (Jane Roe)", "Jane Roe"},
      {"  jane@example.com ( Jane Roe ) ", "Jane Roe"},
      {"jane@example.com", "jane@example.com"},
      {"<jane@example.com>", "<jane@example.com>"},
      {"jane@example.com ( )", "jane@example.com ( )"},
      {"Jane Roe (Acme)", "Jane Roe (Acme)"},
      {"Jane <3 Tides", "Jane <3 Tides"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(feeds::AuthorName(c.text), c.name) << c.text;
}

// The author in every element that holds one, in each format.
TEST(FieldShapesTest, EveryAuthorElementShowsTheName) {
  const std::string person = "Jane Roe &lt;jane@example.com&gt;";
  const struct {
    const char* name;
    std::string body;
  } cases[] = {
      {"dc:creator", Rss("<item><title>T</title><dc:creator>" + person + "</dc:creator></item>")},
      {"dc:author", Rss("<item><title>T</title><dc:author>" + person + "</dc:author></item>")},
      {"author", Rss("<item><title>T</title><author>" + person + "</author></item>")},
      {"itunes:author",
       Rss("<item><title>T</title><itunes:author>" + person + "</itunes:author></item>")},
      {"Atom entry",
       Atom10("<entry><title>T</title><author><name>" + person + "</name></author></entry>")},
      {"Atom feed", Atom10("<author><name>" + person +
                           "</name></author><entry><title>T</title>"
                           "</entry>")},
      {"Atom 0.3", testing::Atom("<entry><title>T</title><author><name>" + person +
                                 "</name></author></entry>")},
      {"JSON Feed",
       R"({"version":"https://jsonfeed.org/version/1.1","title":"F","items":[{"id":"1",
          "title":"T","authors":[{"name":"Jane Roe <jane@example.com>"}]}]})"},
  };
  for (const auto& c : cases) {
    const ChannelInfo channel = ParseText(c.body);
    ASSERT_EQ(channel.records.size(), 1u) << c.name;
    EXPECT_EQ(channel.records[0]->author, "Jane Roe") << c.name;
  }
  const ChannelInfo both = ParseText(
      Rss("<item><title>T</title><dc:author>A</dc:author><dc:creator>C</dc:creator></item>"));
  EXPECT_EQ(both.records[0]->author, "C") << "dc:creator before dc:author";
}

TEST(FieldShapesTest, PodcastAndVideoCategoriesAreSubjects) {
  const std::string itunes =
      "<itunes:category text=\"Society &amp; Culture\"><itunes:category text=\"History\"/>"
      "</itunes:category>";
  const std::string media =
      "<media:category scheme=\"http://search.yahoo.com/mrss/category_schema\">"
      "music/artist/album/song</media:category>";
  const struct {
    const char* name;
    std::string body;
    const char* subject;
  } cases[] = {
      {"itunes:category and its subcategory", Rss("<item><title>T</title>" + itunes + "</item>"),
       "Society &amp; Culture, History"},
      {"media:category", Rss("<item><title>T</title>" + media + "</item>"),
       "music/artist/album/song"},
      {"media:category in media:group",
       Rss("<item><title>T</title><media:group>" + media + "</media:group></item>"),
       "music/artist/album/song"},
      {"a category comes first",
       Rss("<item><title>T</title>" + itunes + "<category>Own</category></item>"), "Own"},
      {"Atom entry", Atom10("<entry><title>T</title>" + media + "</entry>"),
       "music/artist/album/song"},
      {"Atom category comes first",
       Atom10("<entry><title>T</title>" + media + "<category term=\"own\"/></entry>"), "own"},
  };
  for (const auto& c : cases) {
    const ChannelInfo channel = ParseText(c.body);
    ASSERT_EQ(channel.records.size(), 1u) << c.name;
    EXPECT_EQ(channel.records[0]->subject, c.subject) << c.name;
  }
}

TEST(FieldShapesTest, AtomLinkWithoutHrefGivesWayToTheNext) {
  const struct {
    const char* name;
    std::string body;
  } cases[] = {
      {"Atom 1.0 entry", Atom10("<entry><title>T</title><link rel=\"alternate\"/>"
                                "<link href=\"http://example.org/2003/12/13/atom03\"/></entry>")},
      {"Atom 1.0 feed", Atom10("<link/><link rel=\"alternate\" href=\"http://example.org/\"/>"
                               "<entry><title>T</title><link href=\"http://example.org/2003/12/13/"
                               "atom03\"/></entry>")},
      {"Atom 0.3 entry",
       testing::Atom("<entry><title>T</title><link rel=\"alternate\" type=\"text/html\"/>"
                     "<link rel=\"alternate\" type=\"text/html\" "
                     "href=\"http://example.org/2003/12/13/atom03\"/></entry>")},
  };
  for (const auto& c : cases) {
    const ChannelInfo channel = ParseText(c.body);
    ASSERT_EQ(channel.records.size(), 1u) << c.name;
    EXPECT_EQ(channel.records[0]->link, "http://example.org/2003/12/13/atom03") << c.name;
  }
}

TEST(FieldShapesTest, RelativeGuidOpensUnderXmlBase) {
  const struct {
    const char* name;
    const char* item_base;
    const char* guid;
    const char* link;
  } cases[] = {
      {"relative path under a base", "http://example.org/blog/",
       "<guid>2004/01/05/tides.html</guid>", "http://example.org/blog/2004/01/05/tides.html"},
      {"root path under a base", "http://example.org/blog/", "<guid>/2004/01/05/tides.html</guid>",
       "http://example.org/2004/01/05/tides.html"},
      {"without a base it is no address", "", "<guid>2004/01/05/tides.html</guid>", ""},
      {"a number under a base is none either", "http://example.org/blog/", "<guid>8812</guid>", ""},
      {"not a permalink", "http://example.org/blog/",
       "<guid isPermaLink=\"false\">2004/01/05/tides.html</guid>", ""},
  };
  for (const auto& c : cases) {
    const std::string base = *c.item_base ? std::string(" xml:base=\"") + c.item_base + "\"" : "";
    ChannelInfo channel;
    ASSERT_TRUE(ParseAndCleanFeed("<rss version=\"2.0\"><channel><item" + base +
                                      "><title>T</title>" + c.guid + "</item></channel></rss>",
                                  channel, true, testing::DefaultRead()))
        << c.name;
    EXPECT_EQ(channel.records[0]->link, c.link) << c.name;
  }
}

}  // namespace
}  // namespace tarsel
