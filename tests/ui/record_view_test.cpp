#include "ui/record_view.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QWebEngineView>
#include <filesystem>

#include "pane_test_support.h"
#include "platform/system_code_page.h"
#include "store/column.h"
#include "store/column_tree.h"
#include "store/memories_column.h"
#include "support/fixture_server.h"
#include "support/temp_dir.h"

namespace tarsel::ui {
namespace {

using testing::RunScript;
using testing::WaitForCount;

std::shared_ptr<Column> MakeColumn() {
  auto column = std::make_shared<Column>();
  column->name = "Planet";
  column->use_title_from_rss = false;
  column->channel.link = "http://planet.example/";
  return column;
}

RecordRef MakeRecord(const std::string& title, const std::string& description) {
  auto record = std::make_shared<Record>();
  record->title = title;
  record->link = "http://planet.example/" + std::to_string(title.size());
  record->description = description;
  return record;
}

class RecordViewTest : public ::testing::Test {
 protected:
  void Open(const std::string& theme_folder = testing::ShippedThemeFolder()) {
    view_ = std::make_unique<RecordView>(nullptr, theme_folder);
    view_->resize(640, 480);
    view_->show();
    // As the first record would: the page loads before the cases show theirs.
    view_->MakeView();
  }
  bool WaitForPage() {
    return QTest::qWaitFor([&] { return view_->PageInitialized(); }, testing::kPageWaitMs);
  }
  // Shows the record and waits until its body is in the page.
  void Show(const RecordRef& record, const std::shared_ptr<TreeNode>& column) {
    QSignalSpy rendered(view_.get(), &RecordView::BodyRendered);
    view_->ShowRecord(record, column);
    ASSERT_TRUE(WaitForCount(rendered, 1));
  }
  QString Eval(const QString& script) {
    return RunScript(view_->WebView()->page(), script).toString();
  }

  std::unique_ptr<RecordView> view_;
};

TEST_F(RecordViewTest, RecordIsWrittenIntoTheLoadedThemePage) {
  Open();
  ASSERT_TRUE(WaitForPage());
  const QUrl page_url = view_->WebView()->url();
  auto column = MakeColumn();
  // Stored text is in the program's code page, whatever the locale running the test.
  const std::string body =
      CodePageFromUtf8("<p id=\"body\">Caf\xC3\xA9 text</p>", SystemCodePage());
  // Stored titles are cleaned HTML; the heading shows their text.
  Show(MakeRecord("<b>Bold</b> &amp; co", body), column);
  EXPECT_EQ(Eval("document.querySelector('.tarsel-title').textContent"), "Bold & co");
  EXPECT_EQ(Eval("document.getElementById('body').textContent"), QString::fromUtf8("Café text"));
  EXPECT_EQ(Eval("document.querySelector('.tarsel-header').textContent.trim()"), "Planet");
  EXPECT_EQ(view_->WebView()->url(), page_url);  // written in place, not navigated
}

TEST_F(RecordViewTest, SelectingTheShownRecordAgainWritesNothing) {
  Open();
  ASSERT_TRUE(WaitForPage());
  auto column = MakeColumn();
  auto record = MakeRecord("Once", "<p>x</p>");
  Show(record, column);
  Eval("document.body.insertAdjacentHTML('beforeend', '<i id=\"kept\"></i>')");
  QSignalSpy rendered(view_.get(), &RecordView::BodyRendered);
  view_->ShowRecord(record, column);
  // Any write would run before this script: the page runs scripts in order.
  EXPECT_EQ(Eval("document.getElementById('kept') ? 'kept' : 'gone'"), "kept");
  EXPECT_EQ(rendered.count(), 0);
}

// Feed HTML must run nothing even when it reaches the page unfiltered: the page's security
// policy allows the theme's script file alone.
TEST_F(RecordViewTest, ScriptInARecordBodyRunsNothing) {
  Open();
  ASSERT_TRUE(WaitForPage());
  auto memories = std::make_shared<MemoriesColumn>("Kept");
  Show(MakeRecord("Hostile",
                  "<img id=\"probe\" src=\"missing-image.png\" onerror=\"window.ran='onerror'\">"
                  "<script>window.ran='script'</script>"
                  "<svg onload=\"window.ran='svg'\"></svg>"
                  "<iframe srcdoc=\"<script>parent.ran='frame'</script>\"></iframe>"
                  "<a id=\"js\" href=\"javascript:window.ran='link'\">x</a>"),
       memories);
  QWebEnginePage* page = view_->WebView()->page();
  // The image fails in any case; once our own listener has seen that, so would its handler.
  RunScript(page,
            "new Promise(function (done) { var probe = document.getElementById('probe');"
            "  if (probe.complete) done(); else probe.addEventListener('error', done); })",
            QWebEngineScript::ApplicationWorld);
  RunScript(page, "document.getElementById('js').click()", QWebEngineScript::ApplicationWorld);
  QTest::qWait(300);
  EXPECT_EQ(Eval("String(window.ran)"), "undefined");
  EXPECT_EQ(view_->WebView()->url().fileName(), "data.html");
}

TEST_F(RecordViewTest, LinksLeaveThePaneButAnchorsScrollInIt) {
  Open();
  ASSERT_TRUE(WaitForPage());
  auto memories = std::make_shared<MemoriesColumn>("Kept");
  Show(MakeRecord("Links",
                  "<a id=\"out\" href=\"http://planet.example/story\">out</a>"
                  "<a id=\"in\" href=\"#part\">in</a><p id=\"part\">part</p>"),
       memories);
  QSignalSpy links(view_.get(), &RecordView::OpenLinkRequest);
  RunScript(view_->WebView()->page(), "document.getElementById('in').click()",
            QWebEngineScript::ApplicationWorld);
  ASSERT_TRUE(QTest::qWaitFor([&] { return view_->WebView()->url().fragment() == "part"; },
                              testing::kPageWaitMs));
  RunScript(view_->WebView()->page(), "document.getElementById('out').click()",
            QWebEngineScript::ApplicationWorld);
  ASSERT_TRUE(WaitForCount(links, 1));
  EXPECT_EQ(links.at(0).at(0).toString(), "http://planet.example/story");
  EXPECT_EQ(links.count(), 1);
  EXPECT_EQ(view_->WebView()->url().fileName(), "data.html");
  EXPECT_EQ(Eval("document.getElementById('part') ? 'still here' : 'gone'"), "still here");
  // The refused navigation leaves the pane following the selection.
  Show(MakeRecord("Next", "<p id=\"next\">next</p>"), memories);
  EXPECT_EQ(Eval("document.getElementById('next') ? 'shown' : 'stale'"), "shown");
}

// The theme page is a local file; feed images come from the web all the same.
TEST_F(RecordViewTest, FeedImagesLoadFromTheWeb) {
  static const std::string kGif(
      "GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff"
      "!\xf9\x04\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00"
      "\x01\x00\x00\x02\x02\x44\x01\x00;",
      43);
  testing::FixtureServer server;
  auto image = server.Serve("/dot.gif", {200, kGif, "image/gif"});
  Open();
  ASSERT_TRUE(WaitForPage());
  Show(MakeRecord("Picture", "<img id=\"dot\" src=\"" + server.Url("/dot.gif") + "\">"),
       std::make_shared<MemoriesColumn>("Kept"));
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return Eval("String(document.getElementById('dot').naturalWidth)") == "1"; },
      testing::kPageWaitMs));
  EXPECT_EQ(image.Hits(), 1);
}

TEST_F(RecordViewTest, TextSizeLevelsStopAtTheirEnds) {
  Open();
  EXPECT_EQ(view_->TextSizeLevel(), 3);
  for (int i = 0; i < 5; ++i) view_->IncreaseTextSize();
  EXPECT_EQ(view_->TextSizeLevel(), 7);
  EXPECT_DOUBLE_EQ(view_->WebView()->zoomFactor(), 1.75);
  for (int i = 0; i < 10; ++i) view_->DecreaseTextSize();
  EXPECT_EQ(view_->TextSizeLevel(), 0);
  EXPECT_DOUBLE_EQ(view_->WebView()->zoomFactor(), 0.6);
}

// A broken theme leaves the pane blank and the program going.
TEST_F(RecordViewTest, BrokenThemeGivesABlankPane) {
  testing::TempDir theme;
  const std::string shipped = testing::ShippedThemeFolder();
  std::filesystem::copy(shipped + "data.html", theme.File("data.html"));
  std::filesystem::copy(shipped + "data.js", theme.File("data.js"));
  Open(theme.path() + "/");  // no rssitem.templ
  ASSERT_TRUE(WaitForPage());
  Show(MakeRecord("T", "<p>x</p>"), MakeColumn());
  EXPECT_EQ(Eval("document.body.innerHTML"), "");

  // A page that never calls OnInitialize: nothing is written and nothing waits for it.
  testing::WriteFileBytes(theme.File("data.html"), "<html><body>silent</body></html>");
  Open(theme.path() + "/");
  (void)QTest::qWaitFor([&] { return view_->WebView()->url().isValid(); }, testing::kPageWaitMs);
  view_->ShowRecord(MakeRecord("T", "<p>x</p>"), std::make_shared<MemoriesColumn>("Kept"));
  QTest::qWait(500);
  EXPECT_FALSE(view_->PageInitialized());
}

// Oversized input renders, and the pane still answers afterwards.
TEST_F(RecordViewTest, HugeTemplateRecordAndTitleRender) {
  testing::TempDir theme;
  const std::string shipped = testing::ShippedThemeFolder();
  for (const char* name : {"data.html", "data.js", "data.css"})
    std::filesystem::copy(shipped + name, theme.File(name));
  std::string templ(10 * 1024 * 1024, ' ');
  templ += "<h1 id=\"title\"><<RSSITEM.TITLE>></h1><div id=\"content\"><<RSSITEM.CONTENT>></div>";
  testing::WriteFileBytes(theme.File("rssitem.templ"), templ);
  Open(theme.path() + "/");
  ASSERT_TRUE(WaitForPage());
  std::string description;
  while (description.size() < 5 * 1024 * 1024) description += "<p>paragraph of a huge record</p>";
  Show(MakeRecord(std::string(640000, 't'), description), MakeColumn());
  EXPECT_EQ(Eval("String(document.getElementById('title').textContent.length)"), "640000");
  EXPECT_EQ(Eval("String(document.querySelectorAll('#content p').length)"),
            QString::number(description.size() / 33));
}

}  // namespace
}  // namespace tarsel::ui
