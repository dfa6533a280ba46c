#include "screens/MenuScreens.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/Cp1251.h"
#include "persist/Checkpoint.h"

#include "screens/FormControls.h"
#include "screens/ScreenContext.h"
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

void SetGauge(TScreenContext& ctx, std::string_view name, int value) {
  if (TGuiControl* control = ctx.GuiBase.FindControl(name)) {
    control->SetPropertyByName("Theta", int64_t{value});
  }
}

// A switch shows sub-image 0 for "on" and 1 for "off" in all three of its states.
void SetSwitch(TScreenContext& ctx, std::string_view name, bool on) {
  if (TGuiButton* button = Find<TGuiButton>(ctx, name)) {
    const int32_t glyph = on ? 0 : 1;
    button->NormalGlyph = glyph;
    button->DisabledGlyph = glyph;
    button->ClickedGlyph = glyph;
  }
}

void ShowHelpPage(TScreenContext& ctx) {
  if (TGuiControl* help = ctx.GuiBase.FindControl("scr_help")) {
    const std::string image = "scr_help" + std::to_string(ctx.State.HelpPage + 1);
    help->SetPropertyByName("ImageIndex", int64_t{ctx.Images.IndexOfImage(image)});
  }
}

uint32_t UpperCase(uint32_t code) { return code >= 'a' && code <= 'z' ? code - 32 : code; }

void GiveKeyBack(TScreenContext& ctx, uint32_t code) {
  const uint32_t upper = UpperCase(code);
  if (upper <= 64 && IsSpecialKey(code)) ctx.FreeSpecialKeys.set(code);
  if (upper > 64 && upper < 256) ctx.FreeCharKeys.set(upper);
}

void TakeKey(TScreenContext& ctx, uint32_t code) {
  if (IsSpecialKey(code)) {
    ctx.FreeSpecialKeys.reset(code);
  } else if (const uint32_t upper = UpperCase(code); upper >= 65 && upper < 256) {
    ctx.FreeCharKeys.reset(upper);
  }
}

void ShowBindings(TScreenContext& ctx) {
  for (size_t i = 0; i < std::size(kBindingEdits); ++i) {
    if (TGuiEdit* edit = Find<TGuiEdit>(ctx, kBindingEdits[i])) {
      edit->KeyCode = ctx.Settings.Keys[i];
      edit->SetText(KeyName(ctx.Settings.Keys[i]));
    }
  }
}

}  // namespace

void EnterLogoScreen(TScreenContext& ctx) {
  ctx.Game.ScreenTicks = 0;
  if (ctx.Images.FindImage("logo") != nullptr) {
    ctx.State.LogoSprite = &ctx.Play.Engine.Create<TMenuSprite>("logo", 400.0f, 280.0f);
  }
}

void ProcessLogoScreen(TScreenContext& ctx) {
  int32_t& ticks = ctx.Game.ScreenTicks;
  if (TSprite* logo = ctx.State.LogoSprite.Get()) {
    if (ticks > 30 && ticks < 115) logo->SetAlpha(logo->Alpha + 3);
    if (ticks > 322 && ticks < 372) logo->SetAlpha(logo->Alpha - 5);
  }
  ++ticks;
}

void SettleLogoScreen(TScreenContext& ctx) {
  if (ctx.Game.ScreenTicks < kLogoTicks || ctx.Loading) return;
  LeaveScreen(ctx, ScreenLogo);
  if (ctx.Settings.PlayerCount > 0) {
    EnterScreen(ctx, ScreenMainMenu);
  } else {
    EnterScreen(ctx, ScreenEnterName);
    if (TGuiControl* menu = ctx.GuiBase.FindControl("scr_mainmenu")) menu->Hide();
  }
}

void LeaveLogoScreen(TScreenContext& ctx) {
  if (TSprite* logo = ctx.State.LogoSprite.Get()) logo->Kill();
  ctx.State.LogoSprite.Reset();
}

void EnterMainMenuScreen(TScreenContext& ctx) {
  ShowForm(ctx, "scr_mainmenu", true);
  if (TGuiLabel* hello = Find<TGuiLabel>(ctx, "hello")) {
    hello->SetText(ctx.Play.Language.Tr("Привет, ") + ctx.Settings.PlayerName + "!");
  }
  OfferCheckpoint(ctx);
}

namespace {

// The buttons under "Продолжить", which move down to make room for it.
constexpr const char* kMenuButtons[] = {"b_mainmenu_startgame", "b_mainmenu_highscore", "b_mainmenu_options",
                                        "b_mainmenu_help",      "b_mainmenu_ownlevels", "b_mainmenu_editor",
                                        "b_mainmenu_exit"};
constexpr int kShiftedTop = 214;
constexpr int kShiftedPitch = 46;

void LayOutMenu(TScreenContext& ctx, bool withContinue) {
  SetVisible(ctx, "b_mainmenu_continue", withContinue);
  SetVisible(ctx, "continue_info", withContinue);
  std::vector<int>& tops = ctx.MenuTops;
  for (size_t i = 0; i < std::size(kMenuButtons); ++i) {
    TGuiControl* button = ctx.GuiBase.FindControl(kMenuButtons[i]);
    if (button == nullptr) continue;
    if (tops.size() <= i) tops.resize(i + 1, button->Top());
    const int top = withContinue ? kShiftedTop + kShiftedPitch * static_cast<int>(i) : tops[i];
    button->SetPropertyByName("Top", int64_t{top});
  }
}

void TellOnce(TScreenContext& ctx, const std::string& file, const std::string& text) {
  if (ctx.CheckpointProblemTold == file + text) return;
  ctx.CheckpointProblemTold = file + text;
  std::fprintf(stderr, "%s\n", Cp1251ToUtf8(text).c_str());
  ctx.Platform.GetDesktop().ShowMessageBox("Zumbala", text);
}

}  // namespace

std::string GroupedScore(int32_t score) {
  const std::string digits = std::to_string(score < 0 ? 0 : score);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped.push_back(' ');
    grouped.push_back(digits[i]);
  }
  return grouped;
}

namespace {

// `text` with its first `mark` put as `value`.
std::string Filled(const std::string& text, std::string_view mark, const std::string& value) {
  const size_t at = text.find(mark);
  if (at == std::string::npos) return text;
  return text.substr(0, at) + value + text.substr(at + mark.size());
}

}  // namespace

void OfferCheckpoint(TScreenContext& ctx) {
  ctx.MenuCheckpoint.reset();
  if (!ctx.Folders.User.empty()) {
    const std::filesystem::path path = CurrentCheckpointPath(ctx);
    TCheckpointReadResult read = ReadCheckpointFile(path);
    const TLanguage& language = ctx.Play.Language;
    if (read.Checkpoint && read.Checkpoint->Name != ctx.Settings.PlayerName.substr(0, kMaxReplayName)) {
      read = {.Checkpoint = std::nullopt, .Missing = false, .Error = "the checkpoint is another player's"};
    }
    if (read.Checkpoint) {
      ctx.MenuCheckpoint = std::move(read.Checkpoint);
    } else if (!read.Missing) {
      // Left as it is: only the next game the player starts writes over it.
      TellOnce(ctx, path.string(),
               language.Tr("Сохранённая игра не читается, продолжить её нельзя:") + " " + Utf8ToCp1251(path.string()) + ": " + read.Error);
    }
  }
  if (ctx.MenuCheckpoint) {
    const std::string info = Filled(ctx.Play.Language.Tr("уровень %1, %2 очков"), "%1",
                                    std::to_string(ctx.MenuCheckpoint->StartLevel));
    SetLabel(ctx, "continue_info", Filled(info, "%2", GroupedScore(ctx.MenuCheckpoint->StartScore)));
  }
  LayOutMenu(ctx, ctx.MenuCheckpoint.has_value());
}

void ContinueFromMenu(TScreenContext& ctx) {
  if (!ctx.MenuCheckpoint) return;
  TReplay checkpoint = std::move(*ctx.MenuCheckpoint);
  ctx.MenuCheckpoint.reset();
  if (ctx.CheckChain) {
    if (const std::string why = ctx.CheckChain(checkpoint); !why.empty()) {
      const std::filesystem::path path = CurrentCheckpointPath(ctx);
      const std::filesystem::path aside = SetCheckpointAside(path);
      const TLanguage& language = ctx.Play.Language;
      std::string text = language.Tr("Сохранённая игра не сходится со своей записью, продолжить её нельзя:") + " " + why + ".";
      if (!aside.empty()) text += " " + language.Tr("Файл отложен:") + " " + Utf8ToCp1251(aside.string());
      TellOnce(ctx, path.string(), text);
      OfferCheckpoint(ctx);
      return;
    }
  }
  ContinueGame(ctx, std::move(checkpoint));
}

void OpenWebsiteLink(TScreenContext& ctx) {
  const std::filesystem::path link = ctx.LinkPath("website.url");
  std::error_code ec;
  if (std::filesystem::exists(link, ec)) ctx.Platform.GetDesktop().ShellOpen(link.string(), "");
}

void EnterHelpScreen(TScreenContext& ctx) {
  ctx.State.HelpPage = 0;
  ctx.State.HelpLastPage = 4;
  ShowHelpPage(ctx);
  ShowForm(ctx, "scr_help", true);
}

void TurnHelpPage(TScreenContext& ctx, int step) {
  ctx.PlaySound("check");
  int& page = ctx.State.HelpPage;
  if (step > 0 && page < ctx.State.HelpLastPage) ++page;
  if (step < 0 && page > 0) --page;
  ShowHelpPage(ctx);
}

void LeaveOptionsScreen(TScreenContext& ctx) {
  ShowForm(ctx, "scr_options", false);
  SaveSettings(ctx);
}

void EnterSoundScreen(TScreenContext& ctx) {
  ShowForm(ctx, "scr_sound", true);
  const int music = ctx.Settings.MusicVolume;
  const int fx = ctx.Settings.FxVolume;
  SetGauge(ctx, "bar_music", music);
  SetGauge(ctx, "bar_fx", fx);
  SetEnabled(ctx, "b_sound_musicmax", music < kVolumeMax);
  SetEnabled(ctx, "b_sound_musicmin", music > 0);
  SetEnabled(ctx, "b_sound_fxmax", fx < kVolumeMax);
  SetEnabled(ctx, "b_sound_fxmin", fx > 0);
}

namespace {

// One volume step; the buttons of the bound reached are disabled, both are enabled after a move.
void StepVolume(TScreenContext& ctx, int& volume, int step, const char* minButton, const char* maxButton) {
  if (step < 0 && volume > 0) {
    volume -= kVolumeStep;
    SetEnabled(ctx, minButton, true);
    SetEnabled(ctx, maxButton, true);
  }
  if (step > 0 && volume < kVolumeMax) {
    volume += kVolumeStep;
    SetEnabled(ctx, minButton, true);
    SetEnabled(ctx, maxButton, true);
  }
  if (step < 0 && volume <= 0) SetEnabled(ctx, minButton, false);
  if (step > 0 && volume >= kVolumeMax) SetEnabled(ctx, maxButton, false);
}

}  // namespace

void StepMusicVolume(TScreenContext& ctx, int step) {
  int volume = ctx.Settings.MusicVolume;
  StepVolume(ctx, volume, step, "b_sound_musicmin", "b_sound_musicmax");
  ctx.SetMusicVolume(volume);
  SetGauge(ctx, "bar_music", volume);
  ctx.PlaySound("check");
}

void StepFxVolume(TScreenContext& ctx, int step) {
  StepVolume(ctx, ctx.Settings.FxVolume, step, "b_sound_fxmin", "b_sound_fxmax");
  SetGauge(ctx, "bar_fx", ctx.Settings.FxVolume);
  ctx.PlaySound("check");
}

void EnterGraphicsScreen(TScreenContext& ctx) {
  ShowForm(ctx, "scr_graphics", true);
  SetSwitch(ctx, "b_fullscreen", ctx.Settings.FullScreen);
  SetSwitch(ctx, "b_antialias", ctx.Settings.Antialias);
}

void ToggleFullScreen(TScreenContext& ctx) {
  ctx.PlaySound("check");
  ctx.Device.SetByIndex(0, !ctx.Device.Windowed());
  platform::Window& window = ctx.Platform.GetWindow();
  if (ctx.Device.Windowed()) {
    window.SetPosition(platform::CentredOn(window.ScreenSize(), window.WindowedSize()));
  } else {
    window.SetPosition({0, 0});
    ctx.PointerOffsetX = 0;
    ctx.PointerOffsetY = 0;
  }
  ctx.Settings.FullScreen = !ctx.Device.Windowed();
  SetSwitch(ctx, "b_fullscreen", ctx.Settings.FullScreen);
}

void ToggleAntialias(TScreenContext& ctx) {
  ctx.PlaySound("check");
  ctx.MyCanvas.SetAntialias(!ctx.MyCanvas.Antialias());
  ctx.Settings.Antialias = ctx.MyCanvas.Antialias();
  SetSwitch(ctx, "b_antialias", ctx.Settings.Antialias);
}

void EnterControlsScreen(TScreenContext& ctx) {
  ShowForm(ctx, "scr_controls", true);
  ShowBindings(ctx);
}

void DefaultControls(TScreenContext& ctx) {
  ctx.PlaySound("check");
  for (const char* name : kBindingEdits) {
    if (TGuiEdit* edit = Find<TGuiEdit>(ctx, name)) GiveKeyBack(ctx, edit->KeyCode);
  }
  for (size_t i = 0; i < std::size(kBindingEdits); ++i) {
    ctx.Settings.Keys[i] = ctx.Settings.DefaultKeys[i];
    TakeKey(ctx, ctx.Settings.Keys[i]);
  }
  ShowBindings(ctx);
}

void LeaveControlsScreen(TScreenContext& ctx) {
  for (size_t i = 0; i < std::size(kBindingEdits); ++i) {
    if (TGuiEdit* edit = Find<TGuiEdit>(ctx, kBindingEdits[i])) {
      // Hiding ends a capture still waiting for its key.
      edit->Hide();
      edit->Show();
      ctx.Settings.Keys[i] = edit->KeyCode;
    }
  }
  ShowForm(ctx, "scr_controls", false);
}

}  // namespace zb
