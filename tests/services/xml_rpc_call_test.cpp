#include "services/xml_rpc_call.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "net/http/client_test_support.h"
#include "support/fixture_server.h"
#include "support/recording_prompt.h"

namespace tarsel {
namespace {

using testing::FixtureResponse;
using testing::FixtureServer;
using testing::RecordingPrompt;

class XmlRpcCallTest : public ::testing::Test {
 protected:
  XmlRpcCallStatus Call(FixtureResponse answer, XmlRpcResponse& response) {
    endpoint_.emplace(server_.Serve("/RPC2", std::move(answer)));
    XmlRpcRequest request("blogger.getUsersBlogs");
    request.AddParam(XmlRpcValue::String("abc"));
    XmlRpcCallOptions options;
    options.http = HTTP::testing::Direct();
    options.prompt = &prompt_;
    return PerformXmlRpcCall(server_.Url("/RPC2"), request, response, options);
  }

  FixtureServer server_;
  std::optional<FixtureServer::Endpoint> endpoint_;
  RecordingPrompt prompt_;
};

TEST_F(XmlRpcCallTest, PostsTheRequestAndReadsTheResult) {
  XmlRpcResponse response;
  EXPECT_EQ(Call({200,
                  "<methodResponse><params><param><value><string>ok</string></value></param>"
                  "</params></methodResponse>",
                  "text/xml"},
                 response),
            XmlRpcCallStatus::kOk);
  EXPECT_EQ(AsText(response.Result()), "ok");
  EXPECT_TRUE(prompt_.messages.empty());
  const testing::FixtureRequest posted = endpoint_->LastRequest();
  EXPECT_EQ(posted.method, "POST");
  EXPECT_EQ(posted.Header("User-Agent"), "XMLRPC Client 1.0");
  EXPECT_EQ(posted.Header("Content-Type"), "text/xml; charset=utf-8");
  XmlRpcRequest expected("blogger.getUsersBlogs");
  expected.AddParam(XmlRpcValue::String("abc"));
  EXPECT_EQ(posted.body, expected.ToXml());
}

TEST_F(XmlRpcCallTest, FailuresAreToldApart) {
  const std::string fault =
      "<methodResponse><fault><value><struct><member><name>faultCode</name>"
      "<value><int>4</int></value></member></struct></value></fault></methodResponse>";
  const struct {
    const char* name;
    FixtureResponse answer;
    XmlRpcCallStatus status;
    const char* shown;  // null: no message
  } kCases[] = {
      {"fault",
       {200, fault, "text/xml"},
       XmlRpcCallStatus::kFailedResponse,
       "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<methodResponse>\n<fault>\n<value>\n"
       " <struct>\n  <member>\n   <name>faultCode</name>\n    <value><i4>4</i4></value>\n"
       "  </member>\n  <member>\n   <name>faultString</name>\n"
       "    <value><string></string></value>\n  </member>\n </struct>\n</value>\n</fault>\n"
       "</methodResponse>"},
      {"not xml",
       {200, "<html>oops"},
       XmlRpcCallStatus::kFailedResponse,
       "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<methodResponse>\n<fault>\n"
       "<value><string></string></value>\n</fault>\n</methodResponse>"},
      {"server error", {500, fault, "text/xml"}, XmlRpcCallStatus::kTransportFailed, nullptr},
  };
  for (const auto& test_case : kCases) {
    prompt_.messages.clear();
    XmlRpcResponse response;
    EXPECT_EQ(Call(test_case.answer, response), test_case.status) << test_case.name;
    EXPECT_FALSE(response.IsOk()) << test_case.name;
    if (test_case.shown == nullptr) {
      EXPECT_TRUE(prompt_.messages.empty()) << test_case.name;
      continue;
    }
    ASSERT_EQ(prompt_.messages.size(), 1u) << test_case.name;
    EXPECT_EQ(prompt_.messages[0].first, "postevent error") << test_case.name;
    EXPECT_EQ(prompt_.messages[0].second, test_case.shown) << test_case.name;
  }
}

// No fixture server here: one destroyed before it ever answered can block its own shutdown.
TEST(XmlRpcCallFailureTest, UnreachableEndpointFailsSilently) {
  RecordingPrompt prompt;
  XmlRpcResponse response;
  XmlRpcRequest request("syndic8.FindFeeds");
  XmlRpcCallOptions options;
  options.http = HTTP::testing::Direct();
  options.prompt = &prompt;
  options.user_agent = "Directory";
  EXPECT_FALSE(CallXmlRpc("http://127.0.0.1:1/RPC2", request, response, options));
  EXPECT_TRUE(prompt.messages.empty());
}

}  // namespace
}  // namespace tarsel
