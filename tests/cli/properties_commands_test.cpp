#include <gtest/gtest.h>

#include <string>

#include "cli_session.h"
#include "store/store_files.h"

namespace tarsel {
namespace {

using testing::CliRun;
using testing::CliSession;

std::shared_ptr<Column> LoadColumn(const CliSession& cli, int32_t id) {
  ColumnTree tree;
  StoreOptions options;
  EXPECT_TRUE(LoadColumnStore(tree, cli.DataFolder(), options));
  return std::dynamic_pointer_cast<Column>(tree.FindById(id));
}

TEST(PropertiesCommandsTest, SetChangesWhatThePropertiesSheetEdits) {
  CliSession cli;
  ASSERT_EQ(cli.Run({"add", "http://example.com/a.xml"}).out, "1\n");
  ASSERT_EQ(cli.Run({"add", "http://example.com/b.xml"}).out, "2\n");
  const CliRun set = cli.Run({"set",         "1",
                              "--name",      "Mine",
                              "--url",       "http://example.com/c.xml",
                              "--interval",  "01:30:00",
                              "--login",     "me",
                              "--password",  "pw",
                              "--use-title", "off",
                              "--sound",     "off",
                              "--archive",   "days:12",
                              "--mail",      "me@example.org"});
  ASSERT_EQ(set.status, 0) << set.err;
  std::shared_ptr<Column> column = LoadColumn(cli, 1);
  ASSERT_NE(column, nullptr);
  EXPECT_EQ(column->name, "Mine");
  EXPECT_EQ(column->url, "http://example.com/c.xml");
  EXPECT_EQ(column->update_interval, 5400);
  EXPECT_EQ(column->login, "me");
  EXPECT_EQ(column->password, "pw");
  EXPECT_FALSE(column->use_title_from_rss);
  EXPECT_FALSE(column->play_sound);
  EXPECT_TRUE(column->archive_enabled);
  EXPECT_FALSE(column->archive_by_count);
  EXPECT_EQ(column->archive_depth, 12);
  EXPECT_TRUE(column->send_mail);
  EXPECT_EQ(column->mail_address, "me@example.org");

  const struct {
    std::vector<std::string> arguments;
    int status;
  } kRefused[] = {
      {{"set", "1", "--url", "http://example.com/b.xml"}, 1},  // another column's address
      {{"set", "1", "--url", "javascript:alert(1)"}, 1},
      {{"set", "1", "--url", "http://example.com/a b"}, 1},
      {{"set", "1", "--url", "ftp://example.com/a.xml"}, 1},
      {{"set", "1", "--sound", "maybe"}, 2},
      {{"set", "1", "--archive", "weeks:3"}, 2},
      {{"set", "9", "--name", "x"}, 1},
  };
  for (const auto& row : kRefused) {
    EXPECT_EQ(cli.Run(row.arguments).status, row.status) << row.arguments[3];
  }
  EXPECT_EQ(LoadColumn(cli, 1)->url, "http://example.com/c.xml") << "refusals store nothing";
}

TEST(PropertiesCommandsTest, FilterRulesListAddRemoveMove) {
  CliSession cli;
  ASSERT_EQ(cli.Run({"add", "http://example.com/a.xml"}).out, "1\n");
  EXPECT_EQ(
      cli.Run({"filter", "1", "add", "--text", "ads", "--field", "title", "--action", "decline"})
          .status,
      0);
  EXPECT_EQ(cli.Run({"filter", "1", "add", "--text", "x", "--condition", "not-contains", "--action",
                     "mark-read"})
                .status,
            0);
  EXPECT_EQ(cli.Run({"filter", "1", "move", "2", "up"}).status, 0);
  EXPECT_EQ(cli.Run({"filter", "1", "list"}).out,
            "1: If any field dosn't contains \"x\" then mark item as read\n"
            "2: If title contains \"ads\" then decline item\n");
  EXPECT_EQ(cli.Run({"filter", "1", "move", "1", "up"}).status, 1);
  EXPECT_EQ(cli.Run({"filter", "1", "remove", "3"}).status, 1);
  EXPECT_EQ(cli.Run({"filter", "1", "add", "--field", "body"}).status, 2);
  EXPECT_EQ(cli.Run({"filter", "1", "remove", "1"}).status, 0);
  std::shared_ptr<Column> column = LoadColumn(cli, 1);
  ASSERT_EQ(column->filters.size(), 1u);
  EXPECT_EQ(column->filters[0].text, "ads");
  EXPECT_EQ(column->filters[0].action, kFilterDecline);
}

}  // namespace
}  // namespace tarsel
