#include "html/text.h"

#include <gtest/gtest.h>

#include <string>

#include "html/cleaning.h"

namespace tarsel::HTML {
namespace {

TEST(StripTags, Table) {
  struct Case {
    const char* name;
    const char* input;
    const char* expected;
  } const cases[] = {
      {"tags dropped", "<p>Hello <b>world</b></p>", "Hello world"},
      {"entities decoded", "a &lt; b &amp;amp; c", "a < b & c"},
      {"lone less-than is text", "x < y and 1<2", "x < y and 1<2"},
      {"script and style content dropped",
       "<script>var a = '<b>';</script>text<STYLE>p {}</STYLE>!", "text!"},
      {"comment dropped", "<!-- <b>c</b> -->t", "t"},
      {"cut-off tag drops the rest", "before<a href=\"x", "before"},
      {"unclosed script drops the rest", "a<script>b", "a"},
      {"closing tags and declarations", "<!DOCTYPE x><?xml v?>a</p>b", "ab"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StripTags(c.input, 1252), c.expected) << c.name;
  }
}

TEST(LimitLines, Table) {
  struct Case {
    const char* name;
    const char* input;
    int max_lines;
    const char* expected;
  } const cases[] = {
      {"limit of two keeps two lines", "a\nb\nc\nd", 2, "a\nb"},
      {"limit of one", "a\r\nb", 1, "a"},
      {"no limit reduces runs to their first character", "a\n\n\nb\r\n\r\nc", 0, "a\nb\rc"},
      {"trailing breaks removed", "a\nb\n\r\n", 0, "a\nb"},
      {"leading run does not count", "\n\na\nb", 1, "\na"},
      {"fewer lines than the limit", "a\nb", 5, "a\nb"},
      {"single line", "single", 1, "single"},
      {"empty", "", 3, ""},
      {"only breaks", "\r\n\r\n", 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LimitLines(c.input, c.max_lines), c.expected) << c.name;
  }
}

TEST(AppendEscapedHtml, EachModeEscapesItsQuotesAndKeepsEveryOtherByte) {
  const std::string input("<a href=\"x\" title='y'>&amp;\0\xE9", 29);
  struct Case {
    const char* name;
    QuoteEscaping quotes;
    const char* expected;
  } const cases[] = {
      {"element text", QuoteEscaping::kNone, "&lt;a href=\"x\" title='y'&gt;&amp;amp;"},
      {"double-quoted value", QuoteEscaping::kDouble,
       "&lt;a href=&quot;x&quot; title='y'&gt;&amp;amp;"},
      {"either quotes", QuoteEscaping::kDoubleAndSingle,
       "&lt;a href=&quot;x&quot; title=&#39;y&#39;&gt;&amp;amp;"},
  };
  for (const Case& c : cases) {
    std::string out = "kept";
    AppendEscapedHtml(input, out, c.quotes);
    EXPECT_EQ(out, std::string("kept") + c.expected + std::string("\0\xE9", 2)) << c.name;
  }
}

// A summary stops reading once it has its lines; it must read as the whole text cut afterwards.
TEST(MakeSummary, StopsEarlyWithTheSameResult) {
  const char* const inputs[] = {
      "<div>one</div><div>two</div><div>three</div>",
      "<br><br>lead<br><br><br>second<br>third",
      "a&#10;b&#13;&#10;c<br>d",
      "<ul><li>x<li>y<li>z</ul>tail",
      "<p>p1</p>\n\n<p>p2<div>d</div></p><table><tr><td>c</td></tr></table>",
      "no breaks at all &amp; more",
      "<div><div><div>deep</div></div></div>after",
      "",
  };
  for (const char* input : inputs) {
    for (int lines : {0, 1, 2, 3, 5}) {
      SCOPED_TRACE(std::string(input) + " / " + std::to_string(lines));
      EXPECT_EQ(MakeSummary(input, lines, 65001), LimitLines(HtmlToPlainText(input, 65001), lines));
    }
  }
}

}  // namespace
}  // namespace tarsel::HTML
