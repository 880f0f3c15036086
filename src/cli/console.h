#pragma once

// Standard output of tarsel-cli: what every command prints goes through Out, so that a reader
// that goes away (`tarsel-cli update | head -1`) ends the output and never the work. SIGPIPE
// is ignored for the whole process; the first failed write closes the output for good, and
// FinishOutput tells at the end whether that was more than a reader leaving. Colours only for
// a terminal, never with NO_COLOR set (whatever its value) or TERM=dumb.
//
// Out may be called from any thread (stdio locks the stream); the rest from the main thread.

#include <cstdio>
#include <string>
#include <string_view>

namespace tarsel::cli {

// Once, before any command runs.
void PrepareConsole();

// Writes `text` to stdout unless an earlier write failed. Flushes when `flush` is set.
void Out(std::string_view text, bool flush = false);

// The command's status after the output is flushed: unchanged when everything was written or
// the reader went away (EPIPE); kExitFailure, with the reason printed, for any other write
// failure ("No space left on device") of a command that had succeeded.
int FinishOutput(int status);

// True when colours may be used on `stream` (stdout or stderr).
bool ColoursFor(FILE* stream);

enum class Colour { kGreen, kRed, kYellow };

// `text` wrapped in the colour's escape sequences when `enabled`, else `text` itself.
std::string Coloured(std::string_view text, Colour colour, bool enabled);

// True when stdout and stderr are the same terminal.
bool SameTerminal();

}  // namespace tarsel::cli
