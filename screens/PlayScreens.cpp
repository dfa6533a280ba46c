#include "screens/PlayScreens.h"

#include "app/Form1.h"
#include "engine/platform/Keys.h"
#include "game/Bat.h"
#include "game/Scenery.h"
#include "screens/ScreenMachine.h"

namespace zb {
namespace {

void ShowForm(TForm1& form, const char* name, bool show) {
  TGuiControl* control = form.GuiBase.FindControl(name);
  if (control == nullptr) return;
  control->SetVisible(show);
  if (show) {
    control->BringToFront();
  } else {
    control->SendToBack();
  }
}

void SetCursorVisible(TForm1& form, bool visible) {
  if (form.Cursor != nullptr) form.Cursor->Visible = visible;
}

}  // namespace

void EnterExitToMenuScreen(TForm1& form) {
  form.CurrentScreen = ScreenExitToMenu;
  ShowForm(form, "scr_exittomm", true);
  SetCursorVisible(form, true);
}

void ProcessExitToMenuScreen(TForm1& form) {
  if (form.KeysReleased[vk::Escape]) {
    ResumeFromExitToMenu(form);
  }
  RenderAndPresent(form);
}

void LeaveExitToMenuScreen(TForm1& form) { ShowForm(form, "scr_exittomm", false); }

void ResumeFromExitToMenu(TForm1& form) {
  form.PlaySound("check");
  SetCursorVisible(form, false);
  LeaveScreen(form, ScreenExitToMenu);
  form.CurrentScreen = ScreenGame;
}

void EnterPauseScreen(TForm1& form) {
  form.CurrentScreen = ScreenPause;
  SetCursorVisible(form, true);
}

void ProcessPauseScreen(TForm1& form) {
  RenderAndPresent(form);
  if (form.KeysReleased[vk::F1] || form.KeysReleased[vk::P]) {
    form.PlaySound("check");
    LeaveScreen(form, ScreenPause);
    form.CurrentScreen = ScreenGame;
  }
}

void LeavePauseScreen(TForm1& form) { SetCursorVisible(form, false); }

void EnterLevelStartScreen(TForm1& form) {
  form.CurrentScreen = ScreenLevelStart;
  form.Game.LevelTitle = &form.GameEngine.Create<TLevelTitle>(form);
  form.Game.ScreenTicks = 0;
  if (TBita* bat = form.Game.Bita.Get()) {
    if (TMonkeyFace* face = bat->Face.Get()) face->Visible = true;
  }
}

void ProcessLevelStartScreen(TForm1& form) {
  form.Device.Render(0, true);
  form.Device.Flip();
}

void LeaveLevelStartScreen(TForm1& form) {
  form.PlaySound("startlevel");
  if (form.Game.LevelTitle != nullptr) form.Game.LevelTitle->Kill();
}

}  // namespace zb
