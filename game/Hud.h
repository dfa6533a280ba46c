#pragma once

#include <cstdint>

#include "engine/GfxFonts.h"
#include "game/GameState.h"

namespace zb {

// The three numbers of the left panel: level, shown score and lives, each centred on its
// column. During play the shown score first takes one count-up step towards `Score`.
void DrawHud(TGameState& game, bool countUp, const TGfxFonts& fonts);

}  // namespace zb
