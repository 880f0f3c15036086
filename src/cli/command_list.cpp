// tarsel-cli list: the columns tree with the unread and total counts of every node.
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "net/download/failure_code.h"
#include "store/column.h"

namespace tarsel::cli {
namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli list [--json]\n"
    "Shows the columns tree: groups, columns, unread and total record counts.\n";

nlohmann::ordered_json NodeToJson(const TreeNode& node, const ColumnStoreSession& session) {
  nlohmann::ordered_json json;
  json["id"] = node.id;
  const bool group = node.Kind() == NodeKind::kGroup;
  json["kind"] = group ? "group" : "column";
  json["name"] = session.ToUtf8(node.name);
  json["title"] = session.ToUtf8(node.DisplayName());
  json["unread"] = node.UnreadCount();
  json["total"] = node.TotalCount();
  if (group) {
    nlohmann::ordered_json children = nlohmann::ordered_json::array();
    for (const TreeNodeRef& child : static_cast<const ColumnGroup&>(node).children()) {
      children.push_back(NodeToJson(*child, session));
    }
    json["children"] = std::move(children);
  } else if (node.Kind() == NodeKind::kColumn) {
    const auto& column = static_cast<const Column&>(node);
    json["url"] = session.ToUtf8(column.url);
    json["interval"] = column.update_interval;
    json["last_result"] = column.last_result.load();
  }
  return json;
}

// The first line of a failure text ("HTTP 404 Error. " of a two-line message).
std::string FailureLine(int32_t code) {
  std::string text = FailureMessage(code);
  return text.substr(0, text.find('\n'));
}

void PrintNode(const TreeNode& node, const ColumnStoreSession& session, int depth) {
  std::printf("%*s[%d] %s (%d/%d)", depth * 2, "", node.id,
              session.ToUtf8(node.DisplayName()).c_str(), node.UnreadCount(), node.TotalCount());
  if (node.Kind() == NodeKind::kColumn) {
    const auto& column = static_cast<const Column&>(node);
    std::printf("  %s", session.ToUtf8(column.url).c_str());
    if (column.last_result.load() != 0) {
      std::printf("  (%s)", FailureLine(column.last_result.load()).c_str());
    }
  }
  std::printf("\n");
  if (node.Kind() != NodeKind::kGroup) return;
  for (const TreeNodeRef& child : static_cast<const ColumnGroup&>(node).children()) {
    PrintNode(*child, session, depth + 1);
  }
}

}  // namespace

int RunList(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {}, {"--json"}, 0, 0, error)) return UsageError(kUsage, error);
  int status = kExitOk;
  auto session = ColumnStoreSession::Open(StoreAccess::kRead, status);
  if (!session) return status;
  if (args.Has("--json")) {
    nlohmann::ordered_json nodes = nlohmann::ordered_json::array();
    for (const TreeNodeRef& node : session->tree().nodes()) {
      nodes.push_back(NodeToJson(*node, *session));
    }
    std::printf("%s\n", nodes.dump(2).c_str());
  } else {
    for (const TreeNodeRef& node : session->tree().nodes()) PrintNode(*node, *session, 0);
  }
  return kExitOk;
}

}  // namespace tarsel::cli
