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

void TGfxTimer::WaitUntil(int64_t due) {
  const int64_t left = due - latency_;
  if (left >= kCoarseMargin + kFixedOne) {
    clock_.Sleep(static_cast<uint32_t>((left - kCoarseMargin) >> 20));
    latency_ += RetrieveLatency();
  }
  for (int i = 0; i < kMaxFineSleeps && latency_ < due; ++i) {
    const int64_t micros = ((due - latency_) * 1000 + kFixedOne - 1) >> 20;
    clock_.SleepMicros(static_cast<uint32_t>(micros < 1 ? 1 : micros));
    latency_ += RetrieveLatency();
  }
}

void TGfxTimer::Idle(bool& done) {
  done = false;
  latency_ = RetrieveLatency();
  if (!enabled_) {
    clock_.Sleep(5);
    behind_ = 0;
    return;
  }
  // A frame that ended a little late is made up by the next one, so that the rate holds MaxFPS on
  // a busy system; a longer stall is not made up, so no burst of short frames follows it. The wait
  // belongs to this frame: left to the next pass's reading, it would make every other pass skip
  // its wait and the rate run far past MaxFPS.
  const int64_t due = frameLatency_ - behind_;
  if (latency_ < due) WaitUntil(due);
  const int64_t late = latency_ - due;
  behind_ = late <= frameLatency_ / 2 ? late : 0;
  delta_ = static_cast<int64_t>(static_cast<__int128>(latency_) * 1048576 / speedLatency_);
  if (delta_ > kMaxDelta) delta_ = kMaxDelta;
  if (OnTimer) OnTimer(*this);
}

}  // namespace zb
