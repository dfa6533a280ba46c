#include "game/ShotModel.h"

#include <gtest/gtest.h>

#include "game/BlockRules.h"
#include "game/Blocks.h"
#include "tests/game/PlayFixture.h"

namespace zb {
namespace {

// Bricks are 36 x 18 here; the traced ball is 12 x 12.
class ShotModelTest : public test::PlayFixture {
 protected:
  void Brick(float x, float y, int kind) { ASSERT_NE(TBlock::Create(engine, play, x, y, kind), nullptr); }
  // A gold roof from x 208 to 748 at height `y`, with the side channels open.
  void GoldRoof(float y) {
    for (int i = 0; i < 15; ++i) Brick(208.0f + 36.0f * static_cast<float>(i), y, kGoldKind);
  }
  TShotModel::TShot Up(double x, double y, double velocityX, double velocityY) const {
    return model.Trace(x, y, velocityX, velocityY, 12, 12, kDamageNormal, 500, 1500);
  }
  TShotModel model;
};

// Gold is no brick left to break: a few breakable ones among much gold still make the pilot
// measure how close its misses pass.
TEST_F(ShotModelTest, AMissAmongMuchGoldSaysHowCloseItPassed) {
  GoldRoof(100);
  GoldRoof(200);
  GoldRoof(300);
  Brick(600, 60, 9);
  model.Load(engine);
  EXPECT_EQ(model.Breakable(), 1u);
  EXPECT_TRUE(model.Few());
  EXPECT_DOUBLE_EQ(model.Lowest(), 318);

  // Up the left channel and back: no brick is met, but the shot passes at some distance.
  const TShotModel::TShot far = Up(180, 500, 0.02, -3.4);
  EXPECT_EQ(far.Hits, 0);
  EXPECT_TRUE(far.Returned);
  EXPECT_LT(far.Nearest, 1000);
  // Up the right channel passes nearer the brick at x 600.
  const TShotModel::TShot near = Up(770, 500, -0.02, -3.4);
  EXPECT_EQ(near.Hits, 0);
  EXPECT_LT(near.Nearest, far.Nearest);
}

// A ball above a low gold roof, going nearly straight up and down, never comes back down: the
// trace says so, and the pilot never chooses such a shot. (Slower than 3 a tick, it cannot pass
// through the gold.)
TEST_F(ShotModelTest, AShotThatHangsAboveALowGoldRoofDoesNotReturn) {
  GoldRoof(30);
  Brick(400, 150, 9);
  model.Load(engine);
  const TShotModel::TShot hangs = Up(400, 10, 0.2, -2.5);
  EXPECT_FALSE(hangs.Returned);
  EXPECT_EQ(hangs.Hits, 0);
  EXPECT_EQ(hangs.Ticks, 1500);
}

}  // namespace
}  // namespace zb
