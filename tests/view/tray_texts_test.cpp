#include <gtest/gtest.h>

#include "view/tray_animation.h"
#include "view/tray_tooltip.h"

namespace tarsel {
namespace {

TEST(TrayTooltipTest, FormatNumbersTakesOnlyPercentD) {
  struct Row {
    const char* name;
    const char* format;
    const char* expected;
  };
  const Row rows[] = {
      {"both", "Updating: %d In queue: %d", "Updating: 3 In queue: -1"},
      {"extra marks stay", "%d %d %d", "3 -1 %d"},
      {"other marks are text", "%s %n %x %d", "%s %n %x 3"},
      {"no mark", "nothing", "nothing"},
      {"trailing percent", "%d%", "3%"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FormatNumbers(row.format, {3, -1}), row.expected) << row.name;
  }
}

TEST(TrayTooltipTest, CutKeepsWholeCharacters) {
  const std::string euro = "\xE2\x82\xAC";  // three bytes, one character
  struct Row {
    const char* name;
    std::string text;
    size_t max;
    std::string expected;
  };
  const Row rows[] = {
      {"short", "abc", 63, "abc"},
      {"exact", std::string(63, 'a'), 63, std::string(63, 'a')},
      {"long", std::string(70, 'a'), 63, std::string(63, 'a')},
      {"multi-byte at the end kept whole", std::string(62, 'a') + euro + "b", 63,
       std::string(62, 'a') + euro},
      {"multi-byte beyond dropped whole", std::string(63, 'a') + euro, 63, std::string(63, 'a')},
      {"only multi-byte", euro + euro + euro, 2, euro + euro},
      {"zero", "abc", 0, ""},
  };
  for (const Row& row : rows)
    EXPECT_EQ(CutToCharacters(row.text, row.max), row.expected) << row.name;
}

TEST(TrayTooltipTest, TooltipTextAndCut) {
  QueueTexts texts = MakeQueueTexts(2, 7, 15);
  EXPECT_EQ(texts.status, "Updating: 2 In queue: 7");
  EXPECT_EQ(texts.tooltip, "Updating: 2 In queue: 7\n Unread Enrties - 15");

  texts = MakeQueueTexts(2147483647, 2147483647, 2147483647);
  EXPECT_EQ(texts.tooltip.size(), kTooltipMaxCharacters);
  EXPECT_EQ(texts.tooltip, "Updating: 2147483647 In queue: 2147483647\n Unread Enrties - 214");
}

TEST(TrayTooltipTest, RefreshedOnlyWhenQueueNumbersChange) {
  QueueTextsTracker tracker;
  EXPECT_FALSE(tracker.OnUnreadChanged(4)) << "nothing shown before the first tick";
  ASSERT_TRUE(tracker.OnQueueTick(0, 0, 4));
  EXPECT_FALSE(tracker.OnQueueTick(0, 0, 9)) << "only the unread count moved";
  auto texts = tracker.OnQueueTick(1, 0, 9);
  ASSERT_TRUE(texts);
  EXPECT_EQ(texts->tooltip, "Updating: 1 In queue: 0\n Unread Enrties - 9");
  EXPECT_FALSE(tracker.OnQueueTick(1, 0, 9));
  EXPECT_TRUE(tracker.OnQueueTick(1, 1, 9));
  auto marked = tracker.OnUnreadChanged(3);
  ASSERT_TRUE(marked);
  EXPECT_EQ(marked->tooltip, "Updating: 1 In queue: 1\n Unread Enrties - 3");
}

TEST(TrayAnimationTest, FramesWrapWhileTheQueueHoldsColumns) {
  TrayAnimation animation(3);
  EXPECT_EQ(animation.Picture(5), TrayPicture::kUnread);
  EXPECT_EQ(animation.Picture(0), TrayPicture::kNothingUnread);
  EXPECT_TRUE(animation.OnQueueState(false));
  EXPECT_EQ(animation.Picture(0), TrayPicture::kFrame);
  int frames[5];
  for (int& frame : frames) frame = animation.NextFrame();
  EXPECT_EQ(std::vector<int>(frames, frames + 5), (std::vector<int>{1, 2, 0, 1, 2}));
  EXPECT_TRUE(animation.OnQueueState(false)) << "a running animation keeps its frame";
  EXPECT_EQ(animation.Frame(), 2);
  EXPECT_FALSE(animation.OnQueueState(true));
  EXPECT_EQ(animation.Picture(1), TrayPicture::kUnread);
  animation.OnQueueState(false);
  EXPECT_EQ(animation.Frame(), 0) << "a new run starts at the first frame";
}

}  // namespace
}  // namespace tarsel
