#pragma once

#include "engine/GfxSprite.h"
#include "engine/XParticles.h"
#include "game/Scenery.h"

namespace zb {

struct TPlayContext;

// A ball in play. It flies against the walls and drifts down; bricks and the bat test it in
// their own ticks.
class TBall : public TAnimatedSprite {
 public:
  // Adds one to BallCount; the caller stores the ball in Balls at `slot`.
  TBall(TSpriteEngine& engine, TPlayContext& play, bool super, bool big, float x, float y, int slot);

  void Move(float delta) override;
  void Draw() override;
  // Leaves play: the later balls move down a slot; the last ball sets the life-lost or
  // game-over flag.
  void Kill() override;

  bool Big() const { return BigBall; }
  // Makes the ball (and its shadow) big or normal.
  void SetBig(bool big);
  float CentreX() const { return X + static_cast<float>(PatternWidth()) / 2; }
  float CentreY() const { return Y + static_cast<float>(PatternHeight()) / 2; }

  double VelocityX = 0;
  double VelocityY = 0;
  int DriftTicks = 1;
  double Speed = 0;
  bool OnBat = false;
  bool HitThisTick = false;
  TXParticleRef SuperTrail;
  int Slot = 0;
  bool Super = false;
  bool BigBall = false;
  SpriteRef<TShadow> Shadow;
  bool SuperTrailOn = false;
  double BaseSpeed = 0;
  double SpeedFactor = 0;

 private:
  // A step longer than a brick's turning depth is tested along its way: the ball stops at the
  // first brick it would hit there, where that brick's own test turns or breaks it.
  void StopAtFirstContact(float fromX, float fromY);

  TPlayContext& play_;
};

}  // namespace zb
