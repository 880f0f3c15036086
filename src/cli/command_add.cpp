// tarsel-cli add URL: subscribes to a feed as a new column.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "cli/console.h"
#include "cli/tree_edit.h"
#include "update/merge_records.h"

namespace tarsel::cli {
namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli add URL [--name NAME] [--group ID] [--login LOGIN --password PASSWORD]\n"
    "Adds a column for the feed at URL (http or https, with a host) and prints its id.\n"
    "\n"
    "Options:\n"
    "  --name NAME          the column's name; without it the column is called\n"
    "                       \"New RSS Column\" until its first update gives it the feed's title\n"
    "  --group ID           add the column inside the group ID (default: the top level)\n"
    "  --login LOGIN        user name the site asks for (HTTP basic authentication)\n"
    "  --password PASSWORD  password the site asks for\n"
    "  --help               show this text\n";

std::shared_ptr<Column> NewColumn(const ColumnStoreSession& session, const CommandArgs& args) {
  auto column = std::make_shared<Column>(session.store_options().column_defaults);
  column->url = session.FromUtf8(args.words()[0]);
  column->name = session.FromUtf8(args.Value("--name").value_or(kNewColumnName));
  column->login = session.FromUtf8(args.Value("--login").value_or(""));
  column->password = session.FromUtf8(args.Value("--password").value_or(""));
  return column;
}

}  // namespace

int RunAdd(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {"--name", "--group", "--login", "--password"}, {}, 1, 1, error)) {
    return UsageError(kUsage, error);
  }
  if (!CheckFeedUrl(args.words()[0], error)) return UsageError(kUsage, error);
  if (const auto group = args.Value("--group"); group && !CheckNodeIds({*group}, error)) {
    return UsageError(kUsage, error);
  }
  int status = kExitOk;
  ColumnGroup* parent = nullptr;
  auto session = OpenWithParentGroup(args.Value("--group"), parent, status);
  if (!session) return status;
  std::shared_ptr<Column> column = NewColumn(*session, args);
  std::string message;
  if (!session->tree().AddColumn(column, parent, &message)) {
    return Fail(kExitFailure, session->ToUtf8(message));
  }
  if (!session->Save()) return kExitFailure;
  Out(std::to_string(column->id) + "\n");
  return kExitOk;
}

}  // namespace tarsel::cli
