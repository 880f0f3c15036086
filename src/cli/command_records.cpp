// tarsel-cli records ID: what the records list shows for a column or group.
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/channel_json.h"
#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "cli/records_view.h"
#include "parse/dates/date_format.h"
#include "store/column.h"

namespace tarsel::cli {
namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli records ID [--unread] [--all] [--json]\n"
    "Shows the records the records list shows for the column or group ID: deleted records\n"
    "hidden, filter rules applied, unread first when the settings say so. --unread shows only\n"
    "unread ones; --all shows every stored record with its flags instead.\n";

constexpr char kNoRecordsText[] = "No records";

// Every stored record of the node's columns, deleted markers included, in stored order.
std::vector<SelectedRecord> AllStoredRecords(TreeNode& node) {
  std::vector<std::shared_ptr<Column>> columns;
  node.CollectColumns(columns);
  std::vector<SelectedRecord> rows;
  for (const std::shared_ptr<Column>& column : columns) {
    for (const RecordRef& record : column->channel.records) rows.push_back({column, record});
  }
  return rows;
}

nlohmann::ordered_json RowToJson(const SelectedRecord& row, int code_page) {
  nlohmann::ordered_json json = RecordToJson(*row.record, code_page);
  json["column"] = row.column->id;
  json["received"] = row.record->received;
  json["unread"] = row.record->unread;
  json["new"] = row.record->is_new;
  json["persistent"] = row.record->persistent;
  json["deleted"] = row.record->deleted;
  return json;
}

void PrintJson(int32_t node_id, const std::vector<SelectedRecord>& rows,
               const std::string& empty_text, const ColumnStoreSession& session) {
  nlohmann::ordered_json json;
  json["column"] = node_id;
  nlohmann::ordered_json records = nlohmann::ordered_json::array();
  for (const SelectedRecord& row : rows) records.push_back(RowToJson(row, session.code_page()));
  json["records"] = std::move(records);
  if (rows.empty() && !empty_text.empty()) json["empty_text"] = session.ToUtf8(empty_text);
  std::printf("%s\n", json.dump(2).c_str());
}

// "U-P- [2004.03.05 09:07] Title" then the link: unread, new, persistent, deleted.
void PrintRows(const std::vector<SelectedRecord>& rows, const ColumnStoreSession& session) {
  for (const SelectedRecord& row : rows) {
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

  RecordsView view;
  if (args.Has("--all")) {
    view.rows = AllStoredRecords(*node);
  } else {
    view = BuildRecordsView(*node, session->settings());
  }
  if (args.Has("--unread")) {
    std::erase_if(view.rows, [](const SelectedRecord& row) { return !row.record->unread; });
  }
  if (view.rows.empty() && view.empty_text.empty()) view.empty_text = kNoRecordsText;
  if (args.Has("--json")) {
    PrintJson(node->id, view.rows, view.empty_text, *session);
  } else if (view.rows.empty() && !view.empty_text.empty()) {
    std::printf("%s\n", session->ToUtf8(view.empty_text).c_str());
  } else {
    PrintRows(view.rows, *session);
  }
  return kExitOk;
}

}  // namespace tarsel::cli
