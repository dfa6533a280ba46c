// How much processor the frame loop uses when it has nothing to do: the timer disabled
// (5 ms sleeps) and enabled at the 100 frames-per-second cap with an empty frame and with 4 ms of
// work a frame; with the frame rate it reached and its shortest and longest frame.
#include <sys/prctl.h>
#include <sys/resource.h>

#include <algorithm>

#include <chrono>
#include <cstdio>
#include <thread>

#include "engine/GfxTimers.h"

namespace {

class SteadyClock final : public zb::platform::Clock {
 public:
  uint32_t TickCount() override { return static_cast<uint32_t>(Micros() / 1000); }
  uint64_t PerformanceCounter() override { return Micros(); }
  uint64_t PerformanceFrequency() override { return 1'000'000; }
  void Sleep(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
  void SleepMicros(uint32_t us) override { std::this_thread::sleep_for(std::chrono::microseconds(us)); }

 private:
  static uint64_t Micros() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
  }
};

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void Measure(const char* label, bool enabled, double seconds, double workMs = 0.0) {
  SteadyClock clock;
  zb::TGfxTimer timer(clock);
  timer.SetSpeed(1200.0);
  timer.SetMaxFPS(100);
  timer.SetEnabled(enabled);
  long frames = 0;
  double shortest = 1e9, longest = 0.0;
  auto last = std::chrono::steady_clock::now();
  timer.OnTimer = [&](zb::TGfxTimer&) {
    const auto now = std::chrono::steady_clock::now();
    if (frames++ > 0) {
      const double ms = std::chrono::duration<double, std::milli>(now - last).count();
      shortest = std::min(shortest, ms);
      longest = std::max(longest, ms);
    }
    last = now;
    while (std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - now).count() < workMs) {
    }
  };
  const auto start = std::chrono::steady_clock::now();
  const double cpuStart = CpuSeconds();
  bool done = false;
  while (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() < seconds) {
    timer.Idle(done);
  }
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double cpu = CpuSeconds() - cpuStart;
  std::printf("%-34s %6.1f frames/s  %5.2f%% of one core", label, frames / wall, 100.0 * cpu / wall);
  if (enabled) std::printf("  frames %.2f .. %.2f ms", shortest, longest);
  std::printf("\n");
}

}  // namespace

int main() {
  prctl(PR_SET_TIMERSLACK, 1000UL, 0UL, 0UL, 0UL);  // as the game's clock does
  Measure("timer disabled", false, 3.0);
  Measure("timer at the 100 fps cap", true, 3.0);
  Measure("the same with 4 ms of work a frame", true, 3.0, 4.0);
  return 0;
}
