#pragma once

#include <cmath>
#include <cstdint>

#include "game/GameState.h"

namespace zb {

// A ball that touches neither the bat nor a brick that can break for this many ticks of play is
// caught in a loop: every ball then turns (its horizontal direction flips), and again after each
// further as many quiet ticks.
inline constexpr int32_t kStallTicks = 1000;

// The bat or a breakable brick met a ball (or a ball rides the bat): the count starts again.
inline void NoteTouch(TGameState& game) { game.StallTicks = 0; }

// Counts one tick of play; on a tick the balls must turn, which turn in a row it is (1, 2, ...),
// else 0.
inline int32_t StallTick(TGameState& game) {
  ++game.StallTicks;
  return game.StallTicks % kStallTicks == 0 ? game.StallTicks / kStallTicks : 0;
}

// The way a stalled ball flies on. The first turn reverses its horizontal way. In a closed pocket
// (gold all round) the reversed way can loop too, and reversing it again would bring back the
// first loop: every later turn instead tilts the flight by 20 degrees more, skipping the ways
// within 15 degrees of the horizontal, where the ball would crawl, so that no loop lasts.
inline void TurnStalledBall(double& velocityX, double& velocityY, int32_t turn) {
  if (turn < 2) {
    velocityX = -velocityX;
    return;
  }
  constexpr double kDegree = 3.14159265358979323846 / 180.0;
  const double speed = std::hypot(velocityX, velocityY);
  double angle = std::atan2(velocityY, velocityX);
  do {
    angle += 20.0 * kDegree;
  } while (std::abs(std::sin(angle)) < std::sin(15.0 * kDegree));
  velocityX = speed * std::cos(angle);
  velocityY = speed * std::sin(angle);
}

}  // namespace zb
