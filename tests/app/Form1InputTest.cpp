// The menus without a mouse, the game controller and the window's focus, driven through the
// events of the headless window with the real layout and levels.

#include <gtest/gtest.h>

#include "game/Bat.h"
#include "screens/ScreenContext.h"
#include "tests/app/ScreenFlowFixture.h"

namespace zb::test {
namespace {

using platform::PadAxis;
using platform::PadButton;

class Form1InputTest : public ScreenFlowTest {
 protected:
  std::string Ring() {
    TGuiControl* c = Form().GuiBase.Focus().Current();
    return c != nullptr ? c->Name : "";
  }
  void Key(uint8_t key, int times = 1) {
    for (int i = 0; i < times; ++i) game_->Press(key);
    game_->Frame();
  }
  void Pad(PadButton button, int times = 1) {
    for (int i = 0; i < times; ++i) game_->PadPress(kPad, button);
    game_->Frame();
  }
  // Level 2 entered as the difficulty buttons enter it, its intro played out.
  void Play() {
    TForm1& form = Form();
    form.Core.Game.LevelNumber = 2;
    form.Core.Game.Lives = 3;
    LeaveScreen(form.Screen, form.Screen.CurrentScreen);
    EnterScreen(form.Screen, ScreenGame);
    for (int i = 0; i < 400 && form.Screen.CurrentScreen != ScreenGame; ++i) game_->Frame();
    ASSERT_EQ(form.Screen.CurrentScreen, ScreenGame);
  }
  float BatX() { return Form().Core.Game.Bita.Get()->X; }

  static constexpr int32_t kPad = 7;
};

TEST_F(Form1InputTest, TheKeyboardAloneGoesFromTheMenuIntoAGameAndBack) {
  StartWithPlayer();
  EXPECT_EQ(Ring(), "");
  Key(vk::Down);
  EXPECT_EQ(Ring(), "b_mainmenu_logo");  // reading order starts at the top left
  Key(vk::Down, 2);
  EXPECT_EQ(Ring(), "b_mainmenu_startgame");
  Key(vk::Enter);
  ASSERT_EQ(Form().Screen.CurrentScreen, ScreenChooseDifficulty);
  EXPECT_EQ(Ring(), "b_choosedif_easy");  // the ring stays up on the next form
  Key(vk::Up);
  EXPECT_EQ(Ring(), "b_choosedif_back");
  Key(vk::Enter);
  ASSERT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
  EXPECT_EQ(Ring(), "b_mainmenu_startgame");  // back where it was on this form
  Key(vk::Tab);
  EXPECT_EQ(Ring(), "b_mainmenu_highscore");
  // Esc keeps its meaning next to the ring.
  Key(vk::Escape);
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenExitGame);
}

TEST_F(Form1InputTest, TheDpadMovesTheRingAndAClicks) {
  StartWithPlayer();
  Pad(PadButton::A);  // the first press only shows where the ring is
  EXPECT_EQ(Ring(), "b_mainmenu_logo");
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
  Pad(PadButton::DpadDown, 2);
  EXPECT_EQ(Ring(), "b_mainmenu_startgame");
  // The stick steps too, once per lean past its dead zone.
  game_->PadAxis(kPad, PadAxis::LeftY, 30000);
  game_->PadAxis(kPad, PadAxis::LeftY, 31000);
  game_->Frame();
  EXPECT_EQ(Ring(), "b_mainmenu_highscore");
  game_->PadAxis(kPad, PadAxis::LeftY, -30000);
  game_->Frame();
  EXPECT_EQ(Ring(), "b_mainmenu_startgame");
  Pad(PadButton::A);
  ASSERT_EQ(Form().Screen.CurrentScreen, ScreenChooseDifficulty);
  Pad(PadButton::Back);  // acts as Escape
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
}

TEST_F(Form1InputTest, TheStickAndTheDpadSteerTheBatPastTheDeadZoneOnly) {
  StartWithPlayer();
  Play();
  game_->PadAdded(kPad);
  const float start = BatX();
  game_->PadAxis(kPad, PadAxis::LeftX, -9000);  // a worn stick at rest
  game_->Frames(5);
  EXPECT_FALSE(Form().Core.Play.Input.Left);
  EXPECT_EQ(BatX(), start);
  game_->PadAxis(kPad, PadAxis::LeftX, -26000);
  game_->Frames(5);
  EXPECT_TRUE(Form().Core.Play.Input.Left);
  EXPECT_LT(BatX(), start);
  game_->PadAxis(kPad, PadAxis::LeftX, 0);
  game_->PadButton(kPad, PadButton::DpadRight, true);
  game_->Frames(2);
  EXPECT_FALSE(Form().Core.Play.Input.Left);
  EXPECT_TRUE(Form().Core.Play.Input.Right);
  game_->PadButton(kPad, PadButton::DpadRight, false);
  game_->PadButton(kPad, PadButton::A, true);
  game_->Frames(2);
  EXPECT_FALSE(Form().Core.Play.Input.Right);
  EXPECT_TRUE(Form().Core.Play.Input.Action);  // A launches as the action key does
  game_->PadButton(kPad, PadButton::A, false);
  game_->Frames(1);
  EXPECT_FALSE(Form().Core.Play.Input.Action);
  // During play the D-pad is the bat's: no ring, whatever is pressed.
  EXPECT_EQ(Ring(), "");
}

TEST_F(Form1InputTest, StartPausesAndResumesBackAsksToLeave) {
  StartWithPlayer();
  Play();
  Pad(PadButton::Start);
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenPause);
  Pad(PadButton::Start);
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenGame);
  Pad(PadButton::Back);
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenExitToMenu);
  Pad(PadButton::Back);
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenGame);
}

TEST_F(Form1InputTest, AControllerUnpluggedMidGameLetsGoOfTheBatAndPauses) {
  StartWithPlayer();
  Play();
  game_->PadAdded(kPad);
  game_->PadAdded(kPad + 1);
  game_->PadAxis(kPad, PadAxis::LeftX, 32767);
  game_->Frames(2);
  ASSERT_TRUE(Form().Core.Play.Input.Right);
  game_->PadRemoved(kPad);
  game_->Frame();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenPause);
  EXPECT_FALSE(Form().Core.Play.Input.Right);
  // Resumed, the bat stands still until someone steers again.
  game_->Press(vk::P);
  game_->Frame();
  ASSERT_EQ(Form().Screen.CurrentScreen, ScreenGame);
  const float x = BatX();
  game_->Frames(5);
  EXPECT_EQ(BatX(), x);
  // Unplugging in a menu changes nothing.
  LeaveScreen(Form().Screen, ScreenGame);
  EnterScreen(Form().Screen, ScreenMainMenu);
  game_->PadRemoved(kPad + 1);
  game_->Frame();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
}

TEST_F(Form1InputTest, LosingTheFocusPausesPlayAndLetsGoOfTheKeys) {
  StartWithPlayer();
  game_->FocusLost();
  game_->Frame();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);  // only play pauses
  Play();
  game_->KeyDown(vk::Left);
  game_->Frames(3);
  ASSERT_TRUE(Form().Core.Play.Input.Left);
  game_->FocusLost();  // the key's release goes to the other window
  game_->Frame();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenPause);
  EXPECT_FALSE(Form().KeysHeld[vk::Left]);
  platform::Event gained;
  gained.type = platform::Event::Type::FocusGained;
  game_->Platform().window.Push(gained);
  game_->Frames(3);
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenPause);  // coming back does not resume by itself
  game_->Press(vk::P);
  game_->Frame();
  ASSERT_EQ(Form().Screen.CurrentScreen, ScreenGame);
  const float x = BatX();
  game_->Frames(5);
  EXPECT_EQ(BatX(), x);
}

}  // namespace
}  // namespace zb::test
