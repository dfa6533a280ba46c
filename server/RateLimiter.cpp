#include "server/RateLimiter.h"

namespace zb::server {

RateLimiter::RateLimiter(int limit, Clock::duration window) : limit_(limit), window_(window) {}

bool RateLimiter::Allow(const std::string& address, Clock::time_point now) {
  if (limit_ <= 0) return true;
  std::lock_guard lock(mutex_);
  Sweep(now);
  auto& times = recent_[address];
  while (!times.empty() && times.front() + window_ <= now) times.pop_front();
  if (times.size() >= static_cast<size_t>(limit_)) return false;
  times.push_back(now);
  return true;
}

void RateLimiter::Sweep(Clock::time_point now) {
  // Addresses that have gone quiet are dropped once a window, so the map does not grow for ever.
  if (now < nextSweep_) return;
  nextSweep_ = now + window_;
  for (auto it = recent_.begin(); it != recent_.end();) {
    if (it->second.empty() || it->second.back() + window_ <= now) it = recent_.erase(it);
    else ++it;
  }
}

}  // namespace zb::server
