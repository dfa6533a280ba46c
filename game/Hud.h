#pragma once

#include <cstdint>

#include "engine/GfxFonts.h"
#include "game/GameState.h"

namespace zb {

// The three numbers of the left panel: level, shown score and lives, each centred on its column.
void DrawHud(const TGameState& game, const TGfxFonts& fonts);

}  // namespace zb
