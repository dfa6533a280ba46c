#include "server/TokenBook.h"

#include <openssl/rand.h>

#include <stdexcept>

namespace zb::server {

TokenBook::TokenBook(Clock::duration lifetime, size_t capacity)
    : lifetime_(lifetime), capacity_(capacity) {}

// The system's generator, as for any secret: a token is what stands between a forged score and
// the table. It also costs nothing to set up, where a random device opened for every book did.
std::string TokenBook::Random() {
  static constexpr char kHex[] = "0123456789abcdef";
  unsigned char bits[16];  // 128 random bits
  if (RAND_bytes(bits, sizeof bits) != 1) throw std::runtime_error("the system has no random bits for a token");
  std::string token;
  token.reserve(2 * sizeof bits);
  for (const unsigned char b : bits) {
    token += kHex[b & 15];
    token += kHex[b >> 4];
  }
  return token;
}

std::string TokenBook::Fresh() { return Random(); }

std::string TokenBook::Issue(Clock::time_point now) {
  std::lock_guard lock(mutex_);
  Forget(now);
  std::string token;
  do {
    token = Random();
  } while (expiry_.contains(token));
  // byAge_ holds every outstanding token (and redeemed ones until they age out), so bounding
  // it bounds both.
  while (byAge_.size() >= capacity_ && !byAge_.empty()) {
    const auto found = expiry_.find(byAge_.front().second);
    if (found != expiry_.end() && found->second == byAge_.front().first) expiry_.erase(found);
    byAge_.pop_front();
  }
  const Clock::time_point expires = now + lifetime_;
  expiry_.emplace(token, expires);
  byAge_.emplace_back(expires, token);
  return token;
}

bool TokenBook::Redeem(const std::string& token, Clock::time_point now) {
  std::lock_guard lock(mutex_);
  Forget(now);
  // A redeemed token stays in byAge_ until it ages out; Forget tolerates that.
  return expiry_.erase(token) == 1;
}

size_t TokenBook::Outstanding() {
  std::lock_guard lock(mutex_);
  return expiry_.size();
}

void TokenBook::Forget(Clock::time_point now) {
  while (!byAge_.empty() && byAge_.front().first <= now) {
    const auto found = expiry_.find(byAge_.front().second);
    if (found != expiry_.end() && found->second == byAge_.front().first) expiry_.erase(found);
    byAge_.pop_front();
  }
}

}  // namespace zb::server
