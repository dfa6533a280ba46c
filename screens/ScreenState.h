#pragma once

#include <cstdint>

#include "engine/GfxSprite.h"

namespace zb {

// What the menu screens keep between their steps.
struct TScreenState {
  SpriteRef<> LogoSprite;
  int HelpPage = 0;
  int HelpLastPage = 4;
  uint8_t ScoreViewDifficulty = 0;  // the table shown on the high-score screen
};

}  // namespace zb
