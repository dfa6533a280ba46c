#include "engine/WindowTimer.h"

namespace zb {

void TWindowTimer::SetEnabled(bool value, uint32_t nowMs) {
  if (value && !enabled_) started_ = nowMs;
  enabled_ = value;
}

void TWindowTimer::Poll(uint32_t nowMs) {
  if (!enabled_ || nowMs - started_ < interval_) return;
  // Missed intervals are not made up: a stalled loop gets one tick, not a burst.
  started_ = nowMs - (nowMs - started_) % interval_;
  if (OnTimer) OnTimer();
}

}  // namespace zb
