#pragma once

// What the caller decides for every request an HTTP client makes: the way to the network and the
// name the client announces. A value: the desktop program and tarsel-cli make it from the
// user's settings, tests from what they need.

#include <string>

#include "settings/settings.h"

namespace tarsel::HTTP {

struct ClientOptions {
  ProxySettings proxy;
  // Empty: the process-wide AgentName() at the start of each Download, which the column download
  // writes (agent_name.h).
  std::string agent;
};

}  // namespace tarsel::HTTP
