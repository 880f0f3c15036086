// tarsel-cli list: the columns tree with the unread and total counts of every node.
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "cli/console.h"
#include "cli/failure_text.h"
#include "cli/json_output.h"
#include "cli/terminal_text.h"
#include "cli/update_record.h"
#include "store/column.h"

namespace tarsel::cli {
namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli list [--json]\n"
    "Shows the columns tree: groups, columns, unread and total record counts, and for a\n"
    "column whose last 'tarsel-cli update' failed, that failure.\n"
    "\n"
    "Options:\n"
    "  --json  print the tree as JSON (\"last_result\" and \"message\" per column)\n"
    "  --help  show this text\n";

class TreePrinter {
 public:
  TreePrinter(const ColumnStoreSession& session, const UpdateRecord& record)
      : session_(session), record_(record), colours_(ColoursFor(stdout)) {}

  nlohmann::ordered_json NodeToJson(const TreeNode& node) const {
    nlohmann::ordered_json json;
    json["id"] = node.id;
    const bool group = node.Kind() == NodeKind::kGroup;
    json["kind"] = group ? "group" : "column";
    json["name"] = session_.ToUtf8(node.name);
    json["title"] = session_.ToUtf8(node.DisplayName());
    json["unread"] = node.UnreadCount();
    json["total"] = node.TotalCount();
    if (group) {
      nlohmann::ordered_json children = nlohmann::ordered_json::array();
      for (const TreeNodeRef& child : static_cast<const ColumnGroup&>(node).children()) {
        children.push_back(NodeToJson(*child));
      }
      json["children"] = std::move(children);
    } else if (node.Kind() == NodeKind::kColumn) {
      const auto& column = static_cast<const Column&>(node);
      const std::string url = session_.ToUtf8(column.url);
      json["url"] = url;
      json["interval"] = column.update_interval;
      const RecordedFailure* failure = record_.Find(column, url);
      json["last_result"] = failure != nullptr ? failure->failure : 0;
      json["message"] = failure != nullptr ? FailureText(failure->failure) : "";
      json["detail"] =
          failure != nullptr ? FailureDetail(failure->failure, failure->http_status) : "";
    }
    return json;
  }

  void Print(const TreeNode& node, int depth) const {
    std::string line(static_cast<size_t>(depth) * 2, ' ');
    line += "[" + std::to_string(node.id) + "] " +
            TerminalText(session_.ToUtf8(node.DisplayName())) + " (" +
            std::to_string(node.UnreadCount()) + "/" + std::to_string(node.TotalCount()) + ")";
    if (node.Kind() == NodeKind::kColumn) {
      const auto& column = static_cast<const Column&>(node);
      const std::string url = session_.ToUtf8(column.url);
      line += "  " + TerminalText(url);
      if (const RecordedFailure* failure = record_.Find(column, url)) {
        const std::string text = "(" + FailureText(failure->failure) + ")";
        line += "  " + Coloured(text, Colour::kRed, colours_);
      }
    }
    Out(line + "\n");
    if (node.Kind() != NodeKind::kGroup) return;
    for (const TreeNodeRef& child : static_cast<const ColumnGroup&>(node).children()) {
      Print(*child, depth + 1);
    }
  }

 private:
  const ColumnStoreSession& session_;
  const UpdateRecord& record_;
  const bool colours_;
};

}  // namespace

int RunList(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {}, {"--json"}, 0, 0, error)) return UsageError(kUsage, error);
  int status = kExitOk;
  auto session = ColumnStoreSession::Open(StoreAccess::kCount, status);
  if (!session) return status;
  UpdateRecord record;
  record.Load(session->data_folder());
  const TreePrinter printer(*session, record);
  if (args.Has("--json")) {
    nlohmann::ordered_json nodes = nlohmann::ordered_json::array();
    for (const TreeNodeRef& node : session->tree().nodes())
      nodes.push_back(printer.NodeToJson(*node));
    Out(JsonText(nodes) + "\n");
  } else {
    for (const TreeNodeRef& node : session->tree().nodes()) printer.Print(*node, 0);
  }
  return kExitOk;
}

}  // namespace tarsel::cli
