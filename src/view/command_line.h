#pragma once

// The desktop program's command line. Every '-' or '/' starts a token that runs to the end of
// the line; tokens are compared with the keywords without regard to case, in the order their
// markers appear, and the first match decides. So a keyword counts only when nothing follows
// it. Any thread; ASCII.

#include <string>
#include <string_view>

namespace tarsel {

enum class StartMode {
  kNormal,       // no marker, or no token is a keyword
  kRegServer,    // install the desktop entry; no window
  kUnregServer,  // remove the desktop entry; no window
  kServer,       // Automation or Embedding: run without a window until SIGTERM
  kSaveColumns,  // run normally with save_columns_mode set: write the clean copy and close
};

StartMode ScanCommandLine(std::string_view line);

// argv[1..] joined by single blanks, as the line the scan reads.
std::string JoinArguments(int argc, const char* const* argv);

}  // namespace tarsel
