#pragma once

#include "engine/GfxSprite.h"

namespace zb {

struct TPlayContext;
class TShadow;
class TBonusFace;

// A falling bonus: an invisible carrier whose face the player sees. It is caught when it
// touches the bat, and removed when it falls past the bottom.
class TBonus : public TSprite {
 public:
  TBonus(TSpriteEngine& engine, TPlayContext& play, int32_t kind, float x, float y);
  void Move(float delta) override;
  // Kills the face, its shadow and the carrier, and frees the slot of a falling bonus.
  void Remove();

  int32_t Kind;
  int32_t Duration;
  TBonusFace* BonusFace = nullptr;

 private:
  TPlayContext& play_;
};

// What falls: the kind's picture, animated, at 0.8 of its size, with its own shadow.
class TBonusFace : public TAnimatedSprite {
 public:
  TBonusFace(TSpriteEngine& engine, TPlayContext& play, int32_t kind, float x, float y);
  void Kill() override;

  TShadow* Shadow = nullptr;
};

// The catch test against the bat and the kind's effect.
void CatchBonus(TPlayContext& play, TBonus& bonus);
// Undoes every timed effect at once.
void EndTimedEffects(TPlayContext& play);
// One 100 ms step of the running timed bonus: the flames go out one by one, then the bonus ends.
void BonusClockTick(TPlayContext& play);

}  // namespace zb
