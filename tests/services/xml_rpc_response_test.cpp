#include "services/xml_rpc_response.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tarsel {
namespace {

std::string Response(const std::string& value) {
  return "<?xml version=\"1.0\"?>\n<methodResponse><params><param>" + value +
         "</param></params></methodResponse>";
}

std::string Fault(const std::string& code_element) {
  return "<methodResponse><fault><value><struct>"
         "<member><name>faultCode</name><value>" +
         code_element +
         "</value></member>"
         "<member><name>faultString</name><value><string>No such blog</string></value></member>"
         "</struct></value></fault></methodResponse>";
}

TEST(XmlRpcResponseTest, ReadsValues) {
  const struct {
    const char* name;
    std::string body;
    std::string result;  // the result written as text
  } kCases[] = {
      {"untyped text", Response("<value>hello</value>"), "<value><string>hello</string></value>"},
      {"empty value", Response("<value></value>"), "<value><string></string></value>"},
      {"i4", Response("<value><i4>42</i4></value>"), "<value><i4>42</i4></value>"},
      {"int with junk", Response("<value><int> -12abc</int></value>"),
       "<value><i4>-12</i4></value>"},
      {"boolean 1", Response("<value><boolean>1</boolean></value>"),
       "<value><boolean>1</boolean></value>"},
      {"boolean 0", Response("<value><boolean>0</boolean></value>"),
       "<value><boolean>0</boolean></value>"},
      {"double", Response("<value><double>2.5e1</double></value>"),
       "<value><double>25.000000</double></value>"},
      {"date kept", Response("<value><dateTime.iso8601>x</dateTime.iso8601></value>"),
       "<value><dateTime.iso8601>x</dateTime.iso8601></value>"},
      {"first known type wins", Response("<value><foo>1</foo><string>s</string><i4>2</i4></value>"),
       "<value><string>s</string></value>"},
      {"unknown type", Response("<value><base64>AAAA</base64></value>"),
       "<value><string></string></value>"},
      {"empty data is no empty array", Response("<value><array><data></data></array></value>"),
       "<value><string></string></value>"},
      {"struct without members", Response("<value><struct></struct></value>"),
       "<value><string></string></value>"},
      {"duplicate member keeps the first",
       Response("<value><struct>"
                "<member><name>blogid</name><value>1</value></member>"
                "<member><name>blogid</name><value>2</value></member>"
                "</struct></value>"),
       "<value>\n <struct>\n  <member>\n   <name>blogid</name>\n"
       "    <value><string>1</string></value>\n  </member>\n </struct>\n</value>"},
  };
  for (const auto& test_case : kCases) {
    XmlRpcResponse response;
    EXPECT_TRUE(response.Parse(test_case.body)) << test_case.name;
    EXPECT_TRUE(response.IsOk()) << test_case.name;
    EXPECT_EQ(response.Result().ToXml(), test_case.result) << test_case.name;
  }
}

TEST(XmlRpcResponseTest, ArrayOfStructs) {
  const std::string blog =
      "<value><struct><member><name>blogName</name><value>%</value></member>"
      "</struct></value>";
  std::string first = blog, second = blog;
  first.replace(first.find('%'), 1, "one");
  second.replace(second.find('%'), 1, "two");
  XmlRpcResponse response;
  ASSERT_TRUE(response.Parse(
      Response("<value><array><data>" + first + second + "</data></array></value>")));
  const XmlRpcValue& result = response.Result();
  EXPECT_EQ(AsText(StructMember(ArrayAt(result, 0), "blogName")), "one");
  EXPECT_EQ(AsText(StructMember(ArrayAt(result, 1), "blogName")), "two");
  EXPECT_EQ(Kind(ArrayAt(result, 5)), XmlRpcKind::kString);
  EXPECT_EQ(AsText(ArrayAt(result, 5)), "");
}

TEST(XmlRpcResponseTest, ReadsFaults) {
  const struct {
    const char* name;
    std::string code_element;
    int code;
  } kCases[] = {
      {"int code", "<int>4</int>", 4},
      {"i4 code is not read", "<i4>4</i4>", 0},
  };
  for (const auto& test_case : kCases) {
    XmlRpcResponse response;
    EXPECT_TRUE(response.Parse(Fault(test_case.code_element))) << test_case.name;
    EXPECT_FALSE(response.IsOk()) << test_case.name;
    EXPECT_EQ(StructMember(response.Result(), "faultCode").IntegerValue(), test_case.code)
        << test_case.name;
    EXPECT_EQ(AsText(StructMember(response.Result(), "faultString")), "No such blog")
        << test_case.name;
  }
  XmlRpcResponse response;
  ASSERT_TRUE(response.Parse(Fault("<int>4</int>")));
  EXPECT_EQ(response.ToXml(),
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<methodResponse>\n<fault>\n"
            "<value>\n <struct>\n"
            "  <member>\n   <name>faultCode</name>\n    <value><i4>4</i4></value>\n  </member>\n"
            "  <member>\n   <name>faultString</name>\n"
            "    <value><string>No such blog</string></value>\n  </member>\n"
            " </struct>\n</value>\n</fault>\n</methodResponse>");
}

std::string Nested(int depth) {
  std::string body;
  for (int i = 0; i < depth; ++i) body += "<value><array><data>";
  body += "<value>x</value>";
  for (int i = 0; i < depth; ++i) body += "</data></array></value>";
  return Response(body);
}

TEST(XmlRpcResponseTest, HostileBodiesFailCleanly) {
  const struct {
    const char* name;
    std::string body;
    bool parsed;
  } kCases[] = {
      {"not xml", "Service Unavailable", false},
      {"empty", "", false},
      {"neither fault nor params", "<methodResponse><foo/></methodResponse>", false},
      {"params without param", "<methodResponse><params/></methodResponse>", true},
      {"nesting past the bound", Nested(600), false},
      {"nesting past the xml reader's bound", Nested(3000), false},
  };
  for (const auto& test_case : kCases) {
    XmlRpcResponse response;
    EXPECT_EQ(response.Parse(test_case.body), test_case.parsed) << test_case.name;
    EXPECT_FALSE(response.IsOk()) << test_case.name;
    EXPECT_EQ(response.Result().ToXml(), "<value><string></string></value>") << test_case.name;
  }
  XmlRpcResponse deep;
  EXPECT_TRUE(deep.Parse(Nested(200)));
  EXPECT_TRUE(deep.IsOk());
}

TEST(XmlRpcResponseTest, WideAndRandomBodiesNeverCrash) {
  std::string wide;
  for (int i = 0; i < 100000; ++i) wide += "<value><i4>1</i4></value>";
  XmlRpcResponse response;
  ASSERT_TRUE(response.Parse(Response("<value><array><data>" + wide + "</data></array></value>")));
  EXPECT_EQ(ArrayAt(response.Result(), 99999).IntegerValue(), 1);

  // Random cuts and byte flips of a valid reply: any result is fine, a crash is not.
  const std::string seed = Fault("<int>4</int>") + Nested(5);
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::string body = seed.substr(0, random() % (seed.size() + 1));
    for (int flips = 0; !body.empty() && flips < 3; ++flips) {
      body[random() % body.size()] = static_cast<char>(random() % 256);
    }
    XmlRpcResponse fuzzed;
    fuzzed.Parse(body);
    fuzzed.ToXml();
  }
}

}  // namespace
}  // namespace tarsel
