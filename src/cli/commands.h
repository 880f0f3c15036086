#pragma once

#include <vector>

namespace tarsel::cli {

// One subcommand of tarsel-cli. `run` gets the arguments after the command name and returns
// the process exit status.
struct Command {
  const char* name;
  const char* summary;
  int (*run)(int argc, char* argv[]);
};

// Every subcommand, in the order --help lists them. Each command lives in its own
// cli/command_NAME.cpp and is listed in commands.cpp.
const std::vector<Command>& AllCommands();

}  // namespace tarsel::cli
