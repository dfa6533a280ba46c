#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "engine/platform/Platform.h"

namespace zb {

// The start-up work the first frame does not need. It runs a slice at a time between frames, so
// that the window shows the logo at once and the logo plays smoothly while the rest loads.
class TStartupLoader {
 public:
  // One piece of work; returns why it failed, or an empty text.
  using Step = std::function<std::string()>;

  void Add(Step step) { steps_.push_back(std::move(step)); }
  // Runs steps in order until all are done, one fails, or `budgetMicros` have passed on `clock`.
  // At least one step runs, so a step longer than the budget still moves the loading on.
  void Run(platform::Clock& clock, uint32_t budgetMicros);
  // Runs every step left, or up to the first failure.
  void RunAll();

  bool Done() const { return steps_.empty() || Failed(); }
  bool Failed() const { return !error_.empty(); }
  // Why the loading stopped; empty while it goes well.
  const std::string& Error() const { return error_; }
  size_t StepsLeft() const { return steps_.size(); }

 private:
  bool RunOne();

  std::deque<Step> steps_;
  std::string error_;
};

// The message of a start-up that failed: the cause first (the archive and the record that could not
// be read, where one is known), then "Failed to initialize device!".
std::string StartupFailureText(const std::string& cause);

}  // namespace zb
