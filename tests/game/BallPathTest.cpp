#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "game/Ball.h"
#include "game/BallRules.h"
#include "game/Blocks.h"
#include "tests/game/PlayFixture.h"

namespace zb {
namespace {

// The game's own sizes: balls of 12 and 18 pixels, bricks 37 x 20 standing edge to edge.
class BallPathTest : public test::PlayFixture {
 protected:
  BallPathTest() {
    images.Clear();
    Image("ball", 12, 12, 8);
    Image("ball2", 18, 18, 8);
    Image("ballcrash", 16, 16, 9);
    Image("ball2crash", 24, 24, 9);
    Image("gold", 37, 20, 8);
    Image("block1", 37, 20, 8);
    game.Difficulty = 2;
    game.Lives = 3;
  }

  TBlock& Gold(float x, float y) { return *TBlock::Create(engine, play, x, y, kGoldKind); }

  TBall& Launch(float centreX, float centreY, double degrees, double speed, bool big, bool super) {
    const int slot = game.BallCount;
    const float half = big ? 9.0f : 6.0f;
    TBall& ball = engine.Create<TBall>(play, super, big, centreX - half, centreY - half, slot);
    game.Balls[static_cast<size_t>(slot)] = &ball;
    const double radians = degrees * std::numbers::pi / 180;
    ball.VelocityX = std::cos(radians) * speed;
    ball.VelocityY = std::sin(radians) * speed;
    return ball;
  }

  // The ball's centre crossed the brick between two ticks: it went into or through it.
  static bool CentreCrosses(double x0, double y0, double x1, double y1, const TBlock& brick) {
    for (int i = 0; i <= 400; ++i) {
      const double x = x0 + (x1 - x0) * i / 400, y = y0 + (y1 - y0) * i / 400;
      if (x > brick.X && x < brick.X + 37 && y > brick.Y && y < brick.Y + 20) return true;
    }
    return false;
  }

  // The fastest flight the rules allow at an angle: across, no more than the hard difficulty's
  // speed (only the bat gives a ball its speed, walls and bricks turn it); up or down, that and
  // an hour of downward drift (100 ticks a second) with no bat to take it back.
  static double FastestAt(int degrees) {
    constexpr double across = 4.2, upOrDown = 4.2 + 3600.0 * 100 / kDriftTicks * kDriftStep;
    const double radians = degrees * std::numbers::pi / 180;
    const double c = std::abs(std::cos(radians)), s = std::abs(std::sin(radians));
    return std::min(c > 0 ? across / c : 1e9, s > 0 ? upOrDown / s : 1e9);
  }
  static constexpr double kFastest = -1;  // a speed of FastestAt
};

struct TKind {
  double Speed;
  bool Big;
  bool Super;
};

TEST_F(BallPathTest, NoBallPassesASingleGoldBrickFromAnyAngle) {
  const TKind kinds[] = {{4.2, false, false}, {4.2, true, false}, {kFastest, false, false},
                         {kFastest, true, false}, {7.0, false, false}, {2.9, false, false}};
  for (const TKind& kind : kinds) {
    for (int degrees = 0; degrees < 360; ++degrees) {
      TBlock& brick = Gold(460, 260);
      const double cx = 460 + 18.5, cy = 260 + 10;
      const double radians = degrees * std::numbers::pi / 180;
      const double speed = kind.Speed == kFastest ? FastestAt(degrees) : kind.Speed;
      TBall& ball = Launch(static_cast<float>(cx - std::cos(radians) * 90),
                           static_cast<float>(cy - std::sin(radians) * 90), degrees, speed, kind.Big, false);
      const double vx = ball.VelocityX, vy = ball.VelocityY;
      bool turned = false;
      for (int tick = 0; tick < 80 && !ball.Dead(); ++tick) {
        const double x0 = ball.CentreX(), y0 = ball.CentreY();
        Tick();
        ASSERT_FALSE(CentreCrosses(x0, y0, ball.CentreX(), ball.CentreY(), brick))
            << "speed " << speed << (kind.Big ? " big" : "") << " at " << degrees << " degrees, tick " << tick;
        turned = turned || ball.VelocityX * vx < 0 || ball.VelocityY * vy < 0;
      }
      EXPECT_TRUE(turned) << "speed " << speed << " at " << degrees << " degrees";
      ball.Kill();
      brick.Kill();
      Tick();
    }
  }
}

TEST_F(BallPathTest, AFireBallMeetsAndBreaksGoldFromAnyAngle) {
  for (const double speed : {4.2, kFastest}) {
    for (int degrees = 0; degrees < 360; ++degrees) {
      const SpriteRef<TBlock> brick = &Gold(460, 260);
      const double radians = degrees * std::numbers::pi / 180;
      const SpriteRef<TBall> ball = &Launch(static_cast<float>(478.5 - std::cos(radians) * 90),
                                            static_cast<float>(270 - std::sin(radians) * 90), degrees,
                                            speed == kFastest ? FastestAt(degrees) : speed, false, true);
      // A ball faster than the brick and itself are deep would jump it without a contact.
      for (int tick = 0; tick < 80 && brick.Get() != nullptr && !brick.Get()->Dead(); ++tick) Tick();
      EXPECT_TRUE(brick.Get() == nullptr || brick.Get()->Dead()) << "speed " << speed << " at " << degrees << " degrees";
      if (TBall* live = ball.Get()) live->Kill();
      Tick();
    }
  }
}

TEST_F(BallPathTest, NoBallPassesAWallOneBrickThick) {
  constexpr float kWallY = 200;
  for (int i = 0; i < 17; ++i) Gold(172 + 37.0f * static_cast<float>(i), kWallY);
  const TKind kinds[] = {{4.2, false, false}, {4.2, true, false}, {kFastest, false, false}, {kFastest, true, false}};
  for (const TKind& kind : kinds) {
    // Every way up, from along the wall to straight at it.
    for (int degrees = -179; degrees < 0; ++degrees) {
      const double speed = kind.Speed == kFastest ? FastestAt(degrees) : kind.Speed;
      TBall& ball = Launch(486, 320, degrees, speed, kind.Big, false);
      double highest = ball.CentreY();
      for (int tick = 0; tick < 1500 && !ball.Dead(); ++tick) {
        Tick();
        if (!ball.Dead()) highest = std::min(highest, static_cast<double>(ball.CentreY()));
      }
      EXPECT_GT(highest, kWallY + 20) << "speed " << speed << (kind.Big ? " big" : "") << " at " << degrees;
      if (!ball.Dead()) ball.Kill();
      game.Lives = 3;
      Tick();
    }
  }
}

TEST_F(BallPathTest, AFastBallStopsAtTheBrickAndTurnsThere) {
  TBlock& brick = Gold(460, 200);
  // 40 pixels a tick straight up, its top 30 below the brick: one whole step would carry it in.
  TBall& ball = Launch(478.5, 256, -90, 40, false, false);
  Tick();
  EXPECT_LE(ball.Y, brick.Y + 20);
  EXPECT_GE(ball.Y, brick.Y + 20 - 2);
  EXPECT_LT(ball.VelocityY, 0);
  Tick();
  EXPECT_GT(ball.VelocityY, 0);
}

TEST_F(BallPathTest, ASlowBallMeetingABrickAtTheEndOfItsStepGoesTheWholeStep) {
  Gold(460, 200);
  // 3.4 pixels a tick up, its top 2.6 below the brick: it ends 0.8 in, where it is turned.
  TBall& ball = Launch(478.5, 228.6f, -90, 3.4, false, false);
  const float start = ball.Y;
  Tick();
  EXPECT_FLOAT_EQ(ball.Y, start - 3.4f);
  Tick();
  EXPECT_GT(ball.VelocityY, 0);
}

TEST_F(BallPathTest, ABallLeavingARowAtASeamIsNotTurnedBackIntoIt) {
  Gold(460, 200);
  Gold(497, 200);
  // Half a pixel into the row's underside, across the seam, going left and a little down, towards
  // the left brick's centre but out of the row.
  TBall& ball = Launch(495.5f, 225.5f, 175, 4.2, false, false);
  const double vx = ball.VelocityX;
  Tick();
  EXPECT_GT(ball.VelocityY, 0) << "still on its way down";
  EXPECT_DOUBLE_EQ(ball.VelocityX, vx);
}

}  // namespace
}  // namespace zb
