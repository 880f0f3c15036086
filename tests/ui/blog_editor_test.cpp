#include "ui/blog_editor.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QWebEngineView>
#include <mutex>

#include "net/http/client_test_support.h"
#include "store/column.h"
#include "support/fixture_server.h"
#include "support/recording_prompt.h"
#include "support/xml_rpc_answer.h"
#include "ui/blog_commands.h"
#include "ui/command_actions.h"
#include "ui/directory_search_dialog.h"
#include "ui/settings_owner.h"
#include "view/command_ids.h"

namespace tarsel::ui {
namespace {

using tarsel::testing::FixtureRequest;
using tarsel::testing::FixtureResponse;
using tarsel::testing::FixtureServer;
using tarsel::testing::RecordingPrompt;
using tarsel::testing::XmlRpcAnswer;

TEST(BlogEditorTest, WrapsTheSelectionWithTheCaretBeforeTheClosingTag) {
  const struct {
    BlogEditor::Format format;
    const char* expected;
  } kCases[] = {
      {BlogEditor::Format::kBold, "a <b>test</b> b"},
      {BlogEditor::Format::kJustify, "a <div align=\"justify\">test</div> b"},
  };
  for (const auto& test_case : kCases) {
    BlogEditor editor;
    editor.Load("T", "a test b");
    QTextCursor cursor = editor.source()->textCursor();
    cursor.setPosition(2);
    cursor.setPosition(6, QTextCursor::KeepAnchor);
    editor.source()->setTextCursor(cursor);
    editor.ApplyFormat(test_case.format);
    const QString text = editor.source()->toPlainText();
    EXPECT_EQ(text.toStdString(), test_case.expected);
    EXPECT_EQ(editor.source()->textCursor().position(), text.indexOf(QStringLiteral("test")) + 4);
  }
}

TEST(BlogEditorTest, TextTravelsThroughTheVisualTabAndBack) {
  BlogEditor editor;
  editor.Load("T", "<p>one</p>");
  editor.tabs()->setCurrentIndex(BlogEditor::kVisualTab);
  std::string taken;
  // Qt's QTRY macros do not fail a GoogleTest test; qWaitFor's answer is checked instead.
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        editor.TakeText([&taken](std::string text) { taken = std::move(text); });
        QTest::qWait(50);
        return taken == "<p>one</p>";
      },
      20000))
      << taken;
  editor.tabs()->setCurrentIndex(BlogEditor::kEditTab);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return editor.source()->toPlainText() == QStringLiteral("<p>one</p>"); }, 20000))
      << editor.source()->toPlainText().toStdString();
}

// The editor's pages would start the web engine: nothing makes it before a command shows it,
// and the Blogger command's check mark follows the editor made later.
TEST(BlogCommandsTest, EditorIsMadeByTheFirstCommandThatShowsIt) {
  QWidget window;
  CommandActions actions(&window);
  Settings settings;
  SettingsOwner owner(settings);
  BlogCommands blog(&window, &actions, owner);
  blog.HideEditor();
  EXPECT_EQ(blog.editor(), nullptr);
  EXPECT_TRUE(window.findChildren<QWebEngineView*>().isEmpty());

  QAction* blogger = actions.Action(cmd::kBlogger);
  ASSERT_NE(blogger, nullptr);
  actions.Run(cmd::kBlogger);
  ASSERT_NE(blog.editor(), nullptr);
  EXPECT_TRUE(blog.editor()->isVisible());
  EXPECT_TRUE(blogger->isChecked());
  actions.Run(cmd::kBlogger);
  EXPECT_FALSE(blog.editor()->isVisible());
  EXPECT_FALSE(blogger->isChecked());
}

// "Blog It" on a record, then Post: the loopback Blogger API saw exactly the two calls.
TEST(BlogCommandsTest, BlogItPostsTheRecordToTheService) {
  HTTP::testing::ScopedProxy no_proxy;
  FixtureServer server;
  std::mutex mutex;
  std::vector<std::string> bodies;
  auto endpoint = server.Serve("/api/RPC2", [&](const FixtureRequest& request) {
    std::lock_guard lock(mutex);
    bodies.push_back(request.body);
    const bool blogs = request.body.find("getUsersBlogs") != std::string::npos;
    return FixtureResponse{
        200,
        XmlRpcAnswer(blogs ? "<value><array><data><value><struct><member><name>blogid</name>"
                             "<value>77</value></member></struct></value></data></array></value>"
                           : "<value><boolean>1</boolean></value>")};
  });
  QWidget window;
  CommandActions actions(&window);
  Settings settings;
  settings.blog = {"build in", "Blogger", "", "", "ann", "pw"};
  SettingsOwner owner(settings);
  BlogCommands blog(&window, &actions, owner);
  RecordingPrompt prompt;
  blog.SetPrompt(&prompt);
  blog.SetEndpoints({server.Url("/api/RPC2"), server.Url("/lj")});

  auto column = std::make_shared<Column>();
  column->name = "Planet";
  column->use_title_from_rss = false;
  auto record = std::make_shared<Record>();
  record->title = "Hello";
  record->description = "<p>body</p>";
  blog.BlogIt(record, column);
  ASSERT_TRUE(blog.editor()->isVisible());
  EXPECT_EQ(blog.editor()->Title(), "From Planet:Hello");

  QSignalSpy finished(&blog, &BlogCommands::PostFinished);
  emit blog.editor()->PostRequested();
  ASSERT_TRUE(finished.wait(20000));
  EXPECT_FALSE(blog.editor()->isVisible());
  EXPECT_TRUE(prompt.messages.empty());
  std::lock_guard lock(mutex);
  ASSERT_EQ(bodies.size(), 2u);
  XmlRpcRequest post("blogger.newPost");
  for (const char* text : {kBloggerApplicationKey, "77", "ann", "pw", "<![CDATA[<p>body</p>]]>"}) {
    post.AddParam(XmlRpcValue::String(text));
  }
  post.AddParam(XmlRpcValue::Boolean(true));
  EXPECT_EQ(bodies[1], post.ToXml());
}

// Cancel while the directory never answers: the dialog closes at once and nothing follows.
TEST(DirectorySearchDialogTest, CancelReturnsAtOnceFromASilentDirectory) {
  HTTP::testing::ScopedProxy no_proxy;
  tarsel::testing::RawFixtureServer silent("", /*hold_open=*/true);
  auto dialog = std::make_unique<DirectorySearchDialog>();
  dialog->SetEndpoint(silent.Url("/xmlrpc.php"));
  dialog->SetConnectionTest([] { return true; });
  dialog->show();
  dialog->Find();
  EXPECT_TRUE(QTest::qWaitFor([&silent] { return silent.Hits() == 1; }, 10000));
  dialog->reject();
  EXPECT_FALSE(dialog->isVisible());
  dialog.reset();
  QTest::qWait(200);
}

TEST(DirectorySearchDialogTest, FoundFeedsAreOfferedAsFoundColumns) {
  HTTP::testing::ScopedProxy no_proxy;
  FixtureServer server;
  auto endpoint = server.Serve("/xmlrpc.php", [](const FixtureRequest& request) {
    const bool info = request.body.find("GetFeedInfo") != std::string::npos;
    return FixtureResponse{
        200,
        XmlRpcAnswer(info ? "<value><array><data>"
                            "<value><struct><member><name>dataurl</name><value>http://a/rss</value>"
                            "</member></struct></value>"
                            "<value><struct><member><name>dataurl</name><value>http://b/rss</value>"
                            "</member></struct></value></data></array></value>"
                          : "<value><array><data><value><i4>1</i4></value><value><i4>2</i4>"
                            "</value></data></array></value>")};
  });
  DirectorySearchDialog dialog;
  dialog.SetEndpoint(server.Url("/xmlrpc.php"));
  dialog.SetConnectionTest([] { return true; });
  RecordingPrompt prompt;
  dialog.SetPrompt(&prompt);
  dialog.show();
  dialog.Find();
  EXPECT_TRUE(QTest::qWaitFor(
      [&dialog] { return dialog.result() == static_cast<int>(QDialog::Accepted); }, 20000));
  EXPECT_TRUE(prompt.messages.empty());
  const FoundFeedTree list = FoundColumnsList(dialog.Results());
  EXPECT_EQ(list.name, "found columns");
  ASSERT_EQ(list.feeds.size(), 2u);
  EXPECT_EQ(list.feeds[1].feed_url, "http://b/rss");
}

}  // namespace
}  // namespace tarsel::ui
