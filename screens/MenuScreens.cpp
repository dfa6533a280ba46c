#include "screens/MenuScreens.h"

#include <cmath>
#include <filesystem>
#include <string>

#include "app/Form1.h"
#include "engine/platform/Keys.h"
#include "gui/GuiButton.h"
#include "gui/GuiEdit.h"
#include "gui/GuiLabel.h"
#include "game/Scenery.h"
#include "screens/ScreenMachine.h"

namespace zb {
namespace {

constexpr int kVolumeStep = 25;
constexpr int kVolumeMax = 250;
constexpr const char* kBindingEdits[] = {"spec1", "spec2", "spec3"};

template <class T>
T* Find(TForm1& form, std::string_view name) {
  return dynamic_cast<T*>(form.GuiBase.FindControl(name));
}

void SetEnabled(TForm1& form, std::string_view name, bool enabled) {
  if (TGuiControl* control = form.GuiBase.FindControl(name)) control->SetEnabled(enabled);
}

void SetGauge(TForm1& form, std::string_view name, int value) {
  if (TGuiControl* control = form.GuiBase.FindControl(name)) {
    control->SetPropertyByName("Theta", int64_t{value});
  }
}

// A switch shows sub-image 0 for "on" and 1 for "off" in all three of its states.
void SetSwitch(TForm1& form, std::string_view name, bool on) {
  if (TGuiButton* button = Find<TGuiButton>(form, name)) {
    const int32_t glyph = on ? 0 : 1;
    button->NormalGlyph = glyph;
    button->DisabledGlyph = glyph;
    button->ClickedGlyph = glyph;
  }
}

void ShowHelpPage(TForm1& form) {
  if (TGuiControl* help = form.GuiBase.FindControl("scr_help")) {
    const std::string image = "scr_help" + std::to_string(form.Screens.HelpPage + 1);
    help->SetPropertyByName("ImageIndex", int64_t{form.Images.IndexOfImage(image)});
  }
}

uint32_t UpperCase(uint32_t code) { return code >= 'a' && code <= 'z' ? code - 32 : code; }

void GiveKeyBack(TForm1& form, uint32_t code) {
  const uint32_t upper = UpperCase(code);
  if (upper <= 64 && IsSpecialKey(code)) form.FreeSpecialKeys.set(code);
  if (upper > 64 && upper < 256) form.FreeCharKeys.set(upper);
}

void TakeKey(TForm1& form, uint32_t code) {
  if (IsSpecialKey(code)) {
    form.FreeSpecialKeys.reset(code);
  } else if (const uint32_t upper = UpperCase(code); upper >= 65 && upper < 256) {
    form.FreeCharKeys.reset(upper);
  }
}

void ShowBindings(TForm1& form) {
  for (size_t i = 0; i < std::size(kBindingEdits); ++i) {
    if (TGuiEdit* edit = Find<TGuiEdit>(form, kBindingEdits[i])) {
      edit->KeyCode = form.Settings.Keys[i];
      edit->SetText(KeyName(form.Settings.Keys[i]));
    }
  }
}

}  // namespace

void EnterLogoScreen(TForm1& form) {
  form.CurrentScreen = ScreenLogo;
  form.Game.ScreenTicks = 0;
  if (form.Images.FindImage("logo") != nullptr) {
    form.Screens.LogoSprite = &form.GameEngine.Create<TMenuSprite>("logo", 400.0f, 280.0f);
  }
}

void ProcessLogoScreen(TForm1& form) {
  int32_t& ticks = form.Game.ScreenTicks;
  if (TSprite* logo = form.Screens.LogoSprite.Get()) {
    if (ticks > 30 && ticks < 115) logo->SetAlpha(logo->Alpha + 3);
    if (ticks > 322 && ticks < 372) logo->SetAlpha(logo->Alpha - 5);
  }
  ++ticks;
  form.Device.Render(0, true);
  form.Device.Flip();
  if (ticks < kLogoTicks) return;
  LeaveScreen(form, ScreenLogo);
  if (form.Settings.PlayerCount > 0) {
    EnterScreen(form, ScreenMainMenu);
  } else {
    EnterScreen(form, ScreenEnterName);
    if (TGuiControl* menu = form.GuiBase.FindControl("scr_mainmenu")) menu->Hide();
  }
}

void LeaveLogoScreen(TForm1& form) {
  if (TSprite* logo = form.Screens.LogoSprite.Get()) logo->Kill();
  form.Screens.LogoSprite.Reset();
}

void EnterMainMenuScreen(TForm1& form) {
  FormEnter(form, ScreenMainMenu);
  if (TGuiLabel* hello = Find<TGuiLabel>(form, "hello")) {
    hello->SetText("\xCF\xF0\xE8\xE2\xE5\xF2, " + form.Settings.PlayerName + "!");  // "Привет, " in CP1251
  }
}

void ProcessMainMenuScreen(TForm1& form) {
  if (form.KeysReleased[vk::Escape]) RunButton(form, "b_mainmenu_exit");
  RenderAndPresent(form);
}

void OpenWebsiteLink(TForm1& form) {
  const std::filesystem::path link = form.GamePath("website.url");
  std::error_code ec;
  if (std::filesystem::exists(link, ec)) form.Platform().GetDesktop().ShellOpen(link.string(), "");
}

void EnterHelpScreen(TForm1& form) {
  form.Screens.HelpPage = 0;
  form.Screens.HelpLastPage = 4;
  ShowHelpPage(form);
  FormEnter(form, ScreenHelp);
}

void TurnHelpPage(TForm1& form, int step) {
  form.PlaySound("check");
  int& page = form.Screens.HelpPage;
  if (step > 0 && page < form.Screens.HelpLastPage) ++page;
  if (step < 0 && page > 0) --page;
  ShowHelpPage(form);
}

void LeaveOptionsScreen(TForm1& form) {
  FormLeave(form, ScreenOptions);
  form.WriteConfig();
}

void EnterSoundScreen(TForm1& form) {
  FormEnter(form, ScreenSound);
  const int music = form.Settings.MusicVolume;
  const int fx = form.Settings.FxVolume;
  SetGauge(form, "bar_music", music);
  SetGauge(form, "bar_fx", fx);
  SetEnabled(form, "b_sound_musicmax", music < kVolumeMax);
  SetEnabled(form, "b_sound_musicmin", music > 0);
  SetEnabled(form, "b_sound_fxmax", fx < kVolumeMax);
  SetEnabled(form, "b_sound_fxmin", fx > 0);
}

namespace {

// One volume step; the buttons of the bound reached are disabled, both are enabled after a move.
void StepVolume(TForm1& form, int& volume, int step, const char* minButton, const char* maxButton) {
  if (step < 0 && volume > 0) {
    volume -= kVolumeStep;
    SetEnabled(form, minButton, true);
    SetEnabled(form, maxButton, true);
  }
  if (step > 0 && volume < kVolumeMax) {
    volume += kVolumeStep;
    SetEnabled(form, minButton, true);
    SetEnabled(form, maxButton, true);
  }
  if (step < 0 && volume <= 0) SetEnabled(form, minButton, false);
  if (step > 0 && volume >= kVolumeMax) SetEnabled(form, maxButton, false);
}

}  // namespace

void StepMusicVolume(TForm1& form, int step) {
  int volume = form.Settings.MusicVolume;
  StepVolume(form, volume, step, "b_sound_musicmin", "b_sound_musicmax");
  form.SetMusicVolume(volume);
  SetGauge(form, "bar_music", volume);
  form.PlaySound("check");
}

void StepFxVolume(TForm1& form, int step) {
  StepVolume(form, form.Settings.FxVolume, step, "b_sound_fxmin", "b_sound_fxmax");
  SetGauge(form, "bar_fx", form.Settings.FxVolume);
  form.PlaySound("check");
}

void EnterGraphicsScreen(TForm1& form) {
  FormEnter(form, ScreenGraphics);
  SetSwitch(form, "b_fullscreen", form.Settings.FullScreen);
  SetSwitch(form, "b_antialias", form.Settings.Antialias);
}

void ToggleFullScreen(TForm1& form) {
  form.PlaySound("check");
  form.Device.SetByIndex(0, !form.Device.Windowed());
  platform::Window& window = form.Platform().GetWindow();
  if (form.Device.Windowed()) {
    const platform::Point screen = window.ScreenSize();
    window.SetPosition({static_cast<int>(std::lround(screen.x / 2.0 - 800 / 2.0)),
                        static_cast<int>(std::lround(screen.y / 2.0 - 600 / 2.0))});
  } else {
    window.SetPosition({0, 0});
    form.PointerOffsetX = 0;
    form.PointerOffsetY = 0;
  }
  form.Settings.FullScreen = !form.Device.Windowed();
  SetSwitch(form, "b_fullscreen", form.Settings.FullScreen);
}

void ToggleAntialias(TForm1& form) {
  form.PlaySound("check");
  form.MyCanvas.SetAntialias(!form.MyCanvas.Antialias());
  form.Settings.Antialias = form.MyCanvas.Antialias();
  SetSwitch(form, "b_antialias", form.Settings.Antialias);
}

void EnterControlsScreen(TForm1& form) {
  FormEnter(form, ScreenControls);
  ShowBindings(form);
}

void DefaultControls(TForm1& form) {
  form.PlaySound("check");
  for (const char* name : kBindingEdits) {
    if (TGuiEdit* edit = Find<TGuiEdit>(form, name)) GiveKeyBack(form, edit->KeyCode);
  }
  for (size_t i = 0; i < std::size(kBindingEdits); ++i) {
    form.Settings.Keys[i] = form.Settings.DefaultKeys[i];
    TakeKey(form, form.Settings.Keys[i]);
  }
  ShowBindings(form);
}

void LeaveControlsScreen(TForm1& form) {
  for (size_t i = 0; i < std::size(kBindingEdits); ++i) {
    if (TGuiEdit* edit = Find<TGuiEdit>(form, kBindingEdits[i])) {
      // Hiding ends a capture still waiting for its key.
      edit->Hide();
      edit->Show();
      form.Settings.Keys[i] = edit->KeyCode;
    }
  }
  FormLeave(form, ScreenControls);
}

}  // namespace zb
