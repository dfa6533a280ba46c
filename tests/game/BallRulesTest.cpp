#include "game/BallRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace zb {
namespace {

TEST(BallRulesTest, StartDirectionIsUpToThirtyDegreesOffVertical) {
  const TVelocity straight = StartVelocity(30, 3.4);
  EXPECT_NEAR(straight.X, 0, 1e-12);
  EXPECT_NEAR(straight.Y, -3.4, 1e-12);
  const TVelocity left = StartVelocity(0, 2);  // 60 degrees: up and to the right
  EXPECT_NEAR(left.X, 1.0, 1e-12);
  EXPECT_NEAR(left.Y, -std::sqrt(3.0), 1e-12);
  const TVelocity right = StartVelocity(59, 2);  // 119 degrees: up and to the left
  EXPECT_LT(right.X, 0);
  EXPECT_LT(right.Y, 0);
}

TEST(BallRulesTest, WallsAreTestedBeforeTheMove) {
  // Inside: a plain move, even when the move ends past a wall.
  TBallFlight inside{173, 10, -4, -4};
  EXPECT_FALSE(inside.Step(16));
  EXPECT_DOUBLE_EQ(inside.X, 169);
  EXPECT_DOUBLE_EQ(inside.Y, 6);
  // At the left wall moving left: turned, then moved.
  EXPECT_TRUE(inside.Step(16));
  EXPECT_DOUBLE_EQ(inside.X, 173);
  EXPECT_DOUBLE_EQ(inside.VelocityX, 4);
  // At the right wall (x >= 800 - visible width).
  TBallFlight right{784, 100, 3, 1};
  EXPECT_TRUE(right.Step(16));
  EXPECT_DOUBLE_EQ(right.VelocityX, -3);
  EXPECT_DOUBLE_EQ(right.X, 781);
  // The top: y <= 0 turns the ball down.
  TBallFlight top{400, 0, 1, -3};
  EXPECT_TRUE(top.Step(16));
  EXPECT_DOUBLE_EQ(top.VelocityY, 3);
  EXPECT_DOUBLE_EQ(top.Y, 3);
  // No wall at the bottom.
  TBallFlight low{400, 700, 0, 3};
  EXPECT_FALSE(low.Step(16));
  EXPECT_DOUBLE_EQ(low.Y, 703);
}

TEST(BallRulesTest, ABallPastTheWallMovingAwayIsNotTurnedBackIn) {
  // Past the left wall but already moving right (its direction was reversed there).
  TBallFlight ball{171, 300, 2, -1};
  EXPECT_FALSE(ball.Step(16));
  EXPECT_DOUBLE_EQ(ball.X, 173);
  EXPECT_FALSE(ball.Step(16));
  EXPECT_DOUBLE_EQ(ball.X, 175);
  TBallFlight above{300, -1, 0, 2};
  EXPECT_FALSE(above.Step(16));
  EXPECT_DOUBLE_EQ(above.Y, 1);
}

TEST(BallRulesTest, BatHitAngles) {
  // Middle of a standing bat: straight up at full speed.
  const double middle = BatHitAngle(440, 440, 80, 0);
  EXPECT_DOUBLE_EQ(middle, 0);
  const TVelocity up = BatHitVelocity(middle, 3.8);
  EXPECT_DOUBLE_EQ(up.X, 0);
  EXPECT_DOUBLE_EQ(up.Y, -3.8);
  // Over the right end: 45; with the bat moving right 65.
  EXPECT_DOUBLE_EQ(BatHitAngle(480, 440, 80, 0), 45);
  EXPECT_DOUBLE_EQ(BatHitAngle(480, 440, 80, 2.4), 65);
  EXPECT_DOUBLE_EQ(BatHitAngle(400, 440, 80, -2.4), -65);
  // Moving against the side the ball hit: bent back towards the middle.
  EXPECT_DOUBLE_EQ(BatHitAngle(480, 440, 80, -2.4), 25);
  // Never bent from 70 degrees or more.
  EXPECT_DOUBLE_EQ(BatHitAngle(502.2, 440, 80, 2.4), 69.975 + 20);
  EXPECT_DOUBLE_EQ(BatHitAngle(502.3, 440, 80, 2.4), (502.3 - 440) / 80 * 90);
  EXPECT_DOUBLE_EQ(BatHitAngle(377.7, 440, 80, -2.4), (377.7 - 440) / 80 * 90);
  const TVelocity steep = BatHitVelocity(65, 3.4);
  EXPECT_NEAR(steep.X, std::sin(65 * std::numbers::pi / 180) * 3.4, 1e-12);
  EXPECT_LT(steep.Y, 0);
}

TEST(BallRulesTest, TheSpeedChangeNeverActsFromTheBaseSpeed) {
  for (uint8_t difficulty : {0, 1, 2}) {
    const TBallConstants c = BallConstants(difficulty);
    const double bat = BatSpeed(difficulty);
    EXPECT_EQ(SpeedAfterBatHit(c.BaseSpeed, c.BaseSpeed, c.SpeedFactor, 1, bat, bat), c.BaseSpeed);
    EXPECT_EQ(SpeedAfterBatHit(c.BaseSpeed, c.BaseSpeed, c.SpeedFactor, -1, bat, bat), c.BaseSpeed);
  }
  // Above the base it would act: with the bat's direction faster, against it slower.
  EXPECT_DOUBLE_EQ(SpeedAfterBatHit(6, 3.8, 0.5, 1, 2.4, 2.4), 6 + 1.2);
  EXPECT_DOUBLE_EQ(SpeedAfterBatHit(6, 3.8, 0.5, -1, 2.4, 2.4), 6 - 1.2);
  EXPECT_DOUBLE_EQ(BallConstants(0).BaseSpeed, 3.4);
  EXPECT_DOUBLE_EQ(BallConstants(2).SpeedFactor, 0.2);
  EXPECT_DOUBLE_EQ(BatSpeed(1), 2.4);
}

}  // namespace
}  // namespace zb
