#include "game/Bonus.h"

#include <cmath>
#include <numbers>

#include "engine/MemoryStream.h"
#include "game/Ball.h"
#include "game/Bat.h"
#include "game/BonusImage.h"
#include "game/BonusRules.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/game/PlayfieldFixture.h"

namespace zb {
namespace {

// A playfield whose images have known sizes, with a bat at (400, 530) and `balls` balls.
class BonusTest : public PlayfieldTest {
 protected:
  BonusTest() {
    for (const char* name : {"ball", "ball2"}) Image(name, 16, 16, 8);
    for (const char* name : {"bitka1_1", "bitka2_1", "bitka3_1", "bitka4_1"}) Image(name, 80, 16, 5);
    Image("bitka1", 110, 24, 7);
    Image("bitka4", 80, 24, 1);
    for (const char* face : {"m_jump", "m_stay", "m_run", "m_hit", "m_throw", "m_ches", "m_vipuch", "m_finish"}) {
      Image(face, 60, 60, 14);
    }
    Image("bonus1", 24, 29, 1);
    for (int kind = 0; kind < kBonusKinds; ++kind) Image(std::string(BonusKindInfo(kind).Face), 44, 44, 8);
    Engine().Images = &Images();
    Play().Phase = PlayPhase::Playing;
    Game().Random.Seed(3);
    Game().Bita = &Engine().Create<TBita>(Play(), 400.0f, 530.0f);
  }

  void Image(const std::string& name, int width, int height, int frames) {
    test::Bytes b;
    b.U8(10).I32(width).I32(height).I32(width).I32(height).I32(frames).I32(width * frames).I32(height).I32(1);
    b.Raw(std::vector<uint8_t>(static_cast<size_t>(width * frames * height), 0xFF));
    TMemoryStream stream(b.data);
    TGfxImage& image = Images().Add();
    image.Name = name;
    ASSERT_TRUE(image.LoadFromStream(stream));
  }

  TBall& AddBall(float x, float y) {
    TGameState& game = Game();
    const int slot = game.BallCount;
    TBall& ball = Engine().Create<TBall>(Play(), false, false, x, y, slot);
    game.Balls[static_cast<size_t>(slot)] = &ball;
    return ball;
  }
  TBall* Ball(int slot) { return Game().Balls[static_cast<size_t>(slot)].Get(); }
  TBita& Bat() { return *Game().Bita.Get(); }

  // A bonus right on the bat, caught at once.
  void Catch(int32_t kind) {
    TBonus& bonus = Engine().Create<TBonus>(Play(), kind, Bat().X + 20, Bat().Y);
    CatchBonus(Play(), bonus);
    Engine().RemoveDead();
  }
};

TEST_F(BonusTest, ThreeBallsWithTwoBallsInPlayOnlyPuffs) {
  AddBall(300, 200);
  AddBall(500, 250);
  ASSERT_EQ(Game().BallCount, 2);
  Catch(BonusThreeBalls);
  EXPECT_EQ(Game().BallCount, 2);
  EXPECT_EQ(Ball(2), nullptr);
  EXPECT_EQ(Game().BonusesFalling, 0);
  EXPECT_FALSE(Game().BonusImageShown);
}

TEST_F(BonusTest, ThreeBallsWithOneBallSendsOneDownAndOneUp) {
  TBall& first = AddBall(300, 200);
  Catch(BonusThreeBalls);
  ASSERT_EQ(Game().BallCount, 3);
  ASSERT_NE(Ball(1), nullptr);
  ASSERT_NE(Ball(2), nullptr);
  EXPECT_EQ(Ball(1)->X, first.X);
  EXPECT_EQ(Ball(2)->Y, first.Y);
  EXPECT_GT(Ball(1)->VelocityY, 0);
  EXPECT_LT(Ball(2)->VelocityY, 0);
  EXPECT_NEAR(std::hypot(Ball(1)->VelocityX, Ball(1)->VelocityY), first.Speed, 1e-9);
  EXPECT_NEAR(std::hypot(Ball(2)->VelocityX, Ball(2)->VelocityY), first.Speed, 1e-9);
  EXPECT_EQ(Ball(1)->Slot, 1);
  EXPECT_EQ(Ball(2)->Slot, 2);
}

TEST_F(BonusTest, ThreeBallsTakeTheirDirectionsAfterBothAreMade) {
  TBall& first = AddBall(300, 200);
  // Two start directions of the new balls, then r1 and r2.
  TRandom draws = Game().Random;
  draws.Next(60);
  draws.Next(60);
  const int r1 = draws.Next(60);
  const int r2 = draws.Next(60);
  Catch(BonusThreeBalls);
  ASSERT_EQ(Game().BallCount, 3);
  const double degree = std::numbers::pi / 180;
  EXPECT_NEAR(Ball(1)->VelocityX, std::cos((90 + r1 - 30) * degree) * first.Speed, 1e-9);
  EXPECT_NEAR(Ball(1)->VelocityY, std::sin((90 + r1 - 30) * degree) * first.Speed, 1e-9);
  EXPECT_NEAR(Ball(2)->VelocityX, std::cos((-90 + r2 - 30) * degree) * first.Speed, 1e-9);
  EXPECT_NEAR(Ball(2)->VelocityY, std::sin((-90 + r2 - 30) * degree) * first.Speed, 1e-9);
}

TEST_F(BonusTest, MagnetCaughtDuringABigBallEndsTheBigBallAndRestartsTheRing) {
  AddBall(300, 200);
  AddBall(500, 250);
  Catch(BonusBigBall);
  TGameState& game = Game();
  EXPECT_EQ(Ball(0)->ImageName, "ball2");
  EXPECT_EQ(Ball(1)->ImageName, "ball2");
  EXPECT_EQ(game.BonusTimeLeft, 150);
  SpriteRef<> bigPicture(game.BonusImage);
  for (int i = 0; i < 40; ++i) BonusClockTick(Play());
  EXPECT_EQ(game.BonusTimeLeft, 110);
  EXPECT_FALSE(game.FireOn[8]);

  Catch(BonusMagnet);
  EXPECT_EQ(Ball(0)->ImageName, "ball");
  EXPECT_EQ(Ball(1)->ImageName, "ball");
  EXPECT_EQ(Bat().Size, 3);
  EXPECT_EQ(game.BonusTimeLeft, 150);
  EXPECT_EQ(game.BonusDuration, 150);
  for (bool on : game.FireOn) EXPECT_TRUE(on);
  EXPECT_FALSE(bigPicture);
  ASSERT_NE(game.BonusImage, nullptr);
  EXPECT_EQ(game.BonusImage->Kind, BonusMagnet);
  EXPECT_TRUE(game.BonusImageShown);
}

TEST_F(BonusTest, TheClockEndsATimedBonus) {
  AddBall(300, 200);
  Catch(BonusSmallBat);
  TGameState& game = Game();
  EXPECT_EQ(Bat().Size, 2);
  for (int i = 0; i < 139; ++i) BonusClockTick(Play());
  EXPECT_EQ(game.BonusTimeLeft, 1);
  EXPECT_EQ(Bat().Size, 2);
  EXPECT_TRUE(game.FireOn[0]);
  EXPECT_FALSE(game.FireOn[1]);
  BonusClockTick(Play());
  EXPECT_EQ(Bat().Size, 0);
  EXPECT_EQ(game.BonusTimeLeft, 0);
  EXPECT_FALSE(game.BonusImageShown);
  EXPECT_EQ(game.BonusImage, nullptr);
  EXPECT_FALSE(game.FireOn[0]);
}

TEST_F(BonusTest, MoneyAndLifePayOutWhenThePictureArrives) {
  TGameState& game = Game();
  game.Score = 100;
  game.Lives = 2;
  Catch(BonusMoney);
  Catch(BonusLife);
  EXPECT_FALSE(game.BonusImageShown);
  Tick(200);
  EXPECT_EQ(game.Score, 150);
  EXPECT_EQ(game.Lives, 3);
}

TEST_F(BonusTest, MoneyArrivingAfterTheLevelEndedStillCounts) {
  TGameState& game = Game();
  game.Score = 100;
  Catch(BonusMoney);
  // The last brick breaks while the picture flies: the level stores its score and ends.
  game.SetShownScore(game.Score);
  Play().Phase = PlayPhase::StageComplete;
  Tick(200);
  EXPECT_EQ(game.GetShownScore(), 150);
  // During play the shown value only counts up towards the working score.
  Play().Phase = PlayPhase::Playing;
  game.Score = 300;
  game.SetShownScore(250);
  Catch(BonusMoney);
  Tick(200);
  EXPECT_EQ(game.Score, 350);
  EXPECT_EQ(game.GetShownScore(), 250);
}

TEST_F(BonusTest, ABonusPastTheBottomFreesTheSlot) {
  TGameState& game = Game();
  TBonus& bonus = Engine().Create<TBonus>(Play(), BonusMoney, 200.0f, 590.0f);
  SpriteRef<TBonus> ref(bonus);
  SpriteRef<TBonusFace> face(bonus.BonusFace);
  EXPECT_EQ(game.BonusesFalling, 1);
  Tick(4);
  EXPECT_FALSE(ref);
  EXPECT_FALSE(face);
  EXPECT_EQ(game.BonusesFalling, 0);
}

}  // namespace
}  // namespace zb
