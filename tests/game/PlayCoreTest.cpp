// The play core driven by input values alone: no window, no screens, no clock.
#include "game/PlayCore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/AntiStall.h"
#include "game/Ball.h"
#include "game/Bat.h"
#include "game/Blocks.h"
#include "game/Bonus.h"
#include "game/BonusRules.h"
#include "game/LifeLost.h"
#include "tests/game/PlayFixture.h"

namespace zb {
namespace {

using Kind = TPlayEvent::Kind;

class PlayCoreTest : public test::PlayFixture {
 protected:
  void SetUp() override {
    game.Difficulty = 1;
    game.Lives = 3;
    game.SetShownScore(0);
    bat_ = &engine.Create<TBita>(play, kBatHomeX, 530.0f);
    game.Bita = bat_;
  }
  TBall& AddBall(float x, float y, double vx, double vy) {
    const int slot = game.BallCount;
    TBall& ball = engine.Create<TBall>(play, false, false, x, y, slot);
    game.Balls[static_cast<size_t>(slot)] = &ball;
    ball.VelocityX = vx;
    ball.VelocityY = vy;
    return ball;
  }
  // Ticks with `in` until an event of `kind` comes, at most `limit` ticks; the events seen.
  std::vector<TPlayEvent> TickUntil(Kind kind, int limit, TPlayInput in = {}) {
    std::vector<TPlayEvent> seen;
    for (int i = 0; i < limit; ++i) {
      core().Tick(in);
      for (const TPlayEvent& e : core().TakeEvents()) seen.push_back(e);
      if (std::ranges::any_of(seen, [kind](const TPlayEvent& e) { return e.What == kind; })) break;
    }
    return seen;
  }
  static bool Has(const std::vector<TPlayEvent>& events, TPlayEvent wanted) {
    return std::ranges::find(events, wanted) != events.end();
  }
  static bool HasKind(const std::vector<TPlayEvent>& events, Kind kind) {
    return std::ranges::any_of(events, [kind](const TPlayEvent& e) { return e.What == kind; });
  }
  TPlayCore& core() { return field.core; }
  TBita* bat_ = nullptr;
};

TEST_F(PlayCoreTest, ALostLifeRunsFromTheFallToTheNewServeInsideTheCore) {
  AddBall(300, 560, 0, 3);
  const auto fall = TickUntil(Kind::LifeLost, 50);
  ASSERT_TRUE(HasKind(fall, Kind::LifeLost));
  EXPECT_TRUE(Has(fall, {Kind::Sound, SoundCue::BallDead, 0}));
  EXPECT_EQ(core().Phase(), PlayPhase::LifeLost);
  EXPECT_EQ(game.Lives, 3) << "the life goes at the serve";

  bat_->X = 600;  // the bat runs home from wherever it stands
  const auto serve = TickUntil(Kind::Served, 400);
  ASSERT_TRUE(HasKind(serve, Kind::Served));
  EXPECT_TRUE(Has(serve, {Kind::Sound, SoundCue::LostLife, 0}));
  EXPECT_EQ(core().Phase(), PlayPhase::Playing);
  EXPECT_EQ(game.Lives, 2);
  EXPECT_FALSE(game.LifeLostFlag);
  EXPECT_FLOAT_EQ(bat_->X, kBatHomeX);
  ASSERT_EQ(game.BallCount, 1);
  const TBall& ball = *game.Balls[0].Get();
  EXPECT_TRUE(ball.OnBat);
  EXPECT_FLOAT_EQ(ball.Y, bat_->Y - static_cast<float>(ball.PatternHeight()));
  // The bat stood still for the first ticks, then ran at its step.
  EXPECT_GT(game.ScreenTicks, kLifeLostStandTicks + static_cast<int>((600 - kBatHomeX) / kBatRunStep) - 2);
}

TEST_F(PlayCoreTest, TheLastBallWithTheLastLifeEndsTheGame) {
  game.Lives = 1;
  game.Score = 70;
  AddBall(300, 560, 0, 3);
  const auto events = TickUntil(Kind::GameOver, 50);
  ASSERT_TRUE(HasKind(events, Kind::GameOver));
  EXPECT_FALSE(HasKind(events, Kind::LifeLost));
  EXPECT_EQ(core().Phase(), PlayPhase::Frozen);
  EXPECT_EQ(game.GetShownScore(), 70) << "the level's score is carried to the shown score";
}

TEST_F(PlayCoreTest, BreakingTheLastBrickClearsTheLevelWithItsPoints) {
  TBlock* brick = TBlock::Create(engine, play, 300, 200, 9);
  ASSERT_NE(brick, nullptr);
  AddBall(310, 240, 0, -3);
  const auto events = TickUntil(Kind::LevelCleared, 50);
  ASSERT_TRUE(HasKind(events, Kind::LevelCleared));
  EXPECT_TRUE(Has(events, {Kind::ScoreChanged, SoundCue::Check, game.Score}));
  EXPECT_GT(game.Score, 0);
  EXPECT_EQ(game.BlocksLeft, 0);
  EXPECT_EQ(game.GetShownScore(), game.Score);
  EXPECT_EQ(core().Phase(), PlayPhase::StageComplete);
  // A cleared level stops play: the balls no longer move.
  const float y = game.Balls[0].Get()->Y;
  core().Tick({});
  EXPECT_FLOAT_EQ(game.Balls[0].Get()->Y, y);
}

TEST_F(PlayCoreTest, EveryBonusCaughtRaisesItsCueAndKindAndTheTimedOnesTheirEnd) {
  for (int kind = 0; kind < kBonusKinds; ++kind) {
    SCOPED_TRACE(kind);
    if (game.BallCount == 0) AddBall(300, 300, 0, -1);
    core().TakeEvents();
    engine.Create<TBonus>(play, kind, bat_->X + 20, bat_->Y - 12);
    const auto caught = TickUntil(Kind::BonusCaught, 60);
    EXPECT_TRUE(Has(caught, {Kind::BonusCaught, SoundCue::Check, kind}));
    EXPECT_TRUE(Has(caught, {Kind::Sound, BonusKindInfo(kind).Sound, 0}));
    if (!IsTimedBonus(kind)) continue;
    std::vector<TPlayEvent> ended;
    for (int step = 0; step < 400 && !HasKind(ended, Kind::BonusEnded); ++step) {
      BonusClockTick(play);
      for (const TPlayEvent& e : core().TakeEvents()) ended.push_back(e);
    }
    EXPECT_TRUE(HasKind(ended, Kind::BonusEnded));
  }
}

TEST_F(PlayCoreTest, TheAntiStallTurnsEveryBallOnceAfterTheQuietTicks) {
  TBall& ball = AddBall(300, 100, 1, 0);
  game.StallTicks = kStallTicks - 2;
  core().Tick({});
  EXPECT_GT(ball.VelocityX, 0);
  core().Tick({});
  EXPECT_LT(ball.VelocityX, 0);
}

// Two games from one seed: a bat, a ball on it, a wall of bricks; the inputs a function of the tick.
class TwoCores : public ::testing::Test {
 protected:
  struct Game : test::PlayFixture {
    void TestBody() override {}
    TPlayCore& Core() { return field.core; }
    explicit Game(uint32_t seed) {
      game.Random.Seed(seed);
      game.Difficulty = 2;
      game.Lives = 3;
      game.SetShownScore(0);
      TBita& bat = engine.Create<TBita>(play, 440.0f, 530.0f);
      game.Bita = &bat;
      TBall& ball = engine.Create<TBall>(play, false, false, 470.0f, 500.0f, 0);
      ball.OnBat = true;
      game.Balls[0] = &ball;
      for (int column = 0; column < 12; ++column) {
        for (int row = 0; row < 4; ++row) TBlock::Create(engine, play, 200.0f + 37 * column, 120.0f + 20 * row, 9 + row);
      }
    }
  };
  static TPlayInput InputAt(int tick, int shift) {
    const int phase = (tick + shift) % 240;
    return {phase < 60, phase >= 120 && phase < 170, tick % 300 == 5, false};
  }
};

TEST_F(TwoCores, TheSameSeedAndInputsGiveTheSameStateAtEveryTick) {
  Game a(7), b(7);
  for (int tick = 0; tick < 3000; ++tick) {
    a.Core().Tick(InputAt(tick, 0));
    b.Core().Tick(InputAt(tick, 0));
    ASSERT_EQ(a.Core().StateHash(), b.Core().StateHash()) << "tick " << tick;
    ASSERT_EQ(a.Core().TakeEvents(), b.Core().TakeEvents()) << "tick " << tick;
  }
  EXPECT_LT(a.Core().Game.BlocksLeft, 48) << "the game did something";
}

TEST_F(TwoCores, OtherInputsOrAnotherSeedGiveAnotherGame) {
  Game a(7), b(7), c(8);
  bool inputDiverged = false;
  bool seedDiverged = false;
  for (int tick = 0; tick < 3000; ++tick) {
    a.Core().Tick(InputAt(tick, 0));
    b.Core().Tick(InputAt(tick, tick > 100 ? 1 : 0));
    c.Core().Tick(InputAt(tick, 0));
    inputDiverged = inputDiverged || a.Core().StateHash() != b.Core().StateHash();
    seedDiverged = seedDiverged || a.Core().StateHash() != c.Core().StateHash();
  }
  EXPECT_TRUE(inputDiverged);
  EXPECT_TRUE(seedDiverged);
}

}  // namespace
}  // namespace zb
