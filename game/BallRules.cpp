#include "game/BallRules.h"

#include <cmath>
#include <numbers>

namespace zb {
namespace {

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

}  // namespace

TBallConstants BallConstants(uint8_t difficulty) {
  switch (difficulty) {
    case 0: return {3.4, 0.8};
    case 1: return {3.8, 0.5};
    default: return {4.2, 0.2};
  }
}

double BatSpeed(uint8_t difficulty) {
  switch (difficulty) {
    case 0: return 2.0;
    case 1: return 2.4;
    default: return 2.7;
  }
}

TVelocity StartVelocity(int r, double speed) {
  const double angle = Radians(90.0 + (r - 30));
  return {std::cos(angle) * speed, -std::sin(angle) * speed};
}

bool TBallFlight::Step(double visibleWidth) {
  bool turned = false;
  if (Y <= 0 && VelocityY < 0) {
    VelocityY = -VelocityY;
    turned = true;
  }
  Y += VelocityY;
  const bool atLeft = X <= kLeftWall;
  const bool atRight = !atLeft && X >= kRightWall - visibleWidth;
  if ((atLeft && VelocityX < 0) || (atRight && VelocityX > 0)) {
    VelocityX = -VelocityX;
    turned = true;
  }
  X += VelocityX;
  return turned;
}

double BatHitAngle(double ballCentreX, double batCentreX, double batWidth, double batVelocity) {
  double r = batWidth > 0 ? (ballCentreX - batCentreX) / batWidth * 90.0 : 0.0;
  if (batVelocity > 0 && r < 70) r += 20;
  if (batVelocity < 0 && r > -70) r -= 20;
  return r;
}

TVelocity BatHitVelocity(double angleDegrees, double speed) {
  const double angle = Radians(angleDegrees);
  return {std::sin(angle) * speed, -std::cos(angle) * speed};
}

double SpeedAfterBatHit(double speed, double baseSpeed, double speedFactor, double ballVelocityX,
                        double batSpeed, double batVelocity) {
  if (speed - 0.5 * batSpeed > baseSpeed && speed + 0.5 * batSpeed < baseSpeed + 8) {
    return ballVelocityX * batVelocity > 0 ? speed + batSpeed * speedFactor : speed - batSpeed * speedFactor;
  }
  return speed;
}

}  // namespace zb
