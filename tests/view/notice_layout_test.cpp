#include "view/notice_layout.h"

#include <gtest/gtest.h>

#include "view/notice_timeline.h"

namespace tarsel {
namespace {

constexpr NoticeSize kRoomy{4000, 4000};

TEST(NoticeLayoutTest, Sizes) {
  struct Row {
    const char* name;
    NoticeSize text;
    std::optional<NoticeSize> icon;
    NoticeSize limit;
    NoticeSize expected;
  };
  const Row rows[] = {
      {"one low line is 60 high", {100, 14}, std::nullopt, kRoomy, {124, 60}},
      {"margins around tall text", {100, 70}, std::nullopt, kRoomy, {124, 90}},
      {"icon adds width and gap", {100, 14}, NoticeSize{32, 32}, kRoomy, {161, 60}},
      {"tall icon sets the height", {100, 14}, NoticeSize{16, 80}, kRoomy, {145, 80}},
      {"capped", {5000, 5000}, std::nullopt, {640, 320}, {640, 320}},
      {"cap never below the minimum", {100, 14}, std::nullopt, {300, 20}, {124, 60}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(LayoutNotice(row.text, row.icon, row.limit), row.expected) << row.name;
  }
}

TEST(NoticeLayoutTest, LimitIsReadableAndAThirdOfTheScreenAtMost) {
  EXPECT_EQ(NoticeSizeLimit({0, 0, 1920, 1080}), (NoticeSize{kNoticeMaxWidth, kNoticeMaxHeight}));
  EXPECT_EQ(NoticeSizeLimit({0, 0, 800, 600}), (NoticeSize{400, 200}));
  EXPECT_EQ(NoticeSizeLimit({0, 0, 100, 90}).height, kNoticeMinHeight);
}

TEST(NoticeLayoutTest, VisibleLines) {
  EXPECT_EQ(VisibleLineCount(3, 15, 320), 3);
  EXPECT_EQ(VisibleLineCount(100, 15, 320), 20);  // (320 - 20) / 15
  EXPECT_EQ(VisibleLineCount(100, 500, 320), 1);
  EXPECT_EQ(VisibleLineCount(0, 15, 320), 0);
}

TEST(NoticeLayoutTest, FourPlacementsFromScreenAndWorkArea) {
  const NoticeRect screen{0, 0, 1920, 1080};
  const NoticeSize size{200, 60};
  struct Row {
    const char* name;
    NoticeRect work_area;
    TaskbarEdge edge;
    NoticeRect notice;
  };
  const Row rows[] = {
      {"bottom panel", {0, 0, 1920, 1040}, TaskbarEdge::kBottom, {1720, 980, 200, 60}},
      {"right panel", {0, 0, 1870, 1080}, TaskbarEdge::kRight, {1670, 1020, 200, 60}},
      {"top panel", {0, 32, 1920, 1048}, TaskbarEdge::kTop, {1720, 32, 200, 60}},
      {"left panel", {64, 0, 1856, 1080}, TaskbarEdge::kLeft, {64, 1020, 200, 60}},
      {"top bar and wider left dock",
       {70, 27, 1850, 1053},
       TaskbarEdge::kLeft,
       {70, 1020, 200, 60}},
      {"no panel", screen, TaskbarEdge::kNone, {1720, 1020, 200, 60}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FindTaskbarEdge(screen, row.work_area), row.edge) << row.name;
    EXPECT_EQ(PlaceNotice(row.edge, row.work_area, size), row.notice) << row.name;
  }
  // A second screen to the right of the first: the same rule in its own coordinates.
  const NoticeRect second{1920, 0, 1280, 1024};
  const NoticeRect second_area{1920, 0, 1280, 984};
  EXPECT_EQ(FindTaskbarEdge(second, second_area), TaskbarEdge::kBottom);
  EXPECT_EQ(PlaceNotice(TaskbarEdge::kBottom, second_area, size), (NoticeRect{3000, 924, 200, 60}));
}

TEST(NoticeLayoutTest, GrowsUpwardsWithTheBottomEdgeInPlace) {
  const NoticeRect area{0, 0, 1920, 1040};
  // At the right corner the right side stays; at the left corner the left side.
  EXPECT_EQ(GrowUpwards({1720, 980, 200, 60}, {260, 90}, area), (NoticeRect{1660, 950, 260, 90}));
  EXPECT_EQ(GrowUpwards({0, 980, 200, 60}, {260, 90}, area), (NoticeRect{0, 950, 260, 90}));
  // Under a top panel the notice cannot rise above the work area: it grows downwards.
  const NoticeRect below_top{0, 32, 1920, 1048};
  EXPECT_EQ(GrowUpwards({1720, 32, 200, 60}, {200, 90}, below_top),
            (NoticeRect{1720, 32, 200, 90}));
}

TEST(NoticeTimelineTest, BurstAccumulatesAndHidesAfterTheLast) {
  NoticeTimeline notice;
  EXPECT_EQ(notice.Append("\"A\" updated (1 new records)\n", 0), NoticeTimeline::Change::kOpened);
  EXPECT_EQ(notice.Append("\"B\" updated (2 new records)\n", 1000), NoticeTimeline::Change::kGrown);
  EXPECT_EQ(notice.Text(), "\"A\" updated (1 new records)\n\"B\" updated (2 new records)");
  EXPECT_FALSE(notice.HideIfDue(4000)) << "4 s after the first, but only 3 s after the second";
  EXPECT_FALSE(notice.HideIfDue(4999));
  EXPECT_TRUE(notice.HideIfDue(5000));
  EXPECT_FALSE(notice.Showing());
  EXPECT_EQ(notice.Append("\"C\" updated (1 new records)\n", 9000), NoticeTimeline::Change::kOpened)
      << "a text after the hide opens a fresh notice, without the old text";
  EXPECT_EQ(notice.Lines().size(), 1u);
  EXPECT_EQ(notice.Append("", 9500), NoticeTimeline::Change::kNone);
  EXPECT_EQ(notice.HideAtMs(), 13000) << "an empty text does not keep the notice up";
}

TEST(NoticeTimelineTest, HostileTextIsBounded) {
  NoticeTimeline notice;
  std::string lines;
  for (int i = 0; i < 1000; ++i) lines += "line " + std::to_string(i) + "\n";
  notice.Append(lines, 0);
  notice.Append(std::string(100 * 1024, 'x'), 0);
  ASSERT_EQ(notice.Lines().size(), kNoticeKeptLines);
  EXPECT_EQ(notice.Lines().front(), "line 801") << "the newest lines are kept";
  EXPECT_EQ(notice.Lines().back().size(), kNoticeLineCharacters);
}

}  // namespace
}  // namespace tarsel
