#include "view/dialog_fields.h"

#include <gtest/gtest.h>

#include <climits>

namespace tarsel {
namespace {

TEST(DialogFieldsTest, NumberFieldsReadAsAtoiAndStayInRange) {
  const struct {
    const char* text;
    int32_t expected;
  } kCases[] = {
      {"42", 42}, {"  7 days", 7},          {"abc", 0},  {"", 0},
      {"-5", 0},  {"99999999999999", 1000}, {"+12", 12}, {"1000", 1000},
  };
  for (const auto& row : kCases) {
    EXPECT_EQ(ReadNumberField(row.text, 0, 1000), row.expected) << row.text;
  }
}

TEST(DialogFieldsTest, UrlFieldTakesOnlyAddressesTheClientCanFetch) {
  const struct {
    std::string url;
    UrlFieldProblem expected;
  } kCases[] = {
      {"http://example.org/feed.xml", UrlFieldProblem::kNone},
      {"https://example.org/a?b=c&d=e", UrlFieldProblem::kNone},
      {"", UrlFieldProblem::kEmpty},
      {"http://example.org/a b", UrlFieldProblem::kBlankOrControl},
      {"http://example.org/\r\nHost: evil", UrlFieldProblem::kBlankOrControl},
      {" http://example.org/", UrlFieldProblem::kBlankOrControl},
      {std::string("http://a/\0b", 11), UrlFieldProblem::kBlankOrControl},
      {"javascript:alert(1)", UrlFieldProblem::kScript},
      {"JavaScript:alert(1)", UrlFieldProblem::kScript},
      {"vbscript:x", UrlFieldProblem::kScript},
      {"data:text/html,<b>", UrlFieldProblem::kScript},
      {"example.org/feed.xml", UrlFieldProblem::kNotWebAddress},
      {"feed://example.org/rss", UrlFieldProblem::kNotWebAddress},
      {"file:///etc/passwd", UrlFieldProblem::kNotWebAddress},
      {"http://", UrlFieldProblem::kNotWebAddress},
      {"http:///feed.xml", UrlFieldProblem::kNotWebAddress},
  };
  for (const auto& row : kCases) {
    EXPECT_EQ(CheckUrlField(row.url), row.expected) << row.url;
  }
  EXPECT_EQ(UrlProblemTextId(UrlFieldProblem::kNone), 0);
  EXPECT_NE(UrlProblemTextId(UrlFieldProblem::kScript), 0);
  EXPECT_NE(UrlProblemTextId(UrlFieldProblem::kNotWebAddress),
            UrlProblemTextId(UrlFieldProblem::kBlankOrControl));
}

TEST(DialogFieldsTest, IntervalShownAsItsChoice) {
  const struct {
    int32_t seconds;
    IntervalKind kind;
    int list_index;
    const char* text;
  } kCases[] = {
      {0, IntervalKind::kOnlyManual, -1, "00:00:00"},
      {600, IntervalKind::kCheckEvery, 0, "00:10:00"},
      {86400, IntervalKind::kCheckEvery, 3, "24:00:00"},
      {604800, IntervalKind::kCheckEvery, 4, "168:00:00"},
      {7200, IntervalKind::kCustom, -1, "02:00:00"},
      {10800, IntervalKind::kCustom, -1, "03:00:00"},
      {-60, IntervalKind::kCustom, -1, "00:00:00"},
  };
  for (const auto& row : kCases) {
    const IntervalControls controls = IntervalToControls(row.seconds);
    EXPECT_EQ(controls.kind, row.kind) << row.seconds;
    EXPECT_EQ(controls.list_index, row.list_index) << row.seconds;
    EXPECT_EQ(controls.custom_text, row.text) << row.seconds;
  }
}

TEST(DialogFieldsTest, IntervalReadFromTheControls) {
  const struct {
    const char* name;
    IntervalControls controls;
    int32_t expected;
  } kCases[] = {
      {"manual ignores the rest", {IntervalKind::kOnlyManual, 2, "01:00:00"}, 0},
      {"Day", {IntervalKind::kCheckEvery, 3, ""}, 86400},
      {"no entry keeps the old value", {IntervalKind::kCheckEvery, -1, ""}, 1234},
      {"entry out of range keeps it", {IntervalKind::kCheckEvery, 9, ""}, 1234},
      {"custom clock", {IntervalKind::kCustom, -1, "01:30:00"}, 5400},
      {"custom units", {IntervalKind::kCustom, -1, "2 HR 5 min"}, 7500},
      {"custom nonsense", {IntervalKind::kCustom, -1, "soon"}, 0},
      {"custom negative", {IntervalKind::kCustom, -1, "-5:00:00"}, 0},
      {"custom huge", {IntervalKind::kCustom, -1, "99999999:00:00"}, INT32_MAX},
  };
  for (const auto& row : kCases) {
    EXPECT_EQ(IntervalFromControls(row.controls, 1234), row.expected) << row.name;
  }
  // Every listed value survives the round trip.
  for (int32_t seconds : kIntervalChoices)
    EXPECT_EQ(IntervalFromControls(IntervalToControls(seconds), 0), seconds);
}

TEST(DialogFieldsTest, ArchiveChoiceBothWays) {
  EXPECT_EQ(ArchiveToControls({true, true, 30}), (ArchiveControls{true, true, "30", ""}));
  EXPECT_EQ(ArchiveToControls({false, false, 7}), (ArchiveControls{false, false, "", "7"}));
  const struct {
    const char* name;
    ArchiveControls controls;
    ArchiveChoice expected;
  } kCases[] = {
      {"records field", {true, true, "50", "9"}, {true, true, 50}},
      {"days field", {true, false, "50", "9"}, {true, false, 9}},
      {"the other field empty", {false, false, "", "12 days"}, {false, false, 12}},
      {"chosen field empty", {true, true, "", "3"}, {true, true, 0}},
      {"negative", {true, true, "-10", ""}, {true, true, 0}},
      {"huge", {true, true, "123456789012", ""}, {true, true, INT32_MAX}},
  };
  for (const auto& row : kCases) {
    EXPECT_EQ(ArchiveFromControls(row.controls), row.expected) << row.name;
  }
}

TEST(DialogFieldsTest, EncodingListPositions) {
  const int32_t kValues[] = {0, 1, 2, 5};
  for (int position = 0; position < 4; ++position) {
    EXPECT_EQ(EncodingFromListPosition(position), kValues[position]);
    EXPECT_EQ(EncodingListPosition(kValues[position]), position);
  }
  EXPECT_EQ(EncodingListPosition(3), 0);
  EXPECT_EQ(EncodingListPosition(-1), 0);
  EXPECT_EQ(EncodingFromListPosition(-1), 0);
  EXPECT_EQ(EncodingFromListPosition(4), 0);
}

}  // namespace
}  // namespace tarsel
