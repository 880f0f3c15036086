// Hostile input: every byte string must give a tree or XMLParser::Exception, never a crash, an
// overread or a hang. Run under AddressSanitizer, each input sits in a heap block of exactly its
// size so that any read past the end is caught.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "parse/xml/xml_document.h"

namespace tarsel::XMLParser {
namespace {

const char kSample[] =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n"
    "<?xml-stylesheet type='text/xsl' href='s.xsl'?>\r\n"
    "<!DOCTYPE rss [<!ENTITY x '<y>'>]>\r\n"
    "<!-- head -->\r\n"
    "<rss version=\"2.0\" xmlns:dc='http://purl.org/dc/elements/1.1/'>\r\n"
    " <channel>\r\n"
    "  <title>News &amp; more</title>\r\n"
    "  <item><title><![CDATA[<b>Bold</b>]]></title>\r\n"
    "   <description>&lt;p&gt;x&lt;/p&gt;</description><!-- a -- b -->\r\n"
    "   <dc:creator/><pubDate>Sat, 07 Sep 2002 09:42:31 GMT</pubDate>\r\n"
    "  </item>\r\n"
    " </channel>\r\n"
    "</rss>\r\n<!-- tail -->";

// Parses a copy of the bytes held in a block of exactly their size.
bool ParsesOrThrows(std::string_view bytes) {
  std::unique_ptr<char[]> copy(new char[bytes.size()]);
  std::memcpy(copy.get(), bytes.data(), bytes.size());
  Document document;
  try {
    document.ParseBuffer(copy.get(), bytes.size());
    return true;
  } catch (const Exception&) {
    return false;
  }
}

TEST(RobustnessTest, SampleParsesWhole) {
  Document document;
  const Node& root = document.ParseBuffer(kSample);
  const Node& item = root.FindChildAt("channel", 0).FindChildAt("item", 0);
  EXPECT_EQ(item.FindChildAt("title", 0).text, "<b>Bold</b>");
  EXPECT_EQ(item.FindChildAt("pubdate", 0).text, "Sat, 07 Sep 2002 09:42:31 GMT");
  EXPECT_EQ(document.Encoding(), "windows-1252");
}

TEST(RobustnessTest, SampleTruncatedAtEveryOffset) {
  std::string_view sample(kSample);
  const std::size_t root_start = sample.find("<rss");
  const std::size_t start_tag_end = sample.find('>', root_start) + 1;
  for (std::size_t length = 0; length <= sample.size(); ++length) {
    bool parsed = ParsesOrThrows(sample.substr(0, length));
    // Once the root's start tag is complete, a cut only closes the open elements, unless it
    // falls inside a comment, a CDATA section or an end tag.
    if (length < start_tag_end) {
      EXPECT_FALSE(parsed) << "cut at " << length;
    }
  }
  EXPECT_TRUE(ParsesOrThrows(sample.substr(0, start_tag_end)));
}

TEST(RobustnessTest, RandomAndMutatedBytes) {
  const char alphabet[] = "<>/?!-[]='\" \r\n\t\0aZ:CDATA&xml";
  std::mt19937 random(20240611);
  for (int round = 0; round < 20000; ++round) {
    std::string bytes;
    if (round % 2 == 0) {
      bytes.resize(random() % 64);
      for (char& c : bytes) c = alphabet[random() % (sizeof alphabet - 1)];
    } else {
      bytes = kSample;
      for (int flips = 1 + random() % 4; flips > 0; --flips) {
        bytes[random() % bytes.size()] = static_cast<char>(random() % 256);
      }
    }
    ParsesOrThrows(bytes);
  }
}

TEST(RobustnessTest, NestingDepthIsBounded) {
  auto nested = [](int depth) {
    std::string open, close;
    for (int i = 0; i < depth; ++i) {
      open += "<e>";
      close += "</e>";
    }
    return open + close;
  };
  EXPECT_TRUE(ParsesOrThrows(nested(kMaxDepth)));
  EXPECT_FALSE(ParsesOrThrows(nested(kMaxDepth + 1)));
  EXPECT_FALSE(ParsesOrThrows(std::string(1000000, '<')));  // unclosed, so no elements at all
  EXPECT_TRUE(ParsesOrThrows("<!DOCTYPE " + std::string(1000000, '<') + std::string(1000001, '>') +
                             "<a/>"));
}

TEST(RobustnessTest, HugeValuesAndTexts) {
  const std::string big(4 << 20, 'v');
  Document document;
  const Node& root = document.ParseBuffer("<a x='" + big + "'>" + big + "</a>");
  EXPECT_EQ(root.GetAttribute("x").size(), big.size());
  EXPECT_EQ(root.text.size(), big.size());
  EXPECT_FALSE(ParsesOrThrows("<a x='" + big));
  EXPECT_FALSE(ParsesOrThrows("<a><!--" + big));
  EXPECT_FALSE(ParsesOrThrows("<a><![CDATA[" + big));
  EXPECT_FALSE(ParsesOrThrows("<?xml " + big));
  EXPECT_TRUE(ParsesOrThrows("<a>" + std::string(1 << 20, '\r') + "</a>"));
}

TEST(RobustnessTest, TreeReadOnOneThreadOutlivesIt) {
  auto document = std::make_unique<Document>();
  std::thread reader([&document] {
    document->ParseBuffer(kSample);
    document->ParseBuffer("<second><x>y</x></second>");  // frees the first tree and its memory
  });
  reader.join();
  EXPECT_EQ(document->Root().FindChildAt("x", 0).text, "y");
  document.reset();
  Document again;  // memory kept by this thread is reused safely
  EXPECT_EQ(again.ParseBuffer(kSample).name, "rss");
}

}  // namespace
}  // namespace tarsel::XMLParser
