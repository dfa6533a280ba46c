// Every scene of the story, played through the form to its first wait: the speaker stands in
// full, the bubble beside it holds the text, and both buttons are offered. With
// ZB_SAVE_PICTURES=DIR the frame of each first wait is saved there as story-wait-N.png.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "game/StoryActors.h"
#include "game/StoryLines.h"
#include "tests/app/ScreenFlowFixture.h"

namespace zb::test {
namespace {

class StoryScenesTest : public ScreenFlowTest {
 protected:
  // Runs frames until the scene waits for the player; false when it never does.
  bool RunToWait(int limit = 1000) {
    for (int i = 0; i < limit && !Form().Core.Game.SpeechWaiting; ++i) game_->Frame();
    return Form().Core.Game.SpeechWaiting;
  }

  void Save(int scene) {
    if (const char* dir = std::getenv("ZB_SAVE_PICTURES")) {
      game_->SavePng(std::string(dir) + "/story-wait-" + std::to_string(scene) + ".png");
    }
  }
};

TEST_F(StoryScenesTest, EveryScenesFirstLineWaitsInItsBubbleBesideItsSpeaker) {
  StartWithPlayer();
  ClickOn("b_mainmenu_startgame");
  ClickOn("b_choosedif_easy");
  TGameState& game = Form().Core.Game;
  for (int scene = 0; scene <= 5; ++scene) {
    SCOPED_TRACE("scene " + std::to_string(scene));
    if (scene > 0) {
      LeaveScreen(Form().Screen, ScreenSpeech);
      game.SpeechScene = scene;
      EnterScreen(Form().Screen, ScreenSpeech);
    }
    ASSERT_EQ(Form().Screen.CurrentScreen, ScreenSpeech);
    ASSERT_TRUE(RunToWait());
    // The bubble finishes fading in while the line waits; the scene's clock stands still.
    const int32_t waitTick = game.ScreenTicks;
    game_->Frames(10);
    EXPECT_EQ(game.ScreenTicks, waitTick);
    const int line = game.SpeechLine;
    const SpeechLineShape* shape = ShapeOfSpeechLine(line);
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->scene, scene);
    EXPECT_TRUE(game.SpeechTextShown);
    auto* speaker = dynamic_cast<TStoryActor*>(shape->hunter ? game.Hunter.Get() : game.Monkey.Get());
    auto* silent = dynamic_cast<TStoryActor*>(shape->hunter ? game.Monkey.Get() : game.Hunter.Get());
    const auto* bubble = dynamic_cast<TCloud*>(game.Cloud.Get());
    ASSERT_NE(speaker, nullptr);
    ASSERT_NE(bubble, nullptr);
    EXPECT_EQ(speaker->Alpha, 255);
    if (silent != nullptr) {
      EXPECT_EQ(silent->Alpha, 0);
    }
    EXPECT_EQ(bubble->Alpha, 255);
    EXPECT_EQ(bubble->MirrorX, !shape->hunter) << "the monkey's bubble is the mirrored one on the left";
    EXPECT_TRUE(FormShowing("b_speech_next"));
    EXPECT_TRUE(FormShowing("b_speech_skip"));
    Save(scene);
  }
}

}  // namespace
}  // namespace zb::test
