#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/HeadlessGame.h"
#include "app/ReplayCheck.h"
#include "engine/Cp1251.h"
#include "engine/FileRead.h"
#include "gui/GuiButton.h"
#include "gui/GuiLabel.h"
#include "engine/platform/Keys.h"
#include "persist/Checkpoint.h"
#include "persist/Config.h"
#include "screens/MenuScreens.h"
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

  // A game of the player "Kim", started up to its main menu.
  std::unique_ptr<HeadlessGame> AtMainMenu() {
    auto game = std::make_unique<HeadlessGame>(folder_);
    game->SetDrawing(false);
    EXPECT_TRUE(game->Start());
    TSettings& settings = game->Form().Settings;
    settings.PlayerCount = 1;
    settings.Players[0] = "Kim";
    settings.PlayerName = "Kim";
    game->Frames(kLogoTicks);
    EXPECT_EQ(game->Screens().CurrentScreen, ScreenMainMenu);
    return game;
  }

  static bool Shown(HeadlessGame& game, const char* name) {
    const TGuiControl* control = game.Screens().GuiBase.FindControl(name);
    return control != nullptr && control->Visible();
  }

  static std::string Bytes(const fs::path& path) { return ReadFileText(path).bytes; }

  static void Write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
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

TEST_F(ContinueTest, BadFilesAreNamedOnceAndKeptUntilANewGameIsStarted) {
  // A real checkpoint of Kim's to cut and bend.
  {
    auto game = AtMainMenu();
    EXPECT_FALSE(Shown(*game, "b_mainmenu_continue"));
    RunButton(game->Screens(), "b_mainmenu_startgame");
    RunButton(game->Screens(), "b_choosedif_easy");
  }
  const fs::path file = CheckpointPath(folder_, "Kim");
  const std::string good = Bytes(file);
  ASSERT_TRUE(DecodeCheckpoint(good).Checkpoint);
  std::string future = good;
  future[4] = 9;
  const std::pair<const char*, std::string> bad[] = {{"empty", ""},
                                                     {"cut short", good.substr(0, good.size() / 2)},
                                                     {"not a checkpoint", "ZBRP\x01\x00 something else"},
                                                     {"newer game", future}};
  for (const auto& [why, bytes] : bad) {
    Write(file, bytes);
    auto game = AtMainMenu();
    EXPECT_FALSE(Shown(*game, "b_mainmenu_continue")) << why;
    EXPECT_EQ(game->Screens().GuiBase.FindControl("b_mainmenu_startgame")->Top(), 180) << why;
    // Back to the menu: the same file is not named again.
    RunButton(game->Screens(), "b_mainmenu_options");
    RunButton(game->Screens(), "b_options_back");
    ASSERT_EQ(game->Platform().desktop.messageBoxes.size(), 1u) << why;
    EXPECT_NE(game->Platform().desktop.messageBoxes[0].second.find(why), std::string::npos)
        << game->Platform().desktop.messageBoxes[0].second;
    EXPECT_EQ(Bytes(file), bytes) << why;
  }
  // The next game the player starts writes its own.
  auto game = AtMainMenu();
  RunButton(game->Screens(), "b_mainmenu_startgame");
  RunButton(game->Screens(), "b_choosedif_medium");
  const TCheckpointReadResult fresh = ReadCheckpointFile(file);
  ASSERT_TRUE(fresh.Checkpoint) << fresh.Error;
  EXPECT_EQ(fresh.Checkpoint->StartLevel, 1);
  EXPECT_EQ(fresh.Checkpoint->Difficulty, 1);
}

TEST_F(ContinueTest, TheMenuMakesRoomForContinueOnlyWhenThereIsAGame) {
  {
    auto game = AtMainMenu();
    RunButton(game->Screens(), "b_mainmenu_startgame");
    game->Screens().Game.LevelNumber = 14;
    game->Screens().Game.SetShownScore(52'300);
    RunButton(game->Screens(), "b_choosedif_hard");
  }
  auto game = AtMainMenu();
  ASSERT_TRUE(Shown(*game, "b_mainmenu_continue"));
  const auto* info = dynamic_cast<const TGuiLabel*>(game->Screens().GuiBase.FindControl("continue_info"));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->Text(), Utf8ToCp1251("уровень 14, 52 300 очков"));
  // Every control of the menu stays on the board and none lies over another.
  const TGuiControl* form = game->Screens().GuiBase.FindControl("scr_mainmenu");
  std::vector<TGuiRect> rects;
  for (const char* name : {"b_mainmenu_continue", "continue_info", "b_mainmenu_startgame", "b_mainmenu_highscore",
                           "b_mainmenu_options", "b_mainmenu_help", "b_mainmenu_ownlevels", "b_mainmenu_editor",
                           "b_mainmenu_exit", "b_mainmenu_presshere", "hello"}) {
    const TGuiRect r = game->Screens().GuiBase.FindControl(name)->AbsoluteRect();
    EXPECT_EQ(r.Intersect(form->AbsoluteRect()), r) << name;
    for (const TGuiRect& other : rects) EXPECT_TRUE(r.Intersect(other).Width() <= 0 || r.Intersect(other).Height() <= 0) << name;
    rects.push_back(r);
  }
  // Deleting the player takes the game to continue along, and one set aside too.
  const fs::path kim = CheckpointPath(folder_, "Kim");
  Write(fs::path(kim) += ".bad", "kept aside");
  RunButton(game->Screens(), "b_mainmenu_presshere");
  RunButton(game->Screens(), "b_change_delete");
  RunButton(game->Screens(), "b_delete_yes");
  EXPECT_EQ(game->Screens().CurrentScreen, ScreenChangePlayer);
  EXPECT_FALSE(fs::exists(kim));
  EXPECT_FALSE(fs::exists(fs::path(kim) += ".bad"));
  // The menu of a player without a game looks as it always did.
  TSettings& settings = game->Form().Settings;
  settings.PlayerCount = 1;
  settings.Players[0] = settings.PlayerName = "Lee";
  RunButton(game->Screens(), "b_change_back");
  EXPECT_FALSE(Shown(*game, "b_mainmenu_continue"));
  EXPECT_FALSE(Shown(*game, "continue_info"));
  EXPECT_EQ(game->Screens().GuiBase.FindControl("b_mainmenu_startgame")->Top(), 180);
  EXPECT_EQ(game->Screens().GuiBase.FindControl("b_mainmenu_exit")->Top(), 480);
}

// The widest text a control of the menu shows fits inside it, with a button's rim kept free.
void ExpectFits(HeadlessGame& game, const char* name, const std::string& cp1251, int rim) {
  const auto* control = dynamic_cast<const TGuiControl*>(game.Screens().GuiBase.FindControl(name));
  ASSERT_NE(control, nullptr) << name;
  const TGuiFont& font = control->TextFont();
  TGfxFont* entry = game.Form().Fonts.FontAt(font.FontIndex);
  ASSERT_NE(entry, nullptr) << name;
  const float scale = entry->Scale;
  entry->Scale = static_cast<float>(font.Scale);
  const double width = entry->TextWidth(cp1251);
  entry->Scale = scale;
  EXPECT_LE(width, control->AbsoluteRect().Width() - 2 * rim) << name << ": " << Cp1251ToUtf8(cp1251);
}

TEST_F(ContinueTest, ContinueAndItsLevelAndScoreFitInBothLanguages) {
  {
    auto game = AtMainMenu();
    RunButton(game->Screens(), "b_mainmenu_startgame");
    game->Screens().Game.LevelNumber = 25;
    game->Screens().Game.SetShownScore(9'999'999);
    RunButton(game->Screens(), "b_choosedif_easy");
  }
  auto game = AtMainMenu();
  const auto caption = [&] {
    return dynamic_cast<const TGuiButton*>(game->Screens().GuiBase.FindControl("b_mainmenu_continue"))->Caption;
  };
  const auto info = [&] { return dynamic_cast<const TGuiLabel*>(game->Screens().GuiBase.FindControl("continue_info"))->Text(); };
  EXPECT_EQ(Cp1251ToUtf8(info()), "уровень 25, 9 999 999 очков");
  ExpectFits(*game, "b_mainmenu_continue", caption(), 10);
  ExpectFits(*game, "continue_info", info(), 0);
  RunButton(game->Screens(), "b_mainmenu_options");
  RunButton(game->Screens(), "b_options_language");
  RunButton(game->Screens(), "b_options_back");
  ASSERT_EQ(game->Screens().CurrentScreen, ScreenMainMenu);
  EXPECT_EQ(caption(), "Continue");
  EXPECT_EQ(info(), "level 25, 9 999 999 points");
  ExpectFits(*game, "b_mainmenu_continue", caption(), 10);
  ExpectFits(*game, "continue_info", info(), 0);
}

TEST_F(ContinueTest, TheEndOfTheStoryLeavesNothingToContinue) {
  auto game = AtMainMenu();
  TScreenContext& screens = game->Screens();
  RunButton(screens, "b_mainmenu_startgame");
  screens.Game.LevelNumber = 25;
  RunButton(screens, "b_choosedif_easy");
  ASSERT_TRUE(fs::exists(CheckpointPath(folder_, "Kim")));
  // The last scene ends the story as its last step does.
  LeaveScreen(screens, screens.CurrentScreen);
  ++screens.Game.LevelNumber;
  EnterScreen(screens, ScreenEndGame);
  EXPECT_FALSE(fs::exists(CheckpointPath(folder_, "Kim")));
}

}  // namespace
}  // namespace zb
