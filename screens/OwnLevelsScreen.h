#pragma once

namespace zb {

struct TScreenContext;

// The player's own level sets (41): the sets of the levels folder (".zlv" files dropped there are
// imported first), the local high scores of the chosen one, and the buttons to play, rename and
// delete it. A damaged level of a set is named under the lists and left out of play.
void EnterOwnLevelsScreen(TScreenContext& ctx);
void LeaveOwnLevelsScreen(TScreenContext& ctx);
void ProcessOwnLevelsScreen(TScreenContext& ctx);

// The buttons. Playing goes on to the choice of difficulty; the set is then played level by level.
void PlayOwnSet(TScreenContext& ctx);
void RenameOwnSet(TScreenContext& ctx);
void DeleteOwnSet(TScreenContext& ctx);

// The game screen's level of the set in play; past its last level the game ends as a finished one.
// False when there is no level to play (the screen has moved on).
bool LoadOwnLevel(TScreenContext& ctx);
// "b_yourscore_next": a set's score goes to the set's own table, and its screen shows it.
void YourScoreNext(TScreenContext& ctx);

}  // namespace zb
