// tarsel-cli export-opml [FILE]: every column as an OPML file.
#include <cerrno>
#include <cstdio>
#include <string>

#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "cli/console.h"
#include "parse/lists/opml_export.h"

namespace tarsel::cli {
namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli export-opml [FILE]\n"
    "Writes every column as OPML to FILE (replacing it), or to standard output, in UTF-8 as the\n"
    "desktop program exports it.\n"
    "\n"
    "Options:\n"
    "  --help  show this text\n";

}  // namespace

int RunExportOpml(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {}, {}, 0, 1, error)) return UsageError(kUsage, error);
  if (!args.words().empty() && args.words()[0].empty()) {
    return UsageError(kUsage, "the file name is empty");
  }
  int status = kExitOk;
  auto session = ColumnStoreSession::Open(StoreAccess::kCount, status);
  if (!session) return status;

  if (args.words().empty()) {
    Out(OpmlExportText(session->tree(), session->code_page()));
    return kExitOk;
  }
  const std::string& path = args.words()[0];
  errno = 0;
  if (!ExportOpml(session->tree(), path, session->code_page()))
    return Fail(kExitFailure, FileError("write", path, errno));
  return kExitOk;
}

}  // namespace tarsel::cli
