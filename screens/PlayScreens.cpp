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
  ShowForm(ctx, "scr_exittomm", true);
  ShowCursor(ctx, true);
}

void ProcessExitToMenuScreen(TScreenContext& ctx) {
  if (ctx.KeysReleased[vk::Escape]) ResumeFromExitToMenu(ctx);
}

void LeaveExitToMenuScreen(TScreenContext& ctx) { ShowForm(ctx, "scr_exittomm", false); }

void ResumeFromExitToMenu(TScreenContext& ctx) {
  ctx.PlaySound("check");
  ShowCursor(ctx, false);
  ResumePlay(ctx, ScreenExitToMenu);
}

void EnterPauseScreen(TScreenContext& ctx) { ShowCursor(ctx, true); }

void SettlePauseScreen(TScreenContext& ctx) {
  if (ctx.KeysReleased[vk::F1] || ctx.KeysReleased[vk::P]) {
    ctx.PlaySound("check");
    ResumePlay(ctx, ScreenPause);
  }
}

void LeavePauseScreen(TScreenContext& ctx) { ShowCursor(ctx, false); }

void EnterLevelStartScreen(TScreenContext& ctx) {
  ctx.Game.LevelTitle = &ctx.Play.Engine.Create<TLevelTitle>(ctx.Play);
  ctx.Game.ScreenTicks = 0;
  if (TBita* bat = ctx.Game.Bita.Get()) {
    if (TMonkeyFace* face = bat->Face.Get()) face->Visible = true;
  }
}

void SettleLevelStartScreen(TScreenContext& ctx) {
  // The title's own counter ends the intro.
  const TLevelTitle* title = ctx.Game.LevelTitle;
  if (title != nullptr && title->Ended()) ResumePlay(ctx, ScreenLevelStart);
}

void LeaveLevelStartScreen(TScreenContext& ctx) {
  ctx.PlaySound("startlevel");
  if (ctx.Game.LevelTitle != nullptr) ctx.Game.LevelTitle->Kill();
}

}  // namespace zb
