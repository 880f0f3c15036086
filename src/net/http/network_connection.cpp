#include "net/http/network_connection.h"

#include "platform/network_state.h"

namespace tarsel::HTTP {
namespace {

bool InRange(uint32_t address, uint32_t network, int prefix_bits) {
  uint32_t mask = ~uint32_t{0} << (32 - prefix_bits);
  return (address & mask) == network;
}

bool IsHomeNetwork(uint32_t address) {
  return InRange(address, 0xC0A80000, 16);
}

bool IsPrivate(uint32_t address) {
  return InRange(address, 0x0A000000, 8) || InRange(address, 0xAC100000, 12) ||
         IsHomeNetwork(address);
}

}  // namespace

bool AddressesSuggestConnection(const std::vector<uint32_t>& addresses, ProxyType proxy_type) {
  bool private_seen = false;
  bool home_seen = false;
  for (uint32_t address : addresses) {
    // The whole loopback block: Debian maps the host name to 127.0.1.1.
    if (InRange(address, 0x7F000000, 8) || InRange(address, 0xA9FE0000, 16)) continue;
    if (!IsPrivate(address)) return true;
    private_seen = true;
    home_seen = home_seen || IsHomeNetwork(address);
  }
  if (!private_seen) return false;
  return home_seen || proxy_type != ProxyType::kNone;
}

bool HasNetworkConnection(ProxyType proxy_type) {
  if (SystemReportsConnection()) return true;
  return AddressesSuggestConnection(LocalHostAddresses(), proxy_type);
}

}  // namespace tarsel::HTTP
