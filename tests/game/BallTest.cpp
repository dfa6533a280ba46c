#include "game/Ball.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "game/Scenery.h"
#include "game/Bat.h"
#include "tests/game/PlayFixture.h"

namespace zb {
namespace {

class BallTest : public test::PlayFixture {
 protected:
  TBall& AddBall(float x, float y, bool big = false, bool super = false) {
    const int slot = game.BallCount;
    TBall& ball = engine.Create<TBall>(play, super, big, x, y, slot);
    game.Balls[static_cast<size_t>(slot)] = &ball;
    return ball;
  }
  TSprite* Find(const std::string& name) {
    for (int i = 0; i < engine.Count(); ++i) {
      if (engine.SpriteAt(i)->Name == name && !engine.SpriteAt(i)->Dead()) return engine.SpriteAt(i);
    }
    return nullptr;
  }
};

TEST_F(BallTest, CreationBySpeedOfTheDifficulty) {
  for (uint8_t difficulty : {0, 1, 2}) {
    game.Difficulty = difficulty;
    TBall& ball = AddBall(400, 300);
    const double expected[] = {3.4, 3.8, 4.2};
    EXPECT_DOUBLE_EQ(ball.Speed, expected[difficulty]);
    EXPECT_NEAR(std::hypot(ball.VelocityX, ball.VelocityY), expected[difficulty], 1e-9);
    // Upwards, at most 30 degrees off vertical.
    EXPECT_LT(ball.VelocityY, 0);
    EXPECT_LE(std::abs(ball.VelocityX), std::sin(30 * std::numbers::pi / 180) * ball.Speed + 1e-9);
    EXPECT_EQ(ball.Z(), 510);
    ASSERT_TRUE(ball.Shadow);
    EXPECT_EQ(ball.Shadow.Get()->Z(), 498);
    EXPECT_EQ(ball.Shadow.Get()->X, 402);
    EXPECT_EQ(ball.Shadow.Get()->Alpha, 110);
  }
  EXPECT_EQ(game.BallCount, 3);
}

TEST_F(BallTest, FiresATrailThatOnlyTheBallDraws) {
  TBall& ball = AddBall(400, 300, false, true);
  ASSERT_TRUE(ball.SuperTrailOn);
  ASSERT_TRUE(ball.SuperTrail);
  EXPECT_EQ(ball.SuperTrail.Get()->Name, "dontpaint");
  EXPECT_EQ(Spawned(), (std::vector<std::string>{"BallSuper.pss"}));
  Tick();
  EXPECT_FLOAT_EQ(ball.SuperTrail.Get()->X, ball.X + 8);
}

TEST_F(BallTest, MovesOnlyOnTheGameScreenAndDrifts) {
  TBall& ball = AddBall(400, 300);
  ball.VelocityX = 0;
  ball.VelocityY = -1;
  phase = PlayPhase::Paused;
  Tick(5);
  EXPECT_EQ(ball.Y, 300);
  phase = PlayPhase::Playing;
  Tick(99);
  EXPECT_DOUBLE_EQ(ball.VelocityY, -1);
  Tick(1);  // the 100th tick adds the drift
  EXPECT_DOUBLE_EQ(ball.VelocityY, -0.99);
  Tick(100);
  EXPECT_DOUBLE_EQ(ball.VelocityY, -0.98);
}

TEST_F(BallTest, TurnsAtTheWall) {
  TBall& ball = AddBall(172, 100);
  ball.VelocityX = -2;
  ball.VelocityY = 1;
  Tick();
  EXPECT_DOUBLE_EQ(ball.VelocityX, 2);
  EXPECT_FLOAT_EQ(ball.X, 174);
}

TEST_F(BallTest, ALostBallCrumbles) {
  game.Lives = 3;
  TBall& normal = AddBall(300, 586);
  normal.VelocityX = 0;
  normal.VelocityY = 2;
  TBall& big = AddBall(500, 586, true);
  big.VelocityX = 0;
  big.VelocityY = 2;
  Tick();
  EXPECT_TRUE(normal.Dead());
  EXPECT_TRUE(big.Dead());
  std::vector<TSprite*> crumbs;
  for (int i = 0; i < engine.Count(); ++i) {
    if (engine.SpriteAt(i)->Name == "ballcrash") crumbs.push_back(engine.SpriteAt(i));
  }
  ASSERT_EQ(crumbs.size(), 2u);
  for (TSprite* crumb : crumbs) {
    if (crumb->ImageName == "ballcrash") {
      EXPECT_FLOAT_EQ(crumb->X, 298);
      EXPECT_FLOAT_EQ(crumb->Y, 587);
    } else {
      EXPECT_EQ(crumb->ImageName, "ball2crash");
      EXPECT_FLOAT_EQ(crumb->X, 497);
      EXPECT_FLOAT_EQ(crumb->Y, 584);
    }
    EXPECT_EQ(crumb->Z(), 520);
  }
  EXPECT_TRUE(game.LifeLostFlag);
  EXPECT_FALSE(game.GameOverFlag);
}

TEST_F(BallTest, LosingBallZeroMovesTheOthersDown) {
  TBita& bat = engine.Create<TBita>(play, 440.0f, 530.0f);
  game.Bita = &bat;
  TBall& first = AddBall(300, 200);
  TBall& second = AddBall(400, 200);
  TBall& third = AddBall(500, 200);
  first.Kill();
  EXPECT_EQ(game.BallCount, 2);
  EXPECT_EQ(game.Balls[0].Get(), &second);
  EXPECT_EQ(game.Balls[1].Get(), &third);
  EXPECT_FALSE(game.Balls[2]);
  EXPECT_EQ(second.Slot, 0);
  EXPECT_EQ(third.Slot, 1);
  EXPECT_EQ(bat.Face.Get()->FaceState(), FaceBallLost);
  EXPECT_EQ(bat.Face.Get()->ImageName, "m_vipuch");
  // The last slot: nothing moves, the slot empties.
  third.Kill();
  EXPECT_EQ(game.BallCount, 1);
  EXPECT_EQ(game.Balls[0].Get(), &second);
  EXPECT_FALSE(game.Balls[1]);
  EXPECT_FALSE(game.LifeLostFlag);
  EXPECT_FALSE(game.GameOverFlag);
}

TEST_F(BallTest, TheLastBallEndsALifeOrTheGame) {
  game.Lives = 2;
  TBall& ball = AddBall(300, 200);
  ball.Kill();
  EXPECT_TRUE(game.LifeLostFlag);
  EXPECT_FALSE(game.GameOverFlag);
  // A second kill of the same ball counts nothing more.
  ball.Kill();
  EXPECT_EQ(game.BallCount, 0);

  game.LifeLostFlag = false;
  game.Lives = 1;
  AddBall(300, 200).Kill();
  EXPECT_TRUE(game.GameOverFlag);
  EXPECT_FALSE(game.LifeLostFlag);
  // Freed sprites leave no dangling slot.
  Tick();
  for (const auto& slot : game.Balls) EXPECT_FALSE(slot);
}

}  // namespace
}  // namespace zb
