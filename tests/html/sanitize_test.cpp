#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "html/attributes.h"
#include "html/cleaning.h"
#include "html/parser.h"
#include "html/render.h"

namespace tarsel::HTML {
namespace {

TEST(IsUnsafeUrl, SchemesAsABrowserReadsThem) {
  struct Case {
    const char* value;
    bool allow_data_image;
    bool unsafe;
  } const cases[] = {
      {"javascript:alert(1)", false, true},
      {"JavaScript:alert(1)", false, true},
      {"  javascript:x", false, true},
      {"\x01\x1Fjavascript:x", false, true},
      {"java\tscript:x", false, true},
      {"java\r\nscript:x", false, true},
      {"java&#x09;script:x", false, true},
      {"&#106;avascript:x", false, true},
      {"&#0000106avascript:x", false, true},
      {"&#x6A;avascript:x", false, true},
      {"javascript&colon;x", false, true},
      {"java&Tab;script:x", false, true},
      {"vbscript:msgbox", false, true},
      {"data:text/html;base64,PHNjcmlwdD4=", false, true},
      {"data:image/png;base64,AAAA", false, true},
      {"data:image/png;base64,AAAA", true, false},
      {"DATA:IMAGE/gif,x", true, false},
      {"data:text/html,x", true, true},
      {"http://x.org/", false, false},
      {"page.html", false, false},
      {"javascript-tutorial.html", false, false},
      {"/javascript:x", false, false},
      {"?q=javascript:x", false, false},
      {"mailto:a@b.org", false, false},
      {"", false, false},
      {"jav&unknown;ascript:x", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsUnsafeUrl(c.value, c.allow_data_image), c.unsafe) << c.value;
  }
}

TEST(Parse, LeavesNoScriptInCleanedHtml) {
  struct Case {
    const char* name;
    const char* input;
    const char* expected;
  } const cases[] = {
      {"event handlers in any case", "<a href=x onMouseOver=\"a()\" ONCLICK='b()' onfoo>t</a>",
       "<a href=\"x\" >t</a>"},
      {"handler behind a tab", "<img\tsrc=x\tonerror=alert(1)>", "<img src=\"x\" />"},
      {"javascript href", "<a href=\"javascript:go()\">t</a>", "<a>t</a>"},
      {"padded javascript href", "<a href=\" \tJaVaScRiPt:go()\">t</a>", "<a>t</a>"},
      {"encoded javascript src", "<img src=\"&#106;avascript:x\">", "<img/>"},
      {"vbscript", "<a href=vbscript:x>t</a>", "<a>t</a>"},
      {"data href", "<a href=\"data:text/html,x\">t</a>", "<a>t</a>"},
      {"data image src kept", "<img src=\"data:image/png;base64,AA\">",
       "<img src=\"data:image/png;base64,AA\" />"},
      {"data image href dropped", "<a href=\"data:image/png;base64,AA\">t</a>", "<a>t</a>"},
      {"form controls go, their text stays",
       "<form action=x><input type=password><select><option>o</select><textarea>t</textarea>"
       "<button>b</button></form>after</form>",
       "<option/>otbafter"},
      {"plaintext, which no closing tag ends in a browser, goes; its text stays",
       "<plaintext><b>t</b></plaintext>", "<b>t</b>"},
      {"svg link", "<svg><a xlink:href=javascript:x>t</a></svg>", "<svg><a>t</a></svg>"},
      {"relative javascript-like name kept", "<a href=javascript-help.html>t</a>",
       "<a href=\"javascript-help.html\" >t</a>"},
      {"iframe with content", "a<iframe src=x>inner <b>text</b></iframe>b", "ab"},
      {"frameset", "<frameset><frame src=a></frameset>y", "y"},
      {"embed without closing tag", "<embed src=x.swf>after", "after"},
      {"self-closed embed", "<embed src=x/>after</embed>", "after"},
      {"applet", "<APPLET code=x>t</APPLET>rest", "rest"},
      {"base", "<base href=\"http://evil/\">text", "text"},
      {"quote in a bare value cannot open attributes", "<a title=x\"onclick=y\">t</a>",
       "<a title=\"x&quot;onclick=y&quot;\" >t</a>"},
      {"markup in a value stays in the value of a raw-text element",
       "<xmp><a title=\"</xmp><img src=x onerror=alert(1)>\">t</a></xmp>",
       "<xmp><a title=\"&lt;/xmp&gt;&lt;img src=x onerror=alert(1)&gt;\" >t</a></xmp>"},
      {"a comment ends where a browser ends it", "<?x a=\"><img src=x onerror=alert(1)>\">",
       "<img src=\"x\" />\"&gt;"},
      {"tag behind a stray < is read as a browser reads it",
       "<<iframe srcdoc=\"&lt;script&gt;alert(1)&lt;/script&gt;\">", "&lt;"},
      {"tag behind <.", "<.<embed src=x.swf>after", "&lt;.after"},
      {"tag behind <1", "<1<base href=\"http://evil/\">text", "&lt;1text"},
      {"script behind <<", "<<script src=x></script>after", "&lt;after"},
      {"link element", "<link rel=\"stylesheet\" href=\"http://evil/s.css\">t", "t"},
      {"svg animation setting a script link",
       "<set attributeName=href to=\"javascript:alert(1)\"/>",
       "<set attributename=\"href\" ></set>"},
      {"svg animations setting a handler go with their content",
       "<set attributeName=\" OnMouseOver\" to=alert(1)>x</set><animate attributename=onclick/>"
       "<animateTransform attributeName='&#111;nload'></animateTransform>"
       "<animateMotion attributeName=onfocus>y</animateMotion>t",
       "t"},
      {"svg animation list with a script link", "<animate values=\"a.html; javascript:x\">",
       "<animate></animate>"},
      {"svg animation value hiding a j in a reference", "<animate values=\"&#106;avascript:x\">",
       "<animate></animate>"},
      {"svg animation to, from, by with references",
       "<set to=\"&#x6a;avascript:x\" from=\"java&#115;cript:x\" by=\"a;&#106;avascript:x\"/>",
       "<set></set>"},
      {"style expression", "<p style=\"width:expression(alert(1))\">t</p>", "<p>t</p>"},
      {"style expression behind a comment and an escape",
       "<p style=\"width:ex/**/pr\\65 ssion(alert(1))\">t</p>", "<p>t</p>"},
      {"style behavior", "<p style=\"behavior: url(x.htc)\">t</p>", "<p>t</p>"},
      {"style binding", "<p style=\"-MOZ-binding:url(x.xml#x)\">t</p>", "<p>t</p>"},
      {"style url with a script scheme",
       "<p style=\"background:url(&quot;javascript:alert(1)&quot;)\">t</p>", "<p>t</p>"},
      {"plain style kept", "<p style=\"color:red;background:url(http://x/a.png)\">t</p>",
       "<p style=\"color:red;background:url(http://x/a.png)\" >t</p>"},
      {"quote in a name is no attribute", "<a \"onclick=y\">t</a>", "<a>t</a>"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CleanedHtml(Parse(c.input)), c.expected) << c.name;
  }
  // A zero byte ends the input, inside a value too, so that no reader of zero-terminated text
  // can cut the cleaned HTML inside a tag.
  using namespace std::string_view_literals;
  EXPECT_EQ(CleanHtml("<b>t</b><img src=\"x\" alt=\"a\0b\">after"sv, nullptr), "<b>t</b>");
}

}  // namespace
}  // namespace tarsel::HTML
