#pragma once

#include <chrono>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>
#include <utility>

#include "server/ServerClock.h"

namespace zb::server {

// The tokens handed out by the version check. A token is good for one submission within its
// lifetime; the oldest are forgotten first when too many are outstanding.
class TokenBook {
 public:
  explicit TokenBook(Clock::duration lifetime = std::chrono::minutes(30), size_t capacity = 100'000);

  std::string Issue(Clock::time_point now);
  // A new random token, not remembered (for tokens kept elsewhere).
  std::string Fresh();
  // True once for a token issued within its lifetime; it is gone afterwards.
  bool Redeem(const std::string& token, Clock::time_point now);
  size_t Outstanding();

 private:
  void Forget(Clock::time_point now);
  static std::string Random();

  const Clock::duration lifetime_;
  const size_t capacity_;
  std::mutex mutex_;
  std::unordered_map<std::string, Clock::time_point> expiry_;
  std::deque<std::pair<Clock::time_point, std::string>> byAge_;
};

}  // namespace zb::server
