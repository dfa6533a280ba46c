// The menus as a player sees them: the real game folder, the real layout and pictures, drawn headless.
// With ZB_SAVE_PICTURES set to a folder, every screen visited is also saved there as a PNG.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "gui/GuiButton.h"
#include "gui/GuiForm.h"
#include "tests/app/ScreenFlowFixture.h"

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
  // One button under the pointer, then one held down.
  const TGuiRect start = Form().GuiBase.FindControl("b_mainmenu_startgame")->AbsoluteRect();
  const TGuiRect exit = Form().GuiBase.FindControl("b_mainmenu_exit")->AbsoluteRect();
  game_->MouseMove(start.Left + 20, start.Top + 20);
  game_->Frame();
  Shot("mainmenu-hover");
  game_->MouseMove(exit.Left + 20, exit.Top + 20);
  game_->MouseDown(exit.Left + 20, exit.Top + 20);
  game_->Frame();
  Shot("mainmenu-pressed");
  game_->MouseUp(799, 599);
  game_->Frame();
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

// The toggle near a switch's right end: green with the knob right while on, dark while off.
bool ToggleLooksOn(uint32_t argb) {
  const int r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  return g > r + 30 && g > b + 30;
}
bool ToggleLooksOff(uint32_t argb) {
  const int r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  return r < 140 && r > g && r > b;
}

TEST_F(MenuLookTest, GraphicsSwitchesShowTheirStateInTheirPictures) {
  StartWithPlayer();
  TForm1& form = Form();
  auto& fullScreen = dynamic_cast<TGuiButton&>(*form.GuiBase.FindControl("b_fullscreen"));
  auto& antialias = dynamic_cast<TGuiButton&>(*form.GuiBase.FindControl("b_antialias"));
  for (TGuiButton* button : {&fullScreen, &antialias}) {
    EXPECT_EQ(button->ImageIndex, form.Images.IndexOfImage("switch_300x40")) << button->Name;
  }
  auto glyphs = [](const TGuiButton& b) {
    return std::vector<int32_t>{b.NormalGlyph, b.DisabledGlyph, b.ClickedGlyph};
  };
  auto toggle = [this](const TGuiButton& b) {
    const TGuiRect r = b.AbsoluteRect();
    return game_->PixelAt(r.Right - 33, r.Top + 19);
  };
  const std::vector<int32_t> on{0, 0, 0}, off{1, 1, 1};
  // Each switch entered in both states, then clicked over to the other.
  for (const bool start : {false, true}) {
    form.Device.SetByIndex(0, !start);
    form.Settings.FullScreen = start;
    form.MyCanvas.SetAntialias(!start);
    form.Settings.Antialias = !start;
    ClickOn("b_mainmenu_options");
    ClickOn("b_options_graphics");
    ASSERT_EQ(form.CurrentScreen(), ScreenGraphics);
    game_->MouseMove(799, 599);
    game_->Frame();
    Shot(start ? "graphics-fullscreen" : "graphics-windowed");
    EXPECT_EQ(glyphs(fullScreen), start ? on : off);
    EXPECT_EQ(glyphs(antialias), start ? off : on);
    EXPECT_TRUE(start ? ToggleLooksOn(toggle(fullScreen)) : ToggleLooksOff(toggle(fullScreen)));
    EXPECT_TRUE(start ? ToggleLooksOff(toggle(antialias)) : ToggleLooksOn(toggle(antialias)));

    ClickOn("b_fullscreen");
    ClickOn("b_antialias");
    // Under the pointer and after the press, a switch still shows its state.
    EXPECT_EQ(glyphs(fullScreen), start ? off : on);
    EXPECT_EQ(glyphs(antialias), start ? on : off);
    EXPECT_EQ(form.Settings.FullScreen, !start);
    EXPECT_EQ(form.Settings.Antialias, start);
    EXPECT_TRUE(start ? ToggleLooksOff(toggle(fullScreen)) : ToggleLooksOn(toggle(fullScreen)));
    EXPECT_TRUE(start ? ToggleLooksOn(toggle(antialias)) : ToggleLooksOff(toggle(antialias)));
    ClickOn("b_graphics_back");
    ClickOn("b_options_back");
  }
}

}  // namespace
}  // namespace zb
