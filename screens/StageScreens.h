#pragma once

#include <string_view>

namespace zb {

struct TScreenContext;

// The screens over the playfield when a life is lost (24), a level is cleared (15), the game
// is over (13) and the story has ended (30).
// The lost life runs in the play core; the screen follows it back to play at the serve.
void SettleLifeLostScreen(TScreenContext& ctx);

void EnterStageCompleteScreen(TScreenContext& ctx);
void ProcessStageCompleteScreen(TScreenContext& ctx);
void SettleStageCompleteScreen(TScreenContext& ctx);
void LeaveStageCompleteScreen(TScreenContext& ctx);
// "b_stagecomplete_next": the story scene after the level, or the next level.
void NextStage(TScreenContext& ctx);

void EnterGameOverScreen(TScreenContext& ctx);
void ProcessGameOverScreen(TScreenContext& ctx);
void SettleGameOverScreen(TScreenContext& ctx);

void EnterEndGameScreen(TScreenContext& ctx);
void ProcessEndGameScreen(TScreenContext& ctx);
void LeaveEndGameScreen(TScreenContext& ctx);

// One step of a label counting up to the shown score: by 100 while more than 1000 short, by 10
// while more than 100 short, else by 1. True once the label shows the score.
bool CountUpStep(TScreenContext& ctx, std::string_view label);

}  // namespace zb
