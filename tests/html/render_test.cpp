#include "html/render.h"

#include <gtest/gtest.h>

#include <string>

#include "html/parser.h"

namespace tarsel::HTML {
namespace {

TEST(PlainText, Table) {
  struct Case {
    const char* name;
    const char* input;
    const char* expected;
  } const cases[] = {
      {"break between words", "one<br>two", "one\ntwo"},
      {"entities decoded", "a &amp; b &lt;c&gt;", "a & b <c>"},
      {"entities inside elements", "<b>x&nbsp;y</b>", "x y"},
      {"divs end lines", "<div>x</div><div>y</div>", "x\ny\n"},
      {"rows end lines, cells do not",
       "<table><tr><td>a</td><td>b</td></tr><tr><td>c</td></tr></table>", "ab\nc\n"},
      {"list items end lines", "<ul><li>a</li><li>b</li></ul>", "a\nb\n"},
      {"rule", "x<hr>z", "x\nz"},
      {"other elements add nothing", "<p>x</p><span>y</span>", "xy"},
      {"script text is gone", "a<script>b</script>c", "ac"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlainText(Parse(c.input), 1252), c.expected) << c.name;
  }
}

TEST(StructurePattern, Table) {
  struct Case {
    const char* name;
    const char* input;
    const char* expected;
  } const cases[] = {
      {"anchor with one child", "<a href=x>t</a>", "{<a}{>}{% param0}{</a>}"},
      {"anchor with one child, unclosed", "<a href=x>t", "{<a}{>}{% param0}{</a>}"},
      {"anchor with two children", "<a>x<b>y</b></a>", "{<a}{>}{% param0}{% param1}{</a>}"},
      {"bold gives only its children", "<b>x</b><br>y", "{% param0}{<br}{>}{% param1}"},
      {"closed italic", "<i>x</i>", "{<i>}{% param0}{</i>}"},
      {"unclosed italic", "<i>x", "{<i>}{% param0}"},
      {"nbsp text gives nothing", " &nbsp; <hr>", "{<hr}{>}"},
      {"table", "<table><tr><td>a</td></tr></table>",
       "{<table}{>}{<tr}{>}{<td}{>}{% param0}{</td>}{</tr>}{</table>}"},
      {"other kinds give nothing", "<p>x</p><ul><li>y</li></ul>", ""},
      {"image, font, span, underline, strong",
       "<img src=a><font>f</font><span>s</span><u>u</u><strong>g</strong>",
       "{<img}{>}{<font}{>}{% param0}{</font>}{<span}{>}{% param1}{</span>}{<u>}{% param2}{</u>}"
       "{<strong>}{% param3}{</strong>}"},
  };
  for (const Case& c : cases) {
    int counter = 0;
    EXPECT_EQ(StructurePattern(Parse(c.input), counter), c.expected) << c.name;
  }
}

TEST(StructurePattern, CounterContinues) {
  int counter = 5;
  EXPECT_EQ(StructurePattern(Parse("a<br>b"), counter), "{% param5}{<br}{>}{% param6}");
  EXPECT_EQ(counter, 7);
}

}  // namespace
}  // namespace tarsel::HTML
