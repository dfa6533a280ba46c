#include <gtest/gtest.h>

#include <array>
#include <string>

#include "engine/Cp1251.h"
#include "engine/platform/Keys.h"
#include "screens/ScreenMachine.h"
#include "tests/app/GameFlowFixture.h"

namespace zb {
namespace {

using test::GameFlowTest;

class StoryScreenTest : public GameFlowTest {
 protected:
  // A new game on easy: level 1 opens with the first scene.
  void StartStory() {
    StartWithPlayer();
    ClickOn("b_mainmenu_startgame");
    ClickOn("b_choosedif_easy");
    ASSERT_EQ(Form().Screen.CurrentScreen, ScreenSpeech);
    ASSERT_EQ(Form().Core.Game.SpeechScene, 0);
  }
  // Frames until the scene waits; false if it left the screen or never waited.
  bool RunToWait(int maxFrames = 1000) {
    for (int i = 0; i < maxFrames; ++i) {
      if (Form().Screen.CurrentScreen != ScreenSpeech) return false;
      if (Form().Core.Game.SpeechWaiting) return true;
      game_->Frame();
    }
    return false;
  }
  void PressSpace() {
    game_->Press(vk::Space);
    game_->Frame();
  }
  // Back to the main menu from play through the closing screens, answering "no".
  void BackToMenu() {
    PressEscape();
    ClickOn("b_exitmm_yes");
    ASSERT_TRUE(WaitForControl("b_yourscore_next", 5000));
    ClickOn("b_yourscore_next");
    for (const char c : std::string("Fiji")) game_->Char(static_cast<uint8_t>(c));
    game_->Frame();
    game_->Press(vk::Enter);
    game_->Frame();
    ClickOn("b_sendscore_no");
    if (Form().Screen.CurrentScreen == ScreenHighScore) PressEscape();
    ASSERT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
  }
};

TEST_F(StoryScreenTest, TheFirstSceneOfANewGameLeadsToTheIntroOfLevel1AndPlay) {
  StartStory();
  TForm1& form = Form();
  EXPECT_TRUE(FormShowing("scr_speech"));
  EXPECT_GT(form.Core.Game.BlocksLeft, 0);  // the level was built before the scene
  int waits = 0;
  while (RunToWait()) {
    ++waits;
    PressSpace();
  }
  EXPECT_EQ(waits, 7);
  ASSERT_EQ(form.Screen.CurrentScreen, ScreenLevelStart);
  EXPECT_EQ(form.Core.Game.LevelNumber, 1);
  EXPECT_FALSE(FormShowing("scr_speech"));
  ASSERT_TRUE(RunUntil(ScreenGame, 300));
  EXPECT_EQ(form.Core.Game.Hunter.Get(), nullptr);
  // Play: the action key launches the ball.
  game_->KeyDown(vk::Space);
  game_->Frame();
  game_->KeyUp(vk::Space);
  game_->Frames(20);
  ASSERT_NE(form.Core.Game.Balls[0].Get(), nullptr);
  EXPECT_FALSE(form.Core.Game.Balls[0].Get()->OnBat);
}

TEST_F(StoryScreenTest, AKeyReleasedWhileTheSceneRunsChangesNothing) {
  StartStory();
  TForm1& form = Form();
  while (form.Core.Game.ScreenTicks < 10) game_->Frame();
  game_->Press(vk::Space);
  game_->Press(vk::A);
  game_->Press(vk::Escape);
  game_->Frame();
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenSpeech);
  EXPECT_EQ(form.Core.Game.ScreenTicks, 11);
  EXPECT_FALSE(form.Core.Game.SpeechWaiting);
  // The first line still waits at its tick, with both buttons.
  game_->Frames(58);
  EXPECT_FALSE(form.Core.Game.SpeechWaiting);
  game_->Frame();
  EXPECT_EQ(form.Core.Game.ScreenTicks, 70);
  EXPECT_TRUE(form.Core.Game.SpeechWaiting);
  EXPECT_TRUE(form.Core.Game.SpeechTextShown);
  EXPECT_EQ(form.Core.Game.SpeechLine, 0);
  EXPECT_TRUE(FormShowing("b_speech_skip"));
  EXPECT_TRUE(FormShowing("b_speech_next"));
  EXPECT_EQ(Caption("b_speech_next"), Utf8ToCp1251("Далее"));
}

TEST_F(StoryScreenTest, TheClockStandsStillWhileTheSceneWaits) {
  StartStory();
  TForm1& form = Form();
  ASSERT_TRUE(RunToWait());
  const int tick = form.Core.Game.ScreenTicks;
  game_->Frames(200);
  EXPECT_EQ(form.Core.Game.ScreenTicks, tick);
  EXPECT_TRUE(form.Core.Game.SpeechWaiting);
  // The "next" button goes on as a key does, past the wait.
  ClickOn("b_speech_next");
  EXPECT_FALSE(form.Core.Game.SpeechWaiting);
  EXPECT_EQ(form.Core.Game.ScreenTicks, tick + 2);
}

TEST_F(StoryScreenTest, EscapeAtTheFirstWaitEndsTheSceneAtOnceWithItsOutcome) {
  StartStory();
  TForm1& form = Form();
  ASSERT_TRUE(RunToWait());
  PressEscape();
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenLevelStart);
  EXPECT_EQ(form.Core.Game.LevelNumber, 1);
  EXPECT_FALSE(FormShowing("scr_speech"));
  EXPECT_FALSE(FormShowing("b_speech_skip"));
  // The scene after level 3 ends in the next level.
  ASSERT_TRUE(RunUntil(ScreenGame, 300));
  BackToMenu();
  ClickOn("b_mainmenu_startgame");
  form.Core.Game.LevelNumber = 3;
  ClickOn("b_choosedif_easy");
  ASSERT_TRUE(RunUntil(ScreenGame, 300));
  BreakAllBricks();
  game_->Frame();
  ASSERT_TRUE(WaitForControl("b_stagecomplete_next", 5000));
  ClickOn("b_stagecomplete_next");
  ASSERT_EQ(form.Core.Game.SpeechScene, 1);
  ASSERT_TRUE(RunToWait());
  PressEscape();
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenLevelStart);
  EXPECT_EQ(form.Core.Game.LevelNumber, 4);
  EXPECT_FALSE(FormShowing("scr_speech"));
}

TEST_F(StoryScreenTest, EveryScenesLastLineShowsOnlyTheStartButtonAndTheLastSceneEndsTheGame) {
  StartWithPlayer();
  TForm1& form = Form();
  // Each scene with the level it follows (0: before level 1) and its number of lines.
  struct TScene {
    int after;
    int lines;
  };
  constexpr std::array<TScene, 6> kScenes{{{0, 7}, {3, 3}, {4, 5}, {11, 4}, {18, 5}, {25, 3}}};
  for (size_t scene = 0; scene < kScenes.size(); ++scene) {
    SCOPED_TRACE(scene);
    ClickOn("b_mainmenu_startgame");
    if (kScenes[scene].after > 0) form.Core.Game.LevelNumber = kScenes[scene].after;
    ClickOn("b_choosedif_easy");
    if (kScenes[scene].after > 0) {
      ASSERT_TRUE(RunUntil(ScreenGame, 300));
      BreakAllBricks();
      game_->Frame();
      ASSERT_TRUE(WaitForControl("b_stagecomplete_next", 5000));
      ClickOn("b_stagecomplete_next");
    }
    ASSERT_EQ(form.Screen.CurrentScreen, ScreenSpeech);
    ASSERT_EQ(form.Core.Game.SpeechScene, static_cast<int>(scene));
    for (int line = 0; line < kScenes[scene].lines; ++line) {
      SCOPED_TRACE(line);
      ASSERT_TRUE(RunToWait());
      const bool last = line + 1 == kScenes[scene].lines;
      EXPECT_EQ(FormShowing("b_speech_skip"), !last);
      EXPECT_TRUE(FormShowing("b_speech_next"));
      EXPECT_EQ(Caption("b_speech_next"), Utf8ToCp1251(last ? "Старт" : "Далее"));
      PressSpace();
    }
    if (scene < 5) {
      ASSERT_TRUE(RunUntil(ScreenGame, 1000));
      EXPECT_EQ(form.Core.Game.LevelNumber, kScenes[scene].after + 1);
      BackToMenu();
    }
  }
  // The story is over: the end of the story, then the final score over the end picture.
  ASSERT_TRUE(RunUntil(ScreenEndGame, 200));
  EXPECT_EQ(form.Core.Game.LevelNumber, 26);
  EXPECT_TRUE(form.Screen.GameFinished);
  ASSERT_TRUE(RunUntil(ScreenYourScore, 401));
  EXPECT_EQ(form.GuiBase.FindControl("scr_yourscoreis")->Left(), 225);
}

}  // namespace
}  // namespace zb
