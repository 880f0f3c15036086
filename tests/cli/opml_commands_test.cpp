#include <gtest/gtest.h>

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

TEST(OpmlCommandsTest, ExportThenImportIntoAnotherFolderRoundTrips) {
  std::string exported;
  {
    CliSession cli;
    ASSERT_EQ(cli.Run({"add", "http://example.com/a.xml?x=1&y=2"}).status, 0);
    ASSERT_EQ(cli.Run({"add-group", "News"}).status, 0);
    ASSERT_EQ(cli.Run({"add", "http://example.com/b.xml", "--group", "2"}).status, 0);
    const CliRun out = cli.Run({"export-opml"});
    ASSERT_EQ(out.status, 0) << out.err;
    exported = out.out;
    const std::string file = cli.DataFolder() + "/out.opml";
    ASSERT_EQ(cli.Run({"export-opml", file}).status, 0);
    EXPECT_EQ(ReadFileBytes(file), exported);
  }
  // Columns that were never updated have no channel link: their outlines are written but not
  // offered back, as an outline needs both addresses. Give them the link an update would.
  std::string with_links = exported;
  const std::string empty_link = "htmlUrl=\"\"";
  for (size_t at; (at = with_links.find(empty_link)) != std::string::npos;) {
    with_links.replace(at, empty_link.size(), "htmlUrl=\"http://example.com\"");
  }
  EXPECT_NE(with_links.find("xmlUrl=\"http://example.com/a.xml?x=1&amp;y=2\""), std::string::npos);

  CliSession cli;
  const std::string file = cli.DataFolder() + "/in.opml";
  ASSERT_EQ(cli.Run({"add", "http://example.com/b.xml"}).status, 0);
  WriteFileBytes(file, with_links);
  const CliRun first = cli.Run({"import-opml", file});
  EXPECT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out, "added 1 columns, skipped 1 duplicates, created 0 groups\n");
  ColumnTree tree;
  StoreOptions options;
  ASSERT_TRUE(LoadColumnStore(tree, cli.DataFolder(), options));
  EXPECT_NE(tree.FindColumnByUrl("http://example.com/a.xml?x=1&y=2"), nullptr);
  EXPECT_EQ(cli.Run({"import-opml", file}).out,
            "added 0 columns, skipped 2 duplicates, created 0 groups\n");
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
      {{"import-opml", cli.DataFolder() + "/missing.opml"}, 1, "cannot read"},
      {{"import-opml", cli.DataFolder()}, 1, "cannot read"},
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
