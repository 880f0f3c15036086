#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "parse/xml/xml_document.h"

namespace tarsel::XMLParser {
namespace {

const char kSample[] =
    "<rss><channel n='12px' m='  -3' z='x' big='99999999999' neg='-99999999999' on='true' "
    "off='True' n='99'>"
    "<title>First</title><Item/><title>Second</title>"
    "<group><title>Deep</title></group>"
    "</channel></rss>";

class LookupTest : public ::testing::Test {
 protected:
  void SetUp() override { channel_ = &document_.ParseBuffer(kSample).FindChildAt("channel", 0); }
  Document document_;
  const Node* channel_ = nullptr;
};

TEST_F(LookupTest, AttributeReaders) {
  struct Row {
    const char* attribute;
    int as_int;
    bool as_bool;
  };
  const Row rows[] = {
      {"n", 12, false},        {"m", -3, false}, {"z", 0, false},   {"big", INT_MAX, false},
      {"neg", INT_MIN, false}, {"on", 0, true},  {"off", 0, false}, {"absent", 7, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.attribute);
    EXPECT_EQ(channel_->GetAttributeInt(row.attribute, 7), row.as_int);
    EXPECT_EQ(channel_->GetAttributeBool(row.attribute, true), row.as_bool);
  }
  EXPECT_EQ(channel_->GetAttribute("n"), "12px");  // the first of duplicates
  EXPECT_EQ(channel_->GetAttribute("N"), "");
}

TEST_F(LookupTest, ChildLookups) {
  EXPECT_EQ(channel_->FindChildAt("title", 0).text, "First");
  EXPECT_EQ(channel_->FindChildAt("title", 1).text, "Second");
  EXPECT_TRUE(channel_->FindChildAt("title", 2).IsNull());
  EXPECT_EQ(channel_->FindChild("TITLE", true).text, "First");
  EXPECT_TRUE(channel_->FindChild("TITLE", false).IsNull());
  EXPECT_EQ(channel_->FindChildNoCase("ITEM").name, "item");

  NodeRefs found{channel_};
  channel_->FindChildren("title", found);  // clears what was there
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[1]->text, "Second");

  found.assign(1, channel_);
  document_.Root().FindDescendants("title", found);  // appends, pre-order
  ASSERT_EQ(found.size(), 4u);
  EXPECT_EQ(found[3]->text, "Deep");
}

TEST(NullNodeTest, EveryLookupAnswersEmpty) {
  Document document;
  const Node& null_node = document.Root();
  ASSERT_EQ(&null_node, &NullNode::Instance());
  EXPECT_TRUE(null_node.IsNull());
  EXPECT_TRUE(null_node.FindChildAt("a", 0).FindChild("b", true).IsNull());
  EXPECT_EQ(null_node.GetAttribute("a"), "");
  EXPECT_EQ(null_node.GetAttributeInt("a", 5), 5);
  EXPECT_TRUE(null_node.GetAttributeBool("a", true));
  EXPECT_EQ(null_node.Children(), nullptr);
  EXPECT_EQ(null_node.Attributes(), nullptr);
  EXPECT_EQ(null_node.ToXml(true, 0), "");
  EXPECT_EQ(null_node.InnerXml(), "");
  NodeRefs out{&null_node};
  null_node.FindChildren("a", out);
  EXPECT_EQ(out.size(), 1u);  // left untouched
  EXPECT_FALSE(document.ParseBuffer("<a>t</a>").IsNull());
}

TEST(NodeTest, OnlyElementsTakeChildren) {
  Text text("t");
  std::unique_ptr<Node> child = std::make_unique<Element>("c");
  EXPECT_FALSE(text.AddChild(child));
  ASSERT_NE(child, nullptr);  // not taken
  Element parent("p");
  EXPECT_TRUE(parent.AddChild(child));
  EXPECT_EQ(child, nullptr);
  EXPECT_EQ(parent.FindChildAt("c", 0).name, "c");
  EXPECT_FALSE(parent.IsLeaf());
}

TEST(SerialiseTest, WritesMarkupUnescaped) {
  struct Row {
    const char* label;
    const char* input;
    const char* compact;
    const char* pretty;
    const char* inner;
  };
  const Row rows[] = {
      {"empty element", "<A x='1' y=\"a&amp;'\"/>", "<a x=\"1\" y=\"a&amp;'\"/>",
       "<a x=\"1\" y=\"a&amp;'\"/>\n", ""},
      {"own text", "<a>x &lt; y</a>", "<a>x &lt; y</a>", "<a>\nx &lt; y</a>\n", "x &lt; y"},
      {"mixed content, comments dropped", "<a>one<b/>two<!-- c --><c>t</c>three</a>",
       "<a>one<b/>two<c>t</c>three</a>", "<a>\none<b/>\ntwo<c>\nt</c>\nthree</a>\n",
       "one<b/>two<c>t</c>three"},
      {"own text hides the children", "<a><b/><![CDATA[<x>]]></a>", "<a><x></a>", "<a>\n<x></a>\n",
       "<x><b/>"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Document document;
    const Node& root = document.ParseBuffer(row.input);
    EXPECT_EQ(root.ToXml(false, 0), row.compact);
    EXPECT_EQ(root.ToXml(true, 3), row.pretty);
    EXPECT_EQ(root.InnerXml(), row.inner);
  }
}

}  // namespace
}  // namespace tarsel::XMLParser
