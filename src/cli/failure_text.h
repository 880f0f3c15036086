#pragma once

// The text tarsel-cli shows for a column's failure code: the program's own message on one
// line, except where the code alone misleads. A redirect loop keeps its stored code (161, the
// code of a 404) but is named as what it is. English ASCII; any thread.

#include <cstdint>
#include <string>

namespace tarsel::cli {

// "" for code 0. `http_status` is the status of the last answer (0 when unknown).
std::string FailureText(int32_t code, int32_t http_status);

}  // namespace tarsel::cli
