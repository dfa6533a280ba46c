#pragma once

#include <cstdint>

#include "game/LevelFile.h"

namespace zb {

class TForm1;

// One TBlock per BlockGrid cell above 0 inside the level's range, column by column, top to
// bottom; breakable bricks count in BlocksLeft.
void CreateBlocksFromGrid(TForm1& form);

// The whole level start: bat and first ball, scenery, the bricks of the level file, the bonus
// and play state, the keys and the cage, the carried score. A level file that cannot be read
// stops the build after the scenery; the result names the file and the fault.
LevelLoadResult BuildLevel(TForm1& form);

// The three steps of the game screen (12). A level that cannot be built is reported in a
// message box, torn down, and the game goes back to the main menu.
void EnterGameScreen(TForm1& form);
void ProcessGameScreen(TForm1& form);
void LeaveGameScreen(TForm1& form);

// A random bonus kind by the difficulty and the lives.
int32_t ChooseBonusKind(TForm1& form);

}  // namespace zb
