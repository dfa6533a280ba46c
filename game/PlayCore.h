#pragma once

#include <cstdint>
#include <vector>

#include "engine/GfxFonts.h"
#include "engine/GfxSprite.h"
#include "engine/XParticles.h"
#include "game/GameState.h"
#include "game/PlayContext.h"
#include "game/PlayEvents.h"

namespace zb {

// The time one tick of play stands for, whatever the clock says: play advances by steps, never by
// the time a frame took, so the same seed and inputs give the same game on any machine.
inline constexpr float kTickSeconds = 0.001f;
// The ticks of one 100 ms step of the bonus clock, at the game's 100 ticks a second.
inline constexpr int32_t kTicksPerClockStep = 10;

// The state steps of a tick of play, in the order a screen runs them.
enum class PlayStep : uint8_t { Collide, RemoveDead, Move, Particles, CountUpScore };

// The game in progress: its record, its sprites and particle systems, its randomness, and the
// events it raised. A tick takes the player's input, runs the state steps in the order of the
// phase, then the rules that follow the moves; it knows no window, clock or screen.
class TPlayCore {
 public:
  explicit TPlayCore(const TGfxFonts& fonts) : Play(Game, Engine, Particles, fonts) {}
  TPlayCore(const TPlayCore&) = delete;
  TPlayCore& operator=(const TPlayCore&) = delete;

  void SetInput(const TPlayInput& input) { Play.Input = input; }
  void Run(PlayStep step);
  // Frames that are not drawn skip what only drawing reads; the game is the same.
  void SetDrawn(bool drawn) { drawn_ = drawn; }
  // The rules that follow the moves: the start of a lost life, the serve that ends it, game over,
  // the cleared level. The phase changes here are raised as events for the view to follow.
  void EndTick();
  // The bonus clock counts ticks, not time: a slow or a stalled machine plays the same game.
  void StartClock();
  void StopClock() { Game.ClockRunning = false; }
  // Counts a tick; true on the ticks that are a step of the bonus clock.
  bool ClockStep();

  // One whole tick of the phase the core is in, as the play screens run it, without drawing.
  void Tick(const TPlayInput& input);
  std::vector<TPlayEvent> TakeEvents() { return Play.Events.Take(); }
  PlayPhase Phase() const { return Play.Phase; }
  void SetPhase(PlayPhase phase) { Play.Phase = phase; }

  // A 64-bit digest of everything play depends on: the record, every sprite's place and look,
  // the balls' flight, the generator and the particle systems alive.
  uint64_t StateHash() const;
  // The same without what the menus before a game leave behind and play never reads: where the
  // pointer rests, sprites already dead, the ticks of the screen left, the count of particle systems.
  uint64_t PlayStateHash() const;

  TGameState Game;
  // Declared after the record their sprites point into, so they go first.
  TSpriteEngine Engine;
  TXParticleManager Particles;
  TPlayContext Play;

 private:
  uint64_t Hash(bool whole) const;

  bool drawn_ = true;
};

// The state steps of a tick in each phase that moves.
std::vector<PlayStep> PlaySteps(PlayPhase phase);

}  // namespace zb
