#pragma once

namespace zb {

struct TScreenContext;

// The screens that stand over a running level: the question of going back to the menu (0),
// the pause (17) and the level start with its rolling title (28).
void EnterExitToMenuScreen(TScreenContext& ctx);
void ProcessExitToMenuScreen(TScreenContext& ctx);  // Escape answers no
void LeaveExitToMenuScreen(TScreenContext& ctx);
// "b_exitmm_no": back to play without reloading the level.
void ResumeFromExitToMenu(TScreenContext& ctx);

void EnterPauseScreen(TScreenContext& ctx);
void SettlePauseScreen(TScreenContext& ctx);  // F1 or P ends the pause
void LeavePauseScreen(TScreenContext& ctx);

void EnterLevelStartScreen(TScreenContext& ctx);
void SettleLevelStartScreen(TScreenContext& ctx);  // play starts when the title has rolled by
void LeaveLevelStartScreen(TScreenContext& ctx);

}  // namespace zb
