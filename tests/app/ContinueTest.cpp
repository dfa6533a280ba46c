#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/HeadlessGame.h"
#include "app/ReplayCheck.h"
#include "engine/FileRead.h"
#include "engine/platform/Keys.h"
#include "persist/Checkpoint.h"
#include "persist/Config.h"
#include "screens/ScreenId.h"
#include "screens/ScreenMachine.h"
#include "tests/app/GameFolder.h"
#include "tools/autoplay/GameBot.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

// What a game looked like when its level 3 began to be played.
struct TLevelThree {
  bool Reached = false;
  int32_t Lives = 0;
  int32_t Score = 0;
  uint64_t Hash = 0;
};

// Games of the bot in one player's folder, as a player who closes the game and starts it again.
class ContinueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("zb-continue-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    test::LinkWholeGame(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path CheckpointFile() const { return CheckpointPath(folder_, "Bot"); }

  // The bot plays until level 3 is under way; there it leaves by the exit question. With
  // `continued`, it starts with "Продолжить" instead of a new game.
  TLevelThree PlayToLevelThree(bool continued, std::optional<TReplay>* recorded = nullptr) {
    HeadlessGame game(folder_);
    game.SetDrawing(false);
    EXPECT_TRUE(game.Start());
    TGameBotOptions options;
    options.Seed = 9;
    options.Continue = continued;
    options.FrameBound = 400'000;
    TGameBot bot(game, options, [](const std::string&) {});
    TLevelThree seen;
    bool moved = false;
    bot.AfterFrame = [&] {
      const TScreenContext& s = game.Screens();
      if (s.Game.LevelNumber != 3) return;
      // The pointer stands at one place in both games, so that the pointer sprite does too.
      if (s.CurrentScreen == ScreenLevelStart && !moved) {
        game.MouseMove(400, 300);
        moved = true;
      }
      if (s.CurrentScreen == ScreenGame && !seen.Reached) {
        seen = {true, s.Game.Lives, s.Game.GetShownScore(), game.Core().StateHash()};
        bot.Stop();
      }
    };
    bot.Run();
    EXPECT_TRUE(seen.Reached) << (continued ? "continued" : "straight");
    // Away by the exit question; the score goes on to the closing screens as always.
    game.Press(vk::Escape);
    game.Frames(2);
    EXPECT_EQ(game.Screens().CurrentScreen, ScreenExitToMenu);
    const TGuiRect yes = game.Screens().GuiBase.FindControl("b_exitmm_yes")->AbsoluteRect();
    game.Click((yes.Left + yes.Right) / 2, (yes.Top + yes.Bottom) / 2);
    game.Frames(2);
    EXPECT_EQ(game.Screens().CurrentScreen, ScreenYourScore);
    if (recorded != nullptr) *recorded = game.Screens().LastReplay;
    return seen;
  }

  fs::path folder_;
};

TEST_F(ContinueTest, LevelThreeContinuedIsTheLevelThreePlayedStraightOn) {
  const TLevelThree straight = PlayToLevelThree(false);
  // The checkpoint of level 3 stays after leaving by the question.
  const TCheckpointReadResult kept = ReadCheckpointFile(CheckpointFile());
  ASSERT_TRUE(kept.Checkpoint) << kept.Error;
  EXPECT_EQ(kept.Checkpoint->StartLevel, 3);
  EXPECT_EQ(kept.Checkpoint->StartLives, straight.Lives);
  EXPECT_EQ(kept.Checkpoint->StartScore, straight.Score);

  std::optional<TReplay> recorded;
  const TLevelThree continued = PlayToLevelThree(true, &recorded);
  EXPECT_EQ(continued.Lives, straight.Lives);
  EXPECT_EQ(continued.Score, straight.Score);
  EXPECT_EQ(continued.Hash, straight.Hash);

  // The continued game's recording carries the game before it and verifies as a whole.
  ASSERT_TRUE(recorded);
  ASSERT_EQ(recorded->Earlier.size(), 1u);
  EXPECT_EQ(recorded->StartLevel, 3);
  TReplayCheckOptions options;
  options.Content = folder_;
  const TReplayVerdict verdict = CheckReplay(*recorded, options);
  EXPECT_TRUE(verdict.Verified) << verdict.Reason;
  // It reads back from its file the same.
  const TReplayReadResult back = DecodeReplay(EncodeReplay(*recorded));
  ASSERT_TRUE(back.Replay) << back.Error;
  EXPECT_EQ(*back.Replay, *recorded);

  // A replay that claims a better start than its chain came to does not verify.
  TReplay richer = *recorded;
  richer.StartScore += 1000;
  richer.Earlier.back().FinalScore += 1000;
  const TReplayVerdict refused = CheckReplay(richer, options);
  EXPECT_FALSE(refused.Verified);
  EXPECT_NE(refused.Reason.find("the checkpoint claims"), std::string::npos) << refused.Reason;
  TReplay longerLived = *recorded;
  ++longerLived.StartLives;
  EXPECT_FALSE(CheckReplay(longerLived, options).Verified);
}

TEST_F(ContinueTest, ACheckpointEditedByHandIsRefusedAndSetAside) {
  PlayToLevelThree(false);
  const TCheckpointReadResult kept = ReadCheckpointFile(CheckpointFile());
  ASSERT_TRUE(kept.Checkpoint) << kept.Error;
  // More points and a life more; the chain is kept and still ends where the checkpoint starts.
  TReplay edited = *kept.Checkpoint;
  edited.StartScore += 5000;
  edited.Earlier.back().FinalScore += 5000;
  ++edited.StartLives;
  ASSERT_EQ(WriteCheckpointFile(CheckpointFile(), edited), "");
  EXPECT_FALSE(CheckCheckpointChain(edited, folder_).empty());

  HeadlessGame game(folder_);
  game.SetDrawing(false);
  ASSERT_TRUE(game.Start());
  TGameBotOptions options;
  options.Continue = true;
  options.FrameBound = 20'000;
  TGameBot bot(game, options, [](const std::string&) {});
  bot.Run();
  // The menu offered it, the press found it false: no game, a message, the file set aside.
  EXPECT_TRUE(bot.NoCheckpoint());
  EXPECT_EQ(game.Screens().CurrentScreen, ScreenMainMenu);
  EXPECT_FALSE(game.Screens().GuiBase.FindControl("b_mainmenu_continue")->Visible());
  ASSERT_EQ(game.Platform().desktop.messageBoxes.size(), 1u);
  EXPECT_NE(game.Platform().desktop.messageBoxes[0].second.find(".zbc.bad"), std::string::npos);
  EXPECT_FALSE(fs::exists(CheckpointFile()));
  fs::path aside = CheckpointFile();
  aside += ".bad";
  const TCheckpointReadResult set = ReadCheckpointFile(aside);
  ASSERT_TRUE(set.Checkpoint) << set.Error;
  EXPECT_EQ(*set.Checkpoint, edited);
}

}  // namespace
}  // namespace zb
