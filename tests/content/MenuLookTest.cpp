// The menus as a player sees them: the real game folder, the real layout and pictures, drawn headless.
// With ZB_SAVE_PICTURES set to a folder, every screen visited is also saved there as a PNG.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "gui/GuiButton.h"
#include "gui/GuiForm.h"
#include "tests/screens/ScreenFlowFixture.h"

namespace zb {
namespace {

class MenuLookTest : public test::ScreenFlowTest {
 protected:
  void Shot(const std::string& name) {
    if (const char* folder = std::getenv("ZB_SAVE_PICTURES")) {
      ASSERT_TRUE(game_->SavePng(std::string(folder) + "/" + name + ".png"));
    }
  }
  void Go(const char* button, const char* shot) {
    ClickOn(button);
    game_->MouseMove(799, 599);
    game_->Frame();
    Shot(shot);
  }
  // A form shown over the current screen as its own step would show it.
  void ShowOver(const char* name, const char* shot) {
    TGuiControl* form = Form().GuiBase.FindControl(name);
    ASSERT_NE(form, nullptr) << name;
    form->Show();
    form->BringToFront();
    game_->Frame();
    Shot(shot);
    form->Hide();
  }
};

TEST_F(MenuLookTest, EveryMenuScreen) {
  StartWithPlayer();
  game_->Frame();
  Shot("mainmenu");
  Go("b_mainmenu_options", "options");
  Go("b_options_graphics", "graphics");
  Go("b_graphics_back", "options");
  Go("b_options_sound", "sound");
  Go("b_sound_back", "options");
  Go("b_options_controls", "controls");
  Go("b_controls_back", "options");
  Go("b_options_back", "mainmenu");
  Go("b_mainmenu_highscore", "highscore");
  Go("b_highscore_medium", "highscore-medium");
  Go("b_highscore_clear", "clear");
  Go("b_clear_no", "highscore");
  Go("b_highscore_back", "mainmenu");
  Go("b_mainmenu_presshere", "change");
  Go("b_change_create", "create");
  PressEscape();
  Go("b_change_delete", "delete");
  Go("b_delete_no", "change");
  Go("b_change_back", "mainmenu");
  Go("b_mainmenu_help", "help");
  Go("b_help_back", "mainmenu");
  Go("b_mainmenu_startgame", "choosedif");
  Go("b_choosedif_back", "mainmenu");
  for (const char* form : {"scr_exittomm", "scr_gameover", "scr_stagecomplete", "scr_yourscoreis",
                           "scr_sendscore", "scr_ycountry", "scr_entername", "scr_speech"}) {
    ShowOver(form, form);
  }
  Go("b_mainmenu_exit", "exitgame");
}

}  // namespace
}  // namespace zb
