#pragma once

// A play core without a window: its record, sprite engine and particle manager, drawn with a
// list of images of its own.

#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "game/PlayCore.h"

namespace zb::test {

struct TestPlayfield {
  TestPlayfield() { core.SetPhase(PlayPhase::Playing); }

  TGfxImages images;
  TGfxFonts fonts;
  TPlayCore core{fonts};
  TGameState& game = core.Game;
  TSpriteEngine& engine = core.Engine;
  TXParticleManager& particles = core.Particles;
  TPlayContext& play = core.Play;
};

}  // namespace zb::test
