#include "screens/ScreenMachine.h"

#include "app/Form1.h"
#include "game/GameProcedures.h"
#include "screens/PlayScreens.h"

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

// The screens' own steps (forms, menus, play, story) plug in here; until a screen has
// its own behaviour it shows its frame and keeps its number.
void ProcessScreen(TForm1& form, uint8_t number) {
  number &= 127;
  if (!IsScreen(number)) return;
  switch (number) {
    case ScreenExitToMenu: ProcessExitToMenuScreen(form); return;
    case ScreenGame: ProcessGameScreen(form); return;
    case ScreenPause: ProcessPauseScreen(form); return;
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
    case ScreenGame: EnterGameScreen(form); return;
    case ScreenPause: EnterPauseScreen(form); return;
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
    case ScreenGame: LeaveGameScreen(form); break;
    case ScreenPause: LeavePauseScreen(form); break;
    case ScreenLevelStart: LeaveLevelStartScreen(form); break;
    default: break;
  }
}

}  // namespace zb
