// tarsel-cli mark-read ID|all: every record of a column, a group or the whole tree is read.
#include <cstdio>
#include <string>

#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "cli/tree_edit.h"
#include "view/record_operations.h"

namespace tarsel::cli {

// Shared with mark-unread.
int RunMarkAll(int argc, char* argv[], bool read) {
  const std::string usage = std::string("Usage: tarsel-cli ") +
                            (read ? "mark-read" : "mark-unread") +
                            " ID|all\n"
                            "Marks every record of the column ID, of every column in the group "
                            "ID, or of all columns " +
                            (read ? "read" : "unread") +
                            ".\n"
                            "\n"
                            "Options:\n"
                            "  --help  show this text\n";
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {}, {}, 1, 1, error) ||
      (args.words()[0] != "all" && !CheckNodeIds(args.words(), error))) {
    return UsageError(usage, error);
  }
  int status = kExitOk;
  auto session = ColumnStoreSession::Open(StoreAccess::kWrite, status);
  if (!session) return status;
  TreeNodeRef node;
  if (args.words()[0] == "all") {
    node = session->tree().root().shared_from_this();
  } else if (!(node = session->FindNode(args.words()[0]))) {
    return kExitFailure;
  }
  MarkNodeRecords(*node, !read);
  return session->Save() ? kExitOk : kExitFailure;
}

int RunMarkRead(int argc, char* argv[]) {
  return RunMarkAll(argc, argv, true);
}

}  // namespace tarsel::cli
