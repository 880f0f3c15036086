// tarsel-cli: the engine without a window, on the same data folder as the desktop program.
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/product_version.h"
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/console.h"

namespace {

using tarsel::cli::Command;

std::string GeneralUsage() {
  std::string text =
      "Usage: tarsel-cli COMMAND [ARGUMENTS]\n"
      "       tarsel-cli help COMMAND    (or tarsel-cli COMMAND --help)\n"
      "\n"
      "Commands:\n"
      "  --help       show this text\n"
      "  --version    show the product name and version\n";
  for (const Command& command : tarsel::cli::AllCommands()) {
    char line[256];
    std::snprintf(line, sizeof(line), "  %-12s %s\n", command.name, command.summary);
    text += line;
  }
  text += "\n";
  text += tarsel::cli::kExitCodeTable;
  return text;
}

const Command* FindCommand(const char* name) {
  for (const Command& command : tarsel::cli::AllCommands()) {
    if (std::strcmp(name, command.name) == 0) return &command;
  }
  return nullptr;
}

int UnknownCommand(const char* name) {
  std::string message = "unknown command '";
  message += name;
  message += "'";
  return tarsel::cli::UsageError(GeneralUsage(), message);
}

// "help" alone is the general help; "help COMMAND" is that command's --help.
int Help(int argc, char* argv[]) {
  if (argc < 3 || std::strcmp(argv[2], "--help") == 0 || std::strcmp(argv[2], "-h") == 0) {
    tarsel::cli::Out(GeneralUsage());
    return tarsel::cli::kExitOk;
  }
  if (argc > 3) return tarsel::cli::UsageError(GeneralUsage(), "too many arguments");
  const Command* command = FindCommand(argv[2]);
  if (command == nullptr) return UnknownCommand(argv[2]);
  char help[] = "--help";
  char* arguments[] = {help, nullptr};
  return command->run(1, arguments);
}

int Dispatch(int argc, char* argv[]) {
  if (argc < 2) return tarsel::cli::UsageError(GeneralUsage());
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    return Help(1, argv);
  }
  if (std::strcmp(argv[1], "help") == 0) return Help(argc, argv);
  if (std::strcmp(argv[1], "--version") == 0) {
    tarsel::cli::Out(std::string(tarsel::kProductName) + " " + tarsel::kProductVersion + "\n");
    return tarsel::cli::kExitOk;
  }
  const Command* command = FindCommand(argv[1]);
  if (command == nullptr) return UnknownCommand(argv[1]);
  return command->run(argc - 2, argv + 2);
}

}  // namespace

int main(int argc, char* argv[]) {
  // The locale's character set decides the program's code page (UTF-8 on a UTF-8 system).
  std::setlocale(LC_ALL, "");
  tarsel::cli::PrepareConsole();
  return tarsel::cli::FinishOutput(Dispatch(argc, argv));
}
