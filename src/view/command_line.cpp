#include "view/command_line.h"

#include <strings.h>

#include <array>
#include <utility>

namespace tarsel {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

StartMode ScanCommandLine(std::string_view line) {
  static constexpr std::array<std::pair<std::string_view, StartMode>, 5> kKeywords{{
      {"UnregServer", StartMode::kUnregServer},
      {"RegServer", StartMode::kRegServer},
      {"Automation", StartMode::kServer},
      {"Embedding", StartMode::kServer},
      {"SaveColumns", StartMode::kSaveColumns},
  }};
  for (size_t pos = 0; pos < line.size(); ++pos) {
    if (line[pos] != '-' && line[pos] != '/') continue;
    const std::string_view token = line.substr(pos + 1);
    for (const auto& [keyword, mode] : kKeywords) {
      if (EqualsIgnoringCase(token, keyword)) return mode;
    }
  }
  return StartMode::kNormal;
}

std::string JoinArguments(int argc, const char* const* argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return line;
}

}  // namespace tarsel
