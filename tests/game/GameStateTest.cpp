#include "game/GameState.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <vector>

namespace zb {
namespace {

TEST(GameStateTest, ShownScoreEncoding) {
  TGameState state;
  state.SetShownScore(0);
  // "0" and nine "%": 16 symbols.
  EXPECT_EQ(state.ShownScore, "GASSKJJFEUSSKJJF");
  EXPECT_EQ(state.GetShownScore(), 0);
  state.SetShownScore(250);
  EXPECT_EQ(state.ShownScore, "GI2TAJJFEUSSKJJF");
  for (int32_t value : {1, 99999, 1234567890, std::numeric_limits<int32_t>::max(), -40,
                        std::numeric_limits<int32_t>::min()}) {
    state.SetShownScore(value);
    EXPECT_EQ(state.GetShownScore(), value);
  }
  state.SetShownScore(1234567890);  // ten digits, no "%"
  EXPECT_EQ(state.ShownScore.size(), 16u);
}

TEST(GameStateTest, AShownScoreThatIsNoEncodingReadsAsZero) {
  TGameState state;
  state.ShownScore = "";
  EXPECT_EQ(state.GetShownScore(), 0);
  state.ShownScore = "MFRGGJJF";  // "abc%%"
  EXPECT_EQ(state.GetShownScore(), 0);
  state.ShownScore = "not the alphabet at all";
  EXPECT_EQ(state.GetShownScore(), 0);
}

TEST(GameStateTest, CountUpStepsOfHundredTenAndOne) {
  TGameState state;
  state.SetShownScore(0);
  state.Score = 5000;
  std::vector<int32_t> steps;
  int32_t last = 0;
  while (state.GetShownScore() < state.Score) {
    state.CountUpShownScore();
    steps.push_back(state.GetShownScore() - last);
    last = state.GetShownScore();
    ASSERT_LE(steps.size(), 1000u);
  }
  // 100 while the gap is above 1000, 10 while above 100, then 1.
  ASSERT_EQ(steps.size(), 40u + 90u + 100u);
  EXPECT_EQ(steps[0], 100);
  EXPECT_EQ(steps[39], 100);
  EXPECT_EQ(steps[40], 10);
  EXPECT_EQ(steps[129], 10);
  EXPECT_EQ(steps[130], 1);
  EXPECT_EQ(state.GetShownScore(), 5000);
  // Never past the score, and never down.
  state.CountUpShownScore();
  EXPECT_EQ(state.GetShownScore(), 5000);
  state.Score = 10;
  state.CountUpShownScore();
  EXPECT_EQ(state.GetShownScore(), 5000);
}

TEST(RandomTest, SeededSequencesRepeatAndStayInRange) {
  TRandom a(42), b(42), c(43);
  std::vector<int> first, second, third;
  for (int i = 0; i < 100; ++i) {
    first.push_back(a.Next(1000));
    second.push_back(b.Next(1000));
    third.push_back(c.Next(1000));
  }
  EXPECT_EQ(first, second);
  EXPECT_NE(first, third);
  a.Seed(42);
  EXPECT_EQ(a.Next(1000), first[0]);
  // The first values of std::mt19937 seeded with 42, mapped by multiply-and-shift.
  TRandom fixed(42);
  EXPECT_EQ(fixed.Next(1 << 16), static_cast<int>(1608637542u >> 16));

  std::array<int, 6> counts{};
  TRandom r(7);
  for (int i = 0; i < 60000; ++i) {
    const int v = r.Next(6);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 6);
    ++counts[static_cast<size_t>(v)];
  }
  for (int count : counts) EXPECT_NEAR(count, 10000, 500);
  EXPECT_EQ(r.Next(1), 0);
  EXPECT_EQ(r.Next(0), 0);
  EXPECT_EQ(r.Next(-5), 0);
}

}  // namespace
}  // namespace zb
