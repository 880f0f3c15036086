#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>

#include "parse/lists/column_merge.h"
#include "parse/lists/found_feed_tree.h"
#include "parse/lists/opml_export.h"

namespace tarsel {
namespace {

std::string Opml(const std::string& body, const std::string& encoding = "windows-1251") {
  return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?><opml><head/><body>" + body +
         "</body></opml>";
}

FoundFeedTree Read(const std::string& bytes, EncodingChoice encoding = EncodingChoice::kAutomatic) {
  FoundFeedTree list{kImportedFileListName, {}, {}};
  std::string error;
  EXPECT_TRUE(ParseListBytes(bytes, list, error, encoding)) << error;
  return list;
}

// Where a strict XML reader stops in `document`: a '<' inside an attribute value, or an '&' that
// starts no reference. Empty when it reads through. (Our own list reader forgives both.)
std::string StrictXmlFault(std::string_view document) {
  static const std::regex kReference("^&(amp|lt|gt|quot|apos|#[0-9]+|#x[0-9a-fA-F]+);");
  char quote = 0;
  bool in_tag = false;
  for (size_t i = 0; i < document.size(); ++i) {
    const char c = document[i];
    const std::string at = " at " + std::to_string(i);
    if (c == '&' && !std::regex_search(std::string(document.substr(i, 12)), kReference)) {
      return "bare '&'" + at;
    }
    if (quote != 0) {
      if (c == '<') return "'<' in an attribute value" + at;
      if (c == quote) quote = 0;
    } else if (in_tag) {
      if (c == '"' || c == '\'') quote = c;
      if (c == '>') in_tag = false;
    } else if (c == '<') {
      in_tag = true;
    }
  }
  return {};
}

std::shared_ptr<Column> MakeColumn(int32_t id, std::string url, std::string title = "") {
  auto column = std::make_shared<Column>();
  column->id = id;
  column->url = std::move(url);
  column->channel.title = std::move(title);
  return column;
}

TEST(ListsTest, OutlinesOfferEveryFeedAddressAndCountTheRest) {
  FoundFeedTree list = Read(Opml(
      "<outline text=\"A\" htmlUrl=\"http://a\" xmlUrl=\"http://a/rss\" description=\"d\"/>"
      "<outline text=\"NoSite\" xmlUrl=\"http://b/rss\"/>"
      "<outline text=\"NoFeed\" htmlUrl=\"http://nf\"/>"
      "<outline text=\"\" title=\"T&amp;C\" htmlUrl=\"http://c\" xmlUrl=\"http://c/?a=1&amp;b=2\"/>"
      "<outline title=\"News\">"
      "  <outline text=\"N1\" htmlUrl=\"http://n1\" xmlUrl=\"http://n1/rss\"/>"
      "  <outline text=\"N2\" htmlUrl=\"http://n2\" xmlUrl=\"http://n2/rss\"/>"
      "  <outline text=\"empty\"/>"
      "</outline>"
      "<outline text=\"Named by text\">"
      "  <outline text=\"X\" htmlUrl=\"http://x\" xmlUrl=\"http://x/rss\"/>"
      "</outline>"
      "<outline>"
      "  <outline text=\"Y\" xmlUrl=\"http://y/rss\"/>"
      "</outline>"));
  ASSERT_EQ(list.feeds.size(), 4u);
  EXPECT_EQ(list.feeds[0], (FoundFeed{"http://a", "http://a/rss", "d", "A"}));
  EXPECT_EQ(list.feeds[1], (FoundFeed{"", "http://b/rss", "", "NoSite"}));
  EXPECT_EQ(list.feeds[2], (FoundFeed{"http://c", "http://c/?a=1&b=2", "", "T&C"}));
  EXPECT_EQ(list.feeds[3].feed_url, "http://y/rss") << "an unnamed folder joins its parent";
  ASSERT_EQ(list.lists.size(), 2u);
  EXPECT_EQ(list.lists[0].name, "News");
  ASSERT_EQ(list.lists[0].feeds.size(), 2u);
  EXPECT_EQ(list.lists[0].feeds[1].feed_url, "http://n2/rss");
  EXPECT_EQ(list.lists[1].name, "Named by text");
  EXPECT_EQ(list.without_feed_url, 1u);
  EXPECT_EQ(list.TotalWithoutFeedUrl(), 2u);
}

TEST(ListsTest, FormatIsTakenFromTheDocumentNotTheName) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string feed_url;
  };
  const Case cases[] = {
      {"item list",
       "<feedlists><item><url>http://s</url><title>S</title>"
       "<link>http://s/rss</link></item></feedlists>",
       "http://s/rss"},
      {"body in capitals",
       "<opml><BODY><outline text=\"x\" htmlUrl=\"h\" xmlUrl=\"u\"/></BODY></opml>", "u"},
  };
  for (const Case& c : cases) {
    FoundFeedTree list = Read(c.bytes);
    ASSERT_EQ(list.feeds.size(), 1u) << c.name;
    EXPECT_EQ(list.feeds[0].feed_url, c.feed_url) << c.name;
  }
  EXPECT_EQ(Read("<opml/>").TotalFeeds(), 0u);
  EXPECT_EQ(Read("<opml><head/></opml>").TotalFeeds(), 0u);
}

TEST(ListsTest, Utf8DocumentsAreConvertedByTheEncodingSetting) {
  const std::string text = "\xD0\x9F";  // CYRILLIC CAPITAL LETTER PE
  const std::string outline = "<outline text=\"" + text + "\" htmlUrl=\"h\" xmlUrl=\"u\"/>";
  const EncodingChoice cyrillic = EncodingChoice::kCyrillicWindows;
  EXPECT_EQ(Read(Opml(outline, "utf-8"), cyrillic).feeds.at(0).title, "\xCF");
  EXPECT_EQ(Read(Opml(outline), cyrillic).feeds.at(0).title, text);
}

TEST(ListsTest, HostileDocumentsFailOrStayBounded) {
  std::string error;
  FoundFeedTree list{"kept", {{"s", "f", "", ""}}, {}};
  const std::string full =
      Opml("<outline title=\"F\"><outline text=\"a\" htmlUrl=\"h\" xmlUrl=\"u\"/></outline>");
  for (size_t cut : {size_t{0}, size_t{10}, full.size() / 2, full.size() - 3}) {
    EXPECT_FALSE(ParseListBytes(full.substr(0, cut), list, error, EncodingChoice::kAutomatic))
        << cut;
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(list.feeds.size(), 1u) << "a failed parse leaves the list as it was";
  }
  // Folders nested far past the bound: the feed at the bottom is kept at the deepest list.
  std::string deep;
  const int levels = 1000;
  for (int i = 0; i < levels; ++i) deep += "<outline title=\"L\">";
  deep += "<outline text=\"bottom\" htmlUrl=\"h\" xmlUrl=\"u\"/>";
  for (int i = 0; i < levels; ++i) deep += "</outline>";
  FoundFeedTree nested = Read(Opml(deep));
  const FoundFeedTree* level = &nested;
  int depth = 0;
  while (!level->lists.empty()) {
    level = &level->lists[0];
    ++depth;
  }
  EXPECT_EQ(depth, kMaxListNesting);
  ASSERT_EQ(level->feeds.size(), 1u);
  EXPECT_EQ(level->feeds[0].title, "bottom");
  // Random bytes give a tree or a failure, never a crash.
  uint32_t seed = 12345;
  for (int round = 0; round < 200; ++round) {
    std::string noise = Opml("<outline title=\"x\">");
    for (int i = 0; i < 64; ++i) {
      seed = seed * 1103515245u + 12345u;
      noise[(seed >> 8) % noise.size()] = static_cast<char>(seed >> 16);
    }
    FoundFeedTree ignored;
    ParseListBytes(noise, ignored, error, EncodingChoice::kAutomatic);
  }
}

TEST(ListsTest, ExportWritesTheFixedHeaderAndEscapedOutlines) {
  ColumnTree tree;
  auto group = std::make_shared<ColumnGroup>("G");
  group->id = 1;
  tree.Append(group);
  auto column = MakeColumn(2, "http://x/rss?a=1&b=2", "A & B");
  column->channel.link = "http://x";
  column->channel.description = "say \"hi\" there";
  group->AddChild(column);
  tree.Append(MakeColumn(3, "http://y/rss"));
  auto marked_up = MakeColumn(5, "http://w/rss", "<b>W</b>");
  marked_up->channel.description = "R&D <i>news</i> & more";
  tree.Append(marked_up);
  const std::string text = OpmlExportText(tree, 1251);
  EXPECT_EQ(StrictXmlFault(text), "") << text;
  EXPECT_NE(text.find("description=\"R&amp;D &lt;i>news&lt;/i> &amp; more\""), std::string::npos);
  EXPECT_EQ(text.substr(0, text.find("<body>")),
            "<?xml version=\"1.0\"  encoding=\"utf-8\" ?>\n<opml version=\"1.0\">\n"
            "<head>\n\t<title>Tarsel Feeds</title>\n\t<ownerName></ownerName>\n"
            "\t<ownerEmail></ownerEmail>\n</head>\n");
  EXPECT_NE(text.find("\t<outline text=\"A &amp; B\" description=\"say \" htmlUrl=\"http://x\" "
                      "title=\"A &amp; B\" type=\"rss\" version=\"RSS\" "
                      "xmlUrl=\"http://x/rss?a=1&amp;b=2\" />\n"),
            std::string::npos)
      << text;
  EXPECT_TRUE(text.ends_with("xmlUrl=\"http://w/rss\" />\n</body>\n</opml>\n"));
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_EQ(text.find("\"G\""), std::string::npos);
  // The file is UTF-8 whatever the program's code page: a Windows-1251 title is converted.
  tree.Append(MakeColumn(4, "http://z/rss", "\xCF\xF0\xE8"));
  EXPECT_NE(OpmlExportText(tree, 1251).find("text=\"\xD0\x9F\xD1\x80\xD0\xB8\""),
            std::string::npos);
}

TEST(ListsTest, MergeSkipsKnownAddressesAndReusesGroupsByName) {
  ColumnTree tree;
  auto news = std::make_shared<ColumnGroup>("News");
  news->id = 2;
  tree.Append(news);
  tree.Append(MakeColumn(1, "http://old/rss"));
  FoundFeedTree list{
      kImportedFileListName,
      {{"s", "http://old/rss", "", ""}, {"s", "http://new/rss", "", ""}},
      {{"News", {{"s", "http://n/rss", "", ""}, {"s", "http://new/rss", "", ""}}, {}},
       {"Other", {{"s", "http://o/rss", "", ""}}, {}}}};
  const MergeCounts counts = MergeFoundFeeds(tree, list, nullptr, {});
  EXPECT_EQ(counts.added, 3u);
  EXPECT_EQ(counts.duplicates, 2u);
  EXPECT_EQ(counts.groups, 1u);
  ASSERT_EQ(tree.nodes().size(), 4u);
  EXPECT_EQ(news->children().size(), 1u);
  EXPECT_EQ(tree.FindColumnByUrl("http://n/rss")->parent, news.get());
  EXPECT_EQ(tree.FindColumnByUrl("http://new/rss")->id, 3);
  EXPECT_EQ(tree.FindColumnByUrl("http://new/rss")->name, "New RSS Column");
  EXPECT_EQ(tree.RepairIds(), 0) << "every new node took a free id";
}

}  // namespace
}  // namespace tarsel
