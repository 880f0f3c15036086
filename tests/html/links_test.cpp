#include "html/links.h"

#include <gtest/gtest.h>

#include <string>

#include "html/cleaning.h"
#include "html/parser.h"
#include "html/render.h"

namespace tarsel::HTML {
namespace {

constexpr const char* kBase = "http://example.com/dir/index.html";

TEST(ResolveLinks, Table) {
  const std::string long_path(1100, 'p');
  struct Case {
    const char* name;
    std::string input;
    std::string base;
    std::string expected;
  } const cases[] = {
      {"relative href, class and onclick",
       "<a href=\"page.html\" class=\"x\" onclick=\"go()\">t</a>", kBase,
       "<a href=\"http://example.com/dir/page.html\" >t</a>"},
      {"rooted img src", "<img src=\"/i.png\" alt=\"a\">", kBase,
       "<img src=\"http://example.com/i.png\" alt=\"a\" />"},
      {"nested anchor", "<div><p><a href=\"../up.html\">t</a></p></div>", kBase,
       "<div><p><a href=\"http://example.com/up.html\" >t</a></p></div>"},
      {"upper-case HTTP is not combined", "<a href=\"HTTP://Other.org/x\">t</a>", kBase,
       "<a href=\"HTTP://Other.org/x\" >t</a>"},
      {"https is not combined", "<a href=\"https://other.org/x\">t</a>", kBase,
       "<a href=\"https://other.org/x\" >t</a>"},
      {"mailto keeps its scheme", "<a href=\"mailto:a@b.org\">t</a>", kBase,
       "<a href=\"mailto:a@b.org\" >t</a>"},
      {"only a and img", "<area href=\"s.css\"><div src=\"x\">t</div>", kBase,
       "<area href=\"s.css\" ><div src=\"x\" >t</div></area>"},
      {"only href and src", "<a name=\"n\" title=\"t.html\">t</a>", kBase,
       "<a name=\"n\" title=\"t.html\" >t</a>"},
      {"base that is no URL leaves the value", "<a href=\"page.html\">t</a>", "not a url",
       "<a href=\"page.html\" >t</a>"},
      {"too long a result leaves the value", "<a href=\"" + long_path + "\">t</a>", kBase,
       "<a href=\"" + long_path + "\" >t</a>"},
      {"script base cannot make script", "<a href=\"x\">t</a>", "javascript:alert(1)//",
       "<a href=\"x\" >t</a>"},
  };
  for (const Case& c : cases) {
    NodeList nodes = Parse(c.input);
    ResolveLinks(nodes, c.base);
    EXPECT_EQ(CleanedHtml(nodes), c.expected) << c.name;
  }
}

TEST(CleanHtml, PipelinesAsFeedsUseThem) {
  EXPECT_EQ(CleanHtml("<p>see <a href=\"x.html\" target=_blank>x</a>", "http://e.org/a/"),
            "<p>see <a href=\"http://e.org/a/x.html\" >x</a></p>");
  EXPECT_EQ(CleanHtml("<a href=\"x.html\">x</a>", ""), "<a href=\"x.html\" >x</a>");
  EXPECT_EQ(HtmlToPlainText("Title <b>bold</b> &amp; more", 1252), "Title bold & more");
  EXPECT_EQ(MakeSummary("<div>one</div><div>two</div><div>three</div>", 2, 1252), "one\ntwo");
  EXPECT_EQ(MakeSummary("<div>one</div><div>two</div><div>three</div>", 0, 1252),
            "one\ntwo\nthree");
}

}  // namespace
}  // namespace tarsel::HTML
