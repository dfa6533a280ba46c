#pragma once

#include <string>

#include "engine/GfxSprite.h"
#include "engine/XParticles.h"

namespace zb {

class TForm1;

// The sky: three pieces scroll left at half a pixel a tick and wrap from -800 to 800.
class TSky : public TSprite {
 public:
  TSky(TSpriteEngine& engine, float x);
  void Move(float delta) override;
};

// The background picture with the live waterfalls drawn just above it.
class TBack : public TSprite {
 public:
  TBack(TSpriteEngine& engine, TForm1& form);
  void Draw() override;

 private:
  TForm1& form_;
};

// A swaying plant: its angle follows a sine around the base angle.
class TLeaf : public TSprite {
 public:
  // `baseAngleDegrees` and `amplitude` (radians) as the plant table gives them.
  TLeaf(TSpriteEngine& engine, TForm1& form, int type, float x, float y, double baseAngleDegrees,
        double amplitude);
  void Move(float delta) override;
  void Kill() override;

  double BaseAngle;  // radians
  double Amplitude;
  int32_t SwayPhase = 0;
  int32_t SwayStep = 1;
  double SwaySpeed;

 private:
  TForm1& form_;
};

// The six plants of the playfield, stored in the game state's `Leaves`.
void CreateLeaves(TSpriteEngine& engine, TForm1& form);

// The left panel picture under the HUD.
class TPanel : public TSprite {
 public:
  explicit TPanel(TSpriteEngine& engine);
};

// A translucent black copy of its owner's image; the owner moves it.
class TShadow : public TSprite {
 public:
  TShadow(TSpriteEngine& engine, TForm1& form, const std::string& imageName, int z);
  void Draw() override;

 private:
  TForm1& form_;
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

// The stage-intro title: rolls in, shows the level number, fades and ends the intro at its
// tick 236 by leaving the level-start screen and returning to play.
class TLevelTitle : public TSprite {
 public:
  TLevelTitle(TSpriteEngine& engine, TForm1& form);
  void Move(float delta) override;
  void Draw() override;
  void Kill() override;

  static constexpr int32_t kEndTick = 236;
  int32_t Ticks = 0;
  TXParticleRef Trail;
  bool TrailOn = false;

 private:
  TForm1& form_;
  bool ended_ = false;
};

// The pointer sprite; it follows the pointer in the window's logical coordinates.
class TCursor : public TSprite {
 public:
  TCursor(TSpriteEngine& engine, TForm1& form);
  void Move(float delta) override;

 private:
  void Follow();
  TForm1& form_;
};

}  // namespace zb
