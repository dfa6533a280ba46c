#include "game/Scenery.h"

#include <cmath>
#include <numbers>

#include "screens/Cursor.h"
#include "tests/game/PlayfieldFixture.h"

namespace zb {
namespace {

using SceneryTest = PlayfieldTest;

TEST_F(SceneryTest, SkyPiecesWrapInTheSameTick) {
  TSky& first = Engine().Create<TSky>(-600.0f);
  TSky& second = Engine().Create<TSky>(200.0f);
  TSky& third = Engine().Create<TSky>(1000.0f);
  EXPECT_EQ(first.Z(), 1);
  Tick(399);
  EXPECT_EQ(first.X, -799.5f);
  Tick();
  // The first piece reaches -800 and is at 800 in that tick, where the third one now stands.
  EXPECT_EQ(first.X, 800.0f);
  EXPECT_EQ(second.X, 0.0f);
  EXPECT_EQ(third.X, 800.0f);
  Tick(1600);
  EXPECT_EQ(first.X, 0.0f);
  EXPECT_EQ(second.X, 800.0f);
  EXPECT_EQ(third.X, 0.0f);
}

TEST_F(SceneryTest, BallCrumbleFramesPauseAndFade) {
  TBallCrush& crush = Engine().Create<TBallCrush>(100.0f, 500.0f, true);
  EXPECT_EQ(crush.ImageName, "ball2crash");
  EXPECT_EQ(crush.Z(), 520);
  SpriteRef<TBallCrush> ref(crush);
  Tick(15);
  EXPECT_EQ(crush.PatternIndex, 7);
  Tick();
  EXPECT_EQ(crush.PatternIndex, 8);
  EXPECT_EQ(crush.Alpha, 255);
  Tick(99);
  EXPECT_EQ(crush.Alpha, 255);
  int ticks = 115;
  while (ref && ticks < 1000) {
    Tick();
    ++ticks;
  }
  // Eight frames at two ticks, about a hundred ticks of pause, then 25 steps of 10 every fourth tick.
  EXPECT_FALSE(ref);
  EXPECT_GT(ticks, 200);
  EXPECT_LT(ticks, 220);
}

TEST_F(SceneryTest, PlantsSwayAroundTheirBaseAngle) {
  Game().LookRandom.Seed(0x5A4D42u);  // sway speeds whose steps come close to the turning points
  CreateLeaves(Engine(), Play());
  TLeaf* leaf = Game().Leaves[2];
  ASSERT_NE(leaf, nullptr);
  EXPECT_EQ(leaf->ImageName, "leafs");
  EXPECT_EQ(leaf->PatternIndex, 2);
  EXPECT_EQ(Game().Leaves[5]->ImageName, "leafer");
  const double base = -30 * std::numbers::pi / 180;
  double lowest = 10, highest = -10;
  for (int i = 0; i < 400; ++i) {
    Tick();
    lowest = std::min(lowest, double{leaf->Angle});
    highest = std::max(highest, double{leaf->Angle});
  }
  EXPECT_NEAR(highest, base + std::numbers::pi / 20, 1e-3);
  EXPECT_NEAR(lowest, base - std::numbers::pi / 20, 1e-3);
  // The phase rose to 90 and then falls without limit.
  EXPECT_EQ(leaf->SwayStep, -1);
  EXPECT_LT(leaf->SwayPhase, 0);
  // A killed plant leaves the record.
  leaf->Kill();
  EXPECT_EQ(Game().Leaves[2], nullptr);
}

TEST_F(SceneryTest, LevelTitleReportsTheEndOfTheIntroAtItsTick236) {
  Play().Phase = PlayPhase::LevelStart;
  TLevelTitle& title = Engine().Create<TLevelTitle>(Play());
  Game().LevelTitle = &title;
  SpriteRef<TLevelTitle> ref(title);
  Tick(10);
  EXPECT_EQ(title.X, -100.0f);
  Tick(58);
  // 58 steps of 10 and exactly one turn.
  EXPECT_EQ(title.X, 480.0f);
  EXPECT_NEAR(title.Angle, 2 * std::numbers::pi, 1e-4);
  Tick(167);
  EXPECT_FALSE(title.Ended());
  EXPECT_EQ(title.Alpha, 255 - 100);
  Tick();
  // The level-start screen leaves on this report and kills the title; it stays until then.
  EXPECT_TRUE(title.Ended());
  EXPECT_TRUE(ref);
  EXPECT_EQ(Game().LevelTitle, &title);
}

TEST_F(SceneryTest, StorySpritesInTheRecordReadEmptyOnceRemoved) {
  TGameState& game = Game();
  game.Hunter = &Engine().Create<TSprite>();
  game.Monkey = &Engine().Create<TSprite>();
  game.Cloud = &Engine().Create<TSprite>();
  game.PressAnyKey = &Engine().Create<TSprite>();
  game.Hunter.Get()->Kill();
  game.Cloud.Get()->Kill();
  Engine().RemoveDead();
  EXPECT_EQ(game.Hunter.Get(), nullptr);
  EXPECT_EQ(game.Cloud.Get(), nullptr);
  ASSERT_NE(game.Monkey.Get(), nullptr);
  ASSERT_NE(game.PressAnyKey.Get(), nullptr);
  game.Monkey.Get()->Kill();
  game.PressAnyKey.Get()->Kill();
  Engine().RemoveDead();
  EXPECT_FALSE(game.Monkey);
  EXPECT_FALSE(game.PressAnyKey);
}

TEST_F(SceneryTest, ShadowIsATranslucentBlackCopy) {
  TShadow& shadow = Engine().Create<TShadow>(Play(), "ball", 498);
  EXPECT_EQ(shadow.ImageName, "ball");
  EXPECT_EQ(shadow.Z(), 498);
  EXPECT_EQ(shadow.PackedColor(), 110u << 24);
}

TEST_F(SceneryTest, CursorFollowsThePointer) {
  platform_.window.SetPointer({321, 123});
  TCursor& cursor = Engine().Create<TCursor>(platform_.window);
  EXPECT_EQ(cursor.X, 321.0f);
  platform_.window.SetPointer({10, 20});
  Tick();
  EXPECT_EQ(cursor.X, 10.0f);
  EXPECT_EQ(cursor.Y, 20.0f);
  EXPECT_EQ(cursor.Name, "cursor");
  EXPECT_EQ(cursor.Z(), 1000);
}

}  // namespace
}  // namespace zb
