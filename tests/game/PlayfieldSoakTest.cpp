// A seeded playfield with the game's own images, run for a long while with the bat following
// the ball: the rules keep their invariants whatever happens.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/game/TestPlayfield.h"
#include "engine/ArchiveDb.h"
#include "game/Ball.h"
#include "game/Bat.h"
#include "game/Blocks.h"

namespace zb {
namespace {

int LiveCountedBricks(TSpriteEngine& engine) {
  int n = 0;
  for (int i = 0; i < engine.Count(); ++i) {
    auto* brick = dynamic_cast<TBlock*>(engine.SpriteAt(i));
    if (brick != nullptr && !brick->Dead() && !brick->Gold()) ++n;
  }
  return n;
}

TEST(PlayfieldSoakTest, ALongSeededGameKeepsItsInvariants) {
  test::TestPlayfield field;
  TGfxImages& images = field.images;
  TArchiveDb archive(std::filesystem::path(ZB_GAME_DIR) / "Data" / "data.zbx", TOpenModes::opReadOnly);
  ASSERT_TRUE(images.LoadFromArchive(archive));
  TPlayContext& play = field.play;
  TSpriteEngine& engine = field.engine;
  engine.Images = &images;
  TGameState& game = field.game;
  game.Random.Seed(7);
  game.Difficulty = 2;
  game.Lives = 3;

  // A field of every listed kind, bombs among them, with gold in the corners.
  const int kinds[] = {1, 2, 9, 10, 11, 12, 13, 14, 19, 20, 21, 22, 23, 24};
  int made = 0;
  for (int row = 0; row < 6; ++row) {
    for (int column = 0; column < 14; ++column) {
      const bool corner = (row == 0 || row == 5) && (column == 0 || column == 13);
      const int kind = corner ? kGoldKind : kinds[(row * 14 + column) % 14];
      ASSERT_NE(TBlock::Create(engine, play, 190.0f + 37 * column, 60.0f + 20 * row, kind), nullptr);
      made += corner ? 0 : 1;
    }
  }
  EXPECT_EQ(game.BlocksLeft, made);
  TBita& bat = engine.Create<TBita>(play, 440.0f, 530.0f);
  game.Bita = &bat;
  TBall& first = engine.Create<TBall>(play, false, false, 470.0f, 514.0f, 0);
  game.Balls[0] = &first;

  int ticks = 0;
  for (; ticks < 60000 && !game.LevelCleared && !game.LifeLostFlag && !game.GameOverFlag; ++ticks) {
    // The bat steers under the lowest ball.
    play.Input = {};
    if (TBall* ball = game.Balls[0].Get()) {
      const float batCentre = bat.X + static_cast<float>(bat.VisibleWidth()) / 2;
      const float ballCentre = ball->CentreX();
      if (ballCentre < batCentre - 10) play.Input.Left = true;
      if (ballCentre > batCentre + 10) play.Input.Right = true;
    }
    engine.RemoveDead();
    engine.MoveAll(0.001f);
    ASSERT_GE(game.BallCount, 0);
    ASSERT_LE(game.BallCount, kMaxBalls);
    ASSERT_EQ(game.BlocksLeft, LiveCountedBricks(engine)) << "tick " << ticks;
    ASSERT_GE(bat.X, 172.0f);
    ASSERT_LE(bat.X + bat.VisibleWidth(), 800.0f);
    for (int slot = 0; slot < game.BallCount; ++slot) {
      TBall* ball = game.Balls[static_cast<size_t>(slot)].Get();
      ASSERT_NE(ball, nullptr);
      ASSERT_EQ(ball->Slot, slot);
      // Within a step of the walls, never lodged beyond them.
      ASSERT_GT(ball->X, 172.0f - 6);
      ASSERT_LT(ball->X, 800.0f);
      ASSERT_GT(ball->Y, -6.0f);
    }
  }
  EXPECT_LT(game.BlocksLeft, made);
  EXPECT_EQ(game.Score > 0, game.BlocksLeft < made);
}

}  // namespace
}  // namespace zb
