#pragma once

#include <cstdint>
#include <functional>

#include "engine/platform/Platform.h"

namespace zb {

enum class TPerformancePrecision { ppLow, ppHigh };

// Drives the frame loop from the application's idle passes: caps the rate at MaxFPS by
// sleeping and measures each pass in fixed-point milliseconds with 20 fraction bits. The play
// advances a fixed step per frame, so the cap is the game's speed and must hold on any display.
class TGfxTimer {
 public:
  static constexpr int64_t kFixedOne = 1 << 20;       // one millisecond
  static constexpr int64_t kMaxDelta = 32 * kFixedOne;  // 32 logical ticks (33554432)
  // What is left to the short sleeps: a system oversleeps a millisecond sleep by up to about this.
  static constexpr int64_t kCoarseMargin = 2 * kFixedOne;
  static constexpr int kMaxFineSleeps = 64;  // bounds the wait on a clock that does not move

  explicit TGfxTimer(platform::Clock& clock);

  double Speed() const { return speed_; }
  void SetSpeed(double value);
  int MaxFPS() const { return maxFps_; }
  void SetMaxFPS(int value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  TPerformancePrecision Precision() const { return precision_; }

  int64_t FrameLatency() const { return frameLatency_; }
  int64_t SpeedLatency() const { return speedLatency_; }
  int64_t Latency() const { return latency_; }
  int64_t Delta() const { return delta_; }

  // One idle pass; `done` is cleared so that the loop comes straight back.
  void Idle(bool& done);

  std::function<void(TGfxTimer&)> OnTimer;
  std::function<void(TGfxTimer&)> OnProcess;  // stored for the form, never raised here

 private:
  int64_t RetrieveLatency();
  // Sleeps until Latency reaches `due`: whole milliseconds while more than a margin is left (a
  // system may oversleep them), then short sleeps; the time slept is added to Latency.
  void WaitUntil(int64_t due);

  platform::Clock& clock_;
  double speed_ = 60.0;
  int maxFps_ = 100;
  bool enabled_ = false;
  TPerformancePrecision precision_ = TPerformancePrecision::ppLow;
  uint64_t frequency_ = 0;
  uint32_t lastTickCount_ = 0;
  uint64_t lastCounter_ = 0;
  int64_t frameLatency_ = 0;
  int64_t speedLatency_ = 0;
  int64_t latency_ = 0;
  int64_t delta_ = 0;
  int64_t behind_ = 0;  // how late the previous frame ended, made up by this one
};

}  // namespace zb
