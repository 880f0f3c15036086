#include "cli/update_record.h"

#include <nlohmann/json.hpp>
#include <set>

#include "net/download/failure_code.h"
#include "platform/atomic_file.h"

namespace tarsel::cli {
namespace {

std::string RecordPath(const std::string& data_folder) {
  return data_folder + "/" + UpdateRecord::kFileName;
}

}  // namespace

void UpdateRecord::Load(const std::string& data_folder) {
  failures_.clear();
  saved_text_.clear();
  const std::optional<FileContent> content = ReadWholeFile(RecordPath(data_folder));
  if (!content) return;
  saved_text_ = std::string(content->view());
  const nlohmann::json json = nlohmann::json::parse(content->view(), nullptr, false);
  if (!json.is_object() || !json.contains("columns") || !json["columns"].is_array()) return;
  for (const nlohmann::json& entry : json["columns"]) {
    if (!entry.is_object()) continue;
    const int32_t id = entry.value("id", 0);
    RecordedFailure failure{entry.value("url", ""), entry.value("failure", 0),
                            entry.value("http_status", 0)};
    if (id > 0 && failure.failure != 0) failures_[id] = std::move(failure);
  }
}

bool UpdateRecord::Save(const std::string& data_folder, const ColumnTree& tree) {
  std::set<int32_t> ids;
  for (const auto& column : tree.Columns()) ids.insert(column->id);
  nlohmann::json columns = nlohmann::json::array();
  for (const auto& [id, failure] : failures_) {
    if (ids.count(id) == 0) continue;
    columns.push_back({{"id", id},
                       {"url", failure.url},
                       {"failure", failure.failure},
                       {"http_status", failure.http_status}});
  }
  nlohmann::json json;
  json["columns"] = std::move(columns);
  const std::string text =
      json.dump(1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
  // An update that changed no column's fate leaves the file alone.
  if (text == saved_text_) return true;
  if (!WriteFileAtomically(RecordPath(data_folder), text, 0600, false)) return false;
  saved_text_ = text;
  return true;
}

void UpdateRecord::Note(const Column& column, const std::string& url_utf8) {
  const int32_t failure = column.last_result.load();
  // A discovered feed link is news: the column moved to the feed and works.
  if (failure == kFailureNone || failure == kFailureFeedDiscovered) {
    failures_.erase(column.id);
    return;
  }
  failures_[column.id] = {url_utf8, failure, column.last_http_status.load()};
}

const RecordedFailure* UpdateRecord::Find(const Column& column, const std::string& url_utf8) const {
  const auto found = failures_.find(column.id);
  if (found == failures_.end() || found->second.url != url_utf8) return nullptr;
  return &found->second;
}

}  // namespace tarsel::cli
