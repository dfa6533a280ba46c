// A recorded game played again through the real screens comes out the same, and one whose
// inputs or claims were changed does not.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/HeadlessGame.h"
#include "app/ReplayCheck.h"
#include "engine/platform/Keys.h"
#include "persist/ReplayStore.h"
#include "screens/ScreenId.h"
#include "screens/ScreenMachine.h"
#include "tests/app/GameFolder.h"
#include "tools/autoplay/GameBot.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

struct TScreenVisit {
  int Screen, Level, Score, Lives;
  bool operator==(const TScreenVisit&) const = default;
};

class ReplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("zb-replay-" + std::to_string(::getpid()));
    test::LinkWholeGame(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  TReplayCheckOptions Options(std::vector<TScreenVisit>* visits = nullptr) const {
    TReplayCheckOptions options;
    options.Content = folder_;
    options.NewGameOnly = false;
    if (visits != nullptr) {
      options.AfterFrame = [visits](HeadlessGame& game) { Note(game, *visits); };
    }
    return options;
  }

  static void Note(HeadlessGame& game, std::vector<TScreenVisit>& visits) {
    const TScreenContext& s = game.Screens();
    if (!visits.empty() && visits.back().Screen == s.CurrentScreen) return;
    visits.push_back({s.CurrentScreen, s.Game.LevelNumber, s.Game.GetShownScore(), s.Game.Lives});
  }

  // The bot's game from level 25 on hard: its story scenes, the end and the closing screens.
  TReplay BotGame(std::vector<TScreenVisit>& visits, uint64_t& hash) {
    HeadlessGame game(folder_);
    game.SetDrawing(false);
    EXPECT_TRUE(game.Start());
    TGameBotOptions options;
    options.StartLevel = 25;
    options.Seed = 4;
    options.Difficulty = 2;
    options.FrameBound = 200'000;
    TGameBot bot(game, options, [](const std::string&) {});
    bool playing = false, ended = false;
    bot.AfterFrame = [&] {
      playing = playing || game.Screens().Recorder.Active();
      if (!playing || ended) return;
      Note(game, visits);
      ended = game.Screens().LastReplay.has_value();
    };
    EXPECT_TRUE(bot.Run());
    EXPECT_TRUE(game.Screens().LastReplay.has_value());
    hash = game.Screens().LastReplay ? game.Screens().LastReplay->FinalStateHash : 0;
    return game.Screens().LastReplay.value_or(TReplay{});
  }

  fs::path folder_;
};

TEST_F(ReplayTest, ABotGamePlaysAgainScreenByScreenToTheSameEnd) {
  std::vector<TScreenVisit> played;
  uint64_t hash = 0;
  const TReplay replay = BotGame(played, hash);
  ASSERT_GT(replay.Frames, 1000);
  EXPECT_EQ(replay.StartLevel, 25);
  EXPECT_EQ(replay.Seed, 4u);

  // The file holds the same game.
  const std::string bytes = EncodeReplay(replay);
  const TReplayReadResult read = DecodeReplay(bytes);
  ASSERT_TRUE(read.Replay) << read.Error;
  EXPECT_EQ(*read.Replay, replay);

  std::vector<TScreenVisit> replayed;
  const TReplayVerdict verdict = CheckReplay(*read.Replay, Options(&replayed));
  EXPECT_TRUE(verdict.Verified) << verdict.Reason;
  EXPECT_EQ(verdict.PlayedStateHash, hash);
  EXPECT_EQ(replayed, played);
  // A table takes only games from the first level.
  TReplayCheckOptions strict = Options();
  strict.NewGameOnly = true;
  EXPECT_EQ(CheckReplay(replay, strict).Reason, "the replay does not start a new game");

  // The player's input changed in the middle of the level: another game comes out.
  TReplay changed = replay;
  TReplayStep& step = changed.Steps[changed.Steps.size() / 2];
  step.Input ^= kInputLeft | kInputRight;
  const TReplayVerdict diverged = CheckReplay(changed, Options());
  EXPECT_FALSE(diverged.Verified);
  EXPECT_FALSE(diverged.Reason.empty());

  // A score edited into the claims.
  TReplay boasted = replay;
  boasted.FinalScore += 1000;
  const TReplayVerdict lied = CheckReplay(boasted, Options());
  EXPECT_FALSE(lied.Verified);
  EXPECT_NE(lied.Reason.find("points"), std::string::npos) << lied.Reason;
  EXPECT_NE(VerdictLine(lied).find("verified=no difficulty=2 score="), std::string::npos);

  // Another build's rules, or other levels.
  TReplay other = replay;
  other.RulesVersion += 1;
  EXPECT_NE(CheckReplay(other, Options()).Reason.find("rules"), std::string::npos);
  other = replay;
  other.ContentHash[0] ^= 1;
  EXPECT_NE(CheckReplay(other, Options()).Reason.find("levels"), std::string::npos);

  // A recording cut short never reaches its end.
  TReplay cut = replay;
  cut.Frames /= 2;
  while (!cut.Steps.empty() && cut.Steps.back().Frame >= cut.Frames) cut.Steps.pop_back();
  EXPECT_EQ(CheckReplay(cut, Options()).Reason, "the game had not ended when the replay did");
}

// A game played with keys and clicks through the window, not the bot; then a second game in the
// same run, which must not depend on what the first left behind.
TEST_F(ReplayTest, GamesPlayedThroughTheWindowReplayToTheirScores) {
  HeadlessGame game(folder_);
  game.SetDrawing(false);
  ASSERT_TRUE(BringToMainMenu(game));
  TScreenContext& screens = game.Screens();
  std::vector<TReplay> games;
  for (const uint32_t seed : {11u, 12u}) {
    screens.NextGameSeed = seed;
    RunButton(screens, "b_mainmenu_startgame");
    RunButton(screens, "b_choosedif_easy");
    // The story scene before the first level is read on with Space.
    for (int i = 0; i < 6000 && screens.CurrentScreen != ScreenGame; ++i) {
      if (i % 50 == 49) game.Press(vk::Space);
      game.Frame();
    }
    ASSERT_EQ(screens.CurrentScreen, ScreenGame);
    game.Press(vk::Space);  // the serve
    for (int round = 0; round < 12; ++round) {
      const uint8_t key = round % 2 == 0 ? vk::Left : vk::Right;
      game.KeyDown(key);
      game.Frames(40 + round * 7);
      game.KeyUp(key);
      game.Frames(30);
    }
    game.Press(vk::F1);  // a pause, and back
    game.Frames(20);
    game.Press(vk::F1);
    game.Frames(300);
    game.Press(vk::Escape);
    game.Frames(2);
    ASSERT_EQ(screens.CurrentScreen, ScreenExitToMenu);
    // The player's own click on "yes", with the pointer.
    const TGuiRect yes = screens.GuiBase.FindControl("b_exitmm_yes")->AbsoluteRect();
    game.Click((yes.Left + yes.Right) / 2, (yes.Top + yes.Bottom) / 2);
    game.Frame();
    ASSERT_TRUE(screens.LastReplay);
    games.push_back(*screens.LastReplay);
    // Back to the menu through the closing screens, as the player would.
    LeaveScreen(screens, screens.CurrentScreen);
    LeaveScreen(screens, ScreenGame);
    EnterScreen(screens, ScreenMainMenu);
  }
  for (const TReplay& played : games) {
    const TReplayVerdict verdict = CheckReplay(played, Options());
    EXPECT_TRUE(verdict.Verified) << "seed " << played.Seed << ": " << verdict.Reason;
    EXPECT_EQ(verdict.Score, played.FinalScore);
  }
  // Both were kept in the player's folder: the last, and the best of easy.
  const TReplayReadResult last = ReadReplayFile(ReplayFolder(folder_) / "last.zbr");
  ASSERT_TRUE(last.Replay) << last.Error;
  EXPECT_EQ(last.Replay->Seed, 12u);
  const TReplayReadResult best = ReadReplayFile(BestReplayPath(folder_, 0));
  ASSERT_TRUE(best.Replay) << best.Error;
  EXPECT_EQ(best.Replay->FinalScore, std::max(games[0].FinalScore, games[1].FinalScore));
}

}  // namespace
}  // namespace zb
