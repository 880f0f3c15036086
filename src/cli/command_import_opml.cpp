// tarsel-cli import-opml FILE: takes every feed of an OPML file over as new columns.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>

#include "app/area_options.h"
#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "cli/console.h"
#include "cli/tree_edit.h"
#include "parse/lists/column_merge.h"
#include "platform/atomic_file.h"

namespace tarsel::cli {
namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli import-opml FILE [--group ID]\n"
    "Adds a column for every outline of the OPML file that has an xmlUrl; folders become\n"
    "groups, joining groups of the same name. Feeds some column already has, and outlines\n"
    "without an xmlUrl, are skipped and counted. Folders nested more than 64 deep are\n"
    "flattened into the 64th level. Prints what was added and what was skipped.\n"
    "\n"
    "Options:\n"
    "  --group ID  add everything inside the group ID (default: the top level)\n"
    "  --help      show this text\n";

// Subscription lists are small; anything larger is not one and would only exhaust memory.
constexpr off_t kMaxListFileSize = 64 * 1024 * 1024;

// The file's bytes; prints why not and gives nothing when it cannot be read or is too large.
std::optional<FileContent> ReadListFile(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    Fail(kExitFailure, FileError("read", path, S_ISDIR(info.st_mode) ? EISDIR : errno));
    return std::nullopt;
  }
  if (info.st_size > kMaxListFileSize) {
    Fail(kExitFailure, path + " is too large for a subscription list");
    return std::nullopt;
  }
  errno = 0;
  std::optional<FileContent> content = ReadWholeFile(path);
  if (!content) Fail(kExitFailure, FileError("read", path, errno));
  return content;
}

}  // namespace

int RunImportOpml(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {"--group"}, {}, 1, 1, error)) return UsageError(kUsage, error);
  if (args.words()[0].empty()) return UsageError(kUsage, "the file name is empty");
  if (const auto group = args.Value("--group"); group && !CheckNodeIds({*group}, error)) {
    return UsageError(kUsage, error);
  }
  const std::optional<FileContent> content = ReadListFile(args.words()[0]);
  if (!content) return kExitFailure;
  int status = kExitOk;
  ColumnGroup* parent = nullptr;
  auto session = OpenWithParentGroup(args.Value("--group"), parent, status);
  if (!session) return status;
  MergeCounts counts;
  if (!LoadOpml(session->tree(), content->view(), parent, session->store_options().column_defaults,
                EncodingForSettings(session->settings()), counts, error)) {
    return Fail(kExitFailure, args.words()[0] + ": " + error);
  }
  if ((counts.added > 0 || counts.groups > 0) && !session->Save()) return kExitFailure;
  char line[200];
  std::snprintf(line, sizeof(line),
                "added %zu columns, created %zu groups; skipped %zu duplicates, %zu outlines "
                "without a feed URL\n",
                counts.added, counts.groups, counts.duplicates, counts.without_feed_url);
  Out(line);
  return kExitOk;
}

}  // namespace tarsel::cli
