#pragma once

// The small pieces every tarsel-cli command shares: exit statuses, reading its arguments,
// and printing errors. Messages go to stderr as "tarsel-cli: MESSAGE".

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "parse/charsets/encoding_choice.h"

namespace tarsel::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the command could not do what was asked
inline constexpr int kExitUsage = 2;    // wrong arguments
inline constexpr int kExitLocked = 3;   // the desktop program holds the data folder

// A command's arguments: words, options with a value ("--name X" or "--name=X") and flags
// ("--json"). A lone "--" ends the options; every argument after it is a word.
class CommandArgs {
 public:
  // Reads argv against the options and flags the command accepts (names with their "--").
  // False, with `error` set, for an unknown option, a missing value, or a word count outside
  // min_words..max_words.
  bool Parse(int argc, char* argv[], std::initializer_list<std::string_view> value_options,
             std::initializer_list<std::string_view> flags, size_t min_words, size_t max_words,
             std::string& error);

  const std::vector<std::string>& words() const { return words_; }
  bool Has(std::string_view flag) const { return flags_.count(std::string(flag)) > 0; }
  // The value of an option; nothing when it was not given (the last one given counts).
  std::optional<std::string> Value(std::string_view option) const;

 private:
  std::vector<std::string> words_;
  std::map<std::string, std::string> values_;
  std::set<std::string> flags_;
};

// A node id as the user writes it: a positive decimal number that fits int32.
std::optional<int32_t> ParseNodeId(std::string_view text);

// Prints "tarsel-cli: MESSAGE" on stderr and returns `status`.
int Fail(int status, std::string_view message);

// Prints the usage text (and the argument error, when given) on stderr; returns kExitUsage.
int UsageError(std::string_view usage, std::string_view error = {});

// The encoding setting named by an --encoding word: automatic, western, cyrillic or central.
std::optional<EncodingChoice> EncodingFromWord(std::string_view word);

}  // namespace tarsel::cli
