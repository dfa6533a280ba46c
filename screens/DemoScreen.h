#pragma once

#include "engine/platform/Events.h"

namespace zb {

struct TScreenContext;

// The demo (33): after 30 s without input on the main menu a level plays itself, the game's
// pilot at the bat, with the music of play. The player's record of play, settings and scores are
// the menu's again when it ends: at any press, click or pointer move, at the end of the level or
// of its time.
inline constexpr int kDemoIdleTicks = 3000;  // 30 s of frames at 100 a second
inline constexpr int kDemoTicks = 18000;     // the longest a demo plays
inline constexpr int kDemoDifficulty = 0;

// The main menu's process step: counts the frames without input and starts the demo.
void CountMainMenuIdle(TScreenContext& ctx);
void EnterDemoScreen(TScreenContext& ctx);
// The pilot's keys are the play's input; a lost life runs its collision pass.
void ProcessDemoScreen(TScreenContext& ctx);
// The rules of play settle; the intro gives way to play; the end of the level ends the demo.
void SettleDemoScreen(TScreenContext& ctx);
void LeaveDemoScreen(TScreenContext& ctx);
void DemoClockStep(TScreenContext& ctx);

// A window event seen before anyone else: any press, click or pointer move counts as input. True
// when the event ended a demo, or is the release of the press that did: it goes no further.
bool TakeDemoInput(TScreenContext& ctx, const platform::Event& event);

}  // namespace zb
