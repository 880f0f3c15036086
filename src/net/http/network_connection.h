#pragma once

// The online test run by the main window's connectivity check and by the service threads before
// they start. Thread-safe.

#include <cstdint>
#include <vector>

#include "settings/settings.h"

namespace tarsel::HTTP {

// True when the system reports a connected interface; otherwise decided from the addresses of
// the local host name and the user's proxy type (AddressesSuggestConnection). Callers throw
// CHttpExeption code 1 on false. Resolving the host name may block for seconds while offline:
// never call it on the window thread.
bool HasNetworkConnection(ProxyType proxy_type);

// The address rule (IPv4, host byte order): any address outside the private ranges (10/8,
// 172.16/12, 192.168/16), link-local 169.254/16 and loopback 127/8 means connected. Failing
// that, private addresses mean connected when one is a 192.168 address, or else when a proxy is
// configured (any type but none). No usable address: not connected.
bool AddressesSuggestConnection(const std::vector<uint32_t>& addresses, ProxyType proxy_type);

}  // namespace tarsel::HTTP
