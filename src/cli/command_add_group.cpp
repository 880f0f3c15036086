// tarsel-cli add-group NAME: a new group of columns.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "cli/console.h"
#include "cli/tree_edit.h"

namespace tarsel::cli {
namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli add-group NAME [--group ID]\n"
    "Adds a group called NAME (not empty) and prints its id.\n"
    "\n"
    "Options:\n"
    "  --group ID  add the group inside the group ID (default: the top level)\n"
    "  --help      show this text\n";

}  // namespace

int RunAddGroup(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {"--group"}, {}, 1, 1, error)) return UsageError(kUsage, error);
  if (args.words()[0].find_first_not_of(" \t") == std::string::npos) {
    return UsageError(kUsage, "the group name is empty");
  }
  if (const auto group = args.Value("--group"); group && !CheckNodeIds({*group}, error)) {
    return UsageError(kUsage, error);
  }
  int status = kExitOk;
  ColumnGroup* parent = nullptr;
  auto session = OpenWithParentGroup(args.Value("--group"), parent, status);
  if (!session) return status;
  auto group = std::make_shared<ColumnGroup>(session->FromUtf8(args.words()[0]));
  group->id = session->tree().LowestFreeId();
  (parent ? *parent : session->tree().root()).AddChild(group);
  if (!session->Save()) return kExitFailure;
  Out(std::to_string(group->id) + "\n");
  return kExitOk;
}

}  // namespace tarsel::cli
