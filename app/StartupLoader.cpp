#include "app/StartupLoader.h"

namespace zb {

bool TStartupLoader::RunOne() {
  if (Done()) return false;
  Step step = std::move(steps_.front());
  steps_.pop_front();
  error_ = step();
  return !Failed();
}

void TStartupLoader::Run(platform::Clock& clock, uint32_t budgetMicros) {
  const uint64_t frequency = clock.PerformanceFrequency();
  const uint64_t start = clock.PerformanceCounter();
  const auto spent = [&] {
    // A clock without a fine counter gives no measure of the budget: everything runs at once.
    if (frequency == 0) return uint64_t{0};
    return (clock.PerformanceCounter() - start) * 1'000'000 / frequency;
  };
  while (RunOne() && spent() < budgetMicros) {
  }
}

void TStartupLoader::RunAll() {
  while (RunOne()) {
  }
}

std::string StartupFailureText(const std::string& cause) {
  const std::string device = "Failed to initialize device!";
  return cause.empty() ? device : cause + "\n\n" + device;
}

}  // namespace zb
