#pragma once

namespace zb {

struct TScreenContext;

// The game screen (12): the level is built on entering; after each frame's passes the rules of
// play settle, then Escape, pause, a lost life, game over and a cleared level are followed in that
// order; leaving takes the level down. A level that cannot be built is reported in a message box,
// torn down, and the game goes back to the main menu.
void EnterGameScreen(TScreenContext& ctx);
void SettleGameScreen(TScreenContext& ctx);
void LeaveGameScreen(TScreenContext& ctx);
// The five waterfalls of a level built.
void StartWaterfalls(TScreenContext& ctx);
// The bonus clock's 100 ms step.
void GameClockStep(TScreenContext& ctx);

}  // namespace zb
