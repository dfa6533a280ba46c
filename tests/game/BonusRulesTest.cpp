#include "game/BonusRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace zb {
namespace {

TEST(BonusRulesTest, KindTable) {
  EXPECT_EQ(BonusKindInfo(BonusBigBat).Duration, 130);
  EXPECT_EQ(BonusKindInfo(BonusSmallBat).Duration, 140);
  EXPECT_EQ(BonusKindInfo(BonusMagnet).Face, "bon_magnit");
  EXPECT_EQ(BonusKindInfo(BonusLife).Sound, SoundCue::ExtraLife);
  EXPECT_EQ(BonusKindInfo(BonusThreeBalls).Duration, 0);
  EXPECT_EQ(BonusKindInfo(BonusFireBall).Sound, SoundCue::FireBall);
  EXPECT_EQ(BonusKindInfo(BonusBananas).Duration, 100);
  EXPECT_EQ(BonusKindInfo(BonusMoney).TargetY, 285);
  EXPECT_EQ(BonusKindInfo(BonusLife).TargetY, 370);
  EXPECT_EQ(BonusKindInfo(BonusBigBall).TargetX, 83);
  // A kind outside the table never indexes past it.
  EXPECT_EQ(BonusKindInfo(-1).Face, "bon_money");
  EXPECT_EQ(BonusKindInfo(9).Face, "bon_money");
  std::vector<int> timed;
  for (int kind = -1; kind <= kBonusKinds; ++kind) {
    if (IsTimedBonus(kind)) timed.push_back(kind);
  }
  EXPECT_EQ(timed, (std::vector<int>{0, 1, 2, 5, 7, 8}));
}

TEST(BonusRulesTest, BandEdgesOfTheThreeTables) {
  // Easy.
  EXPECT_EQ(BonusKindForDraw(0, 0, 3), BonusBigBat);
  EXPECT_EQ(BonusKindForDraw(400, 0, 3), BonusBigBat);
  EXPECT_EQ(BonusKindForDraw(401, 0, 3), BonusSmallBat);
  EXPECT_EQ(BonusKindForDraw(700, 0, 3), BonusMagnet);
  EXPECT_EQ(BonusKindForDraw(701, 0, 3), BonusMoney);
  EXPECT_EQ(BonusKindForDraw(811, 0, 3), BonusBigBall);
  EXPECT_EQ(BonusKindForDraw(1400, 0, 3), BonusThreeBalls);
  EXPECT_EQ(BonusKindForDraw(1600, 0, 3), BonusFireBall);
  EXPECT_EQ(BonusKindForDraw(1601, 0, 3), BonusBananas);
  EXPECT_EQ(BonusKindForDraw(1799, 0, 3), BonusBananas);
  // Medium.
  EXPECT_EQ(BonusKindForDraw(200, 1, 3), BonusBigBat);
  EXPECT_EQ(BonusKindForDraw(201, 1, 3), BonusSmallBat);
  EXPECT_EQ(BonusKindForDraw(1200, 1, 3), BonusMoney);
  EXPECT_EQ(BonusKindForDraw(1206, 1, 3), BonusBigBall);
  EXPECT_EQ(BonusKindForDraw(1701, 1, 3), BonusFireBall);
  EXPECT_EQ(BonusKindForDraw(1751, 1, 3), BonusBananas);
  // Hard, and a difficulty byte past hard reads as hard.
  EXPECT_EQ(BonusKindForDraw(101, 2, 3), BonusSmallBat);
  EXPECT_EQ(BonusKindForDraw(1400, 2, 3), BonusMoney);
  EXPECT_EQ(BonusKindForDraw(1403, 2, 3), BonusBigBall);
  EXPECT_EQ(BonusKindForDraw(1680, 2, 3), BonusThreeBalls);
  EXPECT_EQ(BonusKindForDraw(1761, 2, 3), BonusBananas);
  EXPECT_EQ(BonusKindForDraw(1761, 7, 3), BonusBananas);
  EXPECT_EQ(BonusKindForDraw(1402, 7, 1), BonusLife);
}

TEST(BonusRulesTest, LifeOrMoneyByLives) {
  // Easy gives a life below four lives, the others below two.
  EXPECT_EQ(BonusKindForDraw(801, 0, 3), BonusLife);
  EXPECT_EQ(BonusKindForDraw(810, 0, 3), BonusLife);
  EXPECT_EQ(BonusKindForDraw(805, 0, 4), BonusMoney);
  EXPECT_EQ(BonusKindForDraw(1201, 1, 1), BonusLife);
  EXPECT_EQ(BonusKindForDraw(1205, 1, 2), BonusMoney);
  EXPECT_EQ(BonusKindForDraw(1401, 2, 1), BonusLife);
  EXPECT_EQ(BonusKindForDraw(1402, 2, 2), BonusMoney);
}

TEST(BonusRulesTest, FlamesOfADurationOf130) {
  // The time left at which each flame goes out, stepping the clock from the catch to the end.
  std::vector<int> outAt(kFlameCount, -1);
  int32_t timeLeft = 130;
  int steps = 0;
  bool ended = false;
  while (!ended && steps < 200) {
    const TBonusClockStep step = StepBonusClock(timeLeft, 130);
    for (int i = 0; i < kFlameCount; ++i) {
      if (step.FlameOut[static_cast<size_t>(i)] && outAt[static_cast<size_t>(i)] < 0) {
        outAt[static_cast<size_t>(i)] = timeLeft;
      }
    }
    ended = step.Ends;
    timeLeft = step.TimeLeft;
    ++steps;
  }
  EXPECT_TRUE(ended);
  EXPECT_EQ(steps, 130);
  EXPECT_EQ(timeLeft, 0);
  // Flame 8 first (below 126), flame 1 last among the eight (below 28), flame 0 with the end.
  EXPECT_EQ(outAt, (std::vector<int>{1, 27, 41, 55, 69, 83, 97, 111, 125}));
}

TEST(BonusRulesTest, IdleClockChangesNothing) {
  const TBonusClockStep step = StepBonusClock(0, 0);
  EXPECT_FALSE(step.Ends);
  EXPECT_EQ(step.TimeLeft, 0);
  for (bool out : step.FlameOut) EXPECT_FALSE(out);
}

}  // namespace
}  // namespace zb
