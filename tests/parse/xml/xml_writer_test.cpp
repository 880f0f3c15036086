#include "parse/xml/xml_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace tarsel {
namespace {

TEST(XmlWriterTest, ElementHelpers) {
  EXPECT_EQ(XmlIntElement("count", -15), "<count>-15</count>");
  EXPECT_EQ(XmlStringElement("name", "a<b>&c"), "<name>a<b>&c</name>");
  EXPECT_EQ(XmlStringElement("name", ""), "<name></name>");
  EXPECT_EQ(XmlBoolElement("on", true), "<on>true</on>");
  EXPECT_EQ(XmlBoolElement("on", false), "<on>false</on>");
}

TEST(XmlWriterTest, EscapeXmlAttribute) {
  struct Row {
    std::string input;
    std::string escaped;
  };
  std::string fifty_quotes(50, '"');
  std::string fifty_escaped;
  for (int i = 0; i < 50; ++i) fifty_escaped += "&quot;";
  const Row rows[] = {
      {"", ""},
      {"a\"b<c&d", "a&quot;b&lt;c&amp;d"},
      {"> and ' stay", "> and ' stay"},
      {"&amp;", "&amp;amp;"},
      {fifty_quotes, fifty_escaped},
      {std::string("x\0y", 3), std::string("x\0y", 3)},
  };
  for (const Row& row : rows) EXPECT_EQ(EscapeXmlAttribute(row.input), row.escaped) << row.input;
}

}  // namespace
}  // namespace tarsel
