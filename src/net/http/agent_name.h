#pragma once

// The process-wide agent name every HTTP session announces unless the caller sends its own
// "User-Agent" header. Both functions are thread-safe: column downloads write it from worker
// threads while other workers read it.

#include <string>

namespace tarsel::HTTP {

// Initially "Ostrelianware".
std::string AgentName();
void SetAgentName(std::string name);

}  // namespace tarsel::HTTP
