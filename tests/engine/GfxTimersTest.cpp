#include "engine/GfxTimers.h"

#include <gtest/gtest.h>

#include "engine/platform/headless/Headless.h"

namespace zb {
namespace {

// A clock whose only source is the millisecond tick, to exercise the low-precision path.
class TickOnlyClock final : public platform::Clock {
 public:
  uint32_t TickCount() override { return now; }
  uint64_t PerformanceCounter() override { return 0; }
  uint64_t PerformanceFrequency() override { return 0; }
  void Sleep(uint32_t ms) override {
    slept += ms;
    now += ms;
  }
  uint32_t now = 5000;
  uint32_t slept = 0;
};

TEST(GfxTimer, SettersClampAndDeriveLatencies) {
  platform::HeadlessClock clock;
  TGfxTimer timer(clock);
  EXPECT_EQ(timer.Speed(), 60.0);
  EXPECT_EQ(timer.MaxFPS(), 100);
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(timer.Precision(), TPerformancePrecision::ppHigh);

  timer.SetSpeed(0.5);
  EXPECT_EQ(timer.Speed(), 1.0);
  timer.SetMaxFPS(0);
  EXPECT_EQ(timer.MaxFPS(), 1);
  timer.SetMaxFPS(-7);
  EXPECT_EQ(timer.MaxFPS(), 1);

  timer.SetSpeed(1200.0);
  timer.SetMaxFPS(100);
  EXPECT_EQ(timer.FrameLatency(), 10485760);
  EXPECT_EQ(timer.SpeedLatency(), 873813);
}

TEST(GfxTimer, DisabledTimerSleepsFiveMillisecondsAndRaisesNothing) {
  platform::HeadlessClock clock;
  TGfxTimer timer(clock);
  int raised = 0;
  timer.OnTimer = [&](TGfxTimer&) { ++raised; };
  for (int i = 0; i < 10; ++i) {
    bool done = true;
    timer.Idle(done);
    EXPECT_FALSE(done);
  }
  EXPECT_EQ(raised, 0);
  EXPECT_EQ(clock.TotalSleptMillis(), 50u);
  for (uint32_t s : clock.Sleeps()) EXPECT_EQ(s, 5u);
}

TEST(GfxTimer, CapsTheRateBySleepingTheRestOfTheFrame) {
  platform::HeadlessClock clock;
  TGfxTimer timer(clock);
  timer.SetSpeed(1200.0);
  timer.SetEnabled(true);
  int raised = 0;
  timer.OnTimer = [&](TGfxTimer&) {
    ++raised;
    clock.AdvanceMillis(3);  // the frame's own work
  };
  bool done = false;
  timer.Idle(done);  // first pass: no time has passed yet
  clock.ClearSleeps();
  for (int i = 0; i < 100; ++i) timer.Idle(done);
  EXPECT_EQ(raised, 101);
  // Each pass measured 3 ms of work and slept the 7 ms left of the 10 ms frame.
  for (uint32_t s : clock.Sleeps()) EXPECT_EQ(s, 7u);
  EXPECT_EQ(clock.Sleeps().size(), 100u);
  // The sleep belongs to the next pass: 10 ms latency is about 12 logical ticks.
  EXPECT_EQ(timer.Latency(), 10 * TGfxTimer::kFixedOne);
  EXPECT_EQ(timer.Delta(), int64_t{10 * TGfxTimer::kFixedOne} * 1048576 / 873813);
}

TEST(GfxTimer, SlowPassDoesNotSleepAndDeltaIsCappedAt32Ticks) {
  platform::HeadlessClock clock;
  TGfxTimer timer(clock);
  timer.SetSpeed(1200.0);
  timer.SetEnabled(true);
  bool done = false;
  timer.Idle(done);
  clock.ClearSleeps();
  clock.AdvanceMillis(15);
  timer.Idle(done);
  EXPECT_TRUE(clock.Sleeps().empty());

  clock.AdvanceMillis(60'000);  // a long stall
  timer.Idle(done);
  EXPECT_EQ(timer.Delta(), 33554432);
}

TEST(GfxTimer, LowPrecisionUsesTheMillisecondTick) {
  TickOnlyClock clock;
  TGfxTimer timer(clock);
  EXPECT_EQ(timer.Precision(), TPerformancePrecision::ppLow);
  timer.SetEnabled(true);
  bool done = false;
  clock.now += 4;
  timer.Idle(done);
  EXPECT_EQ(clock.slept, 6u);  // 4 ms measured, the rest of the 10 ms frame slept
  EXPECT_EQ(timer.Latency(), 10 * TGfxTimer::kFixedOne);
  // A wrapped 32-bit tick still measures the short interval.
  clock.now = 0xFFFFFFF0u;
  timer.Idle(done);
  clock.slept = 0;
  clock.now = 3;  // 19 ms later
  timer.Idle(done);
  EXPECT_EQ(clock.slept, 0u);
  EXPECT_EQ(timer.Latency(), 19 * TGfxTimer::kFixedOne);
}

}  // namespace
}  // namespace zb
