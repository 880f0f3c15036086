#include "cli/records_output.h"

#include <nlohmann/json.hpp>

#include "cli/channel_json.h"
#include "cli/console.h"
#include "cli/json_output.h"
#include "cli/terminal_text.h"
#include "parse/dates/date_format.h"
#include "view/record_title_text.h"

namespace tarsel::cli {
namespace {

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
  Out(JsonText(json) + "\n");
}

// "U-P- [2004.03.05 09:07] Title" then the link: unread, new, persistent, deleted.
void PrintText(const RecordsViewModel& view, const ColumnStoreSession& session) {
  for (const RecordsRow& row : view.rows()) {
    const Record& record = *row.record;
    std::string line;
    line += record.unread ? 'U' : '-';
    line += record.is_new ? 'N' : '-';
    line += record.persistent ? 'P' : '-';
    line += record.deleted ? 'D' : '-';
    line += ' ';
    line += FormatRecordStamp(record.published);
    line += ' ';
    line += TerminalText(session.ToUtf8(RecordTitleText(record.title)));
    line += "\n     ";
    line += TerminalText(session.ToUtf8(record.link));
    line += '\n';
    Out(line);
  }
}

}  // namespace

void PrintRecordRows(int32_t node_id, const RecordsViewModel& view, bool json,
                     const ColumnStoreSession& session) {
  if (json) {
    PrintJson(node_id, view, session);
  } else if (view.empty()) {
    Out(TerminalText(session.ToUtf8(view.empty_text()), LineBreaks::kKeep) + "\n");
  } else {
    PrintText(view, session);
  }
}

}  // namespace tarsel::cli
