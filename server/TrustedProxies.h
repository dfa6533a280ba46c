#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zb::server {

// The reverse proxies whose X-Forwarded-For is believed. From any other peer the header is
// ignored, so a client cannot pick the address its submissions and connections count against.
class TrustedProxies {
 public:
  // A comma list of addresses or networks ("10.0.0.5", "10.0.0.0/8", "::1", "fd00::/8"); added to
  // those already trusted. False, with the entry that cannot be read in `error`.
  bool Add(std::string_view list, std::string& error);
  bool Empty() const { return networks_.empty(); }
  bool Trusts(const std::string& address) const;

  // The client a request from `peer` stands for: `peer` itself unless it is trusted; then the
  // rightmost address of X-Forwarded-For that is not a trusted proxy (the ones to its left were
  // written by the client and prove nothing), or `peer` when the header is missing or unreadable.
  std::string ClientOf(std::string_view request, const std::string& peer) const;

 private:
  struct Network {
    int family = 0;
    std::array<uint8_t, 16> bytes{};
    int bits = 0;
  };
  std::vector<Network> networks_;
};

// An address in the form the server counts it by (IPv4 mapped into IPv6 as plain IPv4), or
// nothing when `text` is not an address.
std::optional<std::string> CanonicalAddress(std::string_view text);

}  // namespace zb::server
