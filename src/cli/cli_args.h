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

// One table for every command; kExitCodeTable below is how --help and the README show it.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;         // the command failed for a reason it names
inline constexpr int kExitUsage = 2;           // wrong arguments; the usage follows
inline constexpr int kExitLocked = 3;          // the data folder is in use by another program
inline constexpr int kExitNotFeed = 4;         // the input is not a feed (parse, fetch)
inline constexpr int kExitFeedDiscovered = 5;  // a web page: its feed link was found (parse, fetch)

inline constexpr char kExitCodeTable[] =
    "Exit status:\n"
    "  0  success\n"
    "  1  the command failed for the reason it names\n"
    "  2  usage error (missing, extra or malformed arguments)\n"
    "  3  the data folder is in use (the desktop program or another tarsel-cli)\n"
    "  4  the input is not a feed (parse, fetch)\n"
    "  5  the input is a web page whose feed link was discovered (parse, fetch)\n";

// What CommandArgs::Parse gives as `error` when the arguments ask for the command's help.
inline constexpr char kHelpRequest[] = "--help";

// A command's arguments: words, options with a value ("--name X" or "--name=X") and flags
// ("--json"). A lone "--" ends the options; every argument after it is a word.
class CommandArgs {
 public:
  // Reads argv against the options and flags the command accepts (names with their "--").
  // False, with `error` set, for an unknown option, a missing value, or a word count outside
  // min_words..max_words; false with `error` kHelpRequest when "--help" or "-h" is given
  // before any "--" (hand it to UsageError, which then prints the help).
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

// True when every text is a node id (ParseNodeId); otherwise false with `error` naming the
// first that is not. Commands check their ids before they open the stores, so a malformed
// id is a usage error, and an id that names nothing a failure.
bool CheckNodeIds(std::initializer_list<std::string_view> texts, std::string& error);
bool CheckNodeIds(const std::vector<std::string>& texts, std::string& error);
// True when `url` passes the feed-address check the dialogs use; otherwise false with `error`
// saying why, for a usage error.
bool CheckFeedUrl(const std::string& url, std::string& error);

// Prints "tarsel-cli: MESSAGE" on stderr (terminal-safe) and returns `status`.
int Fail(int status, std::string_view message);

// "cannot VERB PATH: REASON" with the system's text of `error_number` (an errno value).
std::string FileError(std::string_view verb, std::string_view path, int error_number);

// For `error` kHelpRequest: prints the usage and the exit-code table on stdout and returns
// kExitOk. Otherwise prints the error (when given) and the usage on stderr and returns
// kExitUsage.
int UsageError(std::string_view usage, std::string_view error = {});

// The encoding setting named by an --encoding word: automatic, western, cyrillic or central.
std::optional<EncodingChoice> EncodingFromWord(std::string_view word);

}  // namespace tarsel::cli
