#pragma once

#include "engine/GfxSprite.h"
#include "game/Monkey.h"
#include "game/Scenery.h"

namespace zb {

struct TPlayContext;
class TBall;

inline constexpr int kBatNormal = 0;
inline constexpr int kBatBig = 1;
inline constexpr int kBatSmall = 2;
inline constexpr int kBatMagnet = 3;

// The drawn bat: frames of several widths that the bat walks through as it grows and shrinks.
class TBitaImage : public TSprite {
 public:
  TBitaImage(TSpriteEngine& engine, TPlayContext& play, float x, float y);
  void Draw() override;

 private:
  TPlayContext& play_;
};

// The bat. Its own sprite is never drawn: it gives the bat's size and place, reads the keys,
// carries and hits the balls and moves its overlay, shadow and monkey.
class TBita : public TAnimatedSprite {
 public:
  TBita(TSpriteEngine& engine, TPlayContext& play, float x, float y);

  // 0 normal, 1 big, 2 small, 3 magnet; the bat is pushed back inside the walls.
  void SetSize(int size);

  void Move(float delta) override;
  void Draw() override;
  void Kill() override;

  double Speed = 0;
  double Velocity = 0;
  int OverlayTicks = 1;
  int Size = kBatNormal;
  SpriteRef<TBitaImage> Overlay;
  int OverlayTargetFrame = 3;
  SpriteRef<TShadow> Shadow;
  SpriteRef<TMonkeyFace> Face;
  int DipStep = 0;
  bool Dipping = false;

 private:
  void MoveOnGameScreen();
  void WalkBack();
  void Controls();
  void PlaceOverlay();
  void StepOverlayFrame();
  void FollowOverlay();
  void HitBalls();
  void HitBall(TBall& ball);
  void Dip();

  TPlayContext& play_;
};

}  // namespace zb
