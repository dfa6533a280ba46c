#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/HeadlessGame.h"
#include "engine/platform/Keys.h"
#include "screens/MenuScreens.h"
#include "screens/ScreenMachine.h"

namespace zb::test {

namespace fs = std::filesystem;

// The whole game in a folder of its own, driven through the real layout's buttons.
class ScreenFlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("zb-screens-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "Data");
    // The archives, the GUI layout and the levels.
    for (const auto& entry : fs::directory_iterator(fs::path(ZB_GAME_DIR) / "Data")) {
      fs::create_symlink(entry.path(), folder_ / "Data" / entry.path().filename());
    }
    fs::create_directory_symlink(fs::path(ZB_GAME_DIR) / "Sounds", folder_ / "Sounds");
    game_ = std::make_unique<HeadlessGame>(folder_);
  }
  void TearDown() override {
    game_.reset();
    fs::remove_all(folder_);
  }

  TForm1& Form() { return game_->Form(); }

  // Starts with one player already known, so the logo leads to the main menu.
  void StartWithPlayer() {
    ASSERT_TRUE(game_->Start());
    Form().Settings.PlayerCount = 1;
    Form().Settings.Players[0] = "Kim";
    Form().Settings.PlayerName = "Kim";
    game_->Frames(kLogoTicks);
    ASSERT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
  }

  // A click at the centre of a control of the loaded layout, then one frame.
  void ClickOn(const char* name) {
    TGuiControl* control = Form().GuiBase.FindControl(name);
    ASSERT_NE(control, nullptr) << name;
    ASSERT_TRUE(control->Showing()) << name;
    const TGuiRect rect = control->AbsoluteRect();
    game_->Click((rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2);
    game_->Frame();
  }

  void PressEscape() {
    game_->Press(vk::Escape);
    game_->Frame();
  }

  bool FormShowing(const char* name) {
    TGuiControl* control = Form().GuiBase.FindControl(name);
    return control != nullptr && control->Visible();
  }

  fs::path folder_;
  std::unique_ptr<HeadlessGame> game_;
};

}  // namespace zb::test
