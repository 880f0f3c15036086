#include "html/parser.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "html/render.h"
#include "html/tag_table.h"

namespace tarsel::HTML {
namespace {

std::string Clean(std::string_view html) {
  return CleanedHtml(Parse(html));
}

TEST(Parse, CleanedHtmlOfTolerantInput) {
  struct Case {
    const char* name;
    const char* input;
    const char* expected;
  } const cases[] = {
      {"text only", "just text", "just text"},
      {"upper-case names", "<B>bold</B>", "<b>bold</b>"},
      {"attributes rebuilt", "<a href='x y' title=plain checked>t</a>",
       "<a href=\"x y\" title=\"plain\" checked=\"\" >t</a>"},
      {"class, target and srcdoc dropped",
       "<a href=x target=_blank class=c srcdoc=\"javascript:x\">t</a>", "<a href=\"x\" >t</a>"},
      {"empty elements", "a<br>b<hr/>c<img src=\"i.png\">", "a<br/>b<hr/>c<img src=\"i.png\" />"},
      {"unclosed elements are closed", "<i>x<u>y", "<i>x<u>y</u></i>"},
      {"same name opens a sibling", "<p>one<p>two", "<p>one</p><p>two</p>"},
      {"list items", "<ul><li>a<li>b</ul>", "<ul><li>a</li><li>b</li></ul>"},
      {"parent's closing tag ends the child", "<div><b>x</div>y", "<div><b>x</b></div>y"},
      {"other closing tags are skipped", "<b>x</i>y</b>", "<b>xy</b>"},
      {"stray closing tag ends the top level", "a</b>rest", "a"},
      {"line breaks between children skipped", "a\n<b>\r\nx\n</b>\n", "a\n<b>x\n</b>\n"},
      {"comment gone", "<!-- c --><i>x</i>", "<i>x</i>"},
      {"script and its content gone", "<script>alert('<b>')</script>after", "after"},
      {"script closed in other case", "<SCRIPT>x</ScRiPt >y", "y"},
      {"style gone", "<style>p{}</style><p>x</p>", "<p>x</p>"},
      {"unclosed script takes the rest", "a<script>x<b>y", "a"},
      {"meta and object tags dropped", "<meta name=\"a>b\"><object data=x>t", "t"},
      {"unterminated tag dropped", "text <a href=\"x", "text "},
      {"tag name cut off", "text <b", "text "},
      {"unterminated comment", "x<!-- cut", "x"},
      {"nested cut keeps outer text", "<p>kept <a href", "<p>kept </p>"},
      {"double-quoted greater-than", "<a title=\"x>y\">z</a>", "<a title=\"x&gt;y\" >z</a>"},
      {"quote inside a value", "<a title='say \"hi\"'>z</a>",
       "<a title=\"say &quot;hi&quot;\" >z</a>"},
      {"entities stay raw", "<b>a &amp; b</b>", "<b>a &amp; b</b>"},
      {"blank after < is text", "< b>x</b>", "&lt; b&gt;x"},
      {"empty tag name is text", "a<>b", "a&lt;&gt;b"},
      {"text written escaped, references kept", "1 < 2 > 0 & &amp; &#60; &#x3C; &x",
       "1 &lt; 2 &gt; 0 &amp; &amp; &#60; &#x3C; &amp;x"},
      {"number past the last code point is text", "&#x110000;&#xFFFFFFFFFFFFFFFF<p>x&#00065;",
       "&amp;#x110000;&amp;#xFFFFFFFFFFFFFFFF<p>x&#00065;</p>"},
      {"closing tag without a letter is a comment", "<b>x</ y>z</>w</b>", "<b>xzw</b>"},
      {"processing instruction is a comment", "<?php echo 1 ?>x", "x"},
      {"doctype", "<!DOCTYPE html><b>x</b>", "<!doctype html=\"\" /><b>x</b>"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Clean(c.input), c.expected) << c.name;
  }
}

TEST(Parse, TreeShape) {
  const NodeList nodes = Parse("<B class=x>t</B><i>open");
  ASSERT_EQ(nodes.size(), 2u);
  EXPECT_EQ(nodes[0].kind, kBold);
  EXPECT_EQ(nodes[0].name, "b");
  EXPECT_TRUE(nodes[0].closed);
  EXPECT_TRUE(nodes[0].attributes.empty());
  ASSERT_EQ(nodes[0].children.size(), 1u);
  EXPECT_TRUE(nodes[0].children[0].IsText());
  EXPECT_EQ(nodes[0].children[0].text, "t");
  EXPECT_EQ(nodes[1].kind, kItalic);
  EXPECT_FALSE(nodes[1].closed);
}

TEST(TagTable, KindsAndEmptyElements) {
  struct Row {
    const char* name;
    TagKind kind;
    bool empty;
  } const rows[] = {
      {"a", kAnchor, false},       {"br", kBreak, true},      {"hr", kRule, true},
      {"tr", kTableRow, false},    {"td", kTableCell, false}, {"img", kImage, true},
      {"table", kTable, false},    {"meta", kMeta, true},     {"link", kLink, true},
      {"font", kFont, false},      {"span", kSpan, false},    {"div", kDiv, false},
      {"i", kItalic, false},       {"b", kBold, false},       {"u", kUnderline, false},
      {"strong", kStrong, false},  {"input", kInput, true},   {"!doctype", kDoctype, true},
      {"script", kScript, false},  {"object", kObject, true}, {"option", kOption, true},
      {"style", kStyle, false},    {"li", kListItem, false},  {"ul", kUnorderedList, false},
      {"ol", kOrderedList, false}, {"p", kUnknown, false},    {"blockquote", kUnknown, false},
  };
  std::set<uint32_t> keys;
  for (const Row& row : rows) {
    const TagInfo info = LookupTag(row.name);
    EXPECT_EQ(info.kind, row.kind) << row.name;
    EXPECT_EQ(info.empty_element, row.empty) << row.name;
    if (row.kind != kUnknown) keys.insert(TagKey(row.name));
  }
  EXPECT_EQ(keys.size(), 25u);
  EXPECT_EQ(TagKey("ab"), (0x61u << 4) ^ 0x62u);
  // Bytes count as signed: 0xE9 is -23.
  EXPECT_EQ(TagKey("\xE9"), 0xFFFFFFE9u);
}

}  // namespace
}  // namespace tarsel::HTML
