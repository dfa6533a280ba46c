#pragma once

#include <chrono>

namespace zb::server {

// Token lifetimes and rate windows run on a clock that never jumps.
using Clock = std::chrono::steady_clock;

}  // namespace zb::server
