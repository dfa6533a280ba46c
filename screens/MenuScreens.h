#pragma once

#include <cstdint>
#include <string>

namespace zb {

struct TScreenContext;

// The start-up logo (3): a picture that fades in and out, then the first screen.
void EnterLogoScreen(TScreenContext& ctx);
void ProcessLogoScreen(TScreenContext& ctx);
// The logo ends once its time is up and the start-up content has loaded.
void SettleLogoScreen(TScreenContext& ctx);
void LeaveLogoScreen(TScreenContext& ctx);
inline constexpr int kLogoTicks = 385;

// The main menu (4) greets the current player.
void EnterMainMenuScreen(TScreenContext& ctx);
// "Продолжить" with the level and score of the current player's checkpoint, shown when there is
// one that reads; a damaged one is named to the player once and left as it is.
void OfferCheckpoint(TScreenContext& ctx);
// "b_mainmenu_continue": the checkpoint's game is played again headless first; one that does not
// come to the state it claims is set aside as ".bad" with a message, else the game goes on.
void ContinueFromMenu(TScreenContext& ctx);
// 52300 as "52 300".
std::string GroupedScore(int32_t score);
// "b_mainmenu_logo": the web site link beside the program, when there is one.
void OpenWebsiteLink(TScreenContext& ctx);

// Help (6): five picture pages.
void EnterHelpScreen(TScreenContext& ctx);
void TurnHelpPage(TScreenContext& ctx, int step);

// The options hub (7) saves the settings whenever it is left.
void LeaveOptionsScreen(TScreenContext& ctx);

// Sound (25): music and effect volume in steps of 25 within 0..250.
void EnterSoundScreen(TScreenContext& ctx);
void StepMusicVolume(TScreenContext& ctx, int step);
void StepFxVolume(TScreenContext& ctx, int step);

// Graphics (26): the full screen and antialias switches.
void EnterGraphicsScreen(TScreenContext& ctx);
void ToggleFullScreen(TScreenContext& ctx);
void ToggleAntialias(TScreenContext& ctx);

// Controls (27): the three bindable keys.
void EnterControlsScreen(TScreenContext& ctx);
void LeaveControlsScreen(TScreenContext& ctx);
void DefaultControls(TScreenContext& ctx);

}  // namespace zb
