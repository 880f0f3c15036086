#include "app/memories_selection.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

TEST(MemoriesSelectionTest, RecordTakesPageOrSelectionForItsTitle) {
  const std::string long_html =
      "<p>one\r\ntwo   three</p> four five six seven eight nine ten eleven twelve thirteen";
  struct Case {
    const char* name;
    const char* html;
    const char* url;
    const char* page_title;
    const char* title;
  } cases[] = {
      {"browser tab", "<b>bold</b>", "http://a/page", "Page", "Page"},
      {"record pane, short text", "<b>bold</b>  text", "", "", "bold text"},
  };
  for (const Case& c : cases) {
    RecordRef record = RecordFromSelection(c.html, c.url, c.page_title);
    ASSERT_NE(record, nullptr) << c.name;
    EXPECT_EQ(record->description, c.html) << c.name;
    EXPECT_EQ(record->link, c.url) << c.name;
    EXPECT_EQ(record->title, c.title) << c.name;
  }
  RecordRef long_record = RecordFromSelection(long_html, "", "");
  ASSERT_NE(long_record, nullptr);
  EXPECT_LT(long_record->title.size(), 70u);
  EXPECT_EQ(long_record->title.find_first_of("\r\n"), std::string::npos);
  EXPECT_EQ(long_record->title.substr(long_record->title.size() - 3), "...");
}

TEST(MemoriesSelectionTest, EmptySelectionAddsNothing) {
  MemoriesColumn target("Mine");
  EXPECT_FALSE(AddSelectionToMemories("", "http://a/", "Page", target));
  EXPECT_TRUE(AddSelectionToMemories("<i>x</i>", "", "", target));
  ASSERT_EQ(target.records.size(), 1u);
  EXPECT_FALSE(target.records[0]->unread);
  EXPECT_FALSE(target.records[0]->is_new);
}

}  // namespace
}  // namespace tarsel
