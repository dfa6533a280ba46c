#pragma once

#include <chrono>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

#include "server/ServerClock.h"

namespace zb::server {

// At most `limit` events per address within any window of the given length; a limit of 0 or
// less lets everything through.
class RateLimiter {
 public:
  explicit RateLimiter(int limit, Clock::duration window = std::chrono::minutes(1));

  // Counts the event when it is allowed.
  bool Allow(const std::string& address, Clock::time_point now);

 private:
  void Sweep(Clock::time_point now);

  const int limit_;
  const Clock::duration window_;
  std::mutex mutex_;
  std::unordered_map<std::string, std::deque<Clock::time_point>> recent_;
  Clock::time_point nextSweep_{};
};

}  // namespace zb::server
