#pragma once

#include <signal.h>

#include <array>

namespace zb::platform {

// While it lives, SIGTERM, SIGINT and SIGHUP do not kill the program but are noted, for the main
// loop to end the game in order. A second one of them ends the program at once, as without
// this, so a game that cannot end in order can still be stopped. There is one per program.
class EndSignals {
 public:
  EndSignals();
  ~EndSignals();
  EndSignals(const EndSignals&) = delete;
  EndSignals& operator=(const EndSignals&) = delete;

  // Whether one of the signals came since the start.
  bool Raised() const;

  static constexpr size_t kCount = 3;

 private:
  std::array<struct sigaction, kCount> previous_{};
};

}  // namespace zb::platform
