#include "parse/xml/xml_document.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "parse/xml/xml_test_dump.h"
#include "support/temp_dir.h"

namespace tarsel::XMLParser {
namespace {

using testing::Dump;

struct ParseCase {
  const char* label;
  std::string input;
  std::string tree;
  std::string version = "1.0";
  std::string encoding = "Automatic";
};

const ParseCase kParseCases[] = {
    {"declaration in upper case", "<?XML version='1.0'?><a/>", "a"},
    {"declared encoding is lower-cased", "<?xml version='1.0' encoding='UTF-8'?><a/>", "a", "1.0",
     "utf-8"},
    {"version only as read", "<?xml version=\"1.1\" standalone=\"yes\"?><a/>", "a", "1.1"},
    {"encoding counts only after a version", "<?xml encoding='ISO-8859-1' ?><a/>", "a"},
    {"style sheet instruction", "<?xml-stylesheet href='x' version='9'?><a/>", "a"},
    {"prolog in any order", "<!DOCTYPE a><?xml-stylesheet x?>\n<?xml version='2'?><a/>", "a", "2"},
    {"nested document type groups", "<!DOCTYPE x [<!ENTITY y '<z>'> <!ELEMENT a ANY>]><a/>", "a"},
    {"byte order mark and junk skipped", "\xEF\xBB\xBFjunk<a/>trailing <b>", "a"},
    {"comments around the root", "<!-- c --> <!--d--><a/> <!-- e -->", "a"},
    {"names folded, lookups by lower case", "<RSS Version='2.0'><Channel/></RSS>",
     "rss(version=2.0)[channel]"},
    {"no entity decoding", "<a>x &amp; y</a>", "a'x &amp; y'"},
    {"tabs and line ends trimmed, blanks kept", "<a>\n\tText \n</a>", "a'Text '"},
    {"CR LF line ends", "<a>\r\n x\r\n</a>", "a' x'"},
    {"CDATA kept raw and flagged", "<a><![CDATA[<b>hi</b>]]></a>", "a'<b>hi</b>'*"},
    {"trailing line end clears the flag", "<a><![CDATA[x]]>\n</a>", "a'x'"},
    {"CDATA sections accumulate", "<a><![CDATA[x]]><![CDATA[ ]y]]]></a>", "a'x ]y]'*"},
    {"text before CDATA is a child", "<a>x<![CDATA[y]]></a>", "a'y'*[#'x']"},
    {"mixed content in order", "<a>one<b/>two<c/>three</a>", "a[#'one',b,#'two',c,#'three']"},
    {"comment makes the text a child", "<a><!-- c -->T</a>", "a[!' c ',#'T']"},
    {"dashes inside a comment", "<a><!-- x -- y ---></a>", "a[!' x -- y -']"},
    {"line-end-only segments give empty texts", "<a>\n<b>t</b>\n</a>", "a[#'',b't',#'']"},
    {"unclosed elements close at the end", "<a><b>", "a[b]"},
    {"unclosed text dropped at the end", "<a>text<b>more", "a[#'text',b]"},
    {"end tag with blanks", "<a>x</a \n>", "a'x'"},
    {"attribute values kept byte for byte", "<a x=\"1 > 0\r\n&amp;\" y='\"' z = 'q'/>",
     "a(x=1 > 0\r\n&amp;,y=\",z=q)"},
    {"duplicate attributes kept", "<a x='1' x='2'/>", "a(x=1,x=2)"},
    {"name characters", "<A_b:c-1.2 _:X='1'/>", "a_b:c-1.2(_:x=1)"},
    {"zero byte is text", std::string("<a>x\0y</a>", 10), std::string("a'x\0y'", 6)},
    {"nested elements", "<a><b><c k='v'>t</c></b></a>", "a[b[c(k=v)'t']]"},
};

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, BuildsTree) {
  const ParseCase& row = GetParam();
  Document document;
  const Node& root = document.ParseBuffer(row.input);
  EXPECT_EQ(Dump(root), row.tree);
  EXPECT_EQ(&root, &document.Root());
  EXPECT_EQ(document.Version(), row.version);
  EXPECT_EQ(document.Encoding(), row.encoding);
}

INSTANTIATE_TEST_SUITE_P(Documents, ParseTest, ::testing::ValuesIn(kParseCases));

struct FailCase {
  const char* label;
  std::string input;
};

const FailCase kFailCases[] = {
    {"empty input", ""},
    {"no tag at all", "just text"},
    {"only a declaration", "<?xml version='1.0'?>"},
    {"unquoted attribute", "<a href=x/>"},
    {"bare attribute", "<option selected>"},
    {"attributes without a blank between", "<a b='1'c='2'/>"},
    {"unterminated attribute value", "<a x='1/>"},
    {"unterminated start tag", "<a x='1'"},
    {"slash not followed by '>'", "<a/ >"},
    {"wrong end tag", "<a></b>"},
    {"end tag must name the open element", "<a><b></a>"},
    {"end tag without a name", "<a></>"},
    {"end tag not closed", "<a></a"},
    {"instruction before the root", "<?php x ?><a/>"},
    {"instruction in content", "<a><?php x ?></a>"},
    {"declaration in content", "<a><!DOCTYPE x></a>"},
    {"element without a name", "<a>< b/></a>"},
    {"unquoted version", "<?xml version=1.0?><a/>"},
    {"empty version", "<?xml version=''?><a/>"},
    {"mismatched quotes", "<?xml version='1.0\"?><a/>"},
    {"encoding must start with a letter", "<?xml version='1.0' encoding='8bit'?><a/>"},
    {"version without '='", "<?xml version '1.0'?><a/>"},
    {"unterminated declaration", "<?xml version='1.0'"},
    {"unterminated document type", "<!DOCTYPE a [<!ELEMENT a>"},
    {"quotes mean nothing in a document type", "<!DOCTYPE x [<!ENTITY y '>'>]><a/>"},
    {"zero byte in document type", std::string("<!DOCTYPE a [\0]><a/>", 20)},
    {"unterminated comment", "<a><!-- x"},
    {"zero byte in comment", std::string("<a><!-- \0 --></a>", 17)},
    {"unterminated comment after the root", "<a/><!-- x"},
    {"unterminated CDATA", "<a><![CDATA[x]]</a>"},
};

class ParseFailTest : public ::testing::TestWithParam<FailCase> {};

TEST_P(ParseFailTest, Throws) {
  Document document;
  EXPECT_THROW(document.ParseBuffer(GetParam().input), Exception);
  EXPECT_TRUE(document.Root().IsNull());
}

INSTANTIATE_TEST_SUITE_P(Documents, ParseFailTest, ::testing::ValuesIn(kFailCases));

TEST(ParseErrorTest, ReportsLineAndColumn) {
  Document document;
  try {
    document.ParseBuffer("<a>\r\n<b>\n  <c x>");
    FAIL() << "no exception";
  } catch (const Exception& error) {
    EXPECT_EQ(error.line, 3);
    EXPECT_EQ(error.column, 8);  // just after the '>' that should have been '='
  }
}

TEST(ParseErrorTest, FailedParseKeepsPreviousTreeAndDocumentStaysUsable) {
  Document document;
  document.ParseBuffer("<old/>");
  EXPECT_THROW(document.ParseBuffer("<?xml version='1.1' encoding='KOI8-R'?><a><b></a>"),
               Exception);
  EXPECT_EQ(document.Root().name, "old");
  EXPECT_EQ(document.Encoding(), "koi8-r");  // the declaration was read before the failure
  EXPECT_EQ(document.ParseBuffer("<new>t</new>").text, "t");
  EXPECT_EQ(document.Root().name, "new");
}

TEST(ParseFileTest, ReadsWholeFileFromItsStart) {
  tarsel::testing::TempDir dir;
  std::string path = dir.File("list.opml");
  tarsel::testing::WriteFileBytes(path,
                                  "\xEF\xBB\xBF<opml><body><outline xmlUrl='u'/></body></opml>");
  std::FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  std::fseek(file, 10, SEEK_SET);
  Document document;
  const Node& root = document.ParseFile(file);
  std::fclose(file);
  EXPECT_EQ(root.FindChildAt("body", 0).FindChildAt("outline", 0).GetAttribute("xmlurl"), "u");
}

TEST(ParseFileTest, UnusableFileGivesNullNode) {
  Document document;
  EXPECT_TRUE(document.ParseFile(nullptr).IsNull());
}

TEST(ParseFileTest, EmptyFileHasNoRoot) {
  tarsel::testing::TempDir dir;
  std::string path = dir.File("empty.xml");
  tarsel::testing::WriteFileBytes(path, "");
  std::FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  Document document;
  EXPECT_THROW(document.ParseFile(file), Exception);
  std::fclose(file);
}

}  // namespace
}  // namespace tarsel::XMLParser
