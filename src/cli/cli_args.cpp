#include "cli/cli_args.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "cli/console.h"
#include "cli/terminal_text.h"
#include "view/dialog_fields.h"

namespace tarsel::cli {
namespace {

bool Contains(std::initializer_list<std::string_view> names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

bool CommandArgs::Parse(int argc, char* argv[],
                        std::initializer_list<std::string_view> value_options,
                        std::initializer_list<std::string_view> flags, size_t min_words,
                        size_t max_words, std::string& error) {
  bool options_ended = false;
  for (int i = 0; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (!options_ended && (argument == "--help" || argument == "-h")) {
      error = kHelpRequest;
      return false;
    }
    if (options_ended || !argument.starts_with("--") || argument.size() == 2) {
      if (argument == "--" && !options_ended) {
        options_ended = true;
      } else {
        words_.emplace_back(argument);
      }
      continue;
    }
    const size_t equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    if (Contains(flags, name) && equals == std::string_view::npos) {
      flags_.emplace(name);
    } else if (Contains(value_options, name)) {
      if (equals != std::string_view::npos) {
        values_[std::string(name)] = std::string(argument.substr(equals + 1));
      } else if (i + 1 < argc) {
        values_[std::string(name)] = argv[++i];
      } else {
        error = "option " + std::string(name) + " needs a value";
        return false;
      }
    } else {
      error = "unknown option " + std::string(argument);
      return false;
    }
  }
  if (words_.size() < min_words || words_.size() > max_words) {
    error = words_.size() < min_words ? "missing argument" : "too many arguments";
    return false;
  }
  return true;
}

std::optional<std::string> CommandArgs::Value(std::string_view option) const {
  auto found = values_.find(std::string(option));
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

std::optional<int32_t> ParseNodeId(std::string_view text) {
  int32_t id = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, id);
  if (text.empty() || error != std::errc() || stop != end || id <= 0) return std::nullopt;
  return id;
}

bool CheckNodeIds(std::initializer_list<std::string_view> texts, std::string& error) {
  for (std::string_view text : texts) {
    if (ParseNodeId(text)) continue;
    error = "not a node id: ";
    error += text;
    return false;
  }
  return true;
}

bool CheckNodeIds(const std::vector<std::string>& texts, std::string& error) {
  for (const std::string& text : texts) {
    if (!CheckNodeIds({std::string_view(text)}, error)) return false;
  }
  return true;
}

bool CheckFeedUrl(const std::string& url, std::string& error) {
  switch (CheckUrlField(url)) {
    case UrlFieldProblem::kNone:
      return true;
    case UrlFieldProblem::kBlankOrControl:
      error = "a feed address holds no blanks or control characters: " + url;
      return false;
    default:
      error = "not an http or https URL with a host: " + url;
      return false;
  }
}

int Fail(int status, std::string_view message) {
  const std::string text = TerminalText(message, LineBreaks::kKeep);
  std::fprintf(stderr, "tarsel-cli: %s\n", text.c_str());
  return status;
}

std::string FileError(std::string_view verb, std::string_view path, int error_number) {
  std::string message = "cannot ";
  message += verb;
  message += ' ';
  message += path;
  message += ": ";
  message += std::strerror(error_number != 0 ? error_number : EIO);
  return message;
}

int UsageError(std::string_view usage, std::string_view error) {
  if (error == kHelpRequest) {
    Out(usage);
    Out("\n");
    Out(kExitCodeTable);
    return kExitOk;
  }
  if (!error.empty()) Fail(kExitUsage, error);
  std::fprintf(stderr, "%.*s", static_cast<int>(usage.size()), usage.data());
  return kExitUsage;
}

std::optional<EncodingChoice> EncodingFromWord(std::string_view word) {
  if (word == "automatic") return EncodingChoice::kAutomatic;
  if (word == "western") return EncodingChoice::kWesternEurope;
  if (word == "cyrillic") return EncodingChoice::kCyrillicWindows;
  if (word == "central") return EncodingChoice::kCentralEuropean;
  return std::nullopt;
}

}  // namespace tarsel::cli
