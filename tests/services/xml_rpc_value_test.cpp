#include "services/xml_rpc_value.h"

#include <gtest/gtest.h>

#include <string>

#include "services/xml_rpc_request.h"

namespace tarsel {
namespace {

TEST(XmlRpcRequestTest, WritesTheMethodCallExactly) {
  XmlRpcRequest request("blogger.getUsersBlogs");
  request.AddParam(XmlRpcValue::String("abc"));
  request.AddParam(XmlRpcValue::Boolean(true));
  EXPECT_EQ(request.ToXml(),
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
            "<methodCall>\n"
            " <methodName>blogger.getUsersBlogs</methodName>\n"
            " <params>\n"
            "  <param>\n"
            "   <value><string>abc</string></value>\n"
            "  </param>\n"
            "  <param>\n"
            "   <value><boolean>1</boolean></value>\n"
            "  </param>\n"
            " </params>\n"
            "</methodCall>");
}

TEST(XmlRpcValueTest, WritesEachKind) {
  XmlRpcMembers members;
  members.emplace("zeta", XmlRpcValue::Integer(-7));
  members.emplace("alpha", XmlRpcValue::DateTime("20040101T10:00:00"));
  XmlRpcArray elements{XmlRpcValue::Double(1.5), XmlRpcValue::Boolean(false), XmlRpcValue()};
  const struct {
    const char* name;
    XmlRpcValue value;
    const char* text;
  } kCases[] = {
      {"integer", XmlRpcValue::Integer(42), "<value><i4>42</i4></value>"},
      {"double", XmlRpcValue::Double(-0.25), "<value><double>-0.250000</double></value>"},
      {"huge double", XmlRpcValue::Double(1e20),
       "<value><double>100000000000000000000.000000</double></value>"},
      {"text unescaped", XmlRpcValue::String("<![CDATA[a&b]]>"),
       "<value><string><![CDATA[a&b]]></string></value>"},
      {"array", XmlRpcValue::Array(elements),
       "<value>\n<array>\n<data>\n"
       "<value><double>1.500000</double></value>\n"
       "<value><boolean>0</boolean></value>\n"
       "<value><string></string></value>\n"
       "</data>\n</array>\n</value>"},
      {"struct in name order", XmlRpcValue::Struct(members),
       "<value>\n <struct>\n"
       "  <member>\n   <name>alpha</name>\n"
       "    <value><dateTime.iso8601>20040101T10:00:00</dateTime.iso8601></value>\n"
       "  </member>\n"
       "  <member>\n   <name>zeta</name>\n    <value><i4>-7</i4></value>\n  </member>\n"
       " </struct>\n</value>"},
  };
  for (const auto& test_case : kCases) {
    EXPECT_EQ(test_case.value.ToXml(), test_case.text) << test_case.name;
  }
}

TEST(XmlRpcValueTest, CopiesAreDeepAndAccessorsToleratesWrongShapes) {
  XmlRpcValue original = XmlRpcValue::Array({XmlRpcValue::String("one")});
  XmlRpcValue copy = original;
  original = XmlRpcValue::Integer(3);
  EXPECT_EQ(AsText(ArrayAt(copy, 0)), "one");

  EXPECT_EQ(Kind(ArrayAt(copy, 5)), XmlRpcKind::kString);
  EXPECT_EQ(AsText(ArrayAt(original, 0)), "");
  EXPECT_EQ(AsText(StructMember(copy, "one")), "");
  EXPECT_EQ(AsText(original), "");  // an integer is never read as text
  EXPECT_EQ(original.IntegerValue(), 3);

  XmlRpcValue moved = std::move(copy);
  EXPECT_EQ(Kind(moved), XmlRpcKind::kArray);
  EXPECT_EQ(Kind(copy), XmlRpcKind::kString);  // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(copy.ToXml(), "<value><string></string></value>");
}

}  // namespace
}  // namespace tarsel
