#pragma once

#include <cstdint>
#include <span>

namespace zb {

// The passes of one rendered frame; the order per screen is fixed.
enum class RenderPass : uint8_t {
  BackImageBlended,    // image "back" at (0, 0), pattern 0, effect $0504
  EndGameImage,        // image "endgame" at (0, 0), effect 1
  BackGameImage,       // image "backgame" at (0, 0), effect 1
  Collisions,          // C
  RemoveDead,          // R
  DrawSprites,         // D
  FireRing,            // F: the lit flames of the bonus clock
  MoveSprites,         // M
  Gui,                 // G
  ParticleUpdate,      // PU
  ParticleDraw,        // PD: every system
  Hud,                 // H
  CursorMove,          // CM
  CursorDraw,          // CD
  CursorDrawIfVisible,
  ParticlesOfPlay,     // every system but "Bonus", "waterfall" and "dontpaint"
  ParticlesOfPlayNoTail,  // the same, and not "cursortail" either
  ParticlesSalut,      // only the systems named "salut"
  PauseText,           // "ПАУЗА" in "PauseText"
  SpeechText,          // the story text, when showing
  ShareUpdate,
  ShareDraw,
};

// The passes `DeviceRender` runs for a screen; `gameFinished` selects the end-of-game
// look of the final-score screens.
std::span<const RenderPass> RenderPasses(uint8_t screen, bool gameFinished);

}  // namespace zb
