#include "view/page_find.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

TEST(PageFindTest, BookmarkMovesOnAndWrapsOnce) {
  PageFindState state;
  EXPECT_FALSE(state.request().has_value());
  state.Start({"word", false, true});
  struct Step {
    int64_t match;  // what the page answered; -1 none
    PageFindStep expected;
    int64_t next_start;
  } steps[] = {
      {4, PageFindStep::kFound, 5},          {20, PageFindStep::kFound, 21},
      {-1, PageFindStep::kSearchFromTop, 0}, {4, PageFindStep::kFound, 5},
      {-1, PageFindStep::kSearchFromTop, 0}, {-1, PageFindStep::kNotFound, 0},
  };
  for (const Step& step : steps) {
    EXPECT_EQ(state.Take(step.match), step.expected) << step.match;
    EXPECT_EQ(state.NextStart(), step.next_start) << step.match;
  }
  state.Take(7);
  state.ForgetBookmark();
  EXPECT_EQ(state.NextStart(), 0);
}

TEST(PageFindTest, ScriptCarriesTheTextAsData) {
  const std::string script = PageFindScript({"it's \"x\"\n", true, false}, 12);
  EXPECT_NE(script.find("(\"it's \\\"x\\\"\\u000a\",true,false,12);"), std::string::npos);
}

}  // namespace
}  // namespace tarsel
