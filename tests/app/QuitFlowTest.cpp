// Quitting from the main menu: the share page stands for its countdown, refuses to close until
// then, and the window closes through its own closing steps.

#include <gtest/gtest.h>

#include "tests/app/ScreenFlowFixture.h"

namespace zb::test {
namespace {

class QuitFlowTest : public ScreenFlowTest {
 protected:
  void SetUp() override {
    ScreenFlowTest::SetUp();
    fs::create_directory_symlink(fs::path(ZB_GAME_DIR) / "wdata", folder_ / "wdata");
    // The page is read at start-up, so the game is made again over the folder that now has it.
    game_ = std::make_unique<HeadlessGame>(folder_);
  }

  void QuitFromMenu() {
    StartWithPlayer();
    ClickOn("b_mainmenu_exit");
    ClickOn("b_exit_yes");
    ASSERT_EQ(Form().Screen.CurrentScreen, ScreenShare);
  }

  const TButton& ExitButton() {
    const auto& buttons = Form().ShareScreen.Buttons;
    return buttons.back();
  }
};

TEST_F(QuitFlowTest, ThePageHoldsTheWindowUntilItsCountdownEnds) {
  QuitFromMenu();
  TShareScreen& page = Form().ShareScreen;
  ASSERT_TRUE(page.Active);
  ASSERT_GT(page.Countdown, 0);
  EXPECT_LE(page.Countdown, 30) << "quitting must never take more than three seconds";
  PressEscape();
  game_->CloseBox();
  game_->Frame();
  EXPECT_FALSE(Form().Closed());
  EXPECT_FALSE(fs::exists(folder_ / "Config.cfg"));

  game_->Frames(page.Countdown * 10 + 20);  // the side timer counts tenths on the frame clock
  EXPECT_EQ(page.Countdown, 0);
  EXPECT_FALSE(Form().Closed()) << "the page waits for the player once the countdown is over";
  PressEscape();
  EXPECT_TRUE(Form().Closed());
  EXPECT_TRUE(fs::exists(folder_ / "Config.cfg"));
}

TEST_F(QuitFlowTest, TheExitButtonClosesOnlyOnceEnabled) {
  QuitFromMenu();
  const TButton& exit = ExitButton();
  ASSERT_TRUE(exit.IsExit());
  const int x = exit.HitLeft + exit.HitWidth / 2;
  const int y = exit.HitTop + exit.HitHeight / 2;
  game_->Click(x, y);
  game_->Frame();
  EXPECT_FALSE(Form().Closed());
  game_->Frames(Form().ShareScreen.Countdown * 10 + 20);
  game_->Click(x, y);
  game_->Frame();
  EXPECT_TRUE(Form().Closed());
}

}  // namespace
}  // namespace zb::test
