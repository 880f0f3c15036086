#include "services/directory_search.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "net/http/client_test_support.h"
#include "support/fixture_server.h"
#include "support/recording_prompt.h"
#include "support/xml_rpc_answer.h"

namespace tarsel {
namespace {

using testing::FixtureRequest;
using testing::FixtureResponse;
using testing::FixtureServer;
using testing::RecordingPrompt;
using testing::XmlRpcAnswer;

const char kIds[] =
    "<value><array><data><value><i4>11</i4></value><value><i4>12</i4></value></data></array>"
    "</value>";
const char kTwoFeeds[] =
    "<value><array><data>"
    "<value><struct><member><name>sitename</name><value>One</value></member>"
    "<member><name>siteurl</name><value>http://one/</value></member>"
    "<member><name>dataurl</name><value>http://one/rss</value></member>"
    "<member><name>description</name><value>first</value></member></struct></value>"
    "<value>not a struct</value>"
    "<value><struct><member><name>dataurl</name><value>http://two/rss</value></member>"
    "</struct></value>"
    "</data></array></value>";
const char kFault[] =
    "<methodResponse><fault><value><struct><member><name>faultCode</name><value><int>1</int>"
    "</value></member></struct></value></fault></methodResponse>";

class DirectorySearchTest : public ::testing::Test {
 protected:
  // Answers FindFeeds/FindSites with `find` and GetFeedInfo with `info`; keeps every call.
  DirectorySearch Run(DirectorySearchKind kind, FixtureResponse find, FixtureResponse info) {
    auto endpoint = server_.Serve("/xmlrpc.php", [&](const FixtureRequest& request) {
      std::lock_guard lock(mutex_);
      requests_.push_back(request);
      return request.body.find("GetFeedInfo") != std::string::npos ? info : find;
    });
    DirectorySearch search;
    search.query = "linux";
    search.kind = kind;
    DirectorySearchHooks hooks;
    hooks.endpoint = server_.Url("/xmlrpc.php");
    hooks.is_online = [] { return true; };
    hooks.progress = [this](DirectorySearchStep step, int results) {
      steps_.push_back(static_cast<int>(step) * 100 + results);
    };
    hooks.prompt = &prompt_;
    hooks.http = HTTP::testing::Direct();
    RunDirectorySearch(search, hooks);
    return search;
  }

  FixtureServer server_;
  std::mutex mutex_;
  std::vector<FixtureRequest> requests_;
  std::vector<int> steps_;
  RecordingPrompt prompt_;
};

TEST_F(DirectorySearchTest, FindsFeedsAndReadsTheirInfo) {
  const DirectorySearch search = Run(DirectorySearchKind::kFeedDescription,
                                     {200, XmlRpcAnswer(kIds)}, {200, XmlRpcAnswer(kTwoFeeds)});
  ASSERT_EQ(requests_.size(), 2u);
  XmlRpcRequest find("syndic8.FindFeeds");
  find.AddParam(XmlRpcValue::String("linux"));
  EXPECT_EQ(requests_[0].body, find.ToXml());
  EXPECT_EQ(requests_[0].Header("User-Agent"), "Ostrelianware");
  EXPECT_EQ(requests_[1].Header("Content-Type"), "text/xml; charset=utf-8");
  XmlRpcRequest info("syndic8.GetFeedInfo");
  info.AddParam(XmlRpcValue::Array({XmlRpcValue::Integer(11), XmlRpcValue::Integer(12)}));
  info.AddParam(
      XmlRpcValue::Array({XmlRpcValue::String("sitename"), XmlRpcValue::String("siteurl"),
                          XmlRpcValue::String("description"), XmlRpcValue::String("dataurl")}));
  EXPECT_EQ(requests_[1].body, info.ToXml());
  EXPECT_EQ(steps_, (std::vector<int>{0, 100, 200, 303}));
  EXPECT_EQ(search.outcome, DirectorySearchOutcome::kNone);
  ASSERT_EQ(search.results.size(), 2u);
  EXPECT_EQ(search.results[0], (FoundFeed{"http://one/", "http://one/rss", "first", "One"}));
  EXPECT_EQ(search.results[1], (FoundFeed{"", "http://two/rss", "", ""}));
}

TEST_F(DirectorySearchTest, OutcomesOfOddAnswers) {
  const std::string strings =
      XmlRpcAnswer("<value><array><data><value>a</value><value>b</value></data></array></value>");
  const struct {
    const char* name;
    DirectorySearchKind kind;
    FixtureResponse find, info;
    DirectorySearchOutcome outcome;
    size_t calls;
    size_t messages;
  } kCases[] = {
      {"site search, empty array",
       DirectorySearchKind::kSiteUrl,
       {200, XmlRpcAnswer("<value><array><data></data></array></value>")},
       {},
       DirectorySearchOutcome::kEmptyResponse,
       1,
       0},
      {"find fault",
       DirectorySearchKind::kFeedTitle,
       {200, kFault},
       {},
       DirectorySearchOutcome::kNone,
       1,
       1},
      {"find transport failure",
       DirectorySearchKind::kFeedTitle,
       {500, ""},
       {},
       DirectorySearchOutcome::kNone,
       1,
       0},
      {"info fault",
       DirectorySearchKind::kFeedTitle,
       {200, XmlRpcAnswer(kIds)},
       {200, kFault},
       DirectorySearchOutcome::kErrorInResponse,
       2,
       1},
      {"info not xml",
       DirectorySearchKind::kFeedTitle,
       {200, XmlRpcAnswer(kIds)},
       {200, "<<"},
       DirectorySearchOutcome::kErrorInResponse,
       2,
       1},
      {"info all strings",
       DirectorySearchKind::kFeedTitle,
       {200, XmlRpcAnswer(kIds)},
       {200, strings},
       DirectorySearchOutcome::kNoUsableResult,
       2,
       0},
  };
  for (const auto& test_case : kCases) {
    requests_.clear();
    prompt_.messages.clear();
    const DirectorySearch search = Run(test_case.kind, test_case.find, test_case.info);
    EXPECT_EQ(search.outcome, test_case.outcome) << test_case.name;
    EXPECT_TRUE(search.results.empty()) << test_case.name;
    EXPECT_EQ(requests_.size(), test_case.calls) << test_case.name;
    EXPECT_EQ(prompt_.messages.size(), test_case.messages) << test_case.name;
    if (test_case.kind == DirectorySearchKind::kSiteUrl) {
      EXPECT_NE(requests_.at(0).body.find("syndic8.FindSites"), std::string::npos);
    }
  }
}

TEST(DirectorySearchOfflineTest, OfflineSendsNothing) {
  DirectorySearch search;
  DirectorySearchHooks hooks;
  hooks.endpoint = "http://127.0.0.1:1/xmlrpc.php";
  hooks.is_online = [] { return false; };
  bool heard = false;
  hooks.progress = [&heard](DirectorySearchStep, int) { heard = true; };
  RunDirectorySearch(search, hooks);
  EXPECT_FALSE(heard);
  EXPECT_EQ(search.outcome, DirectorySearchOutcome::kNone);
}

}  // namespace
}  // namespace tarsel
