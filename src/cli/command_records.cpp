// tarsel-cli records ID: what the records list shows for a column or group.
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/channel_json.h"
#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "parse/dates/date_format.h"
#include "store/column.h"
#include "view/records_view_model.h"

namespace tarsel::cli {
namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli records ID [--unread] [--all] [--json]\n"
    "Shows the records the records list shows for the column or group ID: deleted records\n"
    "hidden, filter rules applied, unread first when the settings say so. --unread shows only\n"
    "unread ones; --all shows every stored record with its flags instead.\n";

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

nlohmann::ordered_json RowToJson(const RecordsViewModel& view, size_t row, int code_page) {
  const Record& record = *view.RecordAt(row);
  nlohmann::ordered_json json = RecordToJson(record, code_page);
  json["column"] = view.ColumnAt(row)->id;
  json["received"] = record.received;
  json["unread"] = record.unread;
  json["new"] = record.is_new;
  json["persistent"] = record.persistent;
  json["deleted"] = record.deleted;
  return json;
}

void PrintJson(int32_t node_id, const RecordsViewModel& view, const ColumnStoreSession& session) {
  nlohmann::ordered_json json;
  json["column"] = node_id;
  nlohmann::ordered_json records = nlohmann::ordered_json::array();
  for (size_t row = 0; row < view.size(); ++row) {
    records.push_back(RowToJson(view, row, session.code_page()));
  }
  json["records"] = std::move(records);
  if (view.empty()) json["empty_text"] = session.ToUtf8(view.empty_text());
  std::printf("%s\n", json.dump(2).c_str());
}

// "U-P- [2004.03.05 09:07] Title" then the link: unread, new, persistent, deleted.
void PrintRows(const RecordsViewModel& view, const ColumnStoreSession& session) {
  for (const RecordsRow& row : view.rows()) {
    const Record& record = *row.record;
    std::printf("%c%c%c%c %s %s\n     %s\n", record.unread ? 'U' : '-', record.is_new ? 'N' : '-',
                record.persistent ? 'P' : '-', record.deleted ? 'D' : '-',
                FormatRecordStamp(record.published).c_str(), session.ToUtf8(record.title).c_str(),
                session.ToUtf8(record.link).c_str());
  }
}

}  // namespace

int RunRecords(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {}, {"--unread", "--all", "--json"}, 1, 1, error)) {
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
  if (args.Has("--json")) {
    PrintJson(node->id, view, *session);
  } else if (view.empty()) {
    std::printf("%s\n", session->ToUtf8(view.empty_text()).c_str());
  } else {
    PrintRows(view, *session);
  }
  return kExitOk;
}

}  // namespace tarsel::cli
