#include "view/column_properties.h"

#include <gtest/gtest.h>

#include <functional>

namespace tarsel {
namespace {

std::shared_ptr<Column> MakeColumn(int32_t id, const std::string& url) {
  auto column = std::make_shared<Column>();
  column->id = id;
  column->url = url;
  column->name = "Column " + std::to_string(id);
  return column;
}

TEST(ColumnPropertiesTest, ReadingAndApplyingKeepsEveryField) {
  Column column;
  column.name = "n";
  column.url = "http://a/";
  column.login = "l";
  column.password = "p";
  column.use_title_from_rss = false;
  column.update_interval = 4242;
  column.update_on_start = true;
  column.play_sound = false;
  column.filters = {{"x", kFilterNotContains, kFilterDecline, kFilterLink}};
  column.auto_save = true;
  column.auto_save_path = "/tmp/a";
  column.run_program = true;
  column.program_path = "prog arg";
  column.send_mail = true;
  column.include_body = true;
  column.mail_address = "m@x";
  column.archive_enabled = true;
  column.archive_by_count = false;
  column.archive_depth = 3;
  const ColumnProperties read = ReadColumnProperties(column);
  Column copy;
  EXPECT_TRUE(ApplyColumnProperties(read, copy));
  EXPECT_EQ(ReadColumnProperties(copy), read);
  EXPECT_FALSE(ApplyColumnProperties(read, copy)) << "the same values again change nothing";
}

TEST(ColumnPropertiesTest, ChangedOnlyForWhatTheTreeAndViewShow) {
  const struct {
    const char* name;
    std::function<void(ColumnProperties&)> edit;
    bool changed;
  } kCases[] = {
      {"name", [](ColumnProperties& p) { p.name += "x"; }, true},
      {"url", [](ColumnProperties& p) { p.url += "x"; }, true},
      {"login", [](ColumnProperties& p) { p.login = "me"; }, true},
      {"password", [](ColumnProperties& p) { p.password = "pw"; }, true},
      {"use title", [](ColumnProperties& p) { p.use_title_from_rss = false; }, true},
      {"filters", [](ColumnProperties& p) { p.filters.emplace_back(); }, true},
      {"interval", [](ColumnProperties& p) { p.update_interval = 600; }, false},
      {"sound", [](ColumnProperties& p) { p.play_sound = false; }, false},
      {"actions", [](ColumnProperties& p) { p.send_mail = true; }, false},
      {"archive", [](ColumnProperties& p) { p.archive.depth = 5; }, false},
  };
  for (const auto& row : kCases) {
    Column column;
    column.url = "http://a/";
    ColumnProperties properties = ReadColumnProperties(column);
    row.edit(properties);
    EXPECT_EQ(ApplyColumnProperties(properties, column), row.changed) << row.name;
  }
}

TEST(ColumnPropertiesTest, UrlCheckRefusesUnusableAndDuplicateAddresses) {
  ColumnTree tree;
  auto first = MakeColumn(1, "http://a/feed");
  auto second = MakeColumn(2, "http://b/feed");
  tree.Append(first);
  tree.Append(second);
  EXPECT_EQ(CheckColumnUrl(tree, first.get(), "http://a/feed"), "") << "its own address";
  EXPECT_EQ(CheckColumnUrl(tree, first.get(), "http://b/feed"),
            "There is aready rss column with such URL\nhttp://b/feed");
  EXPECT_EQ(CheckColumnUrl(tree, nullptr, "http://a/feed"),
            "There is aready rss column with such URL\nhttp://a/feed");
  EXPECT_EQ(CheckColumnUrl(tree, nullptr, "http://A/feed"), "") << "compared byte for byte";
  EXPECT_NE(CheckColumnUrl(tree, nullptr, "javascript:alert(1)"), "");
  EXPECT_NE(CheckColumnUrl(tree, nullptr, "http://c/\nfeed"), "");
  EXPECT_NE(CheckColumnUrl(tree, nullptr, ""), "");
}

TEST(ColumnPropertiesTest, FilterDialogListPositions) {
  const int32_t kFieldAt[] = {kFilterAllFields, kFilterAnyField, kFilterTitle, kFilterDescription,
                              kFilterLink};
  for (int position = 0; position < 5; ++position) {
    EXPECT_EQ(FilterFieldFromPosition(position), kFieldAt[position]);
    EXPECT_EQ(FilterFieldPosition(kFieldAt[position]), position);
  }
  EXPECT_EQ(FilterFieldFromPosition(-1), kFilterAnyField);
  EXPECT_EQ(FilterFieldPosition(17), 1);
  EXPECT_EQ(FilterConditionFromPosition(1), kFilterNotContains);
  EXPECT_EQ(FilterConditionFromPosition(5), kFilterContains);
  EXPECT_EQ(FilterActionFromPosition(2), kFilterMarkRead);
  EXPECT_EQ(FilterActionFromPosition(3), kFilterAccept);
}

TEST(ColumnPropertiesTest, FilterListEdits) {
  auto rules = [] { return std::vector<FilterRule>{{"a"}, {"b"}, {"c"}}; };
  auto texts = [](const std::vector<FilterRule>& list) {
    std::string out;
    for (const FilterRule& rule : list) out += rule.text;
    return out;
  };
  const struct {
    const char* name;
    bool (*edit)(std::vector<FilterRule>&, int);
    int index;
    bool changed;
    const char* after;
  } kCases[] = {
      {"remove middle", RemoveFilter, 1, true, "ac"},
      {"remove past end", RemoveFilter, 3, false, "abc"},
      {"remove none selected", RemoveFilter, -1, false, "abc"},
      {"up", MoveFilterUp, 2, true, "acb"},
      {"up at top", MoveFilterUp, 0, false, "abc"},
      {"down", MoveFilterDown, 0, true, "bac"},
      {"down at bottom", MoveFilterDown, 2, false, "abc"},
      {"down none selected", MoveFilterDown, -1, false, "abc"},
  };
  for (const auto& row : kCases) {
    std::vector<FilterRule> list = rules();
    EXPECT_EQ(row.edit(list, row.index), row.changed) << row.name;
    EXPECT_EQ(texts(list), row.after) << row.name;
  }
}

TEST(ColumnPropertiesTest, SetCommandsSkipBusyColumns) {
  auto idle = MakeColumn(1, "http://a/");
  auto busy = MakeColumn(2, "http://b/");
  busy->update_state = kUpdateRunning;
  const std::vector<std::shared_ptr<Column>> selection = {idle, busy};
  EXPECT_EQ(SetUpdateInterval(selection, 600, true, false), 1);
  EXPECT_EQ(idle->update_interval, 600);
  EXPECT_TRUE(idle->update_on_start);
  EXPECT_FALSE(idle->play_sound);
  EXPECT_NE(busy->update_interval, 600);
  EXPECT_EQ(SetArchiving(selection, {true, false, 9}), 1);
  EXPECT_TRUE(idle->archive_enabled);
  EXPECT_FALSE(idle->archive_by_count);
  EXPECT_EQ(idle->archive_depth, 9);
  EXPECT_FALSE(busy->archive_enabled);
}

}  // namespace
}  // namespace tarsel
