#pragma once

#include <cstdint>

#include "game/GameState.h"

namespace zb {

// A ball that touches neither the bat nor a brick that can break for this many ticks of play is
// caught in a loop: every ball then turns round once (its horizontal direction flips).
inline constexpr int32_t kStallTicks = 1000;

// The bat or a breakable brick met a ball (or a ball rides the bat): the count starts again.
inline void NoteTouch(TGameState& game) { game.StallTicks = 0; }

// Counts one tick of play; true on the tick the balls must turn.
inline bool StallTick(TGameState& game) { return ++game.StallTicks == kStallTicks; }

}  // namespace zb
