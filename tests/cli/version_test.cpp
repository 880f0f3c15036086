#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>

namespace {

struct CliResult {
  int exit_status;
  std::string output;
};

CliResult RunCli(const std::string& arguments) {
  std::string command = std::string(TARSEL_CLI) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  std::array<char, 4096> buffer{};
  size_t got = 0;
  while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    output.append(buffer.data(), got);
  int status = pclose(pipe);
  return {WEXITSTATUS(status), output};
}

TEST(CliTest, VersionAndHelp) {
  CliResult version = RunCli("--version");
  EXPECT_EQ(version.exit_status, 0);
  EXPECT_EQ(version.output, "Tarsel 2.0 build 158\n");

  CliResult help = RunCli("--help");
  EXPECT_EQ(help.exit_status, 0);
  EXPECT_NE(help.output.find("Usage: tarsel-cli"), std::string::npos);

  CliResult unknown = RunCli("no-such-command");
  EXPECT_EQ(unknown.exit_status, 2);
}

}  // namespace
