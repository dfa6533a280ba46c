#include "engine/platform/real/EndSignals.h"

#include <signal.h>

#include <array>
#include <atomic>

namespace zb::platform {
namespace {

constexpr std::array<int, EndSignals::kCount> kEndSignals{SIGTERM, SIGINT, SIGHUP};

// A signal handler can reach nothing but static storage; a lock-free atomic is safe to set there.
std::atomic<bool> endRaised{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void NoteEnd(int number) {
  // The second one is for a game that did not end on the first: it ends the program at once.
  if (endRaised.exchange(true, std::memory_order_relaxed)) {
    ::signal(number, SIG_DFL);
    ::raise(number);
  }
}

}  // namespace

EndSignals::EndSignals() {
  struct sigaction action {};
  action.sa_handler = NoteEnd;
  sigemptyset(&action.sa_mask);
  // Interrupted calls go on as before; the main loop looks at the flag every frame.
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < kEndSignals.size(); ++i) sigaction(kEndSignals[i], &action, &previous_[i]);
}

EndSignals::~EndSignals() {
  for (size_t i = 0; i < kEndSignals.size(); ++i) sigaction(kEndSignals[i], &previous_[i], nullptr);
}

bool EndSignals::Raised() const { return endRaised.load(std::memory_order_relaxed); }

}  // namespace zb::platform
