#pragma once

#include <cstdint>

namespace zb {

// The playfield: left wall, right wall, and the line below which a ball is lost.
inline constexpr double kLeftWall = 172;
inline constexpr double kRightWall = 800;
inline constexpr double kLossY = 586;
// Every this many ticks of flight a ball gains this much downward velocity.
inline constexpr int kDriftTicks = 100;
inline constexpr double kDriftStep = 0.01;
// The longest move between two tests of a ball's way: shallower than the 3 pixels within which
// a brick turns a ball, so no speed can carry one over a brick's edge.
inline constexpr double kMostBallStep = 2;

struct TBallConstants {
  double BaseSpeed;
  double SpeedFactor;
};
// By difficulty 0 easy, 1 medium, 2 hard (anything else reads as hard).
TBallConstants BallConstants(uint8_t difficulty);
double BatSpeed(uint8_t difficulty);

struct TVelocity {
  double X = 0;
  double Y = 0;
};

// Upwards, 90 + (r - 30) degrees with r drawn from 0..59.
TVelocity StartVelocity(int r, double speed);

// The ball's position and velocity while it flies; `Step` is one tick against the walls.
struct TBallFlight {
  double X = 0, Y = 0;
  double VelocityX = 0, VelocityY = 0;
  // Walls are tested on the position before the move. At a wall the velocity is turned away
  // from it; a ball already moving away is left so, which keeps one that stands past the wall
  // from being turned back in every tick. True when a wall turned the ball (its sound plays).
  bool Step(double visibleWidth);
};

// Hit angle in degrees from the centres (visible widths) and the bat's width: 0 in the middle,
// about +-45 at the ends, bent by 20 towards a moving bat's direction unless already 70 or more.
double BatHitAngle(double ballCentreX, double batCentreX, double batWidth, double batVelocity);
TVelocity BatHitVelocity(double angleDegrees, double speed);

// The speed change at a bat hit, kept as the game has it: it acts only when the speed lies
// more than half the bat's speed above the base speed, which nothing ever makes it do.
double SpeedAfterBatHit(double speed, double baseSpeed, double speedFactor, double ballVelocityX,
                        double batSpeed, double batVelocity);

}  // namespace zb
