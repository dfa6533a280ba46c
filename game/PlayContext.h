#pragma once

#include <cstdint>

#include "engine/GfxFonts.h"
#include "engine/GfxSprite.h"
#include "engine/Language.h"
#include "engine/XParticles.h"
#include "game/GameState.h"
#include "game/PlayEvents.h"

namespace zb {

// The few situations of the screens that the playfield's sprites tell apart. Everything else
// (menus, the closing screens) is `Frozen`.
enum class PlayPhase : uint8_t {
  Frozen,
  Playing,        // the game screen
  LevelStart,     // the rolling level title
  LifeLost,       // the bat runs back to the middle
  StageComplete,  // the count-up after a cleared level
  Speech,         // a story scene hides the playfield
  Paused,         // the pause and the question during play
};

// The bound actions as the keys held give them at the start of a frame.
struct TPlayInput {
  bool Right = false;
  bool Left = false;
  bool Action = false;
  bool Up = false;
};

// What the game's sprites and rules see: the game record, the sprite engine and particle manager
// they live in, the fonts they write with, the player's input, the events they raise, and the
// phase of play. The play core owns it; sprites keep a reference, so it outlives every sprite of
// its engine.
struct TPlayContext {
  TPlayContext(TGameState& game, TSpriteEngine& engine, TXParticleManager& particles, const TGfxFonts& fonts)
      : Game(game), Engine(engine), Particles(particles), Fonts(fonts) {}
  TPlayContext(const TPlayContext&) = delete;
  TPlayContext& operator=(const TPlayContext&) = delete;

  void PlaySound(SoundCue cue) { Events.Sound(cue); }
  void Raise(TPlayEvent::Kind what, int32_t value = 0) { Events.Raise(what, value); }
  bool Is(PlayPhase phase) const { return Phase == phase; }

  TGameState& Game;
  TSpriteEngine& Engine;
  TXParticleManager& Particles;
  const TGfxFonts& Fonts;
  TPlayInput Input;
  TPlayEvents Events;
  PlayPhase Phase = PlayPhase::Frozen;
  // The language of every text the game writes.
  TLanguage Language;
};

}  // namespace zb
