// tarsel-cli records ID: what the records list shows for a column or group.
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "cli/records_output.h"
#include "store/column.h"
#include "view/records_view_model.h"

namespace tarsel::cli {
namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli records ID [--unread] [--all] [--json]\n"
    "Shows the records the records list shows for the column or group ID: deleted records\n"
    "hidden, filter rules applied, unread first when the settings say so. --unread shows only\n"
    "unread ones; --all shows every stored record with its flags instead.\n"
    "\n"
    "Options:\n"
    "  --unread  only unread records\n"
    "  --all     every stored record, deleted ones included, in stored order\n"
    "  --json    print the records as JSON\n"
    "  --help    show this text\n";

// Every stored record of the node's columns, deleted markers included, in stored order.
RecordsViewModel AllStoredRecords(TreeNode& node) {
  std::vector<std::shared_ptr<Column>> columns;
  node.CollectColumns(columns);
  RecordsViewModel view(RecordsViewKind::kNode);
  for (const std::shared_ptr<Column>& column : columns) {
    for (const RecordRef& record : column->channel.records) view.AddRow(column, record);
  }
  return view;
}

}  // namespace

int RunRecords(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {}, {"--unread", "--all", "--json"}, 1, 1, error) ||
      !CheckNodeIds(args.words(), error)) {
    return UsageError(kUsage, error);
  }
  int status = kExitOk;
  auto session = ColumnStoreSession::Open(StoreAccess::kRead, status);
  if (!session) return status;
  const TreeNodeRef node = session->FindNode(args.words()[0]);
  if (!node) return kExitFailure;

  RecordsViewModel view = args.Has("--all")
                              ? AllStoredRecords(*node)
                              : RecordsViewModel::BuildForNode(*node, session->settings());
  if (args.Has("--unread")) {
    std::erase_if(view.rows(), [](const RecordsRow& row) { return !row.record->unread; });
  }
  PrintRecordRows(node->id, view, args.Has("--json"), *session);
  return kExitOk;
}

}  // namespace tarsel::cli
