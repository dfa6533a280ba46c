#include "game/Bat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "game/AntiStall.h"
#include "game/Ball.h"
#include "tests/game/PlayFixture.h"

namespace zb {
namespace {

class BatTest : public test::PlayFixture {
 protected:
  void SetUp() override {
    game.Difficulty = 1;  // bat speed 2.4, ball speed 3.8
    bat_ = &engine.Create<TBita>(play, 440.0f, 530.0f);
    game.Bita = bat_;
  }
  TBall& AddBall(float x, float y) {
    const int slot = game.BallCount;
    TBall& ball = engine.Create<TBall>(play, false, false, x, y, slot);
    game.Balls[static_cast<size_t>(slot)] = &ball;
    return ball;
  }
  // A ball falling straight onto the bat with its centre at `centreX`.
  TBall& FallingOnto(float centreX) {
    TBall& ball = AddBall(centreX - 8, bat_->Y - 10);
    ball.VelocityX = 0;
    ball.VelocityY = 2;
    return ball;
  }
  double DegreesFromVertical(const TBall& ball) {
    return std::atan2(ball.VelocityX, -ball.VelocityY) * 180 / std::numbers::pi;
  }
  TBita* bat_ = nullptr;
};

TEST_F(BatTest, CreatedWithOverlayShadowAndMonkey) {
  EXPECT_FALSE(bat_->Visible);
  EXPECT_EQ(bat_->Z(), 500);
  EXPECT_DOUBLE_EQ(bat_->Speed, 2.4);
  TBitaImage* overlay = bat_->Overlay.Get();
  ASSERT_NE(overlay, nullptr);
  // Centred over the 80-pixel bat: 440 + 40 - 110 / 2.
  EXPECT_FLOAT_EQ(overlay->X, 425);
  EXPECT_FLOAT_EQ(overlay->Y, 522);
  EXPECT_EQ(overlay->PatternIndex, 3);
  EXPECT_FALSE(overlay->Visible);
  ASSERT_TRUE(bat_->Shadow);
  EXPECT_FLOAT_EQ(bat_->Shadow.Get()->X, 427);
  EXPECT_EQ(bat_->Shadow.Get()->Z(), 490);
  TMonkeyFace* face = bat_->Face.Get();
  ASSERT_NE(face, nullptr);
  EXPECT_FLOAT_EQ(face->X, 480 - 50);
  EXPECT_FLOAT_EQ(face->Y, 620);
  EXPECT_EQ(face->FaceState(), FaceJumpIn);
}

TEST_F(BatTest, ACentreHitOnAStandingBatGoesStraightUp) {
  TBall& ball = FallingOnto(480);
  Tick();
  EXPECT_DOUBLE_EQ(ball.VelocityX, 0);
  EXPECT_DOUBLE_EQ(ball.VelocityY, -3.8);
  EXPECT_EQ(bat_->Face.Get()->FaceState(), FaceHit);
  EXPECT_TRUE(bat_->Dipping);
  EXPECT_EQ(game.StallTicks, 0);
}

TEST_F(BatTest, TheRightEndOfABatMovingRightGivesSixtyFiveDegrees) {
  input.Right = true;
  // After this tick's move the bat stands at 442.4; its centre is 482.4 and its right end 522.4.
  TBall& ball = FallingOnto(522.4f);
  Tick();
  EXPECT_NEAR(DegreesFromVertical(ball), 65, 1e-3);
  EXPECT_NEAR(std::hypot(ball.VelocityX, ball.VelocityY), 3.8, 1e-9);
}

TEST_F(BatTest, AMagnetBatHoldsEveryBallUntilTheActionKey) {
  bat_->SetSize(kBatMagnet);
  EXPECT_EQ(bat_->ImageName, "bitka4_1");
  EXPECT_EQ(bat_->Overlay.Get()->ImageName, "bitka4");
  EXPECT_EQ(bat_->Overlay.Get()->PatternIndex, 0);
  TBall& first = FallingOnto(450);
  TBall& second = FallingOnto(500);
  Tick();
  EXPECT_TRUE(first.OnBat);
  EXPECT_TRUE(second.OnBat);
  // Carried with the bat, resting on it.
  input.Right = true;
  Tick();
  const float firstX = first.X;
  Tick();
  EXPECT_FLOAT_EQ(first.X, firstX + 2.4f);
  EXPECT_FLOAT_EQ(first.Y, bat_->Y - 16);
  input.Right = false;
  input.Action = true;
  Tick();
  EXPECT_FALSE(first.OnBat);
  EXPECT_FALSE(second.OnBat);
  EXPECT_FLOAT_EQ(first.Y, bat_->Y - 16 - 5 + static_cast<float>(first.VelocityY));
}

TEST_F(BatTest, AfterAThousandIdleTicksEveryBallTurnsOnce) {
  TBall& ball = AddBall(300, 100);
  ball.VelocityX = 1;
  ball.VelocityY = 0;
  ball.Y = 100;
  game.StallTicks = 998;
  Tick();
  EXPECT_DOUBLE_EQ(ball.VelocityX, 1);
  Tick();
  EXPECT_DOUBLE_EQ(ball.VelocityX, -1);
  Tick(5);
  EXPECT_DOUBLE_EQ(ball.VelocityX, -1);
}

// A ball caught in a closed pocket loops on after its first turn as well: every further thousand
// quiet ticks it turns again, at the same speed, and never back onto a way it had.
TEST_F(BatTest, AStallThatLastsTurnsTheBallsAgainAndTiltsThem) {
  TBall& ball = AddBall(300, 100);
  ball.VelocityX = 3;
  ball.VelocityY = -4;
  game.StallTicks = kStallTicks - 1;
  std::vector<std::pair<double, double>> ways = {{3, -4}};
  for (int turn = 1; turn <= 6; ++turn) {
    Tick();
    ways.emplace_back(ball.VelocityX, ball.VelocityY);
    EXPECT_NEAR(std::hypot(ball.VelocityX, ball.VelocityY), 5.0, 1e-9) << turn;
    EXPECT_GE(std::abs(ball.VelocityY), 5.0 * std::sin(15.0 * 3.14159265358979 / 180.0) - 1e-9) << turn;
    // Held where it is, so that only the turns change its way.
    ball.X = 300;
    ball.Y = 100;
    game.StallTicks = kStallTicks * turn + kStallTicks - 1;
  }
  EXPECT_DOUBLE_EQ(ways[1].first, -3);
  EXPECT_DOUBLE_EQ(ways[1].second, -4);
  for (size_t a = 0; a < ways.size(); ++a) {
    for (size_t b = a + 1; b < ways.size(); ++b) {
      EXPECT_FALSE(std::abs(ways[a].first - ways[b].first) < 1e-6 && std::abs(ways[a].second - ways[b].second) < 1e-6)
          << "turn " << b << " flies as turn " << a;
    }
  }
}

TEST_F(BatTest, TheWallsHoldTheBat) {
  input.Left = true;
  Tick(200);
  EXPECT_FLOAT_EQ(bat_->X, 172);
  input.Left = false;
  input.Right = true;
  Tick(300);
  EXPECT_FLOAT_EQ(bat_->X, 800 - 80);
  // A bigger bat that would stick out is pushed back inside.
  bat_->SetSize(kBatBig);
  EXPECT_FLOAT_EQ(bat_->X, 800 - 110);
  EXPECT_EQ(bat_->OverlayTargetFrame, 6);
}

TEST_F(BatTest, ABallCarriedToTheWallKeepsItsPlaceOnTheBat) {
  // 1 pixel from the left wall and 2.4 pixels from the right one: the last steps are short.
  TBall& ball = AddBall(200, 514);
  ball.OnBat = true;
  bat_->X = 173;
  input.Left = true;
  Tick();
  EXPECT_FLOAT_EQ(bat_->X, 172);
  EXPECT_FLOAT_EQ(ball.X, 199);
  input.Left = false;
  bat_->X = 800 - 80 - 1.5f;
  ball.X = 700;
  input.Right = true;
  Tick();
  EXPECT_FLOAT_EQ(bat_->X, 800 - 80);
  EXPECT_FLOAT_EQ(ball.X, 701.5f);
}

TEST_F(BatTest, ABallCaughtInsideTheBatAtTheWallComesOutOnTop) {
  // Met by the bat's end at the wall and already on its way up: the step back must lift it out,
  // not sink it into the bat where every tick hits it again.
  bat_->X = 172;
  TBall& ball = AddBall(172.1f, 548);
  ball.VelocityX = 2.39;
  ball.VelocityY = -2.95;
  bool out = false;
  for (int i = 0; i < 100 && !out; ++i) {
    Tick();
    out = ball.Y + static_cast<float>(ball.PatternHeight()) < bat_->Y;
  }
  EXPECT_TRUE(out);
  EXPECT_LT(ball.VelocityY, 0);
}

TEST_F(BatTest, TheOverlayWalksOneFrameEveryThreeTicks) {
  bat_->SetSize(kBatBig);
  std::vector<int> frames;
  for (int i = 0; i < 10; ++i) {
    Tick();
    frames.push_back(bat_->Overlay.Get()->PatternIndex);
  }
  EXPECT_EQ(frames, (std::vector<int>{3, 3, 4, 4, 4, 5, 5, 5, 6, 6}));
  bat_->SetSize(kBatSmall);
  Tick(30);
  EXPECT_EQ(bat_->Overlay.Get()->PatternIndex, 0);
}

TEST_F(BatTest, TheDipGoesDownThreeAndBack) {
  FallingOnto(480);
  std::vector<float> ys;
  for (int i = 0; i < 8; ++i) {
    Tick();
    ys.push_back(bat_->Overlay.Get()->Y);
  }
  EXPECT_EQ(ys, (std::vector<float>{523, 524, 525, 524, 523, 522, 522, 522}));
  EXPECT_FALSE(bat_->Dipping);
}

TEST_F(BatTest, OnTheLifeLostScreenTheBatWalksBackToTheMiddle) {
  phase = PlayPhase::LifeLost;
  bat_->X = 600;
  game.ScreenTicks = 100;
  Tick();
  EXPECT_FLOAT_EQ(bat_->X, 600);
  game.ScreenTicks = 101;
  Tick();
  EXPECT_FLOAT_EQ(bat_->X, 597);
  EXPECT_EQ(bat_->Face.Get()->FaceState(), FaceRunLeft);
  Tick(60);
  EXPECT_FLOAT_EQ(bat_->X, 440);
  bat_->X = 200;
  Tick();
  EXPECT_FLOAT_EQ(bat_->X, 203);
  EXPECT_EQ(bat_->Face.Get()->FaceState(), FaceRunRight);
  // The overlay follows.
  EXPECT_FLOAT_EQ(bat_->Overlay.Get()->X, 203 + 40 - 55);
}

TEST_F(BatTest, TheMonkeyLandsAndShowsTheBatAndTheFirstBall) {
  TBall& ball = AddBall(480, 514);
  ball.Visible = false;
  ball.OnBat = true;
  TMonkeyFace* face = bat_->Face.Get();
  face->Visible = true;
  phase = PlayPhase::LevelStart;  // the stage intro, where the bat reads no keys
  Tick(7 * 14);
  EXPECT_FLOAT_EQ(face->Y, 507);
  EXPECT_EQ(face->FaceState(), FaceStay);
  EXPECT_TRUE(bat_->Overlay.Get()->Visible);
  EXPECT_TRUE(bat_->Shadow.Get()->Visible);
  EXPECT_TRUE(ball.Visible);
}

TEST_F(BatTest, BananaModeThrowsAtFrameSix) {
  game.BananaMode = true;
  TMonkeyFace* face = bat_->Face.Get();
  face->Start(FaceStay);
  input.Action = true;
  Tick();
  input.Action = false;
  EXPECT_EQ(face->FaceState(), FaceThrow);
  EXPECT_EQ(game.ThrowCooldown, 2);
  TSprite* banana = nullptr;
  for (int i = 0; i < 20 && banana == nullptr; ++i) {
    Tick();
    for (int k = 0; k < engine.Count(); ++k) {
      if (engine.SpriteAt(k)->Name == "banan") banana = engine.SpriteAt(k);
    }
  }
  ASSERT_NE(banana, nullptr);
  EXPECT_EQ(banana->DrawMode(), 1);
  EXPECT_EQ(banana->Z(), 600);
  SpriteRef<> flying(banana);
  const float y = banana->Y;
  Tick();
  EXPECT_FLOAT_EQ(banana->Y, y - 3);
  // Gone once above y -40.
  Tick(static_cast<int>((y + 40) / 3) + 3);
  EXPECT_FALSE(flying);
  // The cooldown ran out after 40 ticks.
  EXPECT_EQ(game.ThrowCooldown, 0);
}

}  // namespace
}  // namespace zb
