#include "store/filter_rule.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace tarsel {
namespace {

Record MakeRecord(const char* title, const char* description, const char* link) {
  Record record;
  record.title = title;
  record.description = description;
  record.link = link;
  return record;
}

// Built by a function rather than braces: GCC's optimiser misreads string members brace-built
// inside a table of aggregates as used uninitialised.
FilterRule Rule(std::string text, int32_t condition, int32_t action, int32_t field) {
  FilterRule rule;
  rule.text = std::move(text);
  rule.condition = condition;
  rule.action = action;
  rule.field = field;
  return rule;
}

TEST(FilterRecordTest, Table) {
  struct Case {
    const char* name;
    FilterRule rule;
    Record record;
    bool keep;
    bool unread_after;
  } cases[] = {
      {"accept keeps a match", Rule("x", kFilterContains, kFilterAccept, kFilterTitle),
       MakeRecord("axb", "", ""), true, true},
      {"accept hides a title without x", Rule("x", kFilterContains, kFilterAccept, kFilterTitle),
       MakeRecord("abc", "x", "x"), false, true},
      {"accept hides an empty title", Rule("x", kFilterContains, kFilterAccept, kFilterTitle),
       MakeRecord("", "", ""), false, true},
      {"empty field counts as not containing",
       Rule("x", kFilterNotContains, kFilterDecline, kFilterTitle), MakeRecord("", "x", "x"), false,
       true},
      {"decline keeps a non-match", Rule("x", kFilterContains, kFilterDecline, kFilterDescription),
       MakeRecord("x", "abc", "x"), true, true},
      {"decline drops a match", Rule("x", kFilterContains, kFilterDecline, kFilterLink),
       MakeRecord("", "", "http://x"), false, true},
      {"mark read marks a match", Rule("x", kFilterContains, kFilterMarkRead, kFilterTitle),
       MakeRecord("x", "", ""), true, false},
      {"mark read leaves a non-match", Rule("x", kFilterContains, kFilterMarkRead, kFilterTitle),
       MakeRecord("y", "", ""), true, true},
      {"case matters", Rule("News", kFilterContains, kFilterMarkRead, kFilterTitle),
       MakeRecord("news", "", ""), true, true},
      {"empty text found in any non-empty field",
       Rule("", kFilterContains, kFilterMarkRead, kFilterAnyField), MakeRecord("", "", "l"), true,
       false},
      {"empty text, all fields empty", Rule("", kFilterContains, kFilterMarkRead, kFilterAnyField),
       MakeRecord("", "", ""), true, true},
      {"all fields need every field", Rule("x", kFilterContains, kFilterAccept, kFilterAllFields),
       MakeRecord("x", "x", "y"), false, true},
      {"all fields matched", Rule("x", kFilterContains, kFilterAccept, kFilterAllFields),
       MakeRecord("x", "ax", "xb"), true, true},
      {"any field matched by link", Rule("x", kFilterContains, kFilterAccept, kFilterAnyField),
       MakeRecord("a", "b", "x"), true, true},
      {"unknown field, accept", Rule("x", kFilterContains, kFilterAccept, 9),
       MakeRecord("x", "x", "x"), false, true},
      {"unknown field, mark read", Rule("x", kFilterContains, kFilterMarkRead, -1),
       MakeRecord("x", "x", "x"), true, true},
  };
  for (Case& c : cases) {
    EXPECT_EQ(FilterRecord(c.record, c.rule), c.keep) << c.name;
    EXPECT_EQ(c.record.unread, c.unread_after) << c.name;
  }
}

TEST(FilterRecordTest, FirstRuleThatDropsEndsEvaluation) {
  const std::vector<FilterRule> rules = {
      {"spam", kFilterContains, kFilterDecline, kFilterTitle},
      {"", kFilterContains, kFilterMarkRead, kFilterAnyField},
  };
  Record spam = MakeRecord("spam here", "", "");
  Record ham = MakeRecord("ham", "", "");
  EXPECT_FALSE(PassesFilterRules(spam, rules));
  EXPECT_TRUE(spam.unread) << "the mark-read rule never reached it";
  EXPECT_TRUE(PassesFilterRules(ham, rules));
  EXPECT_FALSE(ham.unread);
  Record any = MakeRecord("", "", "");
  EXPECT_TRUE(PassesFilterRules(any, {}));
}

TEST(FilterRuleTextTest, Table) {
  struct Case {
    FilterRule rule;
    const char* text;
  } cases[] = {
      {{"x", kFilterContains, kFilterAccept, kFilterTitle},
       "If title contains \"x\" then accept item"},
      {{"a b", kFilterNotContains, kFilterDecline, kFilterDescription},
       "If description dosn't contains \"a b\" then decline item"},
      {{"", kFilterContains, kFilterMarkRead, kFilterLink},
       "If link contains \"\" then mark item as read"},
      {{"y", kFilterContains, kFilterAccept, kFilterAllFields},
       "If all field contains \"y\" then accept item"},
      {{"y", kFilterContains, kFilterAccept, kFilterAnyField},
       "If any field contains \"y\" then accept item"},
      {{"y", 7, 8, 9}, "If \"y\" then "},
  };
  for (const Case& c : cases) EXPECT_EQ(FilterRuleText(c.rule), c.text);
}

}  // namespace
}  // namespace tarsel
