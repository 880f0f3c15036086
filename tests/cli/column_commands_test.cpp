#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_session.h"
#include "settings/settings_file.h"
#include "store/store_files.h"

namespace tarsel {
namespace {

using testing::CliRun;
using testing::CliSession;

ColumnTree LoadTree(const std::string& folder) {
  ColumnTree tree;
  StoreOptions options;
  EXPECT_TRUE(LoadColumnStore(tree, folder, options));
  return tree;
}

std::shared_ptr<Column> ColumnById(const ColumnTree& tree, int32_t id) {
  TreeNodeRef node = tree.FindById(id);
  if (!node || node->Kind() != NodeKind::kColumn) return nullptr;
  return std::static_pointer_cast<Column>(node);
}

TEST(ColumnCommandsTest, AddTakesSettingsDefaultsAndLowestFreeId) {
  CliSession cli;
  Settings settings;
  settings.updateperiod = 3600;
  settings.archive_enable = true;
  settings.archive_by_records = false;
  settings.archive_depth = 7;
  mkdir(cli.DataFolder().c_str(), 0700);
  ASSERT_TRUE(SaveSettings(settings));

  EXPECT_EQ(cli.Run({"add", "http://example.com/a.xml"}).out, "1\n");
  EXPECT_EQ(cli.Run({"add-group", "News"}).out, "2\n");
  const CliRun named = cli.Run({"add", "http://example.com/b.xml", "--group", "2", "--name",
                                "Caf\xC3\xA9", "--login", "me", "--password", "secret"});
  EXPECT_EQ(named.status, 0) << named.err;
  EXPECT_EQ(named.out, "3\n");
  EXPECT_EQ(cli.Run({"remove", "1"}).status, 0);
  EXPECT_EQ(cli.Run({"add", "http://example.com/c.xml"}).out, "1\n") << "id 1 is free again";

  const ColumnTree tree = LoadTree(cli.DataFolder());
  const std::shared_ptr<Column> first = ColumnById(tree, 1);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->name, "New RSS Column");
  EXPECT_EQ(first->update_interval, 3600);
  EXPECT_FALSE(first->update_on_start);
  EXPECT_TRUE(first->archive_enabled);
  EXPECT_FALSE(first->archive_by_count);
  EXPECT_EQ(first->archive_depth, 7);
  const std::shared_ptr<Column> named_column = ColumnById(tree, 3);
  ASSERT_NE(named_column, nullptr);
  EXPECT_EQ(named_column->name, "Caf\xC3\xA9") << "stored in the program code page, UTF-8 here";
  EXPECT_EQ(named_column->login, "me");
  EXPECT_EQ(named_column->password, "secret");
  ASSERT_NE(named_column->parent, nullptr);
  EXPECT_EQ(named_column->parent->id, 2);
}

TEST(ColumnCommandsTest, RefusesWhatTheTreeDoesNotAllow) {
  CliSession cli;
  ASSERT_EQ(cli.Run({"add", "http://example.com/a.xml"}).status, 0);
  ASSERT_EQ(cli.Run({"add-group", "News"}).status, 0);

  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    int status;
    std::string err;  // expected start of stderr
  };
  const std::vector<Case> cases = {
      {"duplicate URL",
       {"add", "http://example.com/a.xml"},
       1,
       "tarsel-cli: There is aready rss column with such URL\nhttp://example.com/a.xml\n"},
      {"group id of nothing", {"add", "http://x/1", "--group", "9"}, 1, "tarsel-cli: no column"},
      {"group id of a column",
       {"add", "http://x/2", "--group", "1"},
       1,
       "tarsel-cli: node 1 is not a group"},
      {"group id that is not a number",
       {"add-group", "G", "--group", "x1"},
       2,
       "tarsel-cli: not a node id"},
      {"remove unknown id", {"remove", "7"}, 1, "tarsel-cli: no column or group with id 7"},
      {"mark-read of id 0", {"mark-read", "0"}, 2, "tarsel-cli: not a node id"},
      {"add without URL", {"add"}, 2, "tarsel-cli: missing argument"},
      {"unknown option", {"list", "--xml"}, 2, "tarsel-cli: unknown option --xml"},
      {"option without value", {"add", "http://x/3", "--name"}, 2, "tarsel-cli: option --name"},
  };
  const std::string before = testing::ReadFileBytes(cli.DataFolder() + "/columns.dat");
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    const CliRun run = cli.Run(test.arguments);
    EXPECT_EQ(run.status, test.status);
    EXPECT_EQ(run.err.substr(0, test.err.size()), test.err);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(testing::ReadFileBytes(cli.DataFolder() + "/columns.dat"), before);
}

TEST(ColumnCommandsTest, ListShowsTheTreeWithCounts) {
  CliSession cli;
  ASSERT_EQ(cli.Run({"add-group", "News"}).status, 0);
  ASSERT_EQ(cli.Run({"add-group", "Inner", "--group", "1"}).status, 0);
  ASSERT_EQ(cli.Run({"add", "http://example.com/a.xml", "--group", "2", "--name", "A"}).status, 0);
  ASSERT_EQ(cli.Run({"add", "http://example.com/b.xml"}).status, 0);

  const CliRun json_run = cli.Run({"list", "--json"});
  ASSERT_EQ(json_run.status, 0) << json_run.err;
  const nlohmann::json nodes = nlohmann::json::parse(json_run.out);
  ASSERT_EQ(nodes.size(), 2u);
  EXPECT_EQ(nodes[0]["kind"], "group");
  EXPECT_EQ(nodes[0]["name"], "News");
  const nlohmann::json& column = nodes[0]["children"][0]["children"][0];
  EXPECT_EQ(column["id"], 3);
  EXPECT_EQ(column["kind"], "column");
  EXPECT_EQ(column["title"], "A");
  EXPECT_EQ(column["url"], "http://example.com/a.xml");
  EXPECT_EQ(column["interval"], 10800);
  EXPECT_EQ(column["last_result"], 0);
  EXPECT_FALSE(nodes[0].contains("url"));
  EXPECT_FALSE(nodes[1].contains("children"));

  EXPECT_EQ(cli.Run({"list"}).out,
            "[1] News (0/0)\n"
            "  [2] Inner (0/0)\n"
            "    [3] A (0/0)  http://example.com/a.xml\n"
            "[4] New RSS Column (0/0)  http://example.com/b.xml\n");

  ASSERT_EQ(cli.Run({"remove", "1"}).status, 0);
  EXPECT_EQ(cli.Run({"list"}).out, "[4] New RSS Column (0/0)  http://example.com/b.xml\n");
}

TEST(ColumnCommandsTest, UnreadableStoreIsNeverOverwritten) {
  CliSession cli;
  ASSERT_EQ(cli.Run({"list"}).status, 0) << "creates the data folder";
  // A store that exists but cannot be read: a folder where the file should be.
  ASSERT_EQ(mkdir((cli.DataFolder() + "/columns.dat").c_str(), 0700), 0);
  const CliRun run = cli.Run({"add", "http://example.com/a.xml"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot read " + cli.DataFolder() + "/columns.dat: Is a directory"),
            std::string::npos)
      << run.err;
}

TEST(ColumnCommandsTest, DamagedStoreIsKeptAndReported) {
  CliSession cli;
  ASSERT_EQ(cli.Run({"add-group", "News"}).status, 0);
  ASSERT_EQ(cli.Run({"add", "http://example.com/a.xml", "--group", "1"}).status, 0);
  const std::string path = cli.DataFolder() + "/columns.dat";
  std::string damaged = testing::ReadFileBytes(path);
  damaged[31] = '\xff';
  testing::WriteFileBytes(path, damaged);

  const CliRun listed = cli.Run({"list"});
  EXPECT_EQ(listed.status, 0);
  EXPECT_NE(listed.err.find("columns.dat is damaged at byte 32 of"), std::string::npos)
      << listed.err;
  const CliRun added = cli.Run({"add-group", "X"});
  EXPECT_EQ(added.status, 0);
  EXPECT_NE(added.err.find("was kept as " + path + ".damaged-"), std::string::npos) << added.err;
  size_t kept = 0;
  for (const auto& entry : std::filesystem::directory_iterator(cli.DataFolder())) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with("columns.dat.damaged-")) {
      ++kept;
      EXPECT_TRUE(testing::ReadFileBytes(entry.path().string()) == damaged);
    }
  }
  EXPECT_EQ(kept, 1u);
  EXPECT_EQ(cli.Run({"add-group", "Y"}).err, "") << "the new store reads whole";
}

}  // namespace
}  // namespace tarsel
