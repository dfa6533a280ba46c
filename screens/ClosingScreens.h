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
void ProcessSendScoreScreen(TScreenContext& ctx);
// Both answers enter the score into the table and go on to it, or to the menu when it did not
// make the table; `send` then submits it online too.
void AnswerSendScore(TScreenContext& ctx, bool send);

// "b_exitmm_yes": the game ends with the score so far.
void EndGameFromPlay(TScreenContext& ctx);

}  // namespace zb
