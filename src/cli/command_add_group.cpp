// tarsel-cli add-group NAME: a new group of columns.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "cli/tree_edit.h"

namespace tarsel::cli {
namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli add-group NAME [--group ID]\n"
    "Adds a group (inside the group ID when given) and prints its id.\n";

}  // namespace

int RunAddGroup(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {"--group"}, {}, 1, 1, error)) return UsageError(kUsage, error);
  int status = kExitOk;
  auto session = ColumnStoreSession::Open(StoreAccess::kWrite, status);
  if (!session) return status;

  ColumnGroup* parent = nullptr;
  if (!ParentGroup(*session, args.Value("--group"), parent)) return kExitFailure;
  auto group = std::make_shared<ColumnGroup>(session->FromUtf8(args.words()[0]));
  group->id = session->tree().LowestFreeId();
  (parent ? *parent : session->tree().root()).AddChild(group);
  if (!session->Save()) return kExitFailure;
  std::printf("%d\n", group->id);
  return kExitOk;
}

}  // namespace tarsel::cli
