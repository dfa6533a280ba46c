#include "server/TrustedProxies.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cctype>
#include <charconv>

namespace zb::server {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The family and bytes of an address; IPv4 mapped into IPv6 comes back as IPv4.
bool Parse(std::string_view text, int& family, std::array<uint8_t, 16>& bytes) {
  if (text.size() >= 2 && text.front() == '[' && text.back() == ']') text = text.substr(1, text.size() - 2);
  if (text.empty() || text.size() >= INET6_ADDRSTRLEN) return false;
  const std::string zeroEnded(text);
  bytes = {};
  if (::inet_pton(AF_INET, zeroEnded.c_str(), bytes.data()) == 1) {
    family = AF_INET;
    return true;
  }
  if (::inet_pton(AF_INET6, zeroEnded.c_str(), bytes.data()) != 1) return false;
  family = AF_INET6;
  constexpr uint8_t kMapped[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF};
  if (std::equal(kMapped, kMapped + 12, bytes.begin())) {
    std::copy(bytes.begin() + 12, bytes.end(), bytes.begin());
    std::fill(bytes.begin() + 4, bytes.end(), uint8_t{0});
    family = AF_INET;
  }
  return true;
}

// An X-Forwarded-For entry: an address, maybe with a port ("1.2.3.4:5", "[::1]:5").
std::optional<std::string> EntryAddress(std::string_view entry) {
  if (entry.starts_with('[')) {
    const size_t close = entry.find(']');
    if (close != std::string_view::npos) entry = entry.substr(1, close - 1);
  } else if (std::count(entry.begin(), entry.end(), ':') == 1) {
    entry = entry.substr(0, entry.find(':'));
  }
  return CanonicalAddress(entry);
}

}  // namespace

std::optional<std::string> CanonicalAddress(std::string_view text) {
  int family = 0;
  std::array<uint8_t, 16> bytes{};
  if (!Parse(text, family, bytes)) return std::nullopt;
  char out[INET6_ADDRSTRLEN] = {};
  ::inet_ntop(family, bytes.data(), out, sizeof out);
  return std::string(out);
}

bool TrustedProxies::Add(std::string_view list, std::string& error) {
  std::vector<Network> added;
  while (!list.empty()) {
    const size_t comma = list.find(',');
    const std::string_view entry = Trim(list.substr(0, comma));
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    if (entry.empty()) continue;
    Network network;
    const size_t slash = entry.find('/');
    bool ok = Parse(entry.substr(0, slash), network.family, network.bytes);
    const int most = network.family == AF_INET ? 32 : 128;
    network.bits = most;
    if (ok && slash != std::string_view::npos) {
      const std::string_view bits = entry.substr(slash + 1);
      const auto [end, ec] = std::from_chars(bits.data(), bits.data() + bits.size(), network.bits);
      ok = ec == std::errc() && end == bits.data() + bits.size() && network.bits >= 0 && network.bits <= most;
    }
    if (!ok) {
      error = "not an address or network: \"" + std::string(entry) + "\"";
      return false;
    }
    added.push_back(network);
  }
  if (added.empty()) {
    error = "no address given";
    return false;
  }
  networks_.insert(networks_.end(), added.begin(), added.end());
  return true;
}

bool TrustedProxies::Trusts(const std::string& address) const {
  int family = 0;
  std::array<uint8_t, 16> bytes{};
  if (networks_.empty() || !Parse(address, family, bytes)) return false;
  return std::any_of(networks_.begin(), networks_.end(), [&](const Network& network) {
    if (network.family != family) return false;
    const int whole = network.bits / 8, rest = network.bits % 8;
    if (!std::equal(bytes.begin(), bytes.begin() + whole, network.bytes.begin())) return false;
    const auto mask = static_cast<uint8_t>(0xFF << (8 - rest));
    return rest == 0 || (bytes[static_cast<size_t>(whole)] & mask) == (network.bytes[static_cast<size_t>(whole)] & mask);
  });
}

std::string TrustedProxies::ClientOf(std::string_view request, const std::string& peer) const {
  if (!Trusts(peer)) return peer;
  // Every X-Forwarded-For line, in order, is one list.
  std::vector<std::string_view> entries;
  size_t line = request.find('\n');
  while (line != std::string_view::npos) {
    const size_t next = request.find('\n', line + 1);
    const std::string_view header = Trim(request.substr(line + 1, next == std::string_view::npos ? next : next - line - 1));
    if (header.empty()) break;
    line = next;
    const size_t colon = header.find(':');
    if (colon == std::string_view::npos || !SameLetters(header.substr(0, colon), "X-Forwarded-For")) continue;
    std::string_view value = header.substr(colon + 1);
    while (!value.empty()) {
      const size_t comma = value.find(',');
      const std::string_view entry = Trim(value.substr(0, comma));
      if (!entry.empty()) entries.push_back(entry);
      value = comma == std::string_view::npos ? std::string_view() : value.substr(comma + 1);
    }
  }
  std::string client = peer;
  for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
    const std::optional<std::string> address = EntryAddress(*entry);
    if (!address) return peer;  // what the proxy wrote cannot be read: count the proxy
    client = *address;
    if (!Trusts(client)) break;
  }
  return client;
}

}  // namespace zb::server
