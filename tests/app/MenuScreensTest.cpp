#include <gtest/gtest.h>

#include "gui/GuiButton.h"
#include "gui/GuiEdit.h"
#include "gui/GuiLabel.h"
#include "gui/GuiListBox.h"
#include "screens/PlayerScreens.h"
#include "tests/app/ScreenFlowFixture.h"

namespace zb {
namespace {

using test::ScreenFlowTest;

template <class T>
T& Control(TForm1& form, const char* name) {
  T* control = dynamic_cast<T*>(form.GuiBase.FindControl(name));
  EXPECT_NE(control, nullptr) << name;
  return *control;
}

int64_t Gauge(TForm1& form, const char* name) {
  return std::get<int64_t>(form.GuiBase.FindControl(name)->GetPropertyByName("Theta"));
}

TEST_F(ScreenFlowTest, VolumeButtonsStopAtTheirBoundsAndDisableThemselves) {
  StartWithPlayer();
  TForm1& form = Form();
  form.Settings.MusicVolume = 50;
  form.Settings.FxVolume = 250;
  ClickOn("b_mainmenu_options");
  ClickOn("b_options_sound");
  ASSERT_EQ(form.Screen.CurrentScreen, ScreenSound);
  EXPECT_EQ(Gauge(form, "bar_music"), 50);
  EXPECT_FALSE(form.GuiBase.FindControl("b_sound_fxmax")->Enabled());
  ClickOn("b_sound_musicmin");
  ClickOn("b_sound_musicmin");
  EXPECT_EQ(form.Settings.MusicVolume, 0);
  EXPECT_EQ(Gauge(form, "bar_music"), 0);
  EXPECT_FALSE(form.GuiBase.FindControl("b_sound_musicmin")->Enabled());
  EXPECT_EQ(game_->Platform().audio.SongState(form.Sound.MenuSong)->volume, 0);
  // A click on the disabled button changes nothing.
  ClickOn("b_sound_musicmin");
  EXPECT_EQ(form.Settings.MusicVolume, 0);
  ClickOn("b_sound_fxmin");
  EXPECT_EQ(form.Settings.FxVolume, 225);
  EXPECT_TRUE(form.GuiBase.FindControl("b_sound_fxmax")->Enabled());
  for (int i = 0; i < 12; ++i) RunButton(form.Screen, "b_sound_musicmax");
  EXPECT_EQ(form.Settings.MusicVolume, 250);
  EXPECT_FALSE(form.GuiBase.FindControl("b_sound_musicmax")->Enabled());
}

TEST_F(ScreenFlowTest, GraphicsSwitchesShowAndChangeTheirState) {
  StartWithPlayer();
  TForm1& form = Form();
  form.Screen.PointerOffsetX = 5;
  ClickOn("b_mainmenu_options");
  ClickOn("b_options_graphics");
  ASSERT_EQ(form.Screen.CurrentScreen, ScreenGraphics);
  auto& fullScreen = Control<TGuiButton>(form, "b_fullscreen");
  auto& antialias = Control<TGuiButton>(form, "b_antialias");
  EXPECT_EQ(fullScreen.NormalGlyph, 1);  // windowed: "off"
  EXPECT_EQ(antialias.NormalGlyph, form.MyCanvas.Antialias() ? 0 : 1);
  ClickOn("b_fullscreen");
  EXPECT_FALSE(form.Device.Windowed());
  EXPECT_EQ(fullScreen.ClickedGlyph, 0);
  EXPECT_EQ(game_->Platform().window.Position().x, 0);
  EXPECT_EQ(form.Screen.PointerOffsetX, 0);
  ClickOn("b_fullscreen");
  EXPECT_TRUE(form.Device.Windowed());
  EXPECT_EQ(game_->Platform().window.Position().x, 560);
  const bool before = form.MyCanvas.Antialias();
  ClickOn("b_antialias");
  EXPECT_NE(form.MyCanvas.Antialias(), before);
  EXPECT_EQ(form.Settings.Antialias, form.MyCanvas.Antialias());
  EXPECT_EQ(antialias.DisabledGlyph, form.MyCanvas.Antialias() ? 0 : 1);
}

TEST_F(ScreenFlowTest, DefaultControlsRestoreTheKeysAndKeepThemTaken) {
  StartWithPlayer();
  TForm1& form = Form();
  ClickOn("b_mainmenu_options");
  ClickOn("b_options_controls");
  auto& right = Control<TGuiEdit>(form, "spec1");
  EXPECT_EQ(right.Text(), "Right");
  // Rebind "right" to A through the edit itself.
  ClickOn("spec1");
  game_->Char('a');
  game_->Frame();
  EXPECT_EQ(right.KeyCode, uint32_t{'A'});
  EXPECT_FALSE(form.Screen.FreeCharKeys.test('A'));
  EXPECT_TRUE(form.Screen.FreeSpecialKeys.test(39));
  ClickOn("b_controls_default");
  EXPECT_EQ(right.Text(), "Right");
  EXPECT_EQ(Control<TGuiEdit>(form, "spec2").Text(), "Left");
  EXPECT_EQ(Control<TGuiEdit>(form, "spec3").Text(), "Space");
  EXPECT_TRUE(form.Screen.FreeCharKeys.test('A'));
  for (int code : {37, 38, 39, 32}) EXPECT_FALSE(form.Screen.FreeSpecialKeys.test(code)) << code;
  // Leaving stores what the edits hold; the reserved fourth binding stays.
  ClickOn("spec2");
  game_->Char('z');
  game_->Frame();
  PressEscape();
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenOptions);
  EXPECT_EQ(form.Settings.Keys[0], 39u);
  EXPECT_EQ(form.Settings.Keys[1], uint32_t{'Z'});
  EXPECT_EQ(form.Settings.Keys[3], 38u);
}

TEST_F(ScreenFlowTest, HelpPagesStayWithinTheFive) {
  StartWithPlayer();
  TForm1& form = Form();
  ClickOn("b_mainmenu_help");
  TGuiControl* help = form.GuiBase.FindControl("scr_help");
  auto page = [&] { return std::get<int64_t>(help->GetPropertyByName("ImageIndex")); };
  EXPECT_EQ(page(), form.Images.IndexOfImage("scr_help1"));
  EXPECT_GE(page(), 0);
  RunButton(form.Screen, "b_help_previous");
  EXPECT_EQ(form.Screen.State.HelpPage, 0);
  for (int i = 0; i < 6; ++i) RunButton(form.Screen, "b_help_next");
  EXPECT_EQ(form.Screen.State.HelpPage, 4);
  EXPECT_EQ(page(), form.Images.IndexOfImage("scr_help5"));
  PressEscape();
  ClickOn("b_mainmenu_help");
  EXPECT_EQ(form.Screen.State.HelpPage, 0);
}

TEST_F(ScreenFlowTest, PlayersAreCreatedChosenAndDeletedOnTheList) {
  StartWithPlayer();  // "Kim"
  TForm1& form = Form();
  ClickOn("b_mainmenu_presshere");
  ASSERT_EQ(form.Screen.CurrentScreen, ScreenChangePlayer);
  ClickOn("b_change_create");
  for (char c : std::string("  Lu  ")) game_->Char(static_cast<uint8_t>(c));
  game_->Frame();
  ClickOn("b_create_create");
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenChangePlayer);
  auto& list = Control<TGuiListBox>(form, "players");
  EXPECT_EQ(list.Items, (std::vector<std::string>{"Kim", "Lu"}));
  EXPECT_EQ(list.ItemIndex, 1);
  // Escape on the new-player screen goes back without a name.
  ClickOn("b_change_create");
  PressEscape();
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenChangePlayer);
  EXPECT_EQ(form.Settings.PlayerCount, 2);
  // Deleting the last entry selects the one above.
  ClickOn("b_change_delete");
  EXPECT_EQ(Control<TGuiLabel>(form, "delete_name").Text(), "Lu");
  ClickOn("b_delete_yes");
  EXPECT_EQ(form.Settings.PlayerCount, 1);
  EXPECT_EQ(form.Settings.CurrentPlayer, 0);
  EXPECT_EQ(form.Settings.PlayerName, "Kim");
  ClickOn("b_change_delete");
  ClickOn("b_delete_yes");
  EXPECT_EQ(form.Settings.PlayerCount, 0);
  EXPECT_EQ(form.Settings.PlayerName, "");
  // With nobody left the list cannot be left but by creating a player.
  EXPECT_FALSE(form.GuiBase.FindControl("b_change_back")->Enabled());
  PressEscape();
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenChangePlayer);
}

TEST(PlayerList, DeletingInTheMiddleKeepsTheIndex) {
  TSettings settings;
  for (const char* name : {"A", "B", "C"}) ASSERT_TRUE(AddPlayer(settings, name));
  settings.CurrentPlayer = 1;
  DeleteCurrentPlayer(settings);
  EXPECT_EQ(settings.PlayerCount, 2);
  EXPECT_EQ(settings.CurrentPlayer, 1);
  EXPECT_EQ(settings.PlayerName, "C");
  EXPECT_EQ(settings.Players[2], "");
  for (int i = 2; i < kMaxPlayers; ++i) ASSERT_TRUE(AddPlayer(settings, "x"));
  EXPECT_FALSE(AddPlayer(settings, "eleventh"));
  EXPECT_EQ(TrimName("   "), "");
  EXPECT_EQ(TrimName("  a b  "), "a b");
}

TEST_F(ScreenFlowTest, HighScoreTabsShowTheirTableAndClearingResetsAllThree) {
  StartWithPlayer();
  TForm1& form = Form();
  form.Settings.HighScores[0][0] = {"Ed", "5000"};
  form.Settings.HighScores[2][0] = {"Hal", "7000"};
  ClickOn("b_mainmenu_highscore");
  ASSERT_EQ(form.Screen.CurrentScreen, ScreenHighScore);
  EXPECT_EQ(Control<TGuiLabel>(form, "name1").Text(), "Ed");
  EXPECT_EQ(Control<TGuiLabel>(form, "n10").Text(), "10");
  EXPECT_EQ(Control<TGuiButton>(form, "b_highscore_easy").NormalGlyph, 1);
  ClickOn("b_highscore_hard");
  EXPECT_EQ(Control<TGuiLabel>(form, "score1").Text(), "7000");
  EXPECT_EQ(Control<TGuiButton>(form, "b_highscore_easy").NormalGlyph, 0);
  EXPECT_EQ(form.GuiBase.FindControl("ts_1")->Bkgrnd.GetColor(0), 0x25040AEAu);
  ClickOn("b_highscore_clear");
  ClickOn("b_clear_yes");
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenHighScore);
  EXPECT_EQ(form.Settings.HighScores, DefaultHighScores());
  EXPECT_EQ(Control<TGuiLabel>(form, "score1").Text(), "1000");
}

}  // namespace
}  // namespace zb
