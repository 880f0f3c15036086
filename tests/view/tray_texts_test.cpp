#include <gtest/gtest.h>

#include "view/tray_animation.h"
#include "view/tray_tooltip.h"

namespace tarsel {
namespace {

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

TEST(TrayTooltipTest, QueueTextCutTo63) {
  EXPECT_EQ(TrayTooltip("Updating: 2 In queue: 7\n Unread Enrties - 15"),
            "Updating: 2 In queue: 7\n Unread Enrties - 15");
  const std::string longest =
      "Updating: 2147483647 In queue: 2147483647\n Unread Enrties - 2147483647";
  EXPECT_EQ(TrayTooltip(longest), longest.substr(0, 63));
}

TEST(TrayAnimationTest, FramesWrapWhileTheQueueHoldsColumns) {
  TrayAnimation animation(3);
  EXPECT_EQ(animation.Picture(5), TrayPicture::kUnread);
  EXPECT_EQ(animation.Picture(0), TrayPicture::kNothingUnread);
  animation.SetRunning(true);
  EXPECT_EQ(animation.Picture(0), TrayPicture::kFrame);
  std::vector<int> frames;
  for (int i = 0; i < 5; ++i) frames.push_back(animation.NextFrame());
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 0, 1, 2}));
  animation.SetRunning(true);
  EXPECT_EQ(animation.Frame(), 2) << "a running animation keeps its frame";
  animation.SetRunning(false);
  EXPECT_EQ(animation.Picture(1), TrayPicture::kUnread);
  animation.SetRunning(true);
  EXPECT_EQ(animation.Frame(), 0) << "a new run starts at the first frame";
}

}  // namespace
}  // namespace tarsel
