#include "engine/GfxTimers.h"

#include <cmath>

namespace zb {

TGfxTimer::TGfxTimer(platform::Clock& clock) : clock_(clock) {
  SetSpeed(60.0);
  SetMaxFPS(100);
  frequency_ = clock_.PerformanceFrequency();
  precision_ = frequency_ != 0 ? TPerformancePrecision::ppHigh : TPerformancePrecision::ppLow;
  lastTickCount_ = clock_.TickCount();
  lastCounter_ = precision_ == TPerformancePrecision::ppHigh ? clock_.PerformanceCounter() : 0;
}

void TGfxTimer::SetSpeed(double value) {
  speed_ = value < 1.0 ? 1.0 : value;
  speedLatency_ = std::llround(1048576000.0 / speed_);
}

void TGfxTimer::SetMaxFPS(int value) {
  maxFps_ = value <= 0 ? 1 : value;
  frameLatency_ = std::llround(1048576000.0 / maxFps_);
}

int64_t TGfxTimer::RetrieveLatency() {
  if (precision_ == TPerformancePrecision::ppLow) {
    const uint32_t now = clock_.TickCount();
    const int64_t latency = static_cast<int64_t>(static_cast<uint32_t>(now - lastTickCount_)) << 20;
    lastTickCount_ = now;
    return latency;
  }
  const uint64_t now = clock_.PerformanceCounter();
  // 128-bit so that a stall of many seconds on a fast counter does not overflow.
  const unsigned __int128 scaled =
      static_cast<unsigned __int128>(now - lastCounter_) * 1048576u * 1000u / frequency_;
  lastCounter_ = now;
  return static_cast<int64_t>(scaled);
}

void TGfxTimer::Idle(bool& done) {
  done = false;
  latency_ = RetrieveLatency();
  if (!enabled_) {
    clock_.Sleep(5);
    return;
  }
  if (latency_ < frameLatency_) {
    // Rounded up to whole milliseconds: truncating would let the rate creep past MaxFPS.
    clock_.Sleep(static_cast<uint32_t>((frameLatency_ - latency_ + kFixedOne - 1) >> 20));
    // The sleep belongs to this frame. Left to the next pass's reading, it would make every
    // other pass skip its sleep and the rate run far past MaxFPS.
    latency_ += RetrieveLatency();
  }
  delta_ = static_cast<int64_t>(static_cast<__int128>(latency_) * 1048576 / speedLatency_);
  if (delta_ > kMaxDelta) delta_ = kMaxDelta;
  if (OnTimer) OnTimer(*this);
}

}  // namespace zb
