#include "cli/console.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "cli/cli_args.h"

namespace tarsel::cli {
namespace {

// 0 while stdout works; else the errno of the first failed write.
std::atomic<int> g_output_error{0};

void NoteFailure() {
  int expected = 0;
  const int reason = errno != 0 ? errno : EIO;
  g_output_error.compare_exchange_strong(expected, reason);
}

}  // namespace

void PrepareConsole() {
  std::signal(SIGPIPE, SIG_IGN);
}

void Out(std::string_view text, bool flush) {
  if (g_output_error.load() != 0) return;
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
      (flush && std::fflush(stdout) != 0)) {
    NoteFailure();
  }
}

int FinishOutput(int status) {
  if (g_output_error.load() == 0) {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) NoteFailure();
  }
  const int error = g_output_error.load();
  if (error == 0 || error == EPIPE || status != kExitOk) return status;
  std::string message = "cannot write to standard output: ";
  message += std::strerror(error);
  return Fail(kExitFailure, message);
}

bool ColoursFor(FILE* stream) {
  if (std::getenv("NO_COLOR") != nullptr) return false;
  const char* term = std::getenv("TERM");
  if (term == nullptr || std::strcmp(term, "dumb") == 0) return false;
  return isatty(fileno(stream)) != 0;
}

std::string Coloured(std::string_view text, Colour colour, bool enabled) {
  if (!enabled) return std::string(text);
  const char* start = colour == Colour::kGreen ? "\033[32m"
                      : colour == Colour::kRed ? "\033[31m"
                                               : "\033[33m";
  std::string out = start;
  out += text;
  out += "\033[0m";
  return out;
}

bool SameTerminal() {
  if (isatty(STDOUT_FILENO) == 0 || isatty(STDERR_FILENO) == 0) return false;
  struct stat out {};
  struct stat err {};
  if (fstat(STDOUT_FILENO, &out) != 0 || fstat(STDERR_FILENO, &err) != 0) return false;
  return out.st_rdev == err.st_rdev;
}

}  // namespace tarsel::cli
