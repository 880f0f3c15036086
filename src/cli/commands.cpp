#include "cli/commands.h"

namespace tarsel::cli {

int RunParse(int argc, char* argv[]);

const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {
      {"parse", "print what a feed file holds, as JSON", RunParse},
  };
  return commands;
}

}  // namespace tarsel::cli
