#pragma once

#include <cstdint>
#include <filesystem>

#include "game/LevelFile.h"

namespace zb {

struct TPlayContext;

// One TBlock per BlockGrid cell above 0 inside the level's range, column by column, top to
// bottom; breakable bricks count in BlocksLeft.
void CreateBlocksFromGrid(TPlayContext& play);

// The whole level start: bat and first ball, scenery, the bricks of the level file, the bonus
// and play state, the keys and the cage, the carried score. A level file that cannot be read
// stops the build after the scenery; the result names the file and the fault. Level files are
// found under `gameFolder`; with `OwnLevel` set the level is `OwnLevelImage`, played as a plain level.
LevelLoadResult BuildLevel(TPlayContext& play, const std::filesystem::path& gameFolder);

// Removes the level's sprites (all but the pointer and the balls, which go last), stops its
// waterfalls and puts out its flames.
void TearDownLevel(TPlayContext& play);

// A random bonus kind by the difficulty and the lives.
int32_t ChooseBonusKind(TPlayContext& play);

}  // namespace zb
