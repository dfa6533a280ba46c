#pragma once

#include <cstdint>
#include <functional>

namespace zb {

// A plain interval timer counted on the main thread from the millisecond clock: each poll
// that finds the interval elapsed raises OnTimer once, as a window-message timer does.
class TWindowTimer {
 public:
  explicit TWindowTimer(uint32_t intervalMs) : interval_(intervalMs) {}

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value, uint32_t nowMs);
  uint32_t Interval() const { return interval_; }

  void Poll(uint32_t nowMs);

  std::function<void()> OnTimer;

 private:
  uint32_t interval_;
  uint32_t started_ = 0;
  bool enabled_ = false;
};

}  // namespace zb
