// tarsel-cli memories and remember: the memories tree, and keeping a record of a column in it.
#include <cerrno>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "cli/console.h"
#include "cli/json_output.h"
#include "cli/records_output.h"
#include "cli/terminal_text.h"
#include "store/memories_operations.h"
#include "store/store_files.h"
#include "view/records_view_model.h"

namespace tarsel::cli {
namespace {

constexpr char kMemoriesUsage[] =
    "Usage: tarsel-cli memories [ID] [--json]\n"
    "Without ID shows the memories tree: memories groups, memories columns and their record\n"
    "counts. With ID shows the records kept in the memories column (or group) ID, as\n"
    "'tarsel-cli records' shows a column's records.\n"
    "\n"
    "Options:\n"
    "  --json  print as JSON\n"
    "  --help  show this text\n";

constexpr char kRememberUsage[] =
    "Usage: tarsel-cli remember ID N (--to MEMORIES_ID | --new NAME)\n"
    "Copies the N-th record (counting from 1) that 'tarsel-cli records ID' shows into a\n"
    "memories column, and prints that memories column.\n"
    "\n"
    "Options:\n"
    "  --to MEMORIES_ID  the memories column to copy into\n"
    "  --new NAME        a new memories column at the top of the memories tree\n"
    "  --help            show this text\n";

// The session loads only columns.dat; the memories tree is read beside it. A file that exists
// but cannot be read stops the command, so writing back cannot lose it.
bool LoadMemories(const ColumnStoreSession& session, ColumnTree& memories) {
  std::string path = session.data_folder();
  path += '/';
  path += kMemoriesStoreName;
  std::error_code missing;
  errno = 0;
  if (LoadMemoriesStore(memories, session.data_folder(), session.store_options())) {
    WarnIfDamagedAtLoad(path);
    return true;
  }
  const int reason = errno;
  if (!std::filesystem::exists(path, missing)) return true;
  Fail(kExitFailure, FileError("read", path, reason));
  return false;
}

nlohmann::ordered_json NodeToJson(const TreeNode& node, const ColumnStoreSession& session) {
  nlohmann::ordered_json json;
  json["id"] = node.id;
  const bool group = node.Kind() == NodeKind::kGroup;
  json["kind"] = group ? "group" : "memories";
  json["name"] = session.ToUtf8(node.name);
  json["total"] = node.TotalCount();
  if (group) {
    nlohmann::ordered_json children = nlohmann::ordered_json::array();
    for (const TreeNodeRef& child : static_cast<const ColumnGroup&>(node).children()) {
      children.push_back(NodeToJson(*child, session));
    }
    json["children"] = std::move(children);
  }
  return json;
}

void PrintNode(const TreeNode& node, const ColumnStoreSession& session, int depth) {
  Out(std::string(static_cast<size_t>(depth) * 2, ' ') + "[" + std::to_string(node.id) + "] " +
      TerminalText(session.ToUtf8(MemoriesTreeLabel(node))) + "\n");
  if (node.Kind() != NodeKind::kGroup) return;
  for (const TreeNodeRef& child : static_cast<const ColumnGroup&>(node).children()) {
    PrintNode(*child, session, depth + 1);
  }
}

// The memories column named by --to, or a new one named by --new (exactly one is given);
// null after printing why.
std::shared_ptr<MemoriesColumn> Target(const CommandArgs& args, ColumnStoreSession& session,
                                       ColumnTree& memories) {
  const auto to = args.Value("--to");
  const auto name = args.Value("--new");
  if (name) return NewMemoriesColumn(memories, session.FromUtf8(*name));
  TreeNodeRef node = memories.FindById(*ParseNodeId(*to));
  if (!node || node->Kind() != NodeKind::kMemoriesColumn) {
    std::string message = "no memories column with id ";
    message += *to;
    Fail(kExitFailure, message);
    return nullptr;
  }
  return std::static_pointer_cast<MemoriesColumn>(node);
}

// The records kept in the memories column (or every memories column of the group) `id`.
int PrintMemoriesRecords(int32_t id, const ColumnTree& memories, const ColumnStoreSession& session,
                         bool json) {
  const TreeNodeRef node = memories.FindById(id);
  if (!node) return Fail(kExitFailure, "no memories column with id " + std::to_string(id));
  PrintRecordRows(id, RecordsViewModel::BuildForNode(*node, session.settings()), json, session);
  return kExitOk;
}

}  // namespace

int RunMemories(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {}, {"--json"}, 0, 1, error) || !CheckNodeIds(args.words(), error)) {
    return UsageError(kMemoriesUsage, error);
  }
  int status = kExitOk;
  auto session = ColumnStoreSession::Open(StoreAccess::kRead, status);
  if (!session) return status;
  ColumnTree memories;
  if (!LoadMemories(*session, memories)) return kExitFailure;
  if (!args.words().empty()) {
    return PrintMemoriesRecords(*ParseNodeId(args.words()[0]), memories, *session,
                                args.Has("--json"));
  }
  if (args.Has("--json")) {
    nlohmann::ordered_json nodes = nlohmann::ordered_json::array();
    for (const TreeNodeRef& node : memories.nodes()) nodes.push_back(NodeToJson(*node, *session));
    Out(JsonText(nodes) + "\n");
  } else {
    for (const TreeNodeRef& node : memories.nodes()) PrintNode(*node, *session, 0);
  }
  return kExitOk;
}

int RunRemember(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {"--to", "--new"}, {}, 2, 2, error)) {
    return UsageError(kRememberUsage, error);
  }
  if (args.Value("--to").has_value() == args.Value("--new").has_value()) {
    return UsageError(kRememberUsage, "give either --to or --new");
  }
  if (const auto name = args.Value("--new"); name && name->empty()) {
    return UsageError(kRememberUsage, "the memories column name is empty");
  }
  if (!CheckNodeIds(args.words(), error) ||
      (args.Value("--to") && !CheckNodeIds({*args.Value("--to")}, error))) {
    return UsageError(kRememberUsage, error);
  }
  int status = kExitOk;
  auto session = ColumnStoreSession::Open(StoreAccess::kWrite, status);
  if (!session) return status;
  const TreeNodeRef node = session->FindNode(args.words()[0]);
  if (!node) return kExitFailure;
  const RecordsViewModel view = RecordsViewModel::BuildForNode(*node, session->settings());
  const std::optional<int32_t> index = ParseNodeId(args.words()[1]);
  if (static_cast<size_t>(*index) > view.size()) {
    std::string message = "no record ";
    message += args.words()[1];
    message += " in ";
    message += args.words()[0];
    return Fail(kExitFailure, message);
  }
  ColumnTree memories;
  if (!LoadMemories(*session, memories)) return kExitFailure;
  const std::shared_ptr<MemoriesColumn> target = Target(args, *session, memories);
  if (!target) return kExitFailure;
  AddRecordToMemories(*view.RecordAt(static_cast<size_t>(*index) - 1), *target);
  errno = 0;
  if (!SaveMemoriesStore(memories, session->data_folder(), session->store_options())) {
    const int reason = errno;
    return Fail(kExitFailure,
                FileError("write", session->data_folder() + "/" + kMemoriesStoreName, reason));
  }
  WarnIfDamagedKept(session->data_folder() + "/" + kMemoriesStoreName);
  Out("[" + std::to_string(target->id) + "] " +
      TerminalText(session->ToUtf8(MemoriesTreeLabel(*target))) + "\n");
  return kExitOk;
}

}  // namespace tarsel::cli
