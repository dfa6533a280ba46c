#include "screens/PlayScreens.h"

#include "screens/FormControls.h"
#include "screens/ScreenContext.h"
#include "engine/platform/Keys.h"
#include "game/Bat.h"
#include "game/Scenery.h"
#include "screens/Cursor.h"
#include "screens/ScreenMachine.h"

namespace zb {

void EnterExitToMenuScreen(TScreenContext& ctx) {
  SetCurrentScreen(ctx, ScreenExitToMenu);
  ShowForm(ctx, "scr_exittomm", true);
  ShowCursor(ctx, true);
}

void ProcessExitToMenuScreen(TScreenContext& ctx) {
  if (ctx.KeysReleased[vk::Escape]) {
    ResumeFromExitToMenu(ctx);
  }
  RenderAndPresent(ctx);
}

void LeaveExitToMenuScreen(TScreenContext& ctx) { ShowForm(ctx, "scr_exittomm", false); }

void ResumeFromExitToMenu(TScreenContext& ctx) {
  ctx.PlaySound("check");
  ShowCursor(ctx, false);
  LeaveScreen(ctx, ScreenExitToMenu);
  SetCurrentScreen(ctx, ScreenGame);
}

void EnterPauseScreen(TScreenContext& ctx) {
  SetCurrentScreen(ctx, ScreenPause);
  ShowCursor(ctx, true);
}

void ProcessPauseScreen(TScreenContext& ctx) {
  RenderAndPresent(ctx);
  if (ctx.KeysReleased[vk::F1] || ctx.KeysReleased[vk::P]) {
    ctx.PlaySound("check");
    LeaveScreen(ctx, ScreenPause);
    SetCurrentScreen(ctx, ScreenGame);
  }
}

void LeavePauseScreen(TScreenContext& ctx) { ShowCursor(ctx, false); }

void EnterLevelStartScreen(TScreenContext& ctx) {
  SetCurrentScreen(ctx, ScreenLevelStart);
  ctx.Game.LevelTitle = &ctx.Play.Engine.Create<TLevelTitle>(ctx.Play);
  ctx.Game.ScreenTicks = 0;
  if (TBita* bat = ctx.Game.Bita.Get()) {
    if (TMonkeyFace* face = bat->Face.Get()) face->Visible = true;
  }
}

void ProcessLevelStartScreen(TScreenContext& ctx) {
  ctx.Device.Render(0, true);
  ctx.Device.Flip();
  // The title's own counter ends the intro.
  const TLevelTitle* title = ctx.Game.LevelTitle;
  if (title != nullptr && title->Ended()) {
    LeaveScreen(ctx, ScreenLevelStart);
    SetCurrentScreen(ctx, ScreenGame);
  }
}

void LeaveLevelStartScreen(TScreenContext& ctx) {
  ctx.PlaySound("startlevel");
  if (ctx.Game.LevelTitle != nullptr) ctx.Game.LevelTitle->Kill();
}

}  // namespace zb
