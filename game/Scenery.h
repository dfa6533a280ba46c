#pragma once

#include <string>

#include "engine/GfxSprite.h"
#include "engine/XParticles.h"

namespace zb {

struct TPlayContext;

// The sky: three pieces scroll left at half a pixel a tick and wrap from -800 to 800.
class TSky : public TSprite {
 public:
  TSky(TSpriteEngine& engine, float x);
  void Move(float delta) override;
};

// The background picture with the live waterfalls drawn just above it.
class TBack : public TSprite {
 public:
  TBack(TSpriteEngine& engine, TPlayContext& play);
  void Draw() override;

 private:
  TPlayContext& play_;
};

// A swaying plant: its angle follows a sine around the base angle.
class TLeaf : public TSprite {
 public:
  // `baseAngleDegrees` and `amplitude` (radians) as the plant table gives them.
  TLeaf(TSpriteEngine& engine, TPlayContext& play, int type, float x, float y, double baseAngleDegrees,
        double amplitude);
  void Move(float delta) override;
  void Draw() override;
  void Kill() override;

  double BaseAngle;  // radians
  double Amplitude;
  int32_t SwayPhase = 0;
  int32_t SwayStep = 1;
  double SwaySpeed;

 private:
  TPlayContext& play_;
};

// The six plants of the playfield, stored in the game state's `Leaves`.
void CreateLeaves(TSpriteEngine& engine, TPlayContext& play);

// The left panel picture under the HUD.
class TPanel : public TSprite {
 public:
  explicit TPanel(TSpriteEngine& engine);
};

// A translucent black copy of its owner's image; the owner moves it.
class TShadow : public TSprite {
 public:
  TShadow(TSpriteEngine& engine, TPlayContext& play, const std::string& imageName, int z);
  void Draw() override;

 private:
  TPlayContext& play_;
};

// The crumbling of a lost ball: eight frames, a pause, then a fade.
class TBallCrush : public TSprite {
 public:
  TBallCrush(TSpriteEngine& engine, float x, float y, bool big);
  void Move(float delta) override;

  int32_t Counter = 1;
};

// A picture centred on a point, starting transparent; its screen raises the alpha.
class TMenuSprite : public TSprite {
 public:
  TMenuSprite(TSpriteEngine& engine, const std::string& imageName, float centreX, float centreY);
};

// The stage-intro title: rolls in, shows the level number, fades, and at its tick 236 bursts
// and reports that the intro is over; the level-start screen then returns to play.
class TLevelTitle : public TSprite {
 public:
  TLevelTitle(TSpriteEngine& engine, TPlayContext& play);
  void Move(float delta) override;
  void Draw() override;
  void Kill() override;
  bool Ended() const { return ended_; }

  static constexpr int32_t kEndTick = 236;
  int32_t Ticks = 0;
  TXParticleRef Trail;
  bool TrailOn = false;

 private:
  TPlayContext& play_;
  bool ended_ = false;
};

}  // namespace zb
