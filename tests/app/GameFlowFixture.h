#pragma once

#include <gtest/gtest.h>

#include <string>

#include "game/Ball.h"
#include "game/Blocks.h"
#include "gui/GuiButton.h"
#include "tests/app/ScreenFlowFixture.h"

namespace zb::test {

// A game played through the real layout without rasterising, so that whole levels and closing
// screens run within a test's time. Setting a ball or a brick's fate directly is the one
// shortcut: everything between the screens goes through their buttons and keys.
class GameFlowTest : public ScreenFlowTest {
 protected:
  void SetUp() override {
    ScreenFlowTest::SetUp();
    game_->Platform().window.SetRasterise(false);
  }

  // A new game on easy at `level`, from the main menu's button to the first frame of play; the
  // story scene before level 1 is read on with Space.
  void StartGameAt(int level) {
    StartWithPlayer();
    ClickOn("b_mainmenu_startgame");
    Form().Core.Game.LevelNumber = level;
    ClickOn("b_choosedif_easy");
    ASSERT_TRUE(RunUntil(ScreenGame, 3000));
  }

  // Frames until `screen` is current (Space at every wait of a story scene); false if it never came.
  bool RunUntil(uint8_t screen, int maxFrames) {
    for (int i = 0; i < maxFrames && !Form().Closed(); ++i) {
      if (Form().Screen.CurrentScreen == screen) return true;
      if (Form().Screen.CurrentScreen == ScreenSpeech && Form().Core.Game.SpeechWaiting) game_->Press(vk::Space);
      game_->Frame();
    }
    return Form().Screen.CurrentScreen == screen;
  }

  // Every breakable brick breaks; the next frame of play sees the level cleared.
  void BreakAllBricks() {
    TSpriteEngine& engine = Form().Core.Engine;
    for (int i = 0; i < engine.Count(); ++i) {
      auto* brick = dynamic_cast<TBlock*>(engine.SpriteAt(i));
      if (brick != nullptr && !brick->Dead() && !brick->Gold()) brick->BreakBlock();
    }
  }

  // Every ball in play drops below the bottom line; the next frame loses them.
  void DropAllBalls() {
    for (const SpriteRef<TBall>& ref : Form().Core.Game.Balls) {
      if (TBall* ball = ref.Get()) {
        ball->OnBat = false;
        ball->Y = 590;
        ball->VelocityY = 3;
      }
    }
  }

  // Frames until the control shows; false if it never did.
  bool WaitForControl(const char* name, int maxFrames) {
    for (int i = 0; i < maxFrames; ++i) {
      const TGuiControl* control = Form().GuiBase.FindControl(name);
      if (control != nullptr && control->Showing()) return true;
      game_->Frame();
    }
    return false;
  }

  std::string Caption(const char* name) {
    const auto* button = dynamic_cast<TGuiButton*>(Form().GuiBase.FindControl(name));
    return button != nullptr ? button->Caption : std::string();
  }
};

}  // namespace zb::test
