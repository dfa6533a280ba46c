#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/BlockRules.h"

namespace zb {
namespace {

// The looks and the breaking hit of a run of equal hits on a fresh brick.
std::vector<std::string> Hits(int kind, int damage) {
  std::vector<std::string> looks;
  int hitPoints = FindBlockKind(kind)->HitPoints;
  for (int i = 0; i < 10; ++i) {
    const TBlockHit hit = ApplyBlockDamage(kind, hitPoints, damage);
    hitPoints = hit.HitPoints;
    looks.push_back(hit.Breaks ? "break" : std::string(hit.NewImage));
    if (hit.Breaks) break;
  }
  return looks;
}

TEST(BlockRulesTest, KindTable) {
  const auto one = FindBlockKind(1);
  ASSERT_TRUE(one);
  EXPECT_EQ(one->Image, "block_n2");
  EXPECT_EQ(one->HitPoints, 15);
  EXPECT_EQ(one->Points, 100);
  const auto gold = FindBlockKind(3);
  ASSERT_TRUE(gold);
  EXPECT_FALSE(gold->Counted);
  EXPECT_EQ(gold->Points, 0);
  const auto bomb = FindBlockKind(21);
  ASSERT_TRUE(bomb);
  EXPECT_EQ(bomb->Image, "block3");
  EXPECT_TRUE(bomb->Bomb);
  EXPECT_EQ(bomb->Explosion, "3Balls.pss");
  EXPECT_EQ(bomb->Points, 50);
  EXPECT_EQ(FindBlockKind(14)->Explosion, "MagentaExp.pss");
  EXPECT_EQ(FindBlockKind(14)->AnimSpeed, 300.0);
  // Kinds with no row make no brick.
  for (int kind : {-1, 0, 4, 5, 8, 15, 18, 25, 40}) EXPECT_FALSE(FindBlockKind(kind)) << kind;
}

TEST(BlockRulesTest, HitSequences) {
  // Normal ball: small bricks at once, kind 1 in two, kind 2 in four with three looks.
  EXPECT_EQ(Hits(9, kDamageNormal), (std::vector<std::string>{"break"}));
  EXPECT_EQ(Hits(24, kDamageNormal), (std::vector<std::string>{"break"}));
  EXPECT_EQ(Hits(1, kDamageNormal), (std::vector<std::string>{"block_n22", "break"}));
  EXPECT_EQ(Hits(2, kDamageNormal),
            (std::vector<std::string>{"block_n52", "block_n53", "block_n54", "break"}));
  // Big ball: kind 1 at once, kind 2 in two showing "block_n53".
  EXPECT_EQ(Hits(1, kDamageBig), (std::vector<std::string>{"break"}));
  EXPECT_EQ(Hits(2, kDamageBig), (std::vector<std::string>{"block_n53", "break"}));
  // Fire ball and blast: anything breakable at once.
  EXPECT_EQ(Hits(2, kDamageFire), (std::vector<std::string>{"break"}));
  EXPECT_EQ(Hits(2, kDamageBlast), (std::vector<std::string>{"break"}));
  // Gold never loses hit points.
  const TBlockHit gold = ApplyBlockDamage(kGoldKind, 5000, kDamageBlast);
  EXPECT_EQ(gold.HitPoints, 5000);
  EXPECT_FALSE(gold.Breaks);
}

TEST(BlockRulesTest, BonusDropConditions) {
  EXPECT_TRUE(BonusDropAllowed(0, 0.5, 0, 1, false, 3));
  EXPECT_TRUE(BonusDropAllowed(499, 0.5, 0, 1, false, 3));
  EXPECT_FALSE(BonusDropAllowed(500, 0.5, 0, 1, false, 3));
  // Never from the last two breakable bricks (the count is tested before it goes down).
  EXPECT_FALSE(BonusDropAllowed(0, 0.5, 0, 1, false, 2));
  EXPECT_FALSE(BonusDropAllowed(0, 0.5, 0, 1, false, 1));
  // Never from gold, never while one falls.
  EXPECT_FALSE(BonusDropAllowed(0, 0.5, 0, 1, true, 30));
  EXPECT_FALSE(BonusDropAllowed(0, 0.5, 1, 1, false, 30));
  EXPECT_TRUE(BonusDropAllowed(0, 0.5, 1, 2, false, 30));
}

TEST(BlockRulesTest, MovingTowardsTheBrick) {
  EXPECT_TRUE(MovesTowards({100, 100}, {100, 80}, 0, -3));
  EXPECT_FALSE(MovesTowards({100, 100}, {100, 80}, 0, 3));
  EXPECT_FALSE(MovesTowards({100, 100}, {120, 100}, 0, -3));  // at right angles
  // Centres on one point: (1, 1) stands in, so moving down-right counts, up-left does not.
  EXPECT_TRUE(MovesTowards({50, 50}, {50, 50}, 1, 1));
  EXPECT_FALSE(MovesTowards({50, 50}, {50, 50}, -1, -1));
  // A standing ball counts as moving along (1, 1).
  EXPECT_TRUE(MovesTowards({50, 50}, {60, 60}, 0, 0));
}

TEST(BlockRulesTest, BounceFlipsOnlyShallowOverlaps) {
  // Brick at (200, 100), 37 x 20; ball 16 x 16.
  // From below, 2 pixels into the brick's bottom: vertical flip only.
  TBounce b = BrickBounce(210, 118, 16, 16, 200, 100, 37, 20);
  EXPECT_TRUE(b.FlipY);
  EXPECT_FALSE(b.FlipX);
  // From the left, 2 pixels into the left side.
  b = BrickBounce(186, 102, 16, 16, 200, 100, 37, 20);
  EXPECT_TRUE(b.FlipX);
  EXPECT_FALSE(b.FlipY);
  // A corner: both.
  b = BrickBounce(186, 86, 16, 16, 200, 100, 37, 20);
  EXPECT_TRUE(b.FlipX);
  EXPECT_TRUE(b.FlipY);
  // Exactly 3 pixels on both axes or deeper: neither.
  b = BrickBounce(187, 87, 16, 16, 200, 100, 37, 20);
  EXPECT_FALSE(b.FlipX);
  EXPECT_FALSE(b.FlipY);
}

}  // namespace
}  // namespace zb
