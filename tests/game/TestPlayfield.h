#pragma once

// A playfield without a window: the game record, a sprite engine and a particle manager behind a
// play context, with the sound cues the sprites raise kept in order.

#include <string>
#include <string_view>
#include <vector>

#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "engine/GfxSprite.h"
#include "engine/XParticles.h"
#include "game/GameState.h"
#include "game/PlayContext.h"

namespace zb::test {

struct TestPlayfield {
  TestPlayfield() {
    play.Sounds = [this](std::string_view name) { sounds.emplace_back(name); };
    play.Phase = PlayPhase::Playing;
  }

  TGfxImages images;
  TGfxFonts fonts;
  TGameState game;
  TSpriteEngine engine;
  TXParticleManager particles;
  TPlayContext play{game, engine, particles, fonts};
  std::vector<std::string> sounds;
};

}  // namespace zb::test
