#include "screens/ScreenMachine.h"

#include "app/Form1.h"
#include "engine/platform/Keys.h"
#include "game/GameProcedures.h"
#include "screens/MenuScreens.h"
#include "screens/PlayScreens.h"
#include "screens/PlayerScreens.h"

namespace zb {

bool IsScreen(uint8_t number) {
  switch (number) {
    case 2:
    case 5:
    case 11:
    case 16:
    case 21: return false;
    default: return number <= ScreenShare;
  }
}

void RenderAndPresent(TForm1& form) {
  form.Device.Render(0, true);
  form.GuiBase.Update();
  form.Device.Flip();
}

const char* ScreenFormName(uint8_t number) {
  switch (number) {
    case ScreenExitToMenu: return "scr_exittomm";
    case ScreenEnterName: return "scr_entername";
    case ScreenMainMenu: return "scr_mainmenu";
    case ScreenHelp: return "scr_help";
    case ScreenOptions: return "scr_options";
    case ScreenHighScore: return "scr_highscore";
    case ScreenClearScores: return "scr_clear";
    case ScreenExitGame: return "scr_exitgame";
    case ScreenGameOver: return "scr_gameover";
    case ScreenChooseDifficulty: return "scr_choosedif";
    case ScreenStageComplete: return "scr_stagecomplete";
    case ScreenCreatePlayer: return "scr_create";
    case ScreenChangePlayer: return "scr_change";
    case ScreenDeletePlayer: return "scr_delete";
    case ScreenYourScore: return "scr_yourscoreis";
    case ScreenSendScore: return "scr_sendscore";
    case ScreenSound: return "scr_sound";
    case ScreenGraphics: return "scr_graphics";
    case ScreenControls: return "scr_controls";
    case ScreenSpeech: return "scr_speech";
    case ScreenCountry: return "scr_ycountry";
    default: return nullptr;
  }
}

void FormEnter(TForm1& form, uint8_t number) {
  form.CurrentScreen = number;
  const char* name = ScreenFormName(number);
  TGuiControl* control = name != nullptr ? form.GuiBase.FindControl(name) : nullptr;
  if (control == nullptr) return;
  control->SetVisible(true);
  control->BringToFront();
}

void FormLeave(TForm1& form, uint8_t number) {
  const char* name = ScreenFormName(number);
  TGuiControl* control = name != nullptr ? form.GuiBase.FindControl(name) : nullptr;
  if (control == nullptr) return;
  control->SetVisible(false);
  control->SendToBack();
}

void DrawMenuBackground(TForm1& form) {
  // The canvas batches until the end of the scene, so this lands under everything rendered next.
  form.MyCanvas.DrawImage(form.Images.FindImage("back"), 0, 0, 0, fxBlend);
}

void MenuProcess(TForm1& form, std::string_view escapeButton) {
  if (!escapeButton.empty() && form.KeysReleased[vk::Escape]) RunButton(form, escapeButton);
  DrawMenuBackground(form);
  RenderAndPresent(form);
}

void Go(TForm1& form, uint8_t from, uint8_t to) {
  form.PlaySound("check");
  LeaveScreen(form, from);
  EnterScreen(form, to);
}

void RunButton(TForm1& form, std::string_view name) {
  TGuiControl* control = form.GuiBase.FindControl(name);
  if (control != nullptr && control->OnClick) control->OnClick(*control);
}

namespace {

// The escape action of each screen built on the menu process.
std::string_view EscapeButton(uint8_t number) {
  switch (number) {
    case ScreenHelp: return "b_help_back";
    case ScreenOptions: return "b_options_back";
    case ScreenHighScore: return "b_highscore_back";
    case ScreenClearScores: return "b_clear_no";
    case ScreenExitGame: return "b_exit_no";
    case ScreenChooseDifficulty: return "b_choosedif_back";
    case ScreenDeletePlayer: return "b_delete_no";
    case ScreenSound: return "b_sound_back";
    case ScreenGraphics: return "b_graphics_back";
    case ScreenControls: return "b_controls_back";
    default: return {};
  }
}

}  // namespace

// Screens of the game's end, the story and the share screen show their frame and keep their
// number until their own steps exist.
void ProcessScreen(TForm1& form, uint8_t number) {
  number &= 127;
  if (!IsScreen(number)) return;
  switch (number) {
    case ScreenExitToMenu: ProcessExitToMenuScreen(form); return;
    case ScreenEnterName: ProcessEnterNameScreen(form); return;
    case ScreenLogo: ProcessLogoScreen(form); return;
    case ScreenMainMenu: ProcessMainMenuScreen(form); return;
    case ScreenHelp:
    case ScreenOptions:
    case ScreenHighScore:
    case ScreenClearScores:
    case ScreenExitGame:
    case ScreenChooseDifficulty:
    case ScreenDeletePlayer:
    case ScreenSound:
    case ScreenGraphics:
    case ScreenControls: MenuProcess(form, EscapeButton(number)); return;
    case ScreenGame: ProcessGameScreen(form); return;
    case ScreenPause: ProcessPauseScreen(form); return;
    case ScreenCreatePlayer: ProcessCreatePlayerScreen(form); return;
    case ScreenChangePlayer: ProcessChangePlayerScreen(form); return;
    case ScreenLevelStart: ProcessLevelStartScreen(form); return;
    default: break;
  }
  RenderAndPresent(form);
}

void EnterScreen(TForm1& form, uint8_t number) {
  number &= 127;
  if (!IsScreen(number)) return;
  switch (number) {
    case ScreenExitToMenu: EnterExitToMenuScreen(form); return;
    case ScreenEnterName: EnterEnterNameScreen(form); return;
    case ScreenLogo: EnterLogoScreen(form); return;
    case ScreenMainMenu: EnterMainMenuScreen(form); return;
    case ScreenHelp: EnterHelpScreen(form); return;
    case ScreenHighScore: EnterHighScoreScreen(form); return;
    case ScreenOptions:
    case ScreenClearScores:
    case ScreenExitGame:
    case ScreenChooseDifficulty: FormEnter(form, number); return;
    case ScreenGame: EnterGameScreen(form); return;
    case ScreenPause: EnterPauseScreen(form); return;
    case ScreenCreatePlayer: EnterCreatePlayerScreen(form); return;
    case ScreenChangePlayer: EnterChangePlayerScreen(form); return;
    case ScreenDeletePlayer: EnterDeletePlayerScreen(form); return;
    case ScreenSound: EnterSoundScreen(form); return;
    case ScreenGraphics: EnterGraphicsScreen(form); return;
    case ScreenControls: EnterControlsScreen(form); return;
    case ScreenLevelStart: EnterLevelStartScreen(form); return;
    default: break;
  }
  form.CurrentScreen = number;
  if (number == ScreenShare) {
    // Without a share screen the closing screen closes the window straight away.
    form.ShareCountdown = 0;
    form.Close();
  }
}

void LeaveScreen(TForm1& form, uint8_t number) {
  number &= 127;
  if (!IsScreen(number)) return;
  switch (number) {
    case ScreenExitToMenu: LeaveExitToMenuScreen(form); break;
    case ScreenLogo: LeaveLogoScreen(form); break;
    case ScreenEnterName:
    case ScreenMainMenu:
    case ScreenHelp:
    case ScreenHighScore:
    case ScreenClearScores:
    case ScreenExitGame:
    case ScreenChooseDifficulty:
    case ScreenCreatePlayer:
    case ScreenDeletePlayer:
    case ScreenSound:
    case ScreenGraphics: FormLeave(form, number); break;
    case ScreenOptions: LeaveOptionsScreen(form); break;
    case ScreenGame: LeaveGameScreen(form); break;
    case ScreenPause: LeavePauseScreen(form); break;
    case ScreenChangePlayer: LeaveChangePlayerScreen(form); break;
    case ScreenControls: LeaveControlsScreen(form); break;
    case ScreenLevelStart: LeaveLevelStartScreen(form); break;
    default: break;
  }
}

}  // namespace zb
