#include "game/PlayCore.h"

#include <bit>
#include <type_traits>
#include <string_view>

#include "game/Ball.h"
#include "game/Bonus.h"
#include "game/LifeLost.h"

namespace zb {
namespace {

// FNV-1a over the values fed in, in order.
class THasher {
 public:
  template <class T>
  void Add(T value) {
    if constexpr (std::is_same_v<T, float>) {
      AddBytes(std::bit_cast<uint32_t>(value));
    } else if constexpr (std::is_same_v<T, double>) {
      AddBytes(std::bit_cast<uint64_t>(value));
    } else {
      AddBytes(static_cast<uint64_t>(value));
    }
  }
  void Add(std::string_view text) {
    for (const char c : text) Mix(static_cast<uint8_t>(c));
    Mix(0);
  }
  uint64_t Value() const { return hash_; }

 private:
  template <class U>
  void AddBytes(U bits) {
    for (size_t i = 0; i < sizeof(U); ++i) Mix(static_cast<uint8_t>(bits >> (8 * i)));
  }
  void Mix(uint8_t byte) { hash_ = (hash_ ^ byte) * 0x100000001B3ull; }

  uint64_t hash_ = 0xCBF29CE484222325ull;
};

void AddRecord(THasher& h, const TGameState& g, bool whole) {
  if (whole) h.Add(g.ScreenTicks);
  for (const int32_t value : {g.LevelNumber, g.Lives, g.Score, g.BallCount, g.BlocksLeft,
                              g.StallTicks, g.BonusTimeLeft, g.BonusDuration, g.BonusesFalling, g.ThrowCooldown,
                              g.KeyImageFrame, g.SpeechLine, g.ClockTicks}) {
    h.Add(value);
  }
  for (const bool flag : {g.LevelCleared, g.LifeLostFlag, g.GameOverFlag, g.BananaMode, g.BonusImageShown,
                          g.KeyComplete, g.SpeechWaiting}) {
    h.Add(flag);
  }
  for (const bool lit : g.FireOn) h.Add(lit);
  h.Add(g.Difficulty);
  h.Add(std::string_view(g.ShownScore));
  // The generator's next draw stands for its state.
  TRandom next = g.Random;
  h.Add(next.Next(1 << 30));
}

void AddSprite(THasher& h, const TSprite& s) {
  h.Add(s.X);
  h.Add(s.Y);
  h.Add(s.Z());
  h.Add(s.PatternIndex);
  h.Add(s.Visible);
  h.Add(s.Dead());
  h.Add(s.Alpha);
  h.Add(std::string_view(s.ImageName));
  if (const auto* ball = dynamic_cast<const TBall*>(&s)) {
    h.Add(ball->VelocityX);
    h.Add(ball->VelocityY);
    h.Add(ball->Speed);
    h.Add(ball->OnBat);
    h.Add(ball->Super);
  }
}

}  // namespace

std::vector<PlayStep> PlaySteps(PlayPhase phase) {
  using S = PlayStep;
  switch (phase) {
    case PlayPhase::Playing: return {S::RemoveDead, S::Move, S::Particles, S::CountUpScore};
    case PlayPhase::LifeLost: return {S::Collide, S::RemoveDead, S::Move, S::Particles, S::CountUpScore};
    case PlayPhase::LevelStart: return {S::RemoveDead, S::Move, S::Particles, S::CountUpScore};
    default: return {S::Collide, S::RemoveDead, S::Move, S::Particles};
  }
}

void TPlayCore::Run(PlayStep step) {
  switch (step) {
    case PlayStep::Collide: Engine.CheckCollisions(); break;
    case PlayStep::RemoveDead: Engine.RemoveDead(); break;
    case PlayStep::Move: Engine.MoveAll(kTickSeconds); break;
    case PlayStep::Particles: Particles.UpdateAll(kTickSeconds * 10.0f, drawn_); break;
    case PlayStep::CountUpScore:
      if (Play.Is(PlayPhase::Playing)) Game.CountUpShownScore();
      break;
  }
}

void TPlayCore::EndTick() {
  using Kind = TPlayEvent::Kind;
  if (Play.Is(PlayPhase::LifeLost)) {
    if (LifeLostStep(Play)) {
      Play.Phase = PlayPhase::Playing;
      Play.Raise(Kind::Served);
    }
    return;
  }
  if (!Play.Is(PlayPhase::Playing)) return;
  // In this order: a tick that loses the last ball and breaks the last brick ends the level.
  if (Game.LifeLostFlag) {
    StartLifeLost(Play);
    Play.Phase = PlayPhase::LifeLost;
    Play.Raise(Kind::LifeLost);
  }
  if (Game.GameOverFlag) {
    Game.SetShownScore(Game.Score);
    Play.Phase = PlayPhase::Frozen;
    Play.Raise(Kind::GameOver);
  }
  if (Game.LevelCleared) {
    Game.SetShownScore(Game.Score);
    Play.Phase = PlayPhase::StageComplete;
    Play.Raise(Kind::LevelCleared);
  }
}

void TPlayCore::StartClock() {
  if (Game.ClockRunning) return;
  Game.ClockRunning = true;
  Game.ClockTicks = 0;
}

bool TPlayCore::ClockStep() { return Game.ClockRunning && ++Game.ClockTicks % kTicksPerClockStep == 0; }

void TPlayCore::Tick(const TPlayInput& input) {
  SetInput(input);
  for (const PlayStep step : PlaySteps(Play.Phase)) Run(step);
  EndTick();
  if (ClockStep() && Play.Is(PlayPhase::Playing)) BonusClockTick(Play);
}

uint64_t TPlayCore::StateHash() const { return Hash(true); }

uint64_t TPlayCore::PlayStateHash() const { return Hash(false); }

uint64_t TPlayCore::Hash(bool whole) const {
  THasher h;
  AddRecord(h, Game, whole);
  for (int i = 0; i < Engine.Count(); ++i) {
    const TSprite* sprite = Engine.SpriteAt(i);
    if (sprite != nullptr && (whole || (sprite->Name != "cursor" && !sprite->Dead()))) AddSprite(h, *sprite);
  }
  if (whole) h.Add(Particles.Count());
  h.Add(static_cast<uint8_t>(Play.Phase));
  return h.Value();
}

}  // namespace zb
