// tarsel-cli add URL: subscribes to a feed as a new column.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "cli/tree_edit.h"
#include "update/merge_records.h"

namespace tarsel::cli {
namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli add URL [--name NAME] [--group ID] [--login LOGIN --password PASSWORD]\n"
    "Adds a column for the feed at URL and prints its id. Without --name the column is called\n"
    "\"New RSS Column\" until its first update gives it the feed's title.\n";

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
  if (args.words()[0].empty()) return UsageError(kUsage, "the URL is empty");
  int status = kExitOk;
  auto session = ColumnStoreSession::Open(StoreAccess::kWrite, status);
  if (!session) return status;

  ColumnGroup* parent = nullptr;
  if (!ParentGroup(*session, args.Value("--group"), parent)) return kExitFailure;
  std::shared_ptr<Column> column = NewColumn(*session, args);
  column->id = session->tree().LowestFreeId();
  std::string message;
  if (!session->tree().AddColumn(column, parent, &message)) {
    std::fprintf(stderr, "%s\n", session->ToUtf8(message).c_str());
    return kExitFailure;
  }
  if (!session->Save()) return kExitFailure;
  std::printf("%d\n", column->id);
  return kExitOk;
}

}  // namespace tarsel::cli
