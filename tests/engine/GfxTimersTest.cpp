#include "engine/GfxTimers.h"

#include <gtest/gtest.h>

#include <vector>

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
  const uint64_t slept = clock.TotalSleptMillis();
  for (int i = 0; i < 100; ++i) timer.Idle(done);
  EXPECT_EQ(raised, 101);
  // Each pass measured 3 ms of work and slept the 7 ms left of the 10 ms frame: most of it in
  // one sleep, the last 2 ms in short ones.
  EXPECT_EQ(clock.TotalSleptMillis() - slept, 700u);
  EXPECT_EQ(clock.Sleeps().front(), 5u);
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

// Sleeps as a busy system does: a millisecond sleep ends up to 1.9 ms late, a short one 15 us late.
class OversleepingClock final : public platform::Clock {
 public:
  uint32_t TickCount() override { return static_cast<uint32_t>(micros / 1000); }
  uint64_t PerformanceCounter() override { return micros; }
  uint64_t PerformanceFrequency() override { return 1'000'000; }
  void Sleep(uint32_t ms) override { micros += uint64_t{ms} * 1000 + (++sleeps % 2 ? 300 : 1900); }
  void SleepMicros(uint32_t us) override { micros += us + 15; }
  uint64_t micros = 1'000'000;
  int sleeps = 0;
};

// Frame start times, in microseconds, of `frames` frames that each work `work(i)` microseconds.
template <typename Work>
std::vector<uint64_t> RunFrames(OversleepingClock& clock, int frames, Work work) {
  TGfxTimer timer(clock);
  timer.SetSpeed(1200.0);
  timer.SetEnabled(true);
  std::vector<uint64_t> starts;
  timer.OnTimer = [&](TGfxTimer&) {
    starts.push_back(clock.micros);
    clock.micros += work(static_cast<int>(starts.size()) - 1);
  };
  bool done = false;
  while (static_cast<int>(starts.size()) < frames) timer.Idle(done);
  return starts;
}

TEST(GfxTimer, HoldsOneHundredFramesASecondThoughSleepsEndLate) {
  OversleepingClock clock;
  const std::vector<uint64_t> starts = RunFrames(clock, 300, [](int) { return 3300; });
  // Counted from the second frame: the first one starts as soon as the timer runs.
  int inFirstSecond = 0;
  for (size_t i = 1; i < starts.size(); ++i) inFirstSecond += starts[i] < starts[1] + 1'000'000;
  EXPECT_EQ(inFirstSecond, 100);
  const double seconds = static_cast<double>(starts.back() - starts[1]) / 1e6;
  EXPECT_NEAR(static_cast<double>(starts.size() - 2) / seconds, 100.0, 0.2);
  for (size_t i = 2; i < starts.size(); ++i) EXPECT_GE(starts[i] - starts[i - 1], 9'000u) << i;
}

TEST(GfxTimer, AStallIsNotMadeUpWithShortFrames) {
  OversleepingClock clock;
  const std::vector<uint64_t> starts =
      RunFrames(clock, 60, [](int frame) { return frame == 20 ? 45'000 : 2'000; });
  EXPECT_GE(starts[21] - starts[20], 45'000u);
  for (size_t i = 22; i < starts.size(); ++i) {
    EXPECT_GE(starts[i] - starts[i - 1], 10'000u) << i;
    EXPECT_LE(starts[i] - starts[i - 1], 10'100u) << i;
  }
}

TEST(GfxTimer, WaitEndsOnAClockThatDoesNotMoveWhileSleeping) {
  struct Stuck final : platform::Clock {
    uint32_t TickCount() override { return 7; }
    uint64_t PerformanceCounter() override { return 7; }
    uint64_t PerformanceFrequency() override { return 1000; }
    void Sleep(uint32_t) override {}
  } stuck;
  TGfxTimer timer(stuck);
  timer.SetEnabled(true);
  int raised = 0;
  timer.OnTimer = [&](TGfxTimer&) { ++raised; };
  bool done = false;
  timer.Idle(done);
  EXPECT_EQ(raised, 1);
}

}  // namespace
}  // namespace zb
