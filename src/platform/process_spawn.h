#pragma once

// Starting other programs without a shell. Parameter text is cut into words the way a POSIX
// shell cuts them (blanks, quotes, backslashes) but nothing is expanded: "$HOME", "*.txt",
// "~" and "a;b" stay as written, and no shell is ever started, so a parameter cannot run a
// command. Paths and parameters are file-system bytes. All functions are thread-safe.

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel {

// The words of text. Blanks (space, tab, line feed) separate words. Inside '...' every
// character is literal; inside "..." a backslash escapes only $ ` " \ and a line feed; outside
// quotes a backslash makes the next character literal and a backslash before a line feed
// removes both. Quotes join with the text around them ("a'b c'd" is one word) and an empty
// pair ('' or "") is an empty word. A trailing lone backslash is kept. nullopt when a quote
// is not closed.
std::optional<std::vector<std::string>> SplitShellWords(std::string_view text);

// Starts argv[0] (searched in PATH when it has no '/') with argv as its arguments, in a session
// of its own, with default signal handling, stdin from /dev/null, stdout sent to the caller's
// stderr, and no other descriptor inherited. The caller does not wait: the child is reaped in
// the background, so no zombie stays. True when the program was started; its pid goes to *pid.
bool SpawnDetached(const std::vector<std::string>& argv, pid_t* pid = nullptr);

// Opens file with the parameter text, as an "open" of the desktop shell: a program is started
// with the words of parameters; a document or web address given without parameters goes to
// the desktop's default handler (xdg-open). False when file is empty, a quote in parameters is
// not closed, or nothing could be started.
bool OpenProgram(const std::string& file, const std::string& parameters);

}  // namespace tarsel
