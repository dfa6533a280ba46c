#pragma once

namespace zb {

struct TScreenContext;

// The end of every game: the final score counted up (22), the player's country (31) and the
// question whether to send the score (23), over the playfield or, after the story, over its end.
void EnterYourScoreScreen(TScreenContext& ctx);
void ProcessYourScoreScreen(TScreenContext& ctx);

void EnterCountryScreen(TScreenContext& ctx);
void ProcessCountryScreen(TScreenContext& ctx);
void LeaveCountryScreen(TScreenContext& ctx);

void EnterSendScoreScreen(TScreenContext& ctx);
// Both answers enter the score into the table and go on to it, or to the menu when it did not
// make the table; `send` then submits it online too.
void AnswerSendScore(TScreenContext& ctx, bool send);

// "b_exitmm_yes": the game ends with the score so far.
void EndGameFromPlay(TScreenContext& ctx);

// The closing page (32): its countdown runs on the side timer; a press on one of its buttons
// acts, and the exit button or Escape closes the window once the countdown allows it.
void EnterShareScreen(TScreenContext& ctx);
void SettleShareScreen(TScreenContext& ctx);
void ShareSideTimer(TScreenContext& ctx);
void SharePointerDown(TScreenContext& ctx, int x, int y);

}  // namespace zb
