#pragma once

#include "engine/GfxSprite.h"
#include "game/BlockRules.h"

namespace zb {

struct TPlayContext;
class TBall;

// The bobbing bomb of a bomb brick.
class TBomb : public TSprite {
 public:
  TBomb(TSpriteEngine& engine, TPlayContext& play, float x, float y);
  void Draw() override;

 private:
  TPlayContext& play_;
};

// An invisible marker of a bomb blast: on its first tick it marks the brick under its point,
// then goes.
class TBombPart : public TSprite {
 public:
  TBombPart(TSpriteEngine& engine, float x, float y);
  void Move(float delta) override;
};

// A brick: it tests the balls and bananas near it in its own tick.
class TBlock : public TAnimatedSprite {
 public:
  // The brick of a grid kind, or none for a kind the table does not list.
  static TBlock* Create(TSpriteEngine& engine, TPlayContext& play, float x, float y, int kind);

  TBlock(TSpriteEngine& engine, TPlayContext& play, float x, float y, const TBlockKind& row);

  // Damage 10 normal ball or banana, 20 big ball, 100 fire ball, 200 blast.
  void HitBlock(int damage);
  // Bombs, explosion, points, the level end and its key part; the brick goes. True when the
  // break drops a bonus (the chance came up, none is falling, not gold, more than two left).
  bool BreakBlock();

  // A blast reached the brick: from its next tick on it takes the blast's damage each tick (a
  // gold brick stands it), darkened a little.
  void MarkBlasted();

  void Move(float delta) override;
  void Draw() override;
  void Kill() override;

  // The brick's test of a ball standing at (x, y): near enough, and the rectangles overlap.
  bool Overlaps(const TBall& ball, double x, double y) const;
  // ... and flying with (velocityX, velocityY) from there towards the brick: it would be hit.
  bool WouldHit(const TBall& ball, double x, double y, double velocityX, double velocityY) const;

  bool Gold() const { return Kind == kGoldKind; }
  float CentreX() const { return X + static_cast<float>(PatternWidth()) / 2; }
  float CentreY() const { return Y + static_cast<float>(PatternHeight()) / 2; }

  int Kind = 0;
  int HitPoints = 0;
  bool HasBomb = false;
  SpriteRef<TBomb> Bomb;
  int BombAngle = 0;
  int BombStep = 5;
  bool Blasted = false;

 private:
  void BobBomb();
  void TestBananas();
  void TestBalls();

  TPlayContext& play_;
  TBlockKind row_;
};

}  // namespace zb
