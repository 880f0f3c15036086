// tarsel-cli export-opml [FILE]: every column as an OPML file.
#include <cstdio>
#include <string>

#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "parse/lists/opml_export.h"

namespace tarsel::cli {
namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli export-opml [FILE]\n"
    "Writes every column as OPML to FILE (replacing it), or to standard output. The text is in\n"
    "the program's code page, as the desktop program exports it.\n";

}  // namespace

int RunExportOpml(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {}, {}, 0, 1, error)) return UsageError(kUsage, error);
  int status = kExitOk;
  auto session = ColumnStoreSession::Open(StoreAccess::kRead, status);
  if (!session) return status;

  if (args.words().empty()) {
    const std::string text = OpmlExportText(session->tree());
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
      return Fail(kExitFailure, "cannot write to standard output");
    }
    return kExitOk;
  }
  const std::string& path = args.words()[0];
  if (path.empty()) return UsageError(kUsage, "the file name is empty");
  if (!ExportOpml(session->tree(), path)) return Fail(kExitFailure, "cannot write " + path);
  return kExitOk;
}

}  // namespace tarsel::cli
