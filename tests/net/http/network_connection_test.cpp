#include "net/http/network_connection.h"

#include <gtest/gtest.h>

namespace tarsel::HTTP {
namespace {

constexpr uint32_t Ip(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  return a << 24 | b << 16 | c << 8 | d;
}

TEST(NetworkConnectionTest, AddressRules) {
  struct Case {
    const char* name;
    std::vector<uint32_t> addresses;
    ProxyType proxy;
    bool connected;
  } cases[] = {
      {"public", {Ip(93, 184, 216, 34)}, ProxyType::kNone, true},
      {"public beside private", {Ip(10, 0, 0, 2), Ip(8, 8, 8, 8)}, ProxyType::kNone, true},
      {"home network", {Ip(192, 168, 1, 5)}, ProxyType::kNone, true},
      {"office network, no proxy", {Ip(10, 1, 2, 3)}, ProxyType::kNone, false},
      {"office network, given proxy", {Ip(10, 1, 2, 3)}, ProxyType::kGiven, true},
      {"office network, system proxy", {Ip(172, 16, 0, 1)}, ProxyType::kSystem, true},
      {"172.31 is private", {Ip(172, 31, 255, 255)}, ProxyType::kNone, false},
      {"172.32 is public", {Ip(172, 32, 0, 1)}, ProxyType::kNone, true},
      {"172.15 is public", {Ip(172, 15, 0, 1)}, ProxyType::kNone, true},
      {"link-local only", {Ip(169, 254, 3, 4)}, ProxyType::kGiven, false},
      {"loopback", {Ip(127, 0, 0, 1)}, ProxyType::kGiven, false},
      {"host name on loopback", {Ip(127, 0, 1, 1)}, ProxyType::kNone, false},
      {"nothing", {}, ProxyType::kSystem, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AddressesSuggestConnection(c.addresses, c.proxy), c.connected) << c.name;
  }
}

}  // namespace
}  // namespace tarsel::HTTP
