#pragma once

namespace zb {

struct TScreenContext;

// The game screen (12): the level is built on entering; each frame is rendered first, then
// Escape, pause, a lost life, game over and a cleared level are checked in that order; leaving
// takes the level down. A level that cannot be built is reported in a message box, torn down,
// and the game goes back to the main menu.
void EnterGameScreen(TScreenContext& ctx);
void ProcessGameScreen(TScreenContext& ctx);
void LeaveGameScreen(TScreenContext& ctx);

}  // namespace zb
