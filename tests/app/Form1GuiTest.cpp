#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/HeadlessGame.h"
#include "engine/platform/Keys.h"
#include "gui/GuiButton.h"
#include "gui/GuiEdit.h"
#include "gui/GuiForm.h"
#include "tests/app/GameFolder.h"

namespace zb {
namespace {

// The main window with the built GUI file: loaded at start-up, fed with the window's events.
class Form1GuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("zb-form-gui-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_ / "Data");
    std::filesystem::copy_file(std::filesystem::path(ZB_GAME_DIR) / "Data" / "gfx.zbx",
                               folder_ / "Data" / "gfx.zbx");
    test::InstallArchives(folder_);
    game_ = std::make_unique<HeadlessGame>(folder_);
    ASSERT_TRUE(game_->Start());
  }
  void TearDown() override {
    game_.reset();
    std::filesystem::remove_all(folder_);
  }
  TGuiControl& Show(const char* name) {
    TGuiControl* form = game_->Form().GuiBase.FindControl(name);
    EXPECT_NE(form, nullptr) << name;
    form->SetVisible(true);
    form->BringToFront();
    return *form;
  }
  void ClickAt(const TGuiControl& control) {
    const TGuiRect r = control.AbsoluteRect();
    game_->Click(r.Left + 5, r.Top + 5);
    game_->Frame();
  }

  std::filesystem::path folder_;
  std::unique_ptr<HeadlessGame> game_;
};

TEST_F(Form1GuiTest, ScreenFormsAreLoadedHidden) {
  TGuiBase& gui = game_->Form().GuiBase;
  ASSERT_NE(gui.FindControl("SCR_MAINMENU"), nullptr);
  for (int i = 0; i < gui.Taskbar().ControlCount(); ++i) EXPECT_FALSE(gui.Taskbar().GetControl(i)->Visible());
  game_->Frames(3);  // drawing and ticking the GUI every frame does not disturb it
  EXPECT_EQ(gui.Taskbar().BoundsRect(), (TGuiRect{0, 0, 800, 600}));
}

TEST_F(Form1GuiTest, TheShownFormIsDrawnWithItsPicturesAndTexts) {
  Show("scr_mainmenu");
  game_->Frame();
  // The start button's backdrop, yellow at its top, and its dark caption inside it.
  const uint32_t top = game_->PixelAt(303, 213);
  EXPECT_GT((top >> 16) & 0xFF, 0xE0u);
  EXPECT_GT((top >> 8) & 0xFF, 0xB0u);
  EXPECT_LT(top & 0xFF, 0x90u);
  int dark = 0;
  for (int y = 210; y < 250; ++y) {
    for (int x = 300; x < 500; ++x) dark += ((game_->PixelAt(x, y) >> 16) & 0xFF) < 0x80;
  }
  EXPECT_GT(dark, 50);
  // Outside every control of the menu the GUI leaves the frame alone.
  EXPECT_EQ(game_->PixelAt(790, 590) & 0xFFFFFF, 0u);
}

TEST_F(Form1GuiTest, AWindowClickReachesAButtonOfTheShownForm) {
  Show("scr_mainmenu");
  int clicks = 0;
  TGuiControl* start = game_->Form().GuiBase.FindControl("b_mainmenu_startgame");
  start->OnClick = [&](TGuiControl&) { ++clicks; };
  ClickAt(*start);
  EXPECT_EQ(clicks, 1);
  // The form's own handler saw the key first, then the GUI.
  game_->KeyDown(vk::Left);
  game_->Frame();
  EXPECT_TRUE(game_->Form().KeysHeld[vk::Left]);
}

TEST_F(Form1GuiTest, KeyBindingBoxesUseTheWindowsFreeKeys) {
  TForm1& form = game_->Form();
  Show("scr_controls");
  auto* spec1 = dynamic_cast<TGuiEdit*>(form.GuiBase.FindControl("spec1"));
  ASSERT_NE(spec1, nullptr);
  ASSERT_TRUE(form.Screen.FreeSpecialKeys.test(vk::Home));
  ClickAt(*spec1);
  game_->KeyDown(vk::Home);
  game_->Frame();
  EXPECT_EQ(spec1->Text(), "Home");
  EXPECT_FALSE(form.Screen.FreeSpecialKeys.test(vk::Home));
  // Space is bound by default: not free, so not taken.
  ClickAt(*spec1);
  EXPECT_TRUE(form.Screen.FreeSpecialKeys.test(vk::Home));
  game_->KeyDown(vk::Space);
  game_->Frame();
  EXPECT_EQ(spec1->Text(), "");
}

TEST_F(Form1GuiTest, PastingGoesThroughTheDesktopClipboard) {
  TForm1& form = game_->Form();
  Show("scr_entername");
  auto* edit = dynamic_cast<TGuiEdit*>(form.GuiBase.FindControl("edit_name1"));
  ASSERT_NE(edit, nullptr);
  edit->SetFocus();
  game_->Platform().desktop.clipboard = "\xCF\xF3\xEC\xEA\xE0\r\n";
  game_->KeyDown(vk::V, platform::ShiftCtrl);
  game_->Frame();
  EXPECT_EQ(edit->Text(), "\xCF\xF3\xEC\xEA\xE0");
}

}  // namespace
}  // namespace zb
