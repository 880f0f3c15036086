#include "cli/failure_text.h"

#include "net/download/failure_code.h"

namespace tarsel::cli {
namespace {

// Line breaks become blanks, without doubling one.
std::string OneLine(const std::string& text) {
  std::string line;
  for (char byte : text) {
    const char c = byte == '\n' ? ' ' : byte;
    if (c == ' ' && !line.empty() && line.back() == ' ') continue;
    line += c;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

}  // namespace

std::string FailureText(int32_t code) {
  if (code == kFailureNone) return "";
  return OneLine(FailureMessage(code));
}

std::string FailureDetail(int32_t code, int32_t http_status) {
  // The client follows 301 and 302 itself; ending on one means it gave up following.
  if (code == kFailureNotFound && (http_status == 301 || http_status == 302)) {
    return "Redirect loop: the address kept redirecting (or redirected to no address)";
  }
  if (code == kFailureTooLarge) {
    return "The body is over the 64 MB limit: the feed is too large to read";
  }
  return "";
}

}  // namespace tarsel::cli
