#pragma once

#include <cstdint>

namespace zb {

// The passes of one frame. Each either changes state (the play steps, the pointer, the closing
// page's hover) or draws; drawing passes change nothing, so a frame that draws nothing leaves the
// game as one that draws everything.
enum class RenderPass : uint8_t {
  BackImageBlended,    // draws image "back" at (0, 0), pattern 0, effect $0504
  EndGameImage,        // draws image "endgame" at (0, 0), effect 1
  BackGameImage,       // draws image "backgame" at (0, 0), effect 1
  Collisions,          // C
  RemoveDead,          // R
  DrawSprites,         // D
  FireRing,            // F: draws the lit flames of the bonus clock
  MoveSprites,         // M
  Gui,                 // G: draws the GUI
  ParticleUpdate,      // PU
  ParticleDraw,        // PD: draws every system
  CountUpScore,        // the shown score's count-up step during play, just before the HUD
  Hud,                 // H: draws level, shown score and lives
  CursorMove,          // CM
  CursorDraw,          // CD
  CursorDrawIfVisible,
  ParticlesOfPlay,     // draws every system but "Bonus", "waterfall" and "dontpaint"
  ParticlesOfPlayNoTail,  // the same, and not "cursortail" either
  ParticlesSalut,      // draws only the systems named "salut"
  PauseText,           // draws "ПАУЗА" in "PauseText"
  SpeechText,          // draws the story text, when showing
  ShareUpdate,         // the closing page's hover follows the pointer
  ShareDraw,
  EditorGrid,          // the editor's grid, bricks, cursor, palette and message
};

// Whether a pass only draws.
bool DrawsOnly(RenderPass pass);

}  // namespace zb
