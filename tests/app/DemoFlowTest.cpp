#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "game/Blocks.h"
#include "persist/Config.h"
#include "screens/DemoScreen.h"
#include "tests/app/ScreenFlowFixture.h"

namespace zb {
namespace {

class DemoFlowTest : public test::ScreenFlowTest {
 protected:
  void WaitForDemo() {
    game_->Frames(kDemoIdleTicks);
    ASSERT_EQ(Form().Screen.CurrentScreen, ScreenDemo);
  }
  int Bricks() {
    int n = 0;
    for (int i = 0; i < game_->Core().Engine.Count(); ++i) {
      const TSprite* sprite = game_->Core().Engine.SpriteAt(i);
      n += dynamic_cast<const TBlock*>(sprite) != nullptr && !sprite->Dead() ? 1 : 0;
    }
    return n;
  }
  // The menu as the player left it: the play core's whole state, the settings, the music.
  struct TMenuLook {
    uint64_t Core;
    std::string Config;
    std::string ConfigFile;  // as written on the disk; empty when there is none
    int Song;
    bool operator==(const TMenuLook&) const = default;
  };
  TMenuLook Look() {
    std::ifstream file(folder_ / "Config.cfg", std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return {game_->Core().StateHash(), ConfigText(Form().Settings), written, game_->Platform().audio.CurrentSong()};
  }
};

TEST_F(DemoFlowTest, AfterThirtySecondsTheMenuPlaysALevelAndAKeyBringsItBackAsItWas) {
  StartWithPlayer();
  game_->Frames(kDemoIdleTicks - 1);
  ASSERT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
  const TMenuLook before = Look();
  EXPECT_EQ(before.Song, Form().Sound.MenuSong);
  game_->Frame();
  ASSERT_EQ(Form().Screen.CurrentScreen, ScreenDemo);
  EXPECT_FALSE(FormShowing("scr_mainmenu"));
  EXPECT_EQ(game_->Platform().audio.CurrentSong(), Form().Sound.GameSong);
  const int bricks = Bricks();
  EXPECT_GT(bricks, 0);
  game_->Frames(2000);
  ASSERT_EQ(Form().Screen.CurrentScreen, ScreenDemo);
  EXPECT_EQ(game_->Core().Phase(), PlayPhase::Playing);
  EXPECT_LT(Bricks(), bricks) << "the pilot breaks bricks";

  // Escape's release would ask to quit on the menu: the press that ends the demo is its own.
  game_->Press(vk::Escape);
  game_->Frame();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
  EXPECT_TRUE(FormShowing("scr_mainmenu"));
  EXPECT_FALSE(FormShowing("scr_exitgame"));
  EXPECT_EQ(Bricks(), 0);
  // The demo's particles go out within a few frames; then nothing tells the menu it ever played.
  game_->Frames(kDemoIdleTicks - 200);
  EXPECT_EQ(Look(), before);
  game_->Frames(200);
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenDemo) << "idle again, the next demo begins";
}

TEST_F(DemoFlowTest, EveryKindOfInputEndsTheDemoAndDoesNothingElse) {
  StartWithPlayer();
  TGuiControl* exit = Form().GuiBase.FindControl("b_mainmenu_exit");
  ASSERT_NE(exit, nullptr);
  const TGuiRect rect = exit->AbsoluteRect();
  const int x = (rect.Left + rect.Right) / 2, y = (rect.Top + rect.Bottom) / 2;
  // The pointer rests on the button: a click there without a move is a press alone.
  game_->MouseMove(x, y);
  const std::pair<const char*, std::function<void()>> inputs[] = {
      {"a key", [&] { game_->Press(vk::Space); }},
      {"a click on a button", [&] { game_->Click(x, y); }},
      {"a pointer move", [&] { game_->MouseMove(x + 5, y); }},
      {"a pad button", [&] {
         game_->PadAdded(1);
         game_->PadPress(1, platform::PadButton::A);
       }},
  };
  for (const auto& [name, input] : inputs) {
    WaitForDemo();
    game_->Frames(300);
    input();
    game_->Frame();
    EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu) << name;
    EXPECT_TRUE(FormShowing("scr_mainmenu")) << name;
    EXPECT_EQ(game_->Platform().audio.CurrentSong(), Form().Sound.MenuSong) << name;
    game_->Frames(5);
    EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu) << name;
  }
}

TEST_F(DemoFlowTest, InputOnTheMenuPutsTheDemoOff) {
  StartWithPlayer();
  game_->Frames(kDemoIdleTicks - 100);
  game_->MouseMove(300, 300);
  game_->Frames(kDemoIdleTicks - 100);
  // A move to where the pointer already is is no input.
  game_->MouseMove(300, 300);
  game_->Frames(99);
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
  game_->Frames(1);
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenDemo);
}

TEST_F(DemoFlowTest, TheCloseBoxDuringADemoAsksToQuitOverTheMenu) {
  StartWithPlayer();
  WaitForDemo();
  game_->Frames(100);
  game_->CloseBox();
  game_->Frame();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenExitGame);
  EXPECT_FALSE(game_->Closed());
  EXPECT_EQ(Bricks(), 0);
  ClickOn("b_exit_no");
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
}

TEST_F(DemoFlowTest, ADemoLeftAloneEndsByItselfAndThePlayersGameIsUntouched) {
  StartWithPlayer();
  game_->SetDrawing(false);
  const std::string config = ConfigText(Form().Settings);
  WaitForDemo();
  int frames = 0;
  while (Form().Screen.CurrentScreen == ScreenDemo && frames <= kDemoTicks) {
    game_->Frame();
    ++frames;
  }
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
  EXPECT_EQ(ConfigText(Form().Settings), config);
  // The next demo plays the next level.
  WaitForDemo();
  EXPECT_EQ(game_->Core().Game.LevelNumber, 2);
}

}  // namespace
}  // namespace zb
