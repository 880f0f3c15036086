#include "ui/page_finder.h"

#include <gtest/gtest.h>

#include <QWebEngineView>

#include "pane_test_support.h"
#include "store/memories_column.h"
#include "ui/record_view.h"

namespace tarsel::ui {
namespace {

using testing::RunScript;
using testing::WaitForCount;

// The element holding the selection's start, and the selected text.
QString SelectionPlace(QWebEnginePage* page) {
  return RunScript(page,
                   "(function () { var s = getSelection(); if (!s.rangeCount) return 'none';"
                   "  return s.anchorNode.parentElement.closest('p').id + ':' + s.toString(); })()",
                   QWebEngineScript::ApplicationWorld)
      .toString();
}

class PageFinderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view_.resize(640, 400);
    view_.show();
    view_.MakeView();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view_.PageInitialized(); }, testing::kPageWaitMs));
    auto record = std::make_shared<Record>();
    record->description =
        "<p id=\"one\">Alpha goes first</p><p id=\"two\">the alphabet</p>"
        "<p id=\"three\">then <b>al</b>pha again, ALPHA</p><p id=\"end\">word</p><p>next</p>";
    QSignalSpy rendered(&view_, &RecordView::BodyRendered);
    view_.ShowRecord(record, std::make_shared<MemoriesColumn>("Kept"));
    ASSERT_TRUE(WaitForCount(rendered, 1));
  }

  // Runs one search (Find when `text` is given, else Find Next) and says where it landed.
  QString Search(const QString& text, bool match_case, bool whole_word) {
    PageFinder* finder = view_.Finder();
    QSignalSpy found(finder, &PageFinder::Found);
    QSignalSpy not_found(finder, &PageFinder::NotFound);
    if (text.isEmpty()) {
      finder->FindNext();
    } else {
      finder->Find(text, match_case, whole_word);
    }
    if (!QTest::qWaitFor([&] { return found.count() + not_found.count() > 0; },
                         testing::kPageWaitMs)) {
      return "hang";
    }
    if (!not_found.isEmpty()) return not_found.at(0).at(0).toString();
    return SelectionPlace(view_.WebView()->page());
  }

  RecordView view_{nullptr, testing::ShippedThemeFolder()};
};

TEST_F(PageFinderTest, FindNextWrapsAroundAndHonoursTheFlags) {
  struct Step {
    QString text;  // empty: Find Next
    bool match_case, whole_word;
    QString expected;
  } steps[] = {
      {"alpha", false, true, "one:Alpha"},
      {"", false, true, "three:alpha"},  // spans <b>al</b>pha; "alphabet" is no whole word
      {"", false, true, "three:ALPHA"},
      {"", false, true, "one:Alpha"},  // wrapped to the top
      {"alpha", true, false, "two:alpha"},
      {"alpha", true, false, "three:alpha"},
      {"alpha", true, false, "two:alpha"},
      {"word", false, true, "end:word"},  // a paragraph's end ends the word
      {"zeta", false, false, "Cannot find the string: 'zeta'"},
      {"a.*", false, false, "Cannot find the string: 'a.*'"},
  };
  for (const Step& step : steps) {
    EXPECT_EQ(Search(step.text, step.match_case, step.whole_word).toStdString(),
              step.expected.toStdString())
        << step.text.toStdString() << " -> " << step.expected.toStdString();
  }
}

}  // namespace
}  // namespace tarsel::ui
