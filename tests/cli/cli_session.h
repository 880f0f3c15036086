#pragma once

// Running the real tarsel-cli on a data folder of its own. The test process points
// XDG_DATA_HOME at a temporary folder for the life of the object, so the stores the test
// writes or reads through the library are the ones the program sees.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/folders.h"
#include "support/temp_dir.h"

namespace tarsel::testing {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

class CliSession {
 public:
  // C.UTF-8 makes the program's code page UTF-8 (under Automatic) whatever the machine's locale
  // is; record stamps are shown in UTC.
  CliSession()
      : data_home_("XDG_DATA_HOME", home_.path()),
        locale_("LC_ALL", "C.UTF-8"),
        time_zone_("TZ", "UTC") {}

  std::string DataFolder() const { return tarsel::DataFolder(); }

  CliRun Run(const std::vector<std::string>& arguments) const {
    std::string command = TARSEL_CLI;
    for (const std::string& argument : arguments) {
      command += ' ';
      command += Quoted(argument);
    }
    const std::string err_path = home_.File("stderr.txt");
    command += " 2>" + Quoted(err_path);
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 4096> buffer{};
    size_t got = 0;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
      run.out.append(buffer.data(), got);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadFileBytes(err_path);
    return run;
  }

 private:
  static std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char byte : text) quoted += byte == '\'' ? std::string("'\\''") : std::string(1, byte);
    return quoted + "'";
  }

  TempDir home_;
  ScopedEnv data_home_;
  ScopedEnv locale_;
  ScopedEnv time_zone_;
};

}  // namespace tarsel::testing
