#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/HeadlessGame.h"
#include "tests/app/ScreenFlowFixture.h"
#include "engine/platform/Keys.h"
#include "gui/GuiEdit.h"
#include "gui/GuiLabel.h"
#include "screens/MenuScreens.h"
#include "screens/ScreenMachine.h"

namespace zb {
namespace {

namespace fs = std::filesystem;
using test::ScreenFlowTest;

TEST_F(ScreenFlowTest, TheLogoLasts385FramesAndLeadsToTheNameScreenWithoutPlayers) {
  ASSERT_TRUE(game_->Start());
  TForm1& form = Form();
  ASSERT_NE(form.Screen.State.LogoSprite.Get(), nullptr);
  game_->Frames(60);
  EXPECT_EQ(form.Screen.State.LogoSprite.Get()->Alpha, 3 * 29);  // fading in from the 31st frame
  game_->Frames(kLogoTicks - 61);
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenLogo);
  EXPECT_EQ(form.Screen.State.LogoSprite.Get()->Alpha, 252 - 5 * 49);
  game_->Frame();
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenEnterName);
  EXPECT_EQ(form.Screen.State.LogoSprite.Get(), nullptr);
  EXPECT_TRUE(FormShowing("scr_entername"));
  EXPECT_FALSE(FormShowing("scr_mainmenu"));
}

TEST_F(ScreenFlowTest, ANameTypedOnTheFirstStartBecomesThePlayer) {
  ASSERT_TRUE(game_->Start());
  game_->Frames(kLogoTicks);
  TForm1& form = Form();
  ASSERT_EQ(form.Screen.CurrentScreen, ScreenEnterName);
  TGuiControl* create = form.GuiBase.FindControl("b_entername_create");
  ASSERT_NE(create, nullptr);
  // Spaces alone are no name: the button stays off and Enter does nothing.
  game_->Char(' ');
  game_->Char(' ');
  game_->Press(vk::Enter);
  game_->Frame();
  EXPECT_FALSE(create->Enabled());
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenEnterName);
  for (char c : std::string("Ann  ")) game_->Char(static_cast<uint8_t>(c));
  game_->Frame();
  EXPECT_TRUE(create->Enabled());
  ASSERT_TRUE(game_->SavePng((fs::path(ZB_GAME_DIR).parent_path() / "screen-entername.png").string()));
  ClickOn("b_entername_create");
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenMainMenu);
  EXPECT_EQ(form.Settings.PlayerCount, 1);
  EXPECT_EQ(form.Settings.Players[0], "Ann");
  EXPECT_EQ(form.Settings.PlayerName, "Ann");
  EXPECT_EQ(form.Settings.CurrentPlayer, 0);
  EXPECT_FALSE(FormShowing("scr_entername"));
  const auto* hello = dynamic_cast<TGuiLabel*>(form.GuiBase.FindControl("hello"));
  ASSERT_NE(hello, nullptr);
  EXPECT_EQ(hello->Text(), "\xCF\xF0\xE8\xE2\xE5\xF2, Ann!");
}

TEST_F(ScreenFlowTest, EnterOnTheNameScreenCreatesThePlayer) {
  ASSERT_TRUE(game_->Start());
  game_->Frames(kLogoTicks);
  for (char c : std::string("Bo")) game_->Char(static_cast<uint8_t>(c));
  game_->Frame();
  game_->Press(vk::Enter);
  game_->Frame();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
  EXPECT_EQ(Form().Settings.PlayerName, "Bo");
}

TEST_F(ScreenFlowTest, WithAPlayerTheLogoLeadsToTheMainMenu) {
  ASSERT_TRUE(game_->Start());
  Form().Settings.PlayerCount = 1;
  Form().Settings.PlayerName = "Kim";
  game_->Frames(kLogoTicks - 1);
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenLogo);
  game_->Frame();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
  EXPECT_TRUE(FormShowing("scr_mainmenu"));
  game_->Frame();
  ASSERT_TRUE(game_->SavePng((fs::path(ZB_GAME_DIR).parent_path() / "screen-mainmenu.png").string()));
}

TEST_F(ScreenFlowTest, StartingAGameWalksThroughTheDifficultyIntoPlay) {
  StartWithPlayer();
  TForm1& form = Form();
  form.Core.Game.LevelNumber = 7;
  form.Core.Game.Lives = 1;
  ClickOn("b_mainmenu_startgame");
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenChooseDifficulty);
  EXPECT_FALSE(FormShowing("scr_mainmenu"));
  EXPECT_EQ(form.Core.Game.LevelNumber, 1);
  EXPECT_EQ(form.Core.Game.Lives, 3);
  // Escape goes back, the button goes forward again.
  PressEscape();
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenMainMenu);
  ClickOn("b_mainmenu_startgame");
  ClickOn("b_choosedif_hard");
  EXPECT_EQ(form.Core.Game.Difficulty, 2);
  EXPECT_FALSE(FormShowing("scr_choosedif"));
  // Level 1 opens with its story scene, later ones with the title.
  EXPECT_TRUE(form.Screen.CurrentScreen == ScreenSpeech || form.Screen.CurrentScreen == ScreenLevelStart);
  EXPECT_GT(form.Core.Game.BlocksLeft, 0);
  EXPECT_EQ(game_->Platform().audio.CurrentSong(), form.Sound.GameSong);
}

TEST_F(ScreenFlowTest, QuittingFromTheMainMenuClosesTheWindow) {
  StartWithPlayer();
  ClickOn("b_mainmenu_exit");
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenExitGame);
  // "No" and Escape both go back to the menu.
  ClickOn("b_exit_no");
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
  PressEscape();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenExitGame);
  PressEscape();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
  ClickOn("b_mainmenu_exit");
  ClickOn("b_exit_yes");
  EXPECT_TRUE(Form().Closed());
  EXPECT_EQ(Form().ShareScreen.Countdown, 0);
  EXPECT_TRUE(fs::exists(folder_ / "Config.cfg"));
}

TEST_F(ScreenFlowTest, ACloseRequestOnTheMainMenuAsksFirst) {
  StartWithPlayer();
  game_->CloseBox();
  game_->Frame();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenExitGame);
  EXPECT_FALSE(Form().Closed());
  EXPECT_FALSE(FormShowing("scr_mainmenu"));
  EXPECT_TRUE(FormShowing("scr_exitgame"));
}

TEST_F(ScreenFlowTest, EveryWayOutOfTheOptionsHubWritesTheSettings) {
  StartWithPlayer();
  const fs::path config = folder_ / "Config.cfg";
  ClickOn("b_mainmenu_options");
  ASSERT_EQ(Form().Screen.CurrentScreen, ScreenOptions);
  EXPECT_FALSE(fs::exists(config));
  ClickOn("b_options_back");
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
  EXPECT_TRUE(fs::exists(config));

  for (const char* sub : {"b_options_sound", "b_options_graphics", "b_options_controls"}) {
    SCOPED_TRACE(sub);
    ClickOn("b_mainmenu_options");
    fs::remove(config);
    ClickOn(sub);
    EXPECT_TRUE(fs::exists(config));
    EXPECT_FALSE(FormShowing("scr_options"));
    PressEscape();  // back to the hub
    EXPECT_EQ(Form().Screen.CurrentScreen, ScreenOptions);
    fs::remove(config);
    PressEscape();
    EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
    EXPECT_TRUE(fs::exists(config));
  }
  // A close request leaves the hub for the quit question: the settings are written then too.
  ClickOn("b_mainmenu_options");
  fs::remove(config);
  game_->CloseBox();
  game_->Frame();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenExitGame);
  EXPECT_TRUE(fs::exists(config));
}

TEST_F(ScreenFlowTest, TheExitToMenuQuestionResumesOrEndsTheGame) {
  StartWithPlayer();
  TForm1& form = Form();
  ClickOn("b_mainmenu_startgame");
  ClickOn("b_choosedif_easy");
  ResumePlay(form.Screen, form.Screen.CurrentScreen);  // past the level's opening
  const int bricks = form.Core.Game.BlocksLeft;
  PressEscape();
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenExitToMenu);
  ClickOn("b_exitmm_no");
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenGame);
  EXPECT_EQ(form.Core.Game.BlocksLeft, bricks);
  EXPECT_FALSE(FormShowing("scr_exittomm"));
  PressEscape();
  PressEscape();  // Escape answers "no" as well
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenGame);
  PressEscape();
  ClickOn("b_exitmm_yes");
  // The game ends with the score so far; the playfield stays under the closing screens.
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenYourScore);
  EXPECT_FALSE(FormShowing("scr_exittomm"));
  EXPECT_TRUE(FormShowing("scr_yourscoreis"));
  EXPECT_NE(form.Core.Game.Bita.Get(), nullptr);
  EXPECT_EQ(game_->Platform().audio.CurrentSong(), form.Sound.MenuSong);
}

TEST_F(ScreenFlowTest, MenuScreensReturnToTheirParentOnEscape) {
  StartWithPlayer();
  ClickOn("b_mainmenu_help");
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenHelp);
  PressEscape();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
  ClickOn("b_mainmenu_highscore");
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenHighScore);
  ClickOn("b_highscore_clear");
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenClearScores);
  PressEscape();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenHighScore);
  PressEscape();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
  // Escape on the main menu asks whether to quit.
  PressEscape();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenExitGame);
}

}  // namespace
}  // namespace zb
