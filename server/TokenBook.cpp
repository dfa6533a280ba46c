#include "server/TokenBook.h"

namespace zb::server {

TokenBook::TokenBook(Clock::duration lifetime, size_t capacity)
    : lifetime_(lifetime), capacity_(capacity) {}

std::string TokenBook::Random() {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string token;
  for (int word = 0; word < 4; ++word) {  // 128 random bits
    uint32_t bits = random_();
    for (int nibble = 0; nibble < 8; ++nibble, bits >>= 4) token += kHex[bits & 15];
  }
  return token;
}

std::string TokenBook::Fresh() {
  std::lock_guard lock(mutex_);
  return Random();
}

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
