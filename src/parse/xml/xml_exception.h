#pragma once

namespace tarsel::XMLParser {

// Thrown by the reader on malformed input: where reading stopped (both from 1). It carries no
// text; callers catch it at their edge and turn it into their own failure.
struct Exception {
  int line = 1;
  int column = 1;
};

}  // namespace tarsel::XMLParser
