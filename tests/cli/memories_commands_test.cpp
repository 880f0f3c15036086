#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_session.h"
#include "store/store_files.h"

namespace tarsel {
namespace {

using testing::CliRun;
using testing::CliSession;

// Column 1 with two unread records, "first" and "second".
void WriteSourceColumn(const std::string& folder) {
  ColumnTree tree;
  auto column = std::make_shared<Column>();
  column->id = 1;
  column->url = "http://example.com/feed.xml";
  for (const char* title : {"first", "second"}) {
    auto record = std::make_shared<Record>();
    record->title = title;
    record->published = 1078477200;  // 2004-03-05 09:00 UTC
    column->channel.records.push_back(record);
  }
  tree.Append(column);
  mkdir(folder.c_str(), 0700);
  StoreOptions options;
  options.sync = false;
  ASSERT_TRUE(SaveColumnStore(tree, folder, options));
}

TEST(MemoriesCommandsTest, RememberCopiesShownRecordIntoMemories) {
  CliSession cli;
  WriteSourceColumn(cli.DataFolder());

  const CliRun created = cli.Run({"remember", "1", "2", "--new", "Kept"});
  EXPECT_EQ(created.status, 0) << created.err;
  EXPECT_EQ(created.out, "[1] Kept (1)\n");
  EXPECT_EQ(cli.Run({"remember", "1", "1", "--to", "1"}).out, "[1] Kept (2)\n");

  struct Case {
    const char* name;
    std::vector<const char*> arguments;
    int status;
  } refused[] = {
      {"no target", {"remember", "1", "1"}, 2},
      {"both targets", {"remember", "1", "1", "--to", "1", "--new", "X"}, 2},
      {"record beyond the list", {"remember", "1", "3", "--to", "1"}, 1},
      {"no such memories column", {"remember", "1", "1", "--to", "9"}, 1},
  };
  for (const Case& c : refused) {
    const std::vector<std::string> arguments(c.arguments.begin(), c.arguments.end());
    EXPECT_EQ(cli.Run(arguments).status, c.status) << c.name;
  }

  ColumnTree memories;
  ASSERT_TRUE(LoadMemoriesStore(memories, cli.DataFolder(), StoreOptions{}));
  const auto columns = memories.MemoriesColumns();
  ASSERT_EQ(columns.size(), 1u);
  ASSERT_EQ(columns[0]->records.size(), 2u);
  EXPECT_EQ(columns[0]->records[0]->title, "second");
  EXPECT_EQ(columns[0]->records[1]->title, "first");
  EXPECT_FALSE(columns[0]->records[0]->unread);
  EXPECT_EQ(cli.Run({"memories"}).out, "[1] Kept (2)\n");

  // One memories column's records, in the shape `records` prints.
  EXPECT_EQ(cli.Run({"memories", "1"}).out,
            "---- [2004.03.05 09:00] second\n     \n---- [2004.03.05 09:00] first\n     \n");
  const nlohmann::json json = nlohmann::json::parse(cli.Run({"memories", "1", "--json"}).out);
  EXPECT_EQ(json["column"], 1);
  ASSERT_EQ(json["records"].size(), 2u);
  EXPECT_EQ(json["records"][0]["title"], "second");
  EXPECT_EQ(json["records"][0]["unread"], false);
}

}  // namespace
}  // namespace tarsel
