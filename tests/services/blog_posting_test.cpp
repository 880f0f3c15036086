#include "services/blog_posting.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "net/http/client_test_support.h"
#include "services/blog_settings_check.h"
#include "support/fixture_server.h"
#include "support/recording_prompt.h"
#include "support/temp_dir.h"
#include "support/wait_until.h"
#include "support/xml_rpc_answer.h"

namespace tarsel {
namespace {

using testing::FixtureRequest;
using testing::FixtureResponse;
using testing::FixtureServer;
using testing::RecordingPrompt;
using testing::XmlRpcAnswer;

const char kBlogList[] =
    "<value><array><data><value><struct><member><name>blogid</name><value><string>b-17</string>"
    "</value></member><member><name>url</name><value>http://x/</value></member></struct></value>"
    "</data></array></value>";
const char kFault[] =
    "<methodResponse><fault><value><struct><member><name>faultCode</name><value><int>4</int>"
    "</value></member><member><name>faultString</name><value><string>bad user</string></value>"
    "</member></struct></value></fault></methodResponse>";

// A loopback weblog service: answers each method from a table and keeps every call's body.
class FakeService {
 public:
  FakeService(FixtureServer& server, std::string path)
      : endpoint_(server.Serve(std::move(path), [this](const FixtureRequest& request) {
          std::lock_guard lock(mutex_);
          bodies_.push_back(request.body);
          for (const auto& [method, answer] : answers_) {
            if (request.body.find("<methodName>" + method + "</methodName>") != std::string::npos) {
              return answer;
            }
          }
          return FixtureResponse{404, ""};
        })) {}

  void Answer(std::string method, FixtureResponse answer) {
    std::lock_guard lock(mutex_);
    answers_.emplace_back(std::move(method), std::move(answer));
  }
  std::vector<std::string> Bodies() const {
    std::lock_guard lock(mutex_);
    return bodies_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::pair<std::string, FixtureResponse>> answers_;
  std::vector<std::string> bodies_;
  FixtureServer::Endpoint endpoint_;
};

XmlRpcRequest GetUsersBlogs(const BlogSettings& blog) {
  XmlRpcRequest request("blogger.getUsersBlogs");
  request.AddParam(XmlRpcValue::String(kBloggerApplicationKey));
  request.AddParam(XmlRpcValue::String(blog.user));
  request.AddParam(XmlRpcValue::String(blog.password));
  return request;
}

XmlRpcRequest NewPost(const BlogSettings& blog, const std::string& content) {
  XmlRpcRequest request("blogger.newPost");
  for (const char* text : {kBloggerApplicationKey, "b-17"}) {
    request.AddParam(XmlRpcValue::String(text));
  }
  request.AddParam(XmlRpcValue::String(blog.user));
  request.AddParam(XmlRpcValue::String(blog.password));
  request.AddParam(XmlRpcValue::String(content));
  request.AddParam(XmlRpcValue::Boolean(true));
  return request;
}

class BlogPostingTest : public ::testing::Test {
 protected:
  BlogPostContext Context(BlogSettings blog) {
    BlogPostContext context;
    context.blog = std::move(blog);
    context.endpoints.blogger = server_.Url("/api/RPC2");
    context.endpoints.livejournal = server_.Url("/interface/xmlrpc");
    context.http = HTTP::testing::Direct();
    context.prompt = &prompt_;
    return context;
  }

  testing::ScopedEnv time_zone_{"TZ", "UTC"};
  FixtureServer server_;
  RecordingPrompt prompt_;
};

TEST_F(BlogPostingTest, BloggerAndMovableTypeSendTheTwoCalls) {
  const struct {
    const char* name;
    BlogSettings blog;
    const char* path;  // where the calls must arrive
  } kCases[] = {
      {"blogger, built-in endpoint", {"build in", "Blogger", "", "", "ann", "pw"}, "/api/RPC2"},
      {"movable type", {"build in", "Movable Type", "", "/mt/rpc.cgi", "bob", "s3"}, "/mt/rpc.cgi"},
  };
  for (auto test_case : kCases) {
    FakeService service(server_, test_case.path);
    service.Answer("blogger.getUsersBlogs", {200, XmlRpcAnswer(kBlogList), "text/xml"});
    service.Answer("blogger.newPost", {200, XmlRpcAnswer("<value><boolean>1</boolean></value>")});
    if (test_case.blog.service == kBlogServiceMovableType) test_case.blog.host = server_.Url("");
    PostToService("Title is not sent", "<p>hello & bye</p>", Context(test_case.blog));
    const std::vector<std::string> bodies = service.Bodies();
    ASSERT_EQ(bodies.size(), 2u) << test_case.name;
    EXPECT_EQ(bodies[0], GetUsersBlogs(test_case.blog).ToXml()) << test_case.name;
    EXPECT_EQ(bodies[1], NewPost(test_case.blog, "<![CDATA[<p>hello & bye</p>]]>").ToXml())
        << test_case.name;
    EXPECT_TRUE(prompt_.messages.empty()) << test_case.name;
  }
}

TEST_F(BlogPostingTest, LiveJournalSendsOneStructWithTheLocalTimeTakenOnce) {
  FakeService service(server_, "/interface/xmlrpc");
  service.Answer("LJ.XMLRPC.postevent",
                 {200, XmlRpcAnswer("<value><struct><member><name>itemid</name>"
                                    "<value><int>1</int></value></member>"
                                    "</struct></value>")});
  BlogPostContext context = Context({"build in", "LiveJournal", "h", "p", "carol", "pw"});
  int clock_reads = 0;
  // 2004-02-03 09:05:00 UTC
  context.now = [&clock_reads] {
    ++clock_reads;
    return std::time_t{1075799100};
  };
  PostToService("My day", "text", context);
  ASSERT_EQ(service.Bodies().size(), 1u);
  EXPECT_EQ(clock_reads, 1);
  const std::string expected =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<methodCall>\n"
      " <methodName>LJ.XMLRPC.postevent</methodName>\n <params>\n  <param>\n   <value>\n"
      " <struct>\n"
      "  <member>\n   <name>day</name>\n    <value><i4>3</i4></value>\n  </member>\n"
      "  <member>\n   <name>event</name>\n    <value><string><![CDATA[text]]></string></value>\n"
      "  </member>\n"
      "  <member>\n   <name>hour</name>\n    <value><i4>9</i4></value>\n  </member>\n"
      "  <member>\n   <name>lineendings</name>\n    <value><string>pc</string></value>\n"
      "  </member>\n"
      "  <member>\n   <name>min</name>\n    <value><i4>5</i4></value>\n  </member>\n"
      "  <member>\n   <name>mon</name>\n    <value><i4>2</i4></value>\n  </member>\n"
      "  <member>\n   <name>password</name>\n    <value><string>pw</string></value>\n"
      "  </member>\n"
      "  <member>\n   <name>subject</name>\n    <value><string>My day</string></value>\n"
      "  </member>\n"
      "  <member>\n   <name>username</name>\n    <value><string>carol</string></value>\n"
      "  </member>\n"
      "  <member>\n   <name>year</name>\n    <value><i4>2004</i4></value>\n  </member>\n"
      " </struct>\n</value>\n  </param>\n </params>\n</methodCall>";
  EXPECT_EQ(service.Bodies()[0], expected);
  EXPECT_TRUE(prompt_.messages.empty());
}

TEST_F(BlogPostingTest, FailedAnswersStopThePostWithThePartMessages) {
  const struct {
    const char* name;
    const char* service;
    FixtureResponse first_answer;
    size_t calls;               // calls the server saw
    const char* shown_caption;  // null: no message
  } kCases[] = {
      {"empty blog list",
       "Blogger",
       {200, XmlRpcAnswer("<value><array><data/></array></value>")},
       1,
       nullptr},
      {"blog list of strings",
       "Blogger",
       {200, XmlRpcAnswer("<value><array><data><value>x</value></data></array></value>")},
       1,
       nullptr},
      {"fault", "Blogger", {200, kFault}, 1, "postevent error"},
      {"blogger transport failure", "Blogger", {500, ""}, 1, nullptr},
      {"50 MB answer", "Blogger", {200, std::string(50u << 20, 'x')}, 1, "postevent error"},
      {"livejournal fault", "LiveJournal", {200, kFault}, 1, "postevent error"},
      {"livejournal transport failure", "LiveJournal", {503, ""}, 1, "error"},
      {"unknown service", "Typepad", {200, ""}, 0, nullptr},
  };
  for (const auto& test_case : kCases) {
    prompt_.messages.clear();
    FakeService blogger(server_, "/api/RPC2");
    FakeService livejournal(server_, "/interface/xmlrpc");
    blogger.Answer("blogger.getUsersBlogs", test_case.first_answer);
    blogger.Answer("blogger.newPost", {200, XmlRpcAnswer("<value><boolean>1</boolean></value>")});
    livejournal.Answer("LJ.XMLRPC.postevent", test_case.first_answer);
    PostToService("t", "x", Context({"build in", test_case.service, "", "", "u", "p"}));
    EXPECT_EQ(blogger.Bodies().size() + livejournal.Bodies().size(), test_case.calls)
        << test_case.name;
    if (test_case.shown_caption == nullptr) {
      EXPECT_TRUE(prompt_.messages.empty()) << test_case.name;
      continue;
    }
    ASSERT_EQ(prompt_.messages.size(), 1u) << test_case.name;
    EXPECT_EQ(prompt_.messages[0].first, test_case.shown_caption) << test_case.name;
    if (std::string(test_case.shown_caption) == "error") {
      EXPECT_EQ(prompt_.messages[0].second, "LiveJournal Posting  failed");
    }
  }
}

// A server that accepts and never answers: Cancel ends the post at once and says nothing.
TEST(BlogPostingCancelTest, CancelStopsASilentServerWithoutAMessage) {
  testing::RawFixtureServer silent("", /*hold_open=*/true);
  RecordingPrompt prompt;
  XmlRpcCancel cancel;
  BlogPostContext context;
  context.blog = {"build in", "LiveJournal", "", "", "u", "p"};
  context.endpoints.livejournal = silent.Url("/interface/xmlrpc");
  context.prompt = &prompt;
  context.cancel = &cancel;
  context.http = HTTP::testing::Direct();
  std::thread poster([&context] { PostToService("t", "x", context); });
  EXPECT_TRUE(testing::WaitUntil([&silent] { return silent.Hits() > 0; }));
  cancel.Cancel();
  poster.join();
  EXPECT_TRUE(prompt.messages.empty());
  // A cancelled context makes no further calls.
  PostToService("t", "x", context);
  EXPECT_EQ(silent.Hits(), 1);
}

TEST(BloggarHandOffTest, WritesThePostFileAndStartsTheClient) {
  const struct {
    const char* name;
    const char* title;
    const char* expected_file;
  } kCases[] = {
      {"with title", "Hi", "<title>Hi</title>\n<b>text</b>\n"},
      {"empty title", "", "<b>text</b>\n"},
  };
  for (const auto& test_case : kCases) {
    testing::TempDir folder;
    // The stand-in client copies the file it was given, so the test sees what it received.
    const std::string tool = folder.File("wbloggar.exe");
    testing::WriteFileBytes(tool, "#!/bin/sh\ncp \"$1\" \"$(dirname \"$1\")/received\"\n");
    ASSERT_EQ(chmod(tool.c_str(), 0700), 0);
    ASSERT_TRUE(HandOffToBloggar(test_case.title, "<b>text</b>", folder.path())) << test_case.name;
    EXPECT_EQ(testing::ReadFileBytes(folder.File("temp.post")), test_case.expected_file);
    std::string received;
    for (int i = 0; i < 400 && received.empty(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      received = testing::ReadFileBytes(folder.File("received"));
    }
    EXPECT_EQ(received, test_case.expected_file) << test_case.name;
  }
  EXPECT_FALSE(HandOffToBloggar("t", "x", ""));
}

// The window side, recorded.
class FakeDesk final : public BlogDesk {
 public:
  const BlogSettings& Blog() const override { return blog; }
  void ShowEditor(const std::string& title, const std::string& text) override {
    log.push_back("editor " + title + "|" + text);
  }
  void HideEditor() override { log.push_back("hide"); }
  bool EditBlogSettings() override {
    log.push_back("dialog");
    if (dialog_fills) blog = {"build in", "Blogger", "", "", "u", "p"};
    return dialog_ok;
  }
  void ShowWarning(const std::string& caption, const std::string& text) override {
    log.push_back(caption + ": " + text);
  }
  bool HandOff(const std::string& title, const std::string& text) override {
    log.push_back("handoff " + title + "|" + text);
    return false;
  }
  void Post(const std::string& title, const std::string& text) override {
    log.push_back("post " + title + "|" + text);
  }

  BlogSettings blog;
  bool dialog_ok = false;
  bool dialog_fills = false;
  std::vector<std::string> log;
};

TEST(BlogDeskTest, BlogThisAndPostFromEditorFollowToolAndSettings) {
  const BlogSettings complete{"build in", "LiveJournal", "", "", "u", "p"};
  const BlogSettings mt_without_host{"build in", "Movable Type", "", "/x", "u", "p"};
  const BlogSettings bloggar{"w.Bloggar", "Blogger", "", "", "u", "p"};
  const struct {
    const char* name;
    bool post;  // PostFromEditor, else BlogThis
    BlogSettings blog;
    bool dialog_ok, dialog_fills;
    std::string text;
    std::vector<std::string> expected;
  } kCases[] = {
      {"tool never set", false, {}, false, false, "x", {"handoff T|x"}},
      {"built-in opens editor", false, complete, false, false, "x", {"editor T|x"}},
      {"post", true, complete, false, false, "x", {"post T|x", "hide"}},
      {"post with external tool", true, bloggar, false, false, "x", {"handoff T|x", "hide"}},
      {"empty text", true, complete, false, false, "", {}},
      {"incomplete, dialog cancelled",
       true,
       mt_without_host,
       false,
       false,
       "x",
       {"Error: Please Fill Yor Blog Settings", "dialog",
        "Error: You Blog Settings not valid.\n Can't blog"}},
      {"incomplete, dialog fills",
       true,
       {},
       true,
       true,
       "x",
       {"Error: Please Fill Yor Blog Settings", "dialog", "post T|x", "hide"}},
      {"dialog OK but still incomplete",
       true,
       mt_without_host,
       true,
       false,
       "x",
       {"Error: Please Fill Yor Blog Settings", "dialog"}},
  };
  for (const auto& test_case : kCases) {
    FakeDesk desk;
    desk.blog = test_case.blog;
    desk.dialog_ok = test_case.dialog_ok;
    desk.dialog_fills = test_case.dialog_fills;
    if (test_case.post) {
      PostFromEditor("T", test_case.text, desk);
    } else {
      BlogThis("T", test_case.text, desk);
    }
    EXPECT_EQ(desk.log, test_case.expected) << test_case.name;
  }
}

TEST(BlogSettingsDialogTest, OkChecksInTheDialogsOrder) {
  const struct {
    const char* name;
    BlogSettingsInput input;
    const char* message;  // null: closes with OK
  } kCases[] = {
      {"external tool", {true, "", "", "", "", ""}, nullptr},
      {"no service", {false, "", "h", "p", "u", "pw"}, "Select Blog Tool"},
      {"no account", {false, "Blogger", "", "", "", "pw"}, "Enter Account Name"},
      {"no password", {false, "Blogger", "", "", "u", ""}, "Enter Account Password"},
      {"mt placeholder host",
       {false, "Movable Type", kMovableTypeHostPlaceholder, "/mt.cgi", "u", "pw"},
       "Enter Movable Type Host"},
      {"mt placeholder page",
       {false, "Movable Type", "http://me", kMovableTypePagePlaceholder, "u", "pw"},
       "Enter Movable Type Page"},
      {"blogger with empty page", {false, "Blogger", "", "", "u", "pw"}, nullptr},
  };
  for (const auto& test_case : kCases) {
    BlogSettings blog;
    const auto message = ApplyBlogSettingsInput(test_case.input, blog);
    if (test_case.message == nullptr) {
      EXPECT_FALSE(message) << test_case.name;
    } else {
      EXPECT_EQ(message.value_or(""), test_case.message) << test_case.name;
      EXPECT_TRUE(blog.password.empty()) << test_case.name;
    }
  }
  BlogSettings blog;
  ASSERT_FALSE(ApplyBlogSettingsInput({false, "Blogger", "", "", "u", "pw"}, blog));
  EXPECT_EQ(BloggerEndpoint(blog, {}), "http://plant.blogger.com/api/RPC2");
}

TEST(BlogSettingsDialogTest, ServiceDefaultsReplaceOnlyEmptyOrTheOtherServicesTexts) {
  std::string host, page;
  ApplyServiceDefaults("Movable Type", host, page);
  EXPECT_EQ(page, kMovableTypePagePlaceholder);
  ApplyServiceDefaults("Blogger", host, page);
  EXPECT_EQ(host + page, "http://plant.blogger.com/api/RPC2");
  host = "http://mine";
  ApplyServiceDefaults("Movable Type", host, page);
  EXPECT_EQ(host + page, std::string("http://mine") + kMovableTypePagePlaceholder);
  ApplyServiceDefaults("LiveJournal", host, page);
  EXPECT_EQ(host, "http://mine");
}

}  // namespace
}  // namespace tarsel
