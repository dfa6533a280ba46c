#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "engine/Sound.h"

namespace zb {

// The effects play raises. Each value is the effect's index in the sound table, so the view plays
// a cue without a name lookup.
enum class SoundCue : uint8_t {
  Check = 0,
  BallSide,
  BallGold,
  BallStep,
  BallBat,
  BallCrash,
  BallDead,
  LostLife,
  StartLevel,
  Banana,
  Big,
  Small,
  Magnet,
  ThreeBalls,
  Money,
  ExtraLife,
  FireBall,
  Bananas,
  BigBall,
  GameOver,
  StageComplete,
  OpenDoor,
};
static_assert(kSoundNames[static_cast<size_t>(SoundCue::BallBat)] == "ball_bita");
static_assert(kSoundNames[static_cast<size_t>(SoundCue::Banana)] == "banan");
static_assert(kSoundNames[static_cast<size_t>(SoundCue::OpenDoor)] == "opendoor");
static_assert(static_cast<int>(SoundCue::OpenDoor) == kSoundCount - 1);

// What happened in a tick of play, in the order it happened.
struct TPlayEvent {
  enum class Kind : uint8_t {
    Sound,         // Cue
    ScoreChanged,  // Value: the working score now
    BonusCaught,   // Value: the bonus kind
    BonusEnded,    // Value: the bonus kind
    KeyPart,       // a key part reached the key; Value: the key picture, which shows the parts so far
    LifeLost,      // the last ball is gone and a life remains
    Served,        // the life is taken and a new ball sits on the bat
    LevelCleared,
    GameOver,      // the last ball is gone with the last life
  };
  Kind What = Kind::Sound;
  SoundCue Cue = SoundCue::Check;
  int32_t Value = 0;

  friend bool operator==(const TPlayEvent&, const TPlayEvent&) = default;
};

// The events of play since the view last took them.
class TPlayEvents {
 public:
  void Sound(SoundCue cue) { events_.push_back({TPlayEvent::Kind::Sound, cue, 0}); }
  void Raise(TPlayEvent::Kind what, int32_t value = 0) { events_.push_back({what, SoundCue::Check, value}); }
  bool Empty() const { return events_.empty(); }
  const std::vector<TPlayEvent>& Pending() const { return events_; }
  std::vector<TPlayEvent> Take() { return std::exchange(events_, {}); }

 private:
  std::vector<TPlayEvent> events_;
};

}  // namespace zb
