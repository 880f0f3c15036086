#include <gtest/gtest.h>

#include "parse/charsets/encoding_choice.h"
#include "store/column.h"
#include "store/column_tree.h"
#include "store/memories_column.h"
#include "view/quick_views.h"
#include "view/record_search.h"

namespace tarsel {
namespace {

// The code page the default settings give the records' texts.
const int kProgramCodePage = CodePageForEncoding(EncodingChoice::kAutomatic);

constexpr int32_t kNow = 1100000000;

RecordRef MakeRecord(const std::string& title, int32_t age, bool unread) {
  auto record = std::make_shared<Record>();
  record->title = title;
  record->received = kNow - age;
  record->published = kNow - age;
  record->unread = unread;
  return record;
}

std::vector<std::string> Titles(const RecordsViewModel& view) {
  std::vector<std::string> titles;
  for (const RecordsRow& row : view.rows()) titles.push_back(row.record->title);
  return titles;
}

// Column one: "899s" and "900s" unread, "read 10m" read (arrived 600 s ago), "gone" deleted;
// column two (in a group): "day old" unread, 86399 s; a memories column that is never listed.
ColumnTree MakeTree() {
  ColumnTree tree;
  auto one = std::make_shared<Column>();
  one->channel.records = {MakeRecord("899s", 899, true), MakeRecord("900s", 900, true),
                          MakeRecord("read 10m", 600, false), MakeRecord("gone", 10, true)};
  MarkRecordDeleted(*one->channel.records.back());
  auto group = std::make_shared<ColumnGroup>("g");
  auto two = std::make_shared<Column>();
  two->channel.records = {MakeRecord("day old", 86399, true)};
  group->AddChild(two);
  auto memories = std::make_shared<MemoriesColumn>();
  memories->records = {MakeRecord("memory", 1, true)};
  tree.Append(one);
  tree.Append(group);
  tree.Append(memories);
  return tree;
}

TEST(QuickViewsTest, TimeWindowsAreStrictAndSkipDeletedAndMemories) {
  using Strings = std::vector<std::string>;
  const ColumnTree tree = MakeTree();
  const struct {
    int position;
    Strings titles;
  } cases[] = {
      {0, {"899s", "read 10m"}},
      {1, {"899s", "900s", "read 10m"}},
      {2, {"899s", "900s", "read 10m", "day old"}},
      {4, {"899s"}},
      {5, {"899s", "900s"}},
      {6, {"899s", "900s", "day old"}},
  };
  for (const auto& c : cases) {
    const std::optional<RecordsViewModel> view = BuildQuickView(tree, c.position, kNow);
    ASSERT_TRUE(view.has_value()) << c.position;
    EXPECT_EQ(Titles(*view), c.titles) << c.position;
  }
  for (int separator : {3, 7, -1, 10}) EXPECT_FALSE(BuildQuickView(tree, separator, kNow));
  EXPECT_TRUE(IsQuickViewSeparator(3));
  EXPECT_EQ(QuickViewCaptionId(8), 466);
  EXPECT_EQ(QuickViewPositionOfCommand(40264), 4);
}

TEST(QuickViewsTest, LatestUnreadListsTheNNewestNewestFirst) {
  ColumnTree tree;
  auto column = std::make_shared<Column>();
  for (int i = 0; i < 30; ++i) {
    column->channel.records.push_back(MakeRecord(std::to_string(i), 1000 + i * 7 % 30, true));
  }
  column->channel.records.push_back(MakeRecord("read newest", 0, false));
  tree.Append(column);
  const std::optional<RecordsViewModel> latest = BuildQuickView(tree, 8, kNow);
  ASSERT_TRUE(latest.has_value());
  ASSERT_EQ(latest->size(), 10u);
  for (size_t row = 0; row < latest->size(); ++row) {
    EXPECT_EQ(latest->RecordAt(row)->published, kNow - 1000 - static_cast<int32_t>(row));
  }
  EXPECT_EQ(BuildQuickView(tree, 9, kNow)->size(), 30u);
  EXPECT_EQ(BuildQuickView(ColumnTree{}, 9, kNow)->empty_text(), "No records");
}

TEST(RecordSearchTest, RuleMatching) {
  struct Case {
    const char* name;
    SearchChoices choices;
    std::string title;
    std::string description;
    bool unread;
    bool expected;
  };
  const auto choices = [](std::string text, int32_t field, int32_t condition, bool whole,
                          bool match_case, bool unread_only) {
    return SearchChoices{std::move(text), field, condition, whole, match_case, unread_only};
  };
  const Case cases[] = {
      {"lower case finds capitals", choices("news", kFilterTitle, 0, false, false, false),
       "Big NEWS today", "", true, true},
      {"match case does not", choices("news", kFilterTitle, 0, false, true, false),
       "Big NEWS today", "", true, false},
      {"capitals in the text fold too", choices("NeWs", kFilterTitle, 0, false, false, false),
       "news", "", true, true},
      {"whole word refuses a part", choices("new", kFilterTitle, 0, true, false, false), "newsroom",
       "", true, false},
      {"whole word at the end", choices("room", kFilterTitle, 0, true, false, false), "news room",
       "", true, true},
      {"whole word found later", choices("new", kFilterTitle, 0, true, false, false), "newer new",
       "", true, true},
      {"item content is the description",
       choices("body", kFilterDescription, 0, false, false, false), "t", "<p>Body</p>", true, true},
      {"doesn't contain", choices("x", kFilterTitle, 1, false, false, false), "abc", "", true,
       true},
      {"empty field holds nothing", choices("x", kFilterDescription, 0, false, false, false), "x",
       "", true, false},
      {"empty field doesn't contain", choices("x", kFilterDescription, 1, false, false, false), "x",
       "", true, true},
      {"all fields need each", choices("a", kFilterAllFields, 0, false, false, false), "a", "a",
       true, false},
      {"any field needs one", choices("a", kFilterAnyField, 0, false, false, false), "b", "a", true,
       true},
      {"only unread", choices("a", kFilterTitle, 0, false, false, true), "a", "", false, false},
  };
  for (const Case& c : cases) {
    Record record;
    record.title = c.title;
    record.description = c.description;
    record.unread = c.unread;
    EXPECT_EQ(SearchRule(c.choices, kProgramCodePage).Matches(record), c.expected) << c.name;
  }
}

TEST(RecordSearchTest, ResultOverEveryColumnWithoutDeletedOnes) {
  const ColumnTree tree = MakeTree();
  SearchChoices choices;
  choices.field = kFilterTitle;
  choices.condition = kFilterNotContains;
  choices.text = "zzz";
  const RecordsViewModel found = BuildSearchResult(tree, SearchRule(choices, kProgramCodePage));
  EXPECT_EQ(Titles(found), (std::vector<std::string>{"899s", "900s", "read 10m", "day old"}));
  EXPECT_EQ(SearchCaption(found.size()), "Search Result(4)");
  choices.condition = kFilterContains;
  const RecordsViewModel none = BuildSearchResult(tree, SearchRule(choices, kProgramCodePage));
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(none.empty_text(), "No records found");
}

}  // namespace
}  // namespace tarsel
