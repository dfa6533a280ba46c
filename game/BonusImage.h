#pragma once

#include "engine/GfxSprite.h"
#include "engine/XParticles.h"

namespace zb {

class TForm1;
class TShadow;

// The picture of a caught bonus: it flies to the score, to the lives or to the bonus spot in
// the flame ring. Money and life pay out on arrival; a timed picture stays until its bonus ends.
class TBonusImage : public TAnimatedSprite {
 public:
  TBonusImage(TSpriteEngine& engine, TForm1& form, int32_t kind, float x, float y);
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
  TForm1& form_;
};

// Puts out every lit flame of the ring (its particles fade), then lights all nine anew.
void LightFlameRing(TForm1& form);
// Stops the emission of one flame; `clear` removes its particles at once.
void PutOutFlame(TForm1& form, int index, bool clear);

}  // namespace zb
