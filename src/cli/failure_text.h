#pragma once

// The text tarsel-cli shows for a column's failure code: the program's own message on one line,
// the same a column shows in the desktop program. Where the code alone misleads, the JSON
// outputs add a detail: a redirect the client gave up following keeps the code of a 404 (161)
// and its text, and the detail names it. English ASCII; any thread.

#include <cstdint>
#include <string>

namespace tarsel::cli {

// "" for code 0.
std::string FailureText(int32_t code);

// What the code does not tell; "" when nothing. `http_status` is the status of the last answer
// (0 when unknown).
std::string FailureDetail(int32_t code, int32_t http_status);

}  // namespace tarsel::cli
