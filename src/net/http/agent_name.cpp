#include "net/http/agent_name.h"

#include <mutex>

namespace tarsel::HTTP {
namespace {

struct SharedAgentName {
  std::mutex mutex;
  std::string name = "Ostrelianware";
};

SharedAgentName& Shared() {
  static SharedAgentName shared;
  return shared;
}

}  // namespace

std::string AgentName() {
  SharedAgentName& shared = Shared();
  std::lock_guard<std::mutex> lock(shared.mutex);
  return shared.name;
}

void SetAgentName(std::string name) {
  SharedAgentName& shared = Shared();
  std::lock_guard<std::mutex> lock(shared.mutex);
  shared.name = std::move(name);
}

}  // namespace tarsel::HTTP
