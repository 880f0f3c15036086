// tarsel-cli: the engine without a window, on the same data folder as the desktop program.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/product_version.h"
#include "cli/commands.h"

namespace {

void PrintUsage(FILE* out) {
  std::fprintf(out,
               "Usage: tarsel-cli COMMAND [ARGUMENTS]\n"
               "\n"
               "Commands:\n"
               "  --help       show this text\n"
               "  --version    show the product name and version\n");
  for (const tarsel::cli::Command& command : tarsel::cli::AllCommands()) {
    std::fprintf(out, "  %-12s %s\n", command.name, command.summary);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    PrintUsage(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("%s %s\n", tarsel::kProductName, tarsel::kProductVersion);
    return 0;
  }
  for (const tarsel::cli::Command& command : tarsel::cli::AllCommands()) {
    if (std::strcmp(argv[1], command.name) == 0) {
      return command.run(argc - 2, argv + 2);
    }
  }
  std::fprintf(stderr, "tarsel-cli: unknown command '%s' (try --help)\n", argv[1]);
  return 2;
}
