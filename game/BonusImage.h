#pragma once

#include "engine/GfxSprite.h"
#include "engine/XParticles.h"

namespace zb {

struct TPlayContext;
class TShadow;

// The picture of a caught bonus: it flies to the score, to the lives or to the bonus spot in
// the flame ring. Money and life pay out on arrival; a timed picture stays until its bonus ends.
class TBonusImage : public TAnimatedSprite {
 public:
  TBonusImage(TSpriteEngine& engine, TPlayContext& play, int32_t kind, float x, float y);
  void Move(float delta) override;
  void Draw() override;
  void Kill() override;

  int32_t Kind;
  double FlySpeed = 2.0;
  double FlyAcceleration = 0.4;
  double TargetX, TargetY;
  TXParticleRef Sparkle;  // "Bonus.pss", tagged "Bonus": drawn by the picture only
  bool SparkleOn = false;
  TShadow* Shadow = nullptr;

 private:
  TPlayContext& play_;
};

// Puts out every lit flame of the ring (its particles fade), then lights all nine anew.
void LightFlameRing(TPlayContext& play);
// Stops the emission of one flame; `clear` removes its particles at once.
void PutOutFlame(TPlayContext& play, int index, bool clear);
// A running bonus stops where it stands, when a life is lost, a level ends or the game is over:
// its picture goes and every lit flame is put out with its particles.
void ClearRunningBonus(TPlayContext& play);

}  // namespace zb
