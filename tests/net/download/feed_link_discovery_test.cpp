#include "net/download/feed_link_discovery.h"

#include <gtest/gtest.h>

#include <string>

namespace tarsel {
namespace {

constexpr char kPage[] = "http://site.org/blog/index.html";

TEST(DiscoverFeedLinkTest, Table) {
  const struct {
    const char* name;
    std::string page;
    std::string expected;
  } cases[] = {
      {"relative rss link element",
       "<html><head><link rel=\"alternate\" type=\"application/rss+xml\" href=\"feed.xml\">",
       "http://site.org/blog/feed.xml"},
      {"text/xml link element, absolute", "<link type='text/xml' href='http://other.org/rss'/>",
       "http://other.org/rss"},
      {"upper-case LINK only when there is no lower-case one",
       "<LINK TYPE=\"text/xml\" HREF=\"/x.rdf\">", "http://site.org/x.rdf"},
      {"mixed: lower case found first, upper case never looked at",
       "<link rel=stylesheet href=s.css><LINK type=\"text/xml\" href=\"/x.rdf\">", ""},
      {"wrong type skipped, next one taken",
       "<link type=\"text/css\" href=\"s.css\"><link type=\"application/rss+xml\" href=\"r.rss\">",
       "http://site.org/blog/r.rss"},
      {"atom link element",
       "<link type=\"application/atom+xml\" href=\"atom.xml\"><a href=\"x.rss\">",
       "http://site.org/blog/atom.xml"},
      {"JSON Feed link element, type in any case",
       "<link rel=\"alternate\" type=\"Application/Feed+JSON\" href=\"/feed.json\">",
       "http://site.org/feed.json"},
      {"the first feed link of the page wins",
       "<link type=\"application/feed+json\" href=\"f.json\"><link type=\"text/xml\" "
       "href=\"f.xml\">",
       "http://site.org/blog/f.json"},
      {"a type that only starts like a feed's is not one",
       "<link type=\"application/feed+jsonx\" href=\"f.json\">", ""},
      {"link tag cut inside a quote is passed over",
       "<link type=\"application/rss+xml\" title=\"a > b\" href=\"r.rss\">", ""},
      {"anchor ending in .rdf, relative", "<a href=\"../news.rdf\">RDF</a>",
       "http://site.org/news.rdf"},
      {"anchor under the page address taken as is",
       "<a href=\"http://site.org/blog/index.html/feed.xml\">f</a>",
       "http://site.org/blog/index.html/feed.xml"},
      {"anchor on another site skipped",
       "<a href=\"http://elsewhere.org/f.xml\">x</a><a href=\"mine.rss\">y</a>",
       "http://site.org/blog/mine.rss"},
      {"short and unrelated hrefs skipped", "<a href=\".rss\"><a href=\"page.html\">", ""},
      {"desktop aggregator subscribe link",
       "<a href=\"http://127.0.0.1:5335/system/pages/subscriptions?url=http%3A%2F%2Ffeeds.org%2Fa"
       "%2Erss\">sub</a>",
       "http://feeds.org/a.rss"},
      {"upper-case anchors when there is no lower-case one", "<A HREF=\"x.xml\">",
       "http://site.org/blog/x.xml"},
      {"javascript href never offered", "<a href=\"javascript:x.rss\">", ""},
      {"nothing at all", "<html><body>plain page</body></html>", ""},
      {"unterminated tag", "<html><link type=\"text/xml\" href=\"r.xml\"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DiscoverFeedLink(c.page, kPage), c.expected) << c.name;
  }
}

TEST(ResolveLinkTest, Table) {
  const struct {
    const char* link;
    const char* base;
    std::string expected;
  } cases[] = {
      {"http://abs/x", kPage, "http://abs/x"},
      {"HTTPS://abs/x", kPage, "HTTPS://abs/x"},
      {"/root.xml", kPage, "http://site.org/root.xml"},
      {"sub/f.rss", kPage, "http://site.org/blog/sub/f.rss"},
      {"f.rss", "not a url", "f.rss"},
      {"f.rss", "", "f.rss"},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolveLink(c.link, c.base), c.expected) << c.link;
  const std::string long_link(1100, 'p');
  EXPECT_EQ(ResolveLink(long_link, kPage), long_link) << "too long to combine";
}

TEST(DiscoverFeedLinkTest, HostilePagesEndQuickly) {
  std::string many_openings;
  for (int i = 0; i < 200000; ++i) many_openings += "<a<link";
  many_openings += ">";
  EXPECT_EQ(DiscoverFeedLink(many_openings, kPage), "");
  std::string no_close(1 << 20, 'x');
  no_close.replace(10, 5, "<link");
  EXPECT_EQ(DiscoverFeedLink(no_close, kPage), "");
}

}  // namespace
}  // namespace tarsel
