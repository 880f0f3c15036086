#pragma once

// What the machine knows about its own network connection. No Qt here; thread-safe.

#include <cstdint>
#include <vector>

namespace tarsel {

// True when some network interface is up, is not a loopback interface and has an IPv4 or IPv6
// address.
bool SystemReportsConnection();

// The IPv4 addresses the local host name resolves to, in host byte order (127.0.0.1 is
// 0x7F000001). Empty when the name is unknown.
std::vector<uint32_t> LocalHostAddresses();

}  // namespace tarsel
