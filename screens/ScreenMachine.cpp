#include "screens/ScreenMachine.h"

#include "screens/ScreenContext.h"
#include "engine/platform/Keys.h"
#include "screens/GameScreen.h"
#include "screens/MenuScreens.h"
#include "screens/PlayScreens.h"
#include "screens/PlayerScreens.h"
#include "screens/SpeechScreen.h"
#include "screens/StageScreens.h"
#include "screens/ClosingScreens.h"

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

void RenderAndPresent(TScreenContext& ctx) {
  ctx.Device.Render(0, true);
  ctx.GuiBase.Update();
  ctx.Device.Flip();
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

void FormEnter(TScreenContext& ctx, uint8_t number) {
  SetCurrentScreen(ctx, number);
  const char* name = ScreenFormName(number);
  TGuiControl* control = name != nullptr ? ctx.GuiBase.FindControl(name) : nullptr;
  if (control == nullptr) return;
  control->SetVisible(true);
  control->BringToFront();
}

void FormLeave(TScreenContext& ctx, uint8_t number) {
  const char* name = ScreenFormName(number);
  TGuiControl* control = name != nullptr ? ctx.GuiBase.FindControl(name) : nullptr;
  if (control == nullptr) return;
  control->SetVisible(false);
  control->SendToBack();
}

void DrawMenuBackground(TScreenContext& ctx) {
  // The canvas batches until the end of the scene, so this lands under everything rendered next.
  ctx.MyCanvas.DrawImage(ctx.Images.FindImage("back"), 0, 0, 0, fxBlend);
}

void MenuProcess(TScreenContext& ctx, std::string_view escapeButton) {
  if (!escapeButton.empty() && ctx.KeysReleased[vk::Escape]) RunButton(ctx, escapeButton);
  DrawMenuBackground(ctx);
  RenderAndPresent(ctx);
}

void Go(TScreenContext& ctx, uint8_t from, uint8_t to) {
  ctx.PlaySound("check");
  LeaveScreen(ctx, from);
  EnterScreen(ctx, to);
}

void RunButton(TScreenContext& ctx, std::string_view name) {
  TGuiControl* control = ctx.GuiBase.FindControl(name);
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

void ProcessScreen(TScreenContext& ctx, uint8_t number) {
  number &= 127;
  if (!IsScreen(number)) return;
  switch (number) {
    case ScreenExitToMenu: ProcessExitToMenuScreen(ctx); return;
    case ScreenEnterName: ProcessEnterNameScreen(ctx); return;
    case ScreenLogo: ProcessLogoScreen(ctx); return;
    case ScreenMainMenu: ProcessMainMenuScreen(ctx); return;
    case ScreenHelp:
    case ScreenOptions:
    case ScreenHighScore:
    case ScreenClearScores:
    case ScreenExitGame:
    case ScreenChooseDifficulty:
    case ScreenDeletePlayer:
    case ScreenSound:
    case ScreenGraphics:
    case ScreenControls: MenuProcess(ctx, EscapeButton(number)); return;
    case ScreenGame: ProcessGameScreen(ctx); return;
    case ScreenPause: ProcessPauseScreen(ctx); return;
    case ScreenCreatePlayer: ProcessCreatePlayerScreen(ctx); return;
    case ScreenChangePlayer: ProcessChangePlayerScreen(ctx); return;
    case ScreenLevelStart: ProcessLevelStartScreen(ctx); return;
    case ScreenLifeLost: ProcessLifeLostScreen(ctx); return;
    case ScreenStageComplete: ProcessStageCompleteScreen(ctx); return;
    case ScreenGameOver: ProcessGameOverScreen(ctx); return;
    case ScreenSpeech: ProcessSpeechScreen(ctx); return;
    case ScreenEndGame: ProcessEndGameScreen(ctx); return;
    case ScreenYourScore: ProcessYourScoreScreen(ctx); return;
    case ScreenCountry: ProcessCountryScreen(ctx); return;
    case ScreenSendScore: ProcessSendScoreScreen(ctx); return;
    case ScreenShare:
      // Escape asks to close; the window allows it once the countdown is over.
      RenderAndPresent(ctx);
      if (ctx.KeysReleased[vk::Escape]) ctx.Close();
      return;
    default: break;
  }
  RenderAndPresent(ctx);
}

void EnterScreen(TScreenContext& ctx, uint8_t number) {
  number &= 127;
  if (!IsScreen(number)) return;
  switch (number) {
    case ScreenExitToMenu: EnterExitToMenuScreen(ctx); return;
    case ScreenEnterName: EnterEnterNameScreen(ctx); return;
    case ScreenLogo: EnterLogoScreen(ctx); return;
    case ScreenMainMenu: EnterMainMenuScreen(ctx); return;
    case ScreenHelp: EnterHelpScreen(ctx); return;
    case ScreenHighScore: EnterHighScoreScreen(ctx); return;
    case ScreenOptions:
    case ScreenClearScores:
    case ScreenExitGame:
    case ScreenChooseDifficulty: FormEnter(ctx, number); return;
    case ScreenGame: EnterGameScreen(ctx); return;
    case ScreenPause: EnterPauseScreen(ctx); return;
    case ScreenCreatePlayer: EnterCreatePlayerScreen(ctx); return;
    case ScreenChangePlayer: EnterChangePlayerScreen(ctx); return;
    case ScreenDeletePlayer: EnterDeletePlayerScreen(ctx); return;
    case ScreenSound: EnterSoundScreen(ctx); return;
    case ScreenGraphics: EnterGraphicsScreen(ctx); return;
    case ScreenControls: EnterControlsScreen(ctx); return;
    case ScreenLevelStart: EnterLevelStartScreen(ctx); return;
    case ScreenLifeLost: EnterLifeLostScreen(ctx); return;
    case ScreenStageComplete: EnterStageCompleteScreen(ctx); return;
    case ScreenGameOver: EnterGameOverScreen(ctx); return;
    case ScreenSpeech: EnterSpeechScreen(ctx); return;
    case ScreenEndGame: EnterEndGameScreen(ctx); return;
    case ScreenYourScore: EnterYourScoreScreen(ctx); return;
    case ScreenCountry: EnterCountryScreen(ctx); return;
    case ScreenSendScore: EnterSendScoreScreen(ctx); return;
    default: break;
  }
  SetCurrentScreen(ctx, number);
  if (number == ScreenShare) {
    // Without a page the closing screen closes the window straight away.
    if (ctx.Share.Enter()) {
      ctx.Timer1.SetEnabled(true, ctx.Platform.GetClock().TickCount());
    } else {
      ctx.Close();
    }
  }
}

void LeaveScreen(TScreenContext& ctx, uint8_t number) {
  number &= 127;
  if (!IsScreen(number)) return;
  switch (number) {
    case ScreenExitToMenu: LeaveExitToMenuScreen(ctx); break;
    case ScreenLogo: LeaveLogoScreen(ctx); break;
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
    case ScreenGraphics: FormLeave(ctx, number); break;
    case ScreenOptions: LeaveOptionsScreen(ctx); break;
    case ScreenGame: LeaveGameScreen(ctx); break;
    case ScreenPause: LeavePauseScreen(ctx); break;
    case ScreenChangePlayer: LeaveChangePlayerScreen(ctx); break;
    case ScreenControls: LeaveControlsScreen(ctx); break;
    case ScreenLevelStart: LeaveLevelStartScreen(ctx); break;
    case ScreenStageComplete: LeaveStageCompleteScreen(ctx); break;
    case ScreenGameOver:
    case ScreenYourScore:
    case ScreenSendScore: FormLeave(ctx, number); break;
    case ScreenSpeech: LeaveSpeechScreen(ctx); break;
    case ScreenEndGame: FormLeave(ctx, ScreenMainMenu); break;
    case ScreenCountry: LeaveCountryScreen(ctx); break;
    default: break;
  }
}

}  // namespace zb
