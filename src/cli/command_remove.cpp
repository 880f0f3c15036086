// tarsel-cli remove ID: unsubscribes a column, or deletes a group with everything in it.
#include <cstdio>
#include <string>

#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "cli/tree_edit.h"

namespace tarsel::cli {
namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli remove ID\n"
    "Removes the column ID, or the group ID with every column and group inside it.\n"
    "\n"
    "Options:\n"
    "  --help  show this text\n";

}  // namespace

int RunRemove(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {}, {}, 1, 1, error) || !CheckNodeIds(args.words(), error)) {
    return UsageError(kUsage, error);
  }
  int status = kExitOk;
  auto session = ColumnStoreSession::Open(StoreAccess::kWrite, status);
  if (!session) return status;
  const TreeNodeRef node = session->FindNode(args.words()[0]);
  if (!node) return kExitFailure;
  RemoveNode(*node);
  return session->Save() ? kExitOk : kExitFailure;
}

}  // namespace tarsel::cli
