#include <gtest/gtest.h>

#include <string>

#include "engine/platform/Keys.h"
#include "game/Bat.h"
#include "gui/GuiEdit.h"
#include "gui/GuiLabel.h"
#include "screens/ScreenMachine.h"
#include "tests/app/GameFlowFixture.h"

namespace zb {
namespace {

using test::GameFlowTest;

class GameFlowScreensTest : public GameFlowTest {
 protected:
  std::string LabelText(const char* name) {
    const auto* label = dynamic_cast<TGuiLabel*>(Form().GuiBase.FindControl(name));
    return label != nullptr ? label->Text() : std::string();
  }
  TGuiEdit* Edit(const char* name) { return dynamic_cast<TGuiEdit*>(Form().GuiBase.FindControl(name)); }
  void Type(const std::string& text) {
    for (const char c : text) game_->Char(static_cast<uint8_t>(c));
    game_->Frame();
  }
  void PressEnter() {
    game_->Press(vk::Enter);
    game_->Frame();
  }
  // From play through the exit question to the final score.
  void QuitFromPlay() {
    PressEscape();
    ASSERT_EQ(Form().Screen.CurrentScreen, ScreenExitToMenu);
    ClickOn("b_exitmm_yes");
    ASSERT_EQ(Form().Screen.CurrentScreen, ScreenYourScore);
  }
  // From the final score to the send-score question, typing `country` if the box is empty.
  void ToSendScore(const std::string& country) {
    ASSERT_TRUE(WaitForControl("b_yourscore_next", 5000));
    ClickOn("b_yourscore_next");
    ASSERT_EQ(Form().Screen.CurrentScreen, ScreenCountry);
    if (Edit("e_ycountry")->Text().empty()) Type(country);
    PressEnter();
    ASSERT_EQ(Form().Screen.CurrentScreen, ScreenSendScore);
  }
};

TEST_F(GameFlowScreensTest, LosingTheLastBallWithLivesLeftCostsALifeAndPutsANewBallOnTheBat) {
  StartGameAt(2);
  TForm1& form = Form();
  DropAllBalls();
  game_->Frame();
  ASSERT_EQ(form.Screen.CurrentScreen, ScreenLifeLost);
  EXPECT_EQ(form.Core.Game.Lives, 3);
  EXPECT_EQ(form.Core.Game.BallCount, 0);
  ASSERT_TRUE(RunUntil(ScreenGame, 1000));
  EXPECT_EQ(form.Core.Game.Lives, 2);
  ASSERT_EQ(form.Core.Game.BallCount, 1);
  TBall* ball = form.Core.Game.Balls[0].Get();
  const TBita* bat = form.Core.Game.Bita.Get();
  ASSERT_NE(ball, nullptr);
  EXPECT_TRUE(ball->OnBat);
  EXPECT_EQ(bat->X, 440.0f);
  EXPECT_EQ(ball->Y + static_cast<float>(ball->PatternHeight()), bat->Y);  // resting on the bat's top
  // The action key held through the animation launches the ball in the first frame: it flies.
  game_->KeyDown(vk::Space);
  game_->Frames(30);
  game_->KeyUp(vk::Space);
  game_->Frame();
  EXPECT_FALSE(ball->OnBat);
  EXPECT_LT(ball->Y, bat->Y - 80);
  EXPECT_LT(ball->VelocityY, 0);
}

TEST_F(GameFlowScreensTest, LosingTheLastLifeGoesToGameOverThenToTheFinalScore) {
  StartGameAt(2);
  TForm1& form = Form();
  form.Core.Game.Lives = 1;
  DropAllBalls();
  game_->Frame();
  ASSERT_EQ(form.Screen.CurrentScreen, ScreenGameOver);
  game_->Frames(60);
  EXPECT_FALSE(FormShowing("scr_gameover"));
  game_->Frame();
  EXPECT_TRUE(FormShowing("scr_gameover"));
  game_->Frames(288);
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenGameOver);
  game_->Frame();  // the 350th tick
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenYourScore);
  EXPECT_FALSE(FormShowing("scr_gameover"));
  EXPECT_TRUE(FormShowing("scr_yourscoreis"));
  EXPECT_EQ(form.GuiBase.FindControl("scr_yourscoreis")->Left(), 304);  // over the playfield
}

TEST_F(GameFlowScreensTest, AClearedLevelCountsUpAndItsButtonLeadsToTheNextIntroOrTheStory) {
  StartGameAt(2);
  TForm1& form = Form();
  BreakAllBricks();
  game_->Frame();
  ASSERT_EQ(form.Screen.CurrentScreen, ScreenStageComplete);
  const int32_t score = form.Core.Game.Score;
  EXPECT_GT(score, 0);
  EXPECT_EQ(form.Core.Game.GetShownScore(), score);
  // A level without a completed key shows its form after 150 frames.
  game_->Frames(150);
  EXPECT_FALSE(FormShowing("scr_stagecomplete"));
  game_->Frame();
  EXPECT_TRUE(FormShowing("scr_stagecomplete"));
  EXPECT_FALSE(FormShowing("b_stagecomplete_next"));
  ASSERT_TRUE(WaitForControl("b_stagecomplete_next", 5000));
  EXPECT_EQ(LabelText("sc_score"), std::to_string(score));
  ClickOn("b_stagecomplete_next");
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenLevelStart);
  EXPECT_EQ(form.Core.Game.LevelNumber, 3);
  EXPECT_FALSE(FormShowing("scr_stagecomplete"));
  EXPECT_FALSE(FormShowing("b_stagecomplete_next"));
  // After level 3 comes the story's second scene, then level 4.
  ASSERT_TRUE(RunUntil(ScreenGame, 400));
  BreakAllBricks();
  game_->Frame();
  ASSERT_TRUE(WaitForControl("b_stagecomplete_next", 5000));
  ClickOn("b_stagecomplete_next");
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenSpeech);
  EXPECT_EQ(form.Core.Game.SpeechScene, 1);
  ASSERT_TRUE(RunUntil(ScreenLevelStart, 1000));
  EXPECT_EQ(form.Core.Game.LevelNumber, 4);
}

TEST_F(GameFlowScreensTest, ALevelThatCompletesAKeyWaits350FramesBeforeItsForm) {
  StartGameAt(4);
  TForm1& form = Form();
  ASSERT_TRUE(form.Core.Game.KeyComplete);
  BreakAllBricks();
  game_->Frame();
  ASSERT_EQ(form.Screen.CurrentScreen, ScreenStageComplete);
  game_->Frames(350);
  EXPECT_FALSE(FormShowing("scr_stagecomplete"));
  EXPECT_EQ(LabelText("sc_score"), "0");
  game_->Frame();
  EXPECT_TRUE(FormShowing("scr_stagecomplete"));
  // The count starts after 500.
  game_->Frames(150);
  EXPECT_EQ(LabelText("sc_score"), "0");
  game_->Frames(2);
  EXPECT_NE(LabelText("sc_score"), "0");
}

TEST_F(GameFlowScreensTest, AFinalScoreOfZeroShowsItsButtonAfterTick100) {
  StartGameAt(2);
  TForm1& form = Form();
  ASSERT_EQ(form.Core.Game.GetShownScore(), 0);
  QuitFromPlay();
  // Enter before the count may be skipped does nothing.
  game_->Frames(50);
  PressEnter();
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenYourScore);
  while (form.Core.Game.ScreenTicks < 101) game_->Frame();
  EXPECT_FALSE(FormShowing("b_yourscore_next"));
  game_->Frame();
  EXPECT_TRUE(FormShowing("b_yourscore_next"));
  EXPECT_EQ(LabelText("yourscore"), "0");
}

TEST_F(GameFlowScreensTest, EnterAfterTick100SkipsTheRestOfTheCount) {
  StartGameAt(2);
  TForm1& form = Form();
  BreakAllBricks();
  game_->Frame();
  ASSERT_TRUE(WaitForControl("b_stagecomplete_next", 5000));
  ClickOn("b_stagecomplete_next");
  ASSERT_TRUE(RunUntil(ScreenGame, 400));
  const int32_t score = form.Core.Game.GetShownScore();
  ASSERT_GT(score, 1000);
  QuitFromPlay();
  while (form.Core.Game.ScreenTicks < 101) game_->Frame();
  PressEnter();
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenCountry);
  EXPECT_LT(std::stoi(LabelText("yourscore")), score);
}

TEST_F(GameFlowScreensTest, QuittingFromPlayCarriesTheScoreSoFarAndNoStillEntersIt) {
  StartGameAt(2);
  TForm1& form = Form();
  BreakAllBricks();
  game_->Frame();
  ASSERT_TRUE(WaitForControl("b_stagecomplete_next", 5000));
  ClickOn("b_stagecomplete_next");
  ASSERT_TRUE(RunUntil(ScreenGame, 400));
  // A few more points in level 3, counted up on the HUD.
  int broken = 0;
  for (int i = 0; i < form.Core.Engine.Count() && broken < 3; ++i) {
    auto* brick = dynamic_cast<TBlock*>(form.Core.Engine.SpriteAt(i));
    if (brick != nullptr && !brick->Dead() && !brick->Gold()) {
      brick->BreakBlock();
      ++broken;
    }
  }
  game_->Frames(300);
  const int32_t score = form.Core.Game.Score;
  ASSERT_EQ(form.Core.Game.GetShownScore(), score);
  QuitFromPlay();
  ASSERT_TRUE(WaitForControl("b_yourscore_next", 5000));
  EXPECT_EQ(LabelText("yourscore"), std::to_string(score));
  ToSendScore("Chile");
  ClickOn("b_sendscore_no");
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenHighScore);
  EXPECT_EQ(form.Settings.HighScores[0][0].Name, "Kim");
  EXPECT_EQ(form.Settings.HighScores[0][0].Score, std::to_string(score));
  EXPECT_TRUE(game_->Platform().http.Requests().empty());
  EXPECT_EQ(form.Core.Game.Bita.Get(), nullptr);  // the finished game's playfield is gone
}

TEST_F(GameFlowScreensTest, AMissingNextLevelFileStillOffersTheScoreOfTheGame) {
  StartGameAt(2);
  TForm1& form = Form();
  std::filesystem::remove(folder_ / "Data/data3");
  BreakAllBricks();
  game_->Frame();
  ASSERT_TRUE(WaitForControl("b_stagecomplete_next", 5000));
  const int32_t score = form.Core.Game.Score;
  ASSERT_GT(score, 0);
  ClickOn("b_stagecomplete_next");
  // The player is told about the file, and the game ends as a quit game does.
  const auto& boxes = game_->Platform().desktop.messageBoxes;
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].second.find("data3"), std::string::npos) << boxes[0].second;
  ASSERT_EQ(form.Screen.CurrentScreen, ScreenYourScore);
  ASSERT_TRUE(WaitForControl("b_yourscore_next", 5000));
  EXPECT_EQ(LabelText("yourscore"), std::to_string(score));
  ToSendScore("Chile");
  ClickOn("b_sendscore_no");
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenHighScore);
  EXPECT_EQ(form.Settings.HighScores[0][0].Score, std::to_string(score));
  EXPECT_EQ(form.Core.Game.Bita.Get(), nullptr);
}

TEST_F(GameFlowScreensTest, TheCountryEditKeepsTheLastCountry) {
  StartGameAt(2);
  TForm1& form = Form();
  QuitFromPlay();
  ASSERT_TRUE(WaitForControl("b_yourscore_next", 5000));
  ClickOn("b_yourscore_next");
  ASSERT_EQ(form.Screen.CurrentScreen, ScreenCountry);
  EXPECT_EQ(Edit("e_ycountry")->Text(), "");
  EXPECT_FALSE(form.GuiBase.FindControl("b_ycountry_next")->Enabled());
  PressEnter();  // nothing typed: Enter does nothing
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenCountry);
  Type(" Peru");
  EXPECT_TRUE(form.GuiBase.FindControl("b_ycountry_next")->Enabled());
  PressEnter();
  ASSERT_EQ(form.Screen.CurrentScreen, ScreenSendScore);
  EXPECT_EQ(form.Settings.PlayerCountry, " Peru");  // kept as typed
  ClickOn("b_sendscore_no");
  ASSERT_EQ(form.Screen.CurrentScreen, ScreenMainMenu);  // a score of 0 is no high score

  ClickOn("b_mainmenu_startgame");
  ClickOn("b_choosedif_medium");
  ASSERT_TRUE(RunUntil(ScreenGame, 3000));
  QuitFromPlay();
  ASSERT_TRUE(WaitForControl("b_yourscore_next", 5000));
  ClickOn("b_yourscore_next");
  EXPECT_EQ(Edit("e_ycountry")->Text(), " Peru");
  EXPECT_TRUE(form.GuiBase.FindControl("b_ycountry_next")->Enabled());
}

}  // namespace
}  // namespace zb
