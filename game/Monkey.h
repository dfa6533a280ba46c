#pragma once

#include "engine/GfxSprite.h"
#include "game/FaceAnimation.h"

namespace zb {

struct TPlayContext;

// The monkey riding on the bat.
class TMonkeyFace : public TSprite {
 public:
  TMonkeyFace(TSpriteEngine& engine, TPlayContext& play, float x, float y);

  int FaceState() const { return Animation.State; }
  // Starts a state at frame 0 with its image.
  void Start(int state);
  // A change asked for by the bat's controls (see TFaceAnimation::Request).
  void Request(int state);

  void Move(float delta) override;
  void Draw() override;

  TFaceAnimation Animation;

 private:
  void ShowAnimation();

  TPlayContext& play_;
};

struct TPlayContext;

// A banana the monkey throws: it flies up, turning, and breaks the bricks it meets.
class TPlayerPula : public TSprite {
 public:
  TPlayerPula(TSpriteEngine& engine, float x, float y);
  void Move(float delta) override;
  void Draw() override;
  // A brick took the hit: the banana hits nothing more and goes on its next tick.
  void Spend() { Spent = true; }

  bool Spent = false;
};

// A banana thrown from (x, y); the bricks test the bananas of the record.
TPlayerPula& ThrowBanana(TPlayContext& play, float x, float y);

}  // namespace zb
