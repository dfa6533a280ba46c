#include "game/Blocks.h"

#include <gtest/gtest.h>

#include "game/Ball.h"
#include "game/Bat.h"
#include "game/GameProcedures.h"
#include "game/KeysAndCages.h"
#include "tests/game/PlayFixture.h"

namespace zb {
namespace {

// Bricks are 36 x 18 here, balls 16 x 16.
class BlocksTest : public test::PlayFixture {
 protected:
  TBlock& Brick(float x, float y, int kind) {
    TBlock* brick = TBlock::Create(engine, play, x, y, kind);
    EXPECT_NE(brick, nullptr);
    return *brick;
  }
  TBall& AddBall(float x, float y, double vx, double vy, bool big = false, bool super = false) {
    const int slot = game.BallCount;
    TBall& ball = engine.Create<TBall>(play, super, big, x, y, slot);
    game.Balls[static_cast<size_t>(slot)] = &ball;
    ball.VelocityX = vx;
    ball.VelocityY = vy;
    return ball;
  }
  // A ball 2 pixels into the brick's bottom, moving up into it.
  TBall& FromBelow(const TBlock& brick, bool big = false, bool super = false) {
    return AddBall(brick.X + 10, brick.Y + 16, 0, -3, big, super);
  }
  int Live(const std::string& name) {
    int n = 0;
    for (int i = 0; i < engine.Count(); ++i) {
      n += engine.SpriteAt(i)->Name == name && !engine.SpriteAt(i)->Dead() ? 1 : 0;
    }
    return n;
  }
};

TEST_F(BlocksTest, KindsMakeTheirBricksAndOnlyListedKindsMakeAny) {
  TBlock& two = Brick(200, 100, 2);
  EXPECT_EQ(two.ImageName, "block_n51");
  EXPECT_EQ(two.HitPoints, 35);
  EXPECT_EQ(two.Z(), 220);
  EXPECT_FLOAT_EQ(two.AnimSpeed, 200);
  Brick(240, 100, kGoldKind);
  TBlock& bomb = Brick(280, 100, 22);
  EXPECT_EQ(bomb.ImageName, "block4");
  ASSERT_TRUE(bomb.Bomb);
  EXPECT_FLOAT_EQ(bomb.Bomb.Get()->X, 283);
  EXPECT_EQ(bomb.Bomb.Get()->Z(), 230);
  EXPECT_EQ(game.BlocksLeft, 2);  // gold is not counted
  for (int kind : {0, 4, 8, 15, 18, 25}) EXPECT_EQ(TBlock::Create(engine, play, 0, 0, kind), nullptr) << kind;
  EXPECT_EQ(game.BlocksLeft, 2);
  EXPECT_EQ(Live("block"), 3);
}

TEST_F(BlocksTest, TheBombBobsThreePixelsAboutTheCentre) {
  TBlock& bomb = Brick(280, 100, 19);
  float low = 1e9f, high = -1e9f;
  for (int i = 0; i < 80; ++i) {
    Tick();
    low = std::min(low, bomb.Bomb.Get()->Y);
    high = std::max(high, bomb.Bomb.Get()->Y);
  }
  // Brick centre 109, bomb half height 8.
  EXPECT_FLOAT_EQ(low, 98);
  EXPECT_FLOAT_EQ(high, 104);
}

TEST_F(BlocksTest, KindTwoShowsItsCracksAndBreaksOnTheFourthHit) {
  game.BlocksLeft = 10;
  TBlock& brick = Brick(300, 100, 2);
  std::vector<std::string> looks;
  for (int hit = 0; hit < 4; ++hit) {
    TBall& ball = FromBelow(brick);
    Tick();
    EXPECT_DOUBLE_EQ(ball.VelocityY, 3) << hit;  // bounced down
    looks.push_back(brick.Dead() ? "broken" : brick.ImageName);
    ball.Kill();
    game.Lives = 3;
  }
  EXPECT_EQ(looks, (std::vector<std::string>{"block_n52", "block_n53", "block_n54", "broken"}));
  EXPECT_EQ(game.Score, 150);
  EXPECT_EQ(game.BlocksLeft, 10);
  const auto spawned = Spawned();
  EXPECT_EQ(std::count(spawned.begin(), spawned.end(), "Crush.pss"), 3);
  EXPECT_EQ(std::count(spawned.begin(), spawned.end(), "5PartExp.pss"), 1);
}

TEST_F(BlocksTest, ABigBallBreaksKindOneAtOnce) {
  TBlock& brick = Brick(300, 100, 1);
  FromBelow(brick, true);
  Tick();
  EXPECT_TRUE(brick.Dead());
  EXPECT_EQ(game.Score, 100);
}

TEST_F(BlocksTest, ABallTouchingTwoBricksBouncesOffTheFirstOnly) {
  TBlock& left = Brick(300, 100, 9);
  TBlock& right = Brick(336, 100, 9);
  // Centred under the seam, 2 pixels into both.
  TBall& ball = AddBall(328, 116, 0, -3);
  Tick();
  EXPECT_TRUE(left.Dead() != right.Dead());
  EXPECT_EQ(game.BlocksLeft, 1);
  EXPECT_DOUBLE_EQ(ball.VelocityY, 3);
  EXPECT_EQ(game.Score, 10);
}

TEST_F(BlocksTest, ABallMovingAwayIsNotHit) {
  TBlock& brick = Brick(300, 100, 9);
  TBall& ball = AddBall(310, 116, 0, 3);
  Tick();
  EXPECT_FALSE(brick.Dead());
  EXPECT_DOUBLE_EQ(ball.VelocityY, 3);
}

TEST_F(BlocksTest, AFireBallPassesThroughEverythingGoldIncluded) {
  TBlock& gold = Brick(300, 100, kGoldKind);
  TBlock& two = Brick(300, 60, 2);
  TBall& ball = FromBelow(gold, false, true);
  Tick();
  EXPECT_TRUE(gold.Dead());
  EXPECT_DOUBLE_EQ(ball.VelocityY, -3);  // no bounce
  EXPECT_EQ(game.Score, 0);             // gold pays nothing
  ball.Y = 60 + 16;
  Tick();
  EXPECT_TRUE(two.Dead());
  EXPECT_EQ(game.Score, 150);
}

TEST_F(BlocksTest, GoldTakesNoDamageFromNormalBalls) {
  TBlock& gold = Brick(300, 100, kGoldKind);
  for (int i = 0; i < 5; ++i) {
    TBall& ball = FromBelow(gold);
    Tick();
    ball.Kill();
  }
  EXPECT_FALSE(gold.Dead());
  EXPECT_EQ(gold.HitPoints, 5000);
  const auto spawned = Spawned();
  EXPECT_EQ(std::count(spawned.begin(), spawned.end(), "GoldExp.pss"), 5);
}

TEST_F(BlocksTest, BombsChainAndNeverBreakGold) {
  // A row of cells 37 apart: bomb, bomb, normal; gold above the first bomb, a far brick apart.
  TBlock& first = Brick(300, 100, 19);
  // The chained bricks are freed by the ticks' removal of the dead: only a checked reference may
  // look at them afterwards.
  const SpriteRef<TBlock> second(Brick(337, 100, 20));
  const SpriteRef<TBlock> third(Brick(374, 100, 9));
  TBlock& gold = Brick(300, 80, kGoldKind);
  TBlock& far = Brick(600, 100, 9);
  first.HitBlock(kDamageBlast);
  EXPECT_TRUE(first.Dead());
  EXPECT_EQ(Live("shadow"), 8);
  Tick(6);
  EXPECT_FALSE(second);
  EXPECT_FALSE(third);
  EXPECT_FALSE(gold.Dead());
  EXPECT_TRUE(gold.Blasted);
  EXPECT_EQ(gold.Red, kBlastTint);
  EXPECT_FALSE(far.Dead());
  EXPECT_EQ(game.BlocksLeft, 1);
  EXPECT_EQ(game.Score, 50 + 50 + 10);
  EXPECT_EQ(Live("bomb"), 0);
  EXPECT_EQ(Live("shadow"), 0);
}

TEST_F(BlocksTest, ABrickBreaksOnceWhenBallAndBlastReachItInOneTick) {
  game.BlocksLeft = 5;
  TBlock& brick = Brick(300, 100, 9);
  brick.MarkBlasted();
  FromBelow(brick);
  Tick();
  EXPECT_TRUE(brick.Dead());
  EXPECT_EQ(game.BlocksLeft, 5);
  EXPECT_EQ(game.Score, 10);
  const auto spawned = Spawned();
  EXPECT_EQ(std::count(spawned.begin(), spawned.end(), "RedExp.pss"), 1);
}

TEST_F(BlocksTest, BonusDropDecision) {
  game.BonusChance = 1.0;  // every draw is below it
  game.BlocksLeft = 10;
  EXPECT_TRUE(Brick(300, 100, 9).BreakBlock());
  // Never from gold, never while a bonus falls, never from the last two bricks.
  EXPECT_FALSE(Brick(340, 100, kGoldKind).BreakBlock());
  game.BonusesFalling = 1;
  EXPECT_FALSE(Brick(380, 100, 9).BreakBlock());
  game.BonusesFalling = 0;
  TBlock& a = Brick(420, 100, 9);
  TBlock& b = Brick(460, 100, 9);
  game.BlocksLeft = 2;
  EXPECT_FALSE(a.BreakBlock());
  EXPECT_FALSE(b.BreakBlock());
  game.BonusChance = 0.0;
  game.BlocksLeft = 10;
  EXPECT_FALSE(Brick(500, 100, 9).BreakBlock());
  // A second break of the same brick does nothing.
  game.BonusChance = 1.0;
  TBlock& once = Brick(540, 100, 9);
  const int left = game.BlocksLeft;
  EXPECT_TRUE(once.BreakBlock());
  EXPECT_FALSE(once.BreakBlock());
  EXPECT_EQ(game.BlocksLeft, left - 1);
}

TEST_F(BlocksTest, TheLastBreakableBrickEndsTheLevelAndDropsTheKeyPart) {
  game.LevelDropsKeyPart = true;
  game.KeyPartKind = 2;
  Brick(200, 100, kGoldKind);
  TBlock& last = Brick(300, 100, 11);
  EXPECT_EQ(game.BlocksLeft, 1);
  FromBelow(last);
  Tick();
  EXPECT_TRUE(game.LevelCleared);
  EXPECT_EQ(game.BlocksLeft, 0);
  TKeyPart* part = nullptr;
  for (int i = 0; i < engine.Count(); ++i) {
    if (auto* p = dynamic_cast<TKeyPart*>(engine.SpriteAt(i))) part = p;
  }
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(part->PartKind, 2);
}

TEST_F(BlocksTest, GoldBurstsAtTickFortyOfTheStageComplete) {
  TBlock& gold = Brick(200, 100, kGoldKind);
  TBlock& other = Brick(300, 100, 9);
  phase = PlayPhase::StageComplete;
  game.ScreenTicks = 39;
  Tick();
  EXPECT_FALSE(gold.Dead());
  game.ScreenTicks = 40;
  Tick();
  EXPECT_TRUE(gold.Dead());
  EXPECT_FALSE(other.Dead());
  EXPECT_EQ(game.Score, 0);
  EXPECT_EQ(game.BlocksLeft, 1);
}

TEST_F(BlocksTest, ABananaBreaksOneBrickAndGoesOnItsNextTick) {
  TBlock& brick = Brick(300, 100, 12);
  TBlock& twin = Brick(300, 100, 12);  // the banana is spent on the first of the two
  const SpriteRef<TPlayerPula> banana = &ThrowBanana(play, 305.0f, 110.0f);
  Tick();
  EXPECT_NE(brick.Dead(), twin.Dead());
  EXPECT_TRUE(banana.Get()->Spent);
  EXPECT_EQ(game.Score, 20);
  Tick(2);
  EXPECT_FALSE(banana);
}

TEST_F(BlocksTest, HittingABreakableBrickResetsTheStallCount) {
  TBita& bat = engine.Create<TBita>(play, 440.0f, 530.0f);
  game.Bita = &bat;
  TBlock& brick = Brick(300, 100, 13);
  game.StallTicks = 500;
  FromBelow(brick);
  Tick();
  EXPECT_LE(game.StallTicks, 1);
}

// A level file whose offsets are at the ends of the int range: adding the cell positions to
// them overflowed an int. Each brick lands where the offsets say, far off the playfield.
TEST_F(BlocksTest, ExtremeLevelOffsetsPlaceBricksWithoutOverflow) {
  game.Level.words.fill(0);
  game.Level.words[0] = 1;  // LastColumn
  game.Level.words[1] = 0;  // LastRow
  game.Level.words[2] = 2147483647;  // OffsetX
  game.Level.words[3] = -2147483647 - 1;  // OffsetY
  game.Level.words[LevelImage::CellWord(kBlockGridWord, 1, 0)] = 2;  // kind 1
  CreateBlocksFromGrid(play);
  ASSERT_EQ(Live("block"), 1);
  const TBlock* brick = nullptr;
  for (int i = 0; i < engine.Count(); ++i) {
    if (engine.SpriteAt(i)->Name == "block") brick = static_cast<const TBlock*>(engine.SpriteAt(i));
  }
  ASSERT_NE(brick, nullptr);
  EXPECT_FLOAT_EQ(brick->X, 172.0f + 2147483647.0f + 37.0f);
  EXPECT_FLOAT_EQ(brick->Y, -2147483648.0f);
}

}  // namespace
}  // namespace zb
