#include "cli/commands.h"

namespace tarsel::cli {

const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {
  };
  return commands;
}

}  // namespace tarsel::cli
