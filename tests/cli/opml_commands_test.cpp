#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli_session.h"
#include "store/store_files.h"

namespace tarsel {
namespace {

using testing::CliRun;
using testing::CliSession;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

// Columns never updated have no channel link, so their outlines carry an empty htmlUrl; they
// come back all the same.
TEST(OpmlCommandsTest, ExportThenImportIntoAnotherFolderGivesTheSameColumns) {
  const std::vector<std::string> urls = {"http://example.com/a.xml?x=1&y=2",
                                         "http://example.com/b.xml", "https://example.com/c"};
  std::string exported;
  {
    CliSession cli;
    ASSERT_EQ(cli.Run({"add", urls[0]}).status, 0);
    ASSERT_EQ(cli.Run({"add-group", "News"}).status, 0);
    ASSERT_EQ(cli.Run({"add", urls[1], "--group", "2"}).status, 0);
    ASSERT_EQ(cli.Run({"add", urls[2], "--group", "2"}).status, 0);
    const CliRun out = cli.Run({"export-opml"});
    ASSERT_EQ(out.status, 0) << out.err;
    exported = out.out;
    const std::string file = cli.DataFolder() + "/out.opml";
    ASSERT_EQ(cli.Run({"export-opml", file}).status, 0);
    EXPECT_EQ(ReadFileBytes(file), exported);
  }
  EXPECT_NE(exported.find("xmlUrl=\"http://example.com/a.xml?x=1&amp;y=2\""), std::string::npos);

  CliSession cli;
  const std::string file = cli.DataFolder() + "/in.opml";
  ASSERT_EQ(cli.Run({"add", urls[1]}).status, 0);
  WriteFileBytes(file, exported);
  const CliRun first = cli.Run({"import-opml", file});
  EXPECT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out,
            "added 2 columns, created 0 groups; skipped 1 duplicates, 0 outlines without a feed "
            "URL\n");
  ColumnTree tree;
  StoreOptions options;
  ASSERT_TRUE(LoadColumnStore(tree, cli.DataFolder(), options));
  std::vector<std::string> imported;
  for (const auto& column : tree.Columns()) imported.push_back(column->url);
  std::sort(imported.begin(), imported.end());
  EXPECT_EQ(imported, urls);

  WriteFileBytes(file, exported.substr(0, exported.find("</body>")) +
                           "<outline text=\"folder without feeds\"/>"
                           "<outline title=\"site only\" htmlUrl=\"http://s/\"/></body></opml>");
  EXPECT_EQ(cli.Run({"import-opml", file}).out,
            "added 0 columns, created 0 groups; skipped 3 duplicates, 2 outlines without a feed "
            "URL\n");
}

TEST(OpmlCommandsTest, ImportRefusesBadInputWithAClearMessage) {
  CliSession cli;
  ASSERT_EQ(cli.Run({"add", "http://example.com/a.xml"}).status, 0);
  const std::string truncated = cli.DataFolder() + "/cut.opml";
  WriteFileBytes(truncated, "<opml><body><outline text=\"a\" htmlUrl=\"h\"");
  const struct {
    std::vector<std::string> arguments;
    int status;
    const char* message;
  } cases[] = {
      {{"import-opml", truncated}, 1, "not well-formed XML"},
      {{"import-opml", cli.DataFolder() + "/missing.opml"}, 1, "No such file or directory"},
      {{"import-opml", cli.DataFolder()}, 1, "Is a directory"},
      {{"import-opml", truncated, "--group", "1"}, 1, "not a group"},
      {{"import-opml"}, 2, "Usage"},
  };
  for (const auto& c : cases) {
    const CliRun run = cli.Run(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace tarsel
