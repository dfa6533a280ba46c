#pragma once

#include <string>

#include "engine/GfxSprite.h"
#include "engine/XParticles.h"

namespace zb {

struct TPlayContext;

// The image of a key image number: 0 "keyblanc", 10 x K + N "kKelN"; "keyblanc" for any number
// that names no key image.
std::string KeyImageName(int32_t number);

// The key indicator in the left panel; on a cage level it flies to the cage once the level is done.
class TKeyImage : public TAnimatedSprite {
 public:
  TKeyImage(TSpriteEngine& engine, TPlayContext& play, float centreX, float centreY, int32_t imageNumber);
  void SetKeyImage(int32_t imageNumber);
  void StartFlight() { Flying = true; }
  void Move(float delta) override;
  void Draw() override;
  void Kill() override;

  // The key image number shown (the sprite's own ImageNumber belongs to its animation).
  int32_t KeyImageNumber = 0;
  TXParticleRef Trail;
  bool Flying = false;
  double FlySpeed = 5.0;
  double FlyAcceleration = 0.07;

 private:
  void CentreOn(float x, float y);
  TPlayContext& play_;
};

// A key part dropped by the last brick; it flies into the indicator.
class TKeyPart : public TAnimatedSprite {
 public:
  TKeyPart(TSpriteEngine& engine, TPlayContext& play, float centreX, float centreY, int32_t partKind);
  void Move(float delta) override;
  void Draw() override;
  void Kill() override;

  int32_t PartKind;
  TXParticleRef Trail;
  double FlySpeed = 3.0;
  double FlyAcceleration = 0.05;

 private:
  TPlayContext& play_;
};

class TAnimal;

// Cage door shift (pixels) by door frame 0..8.
inline constexpr int kDoorShifts[9] = {0, -2, -4, -9, -14, -17, -28, -39, -47};

// The cage of a cage level with its animal; it draws the animal and runs the door.
class TCage : public TSprite {
 public:
  TCage(TSpriteEngine& engine, TPlayContext& play, float x, float y, int32_t animalKind);
  void OpenDoor() { Opening = true; }
  void Draw() override;
  void Kill() override;
  // One drawn frame of the door animation.
  void StepDoor();

  TAnimal* Animal = nullptr;  // cleared when the animal goes
  bool Opening = false;
  int32_t DoorTicks = 0;
  int32_t DoorFrame = 0;
  double DoorShift = 0;

 private:
  TPlayContext& play_;
};

// The animal in the cage: it blinks and moves a part of itself; the cage draws it.
class TAnimal : public TSprite {
 public:
  TAnimal(TSpriteEngine& engine, TPlayContext& play, TCage& cage, int32_t kind, float x, float y);
  void Move(float delta) override;
  void Draw() override {}
  void Kill() override;

  int32_t AnimalKind;
  bool BlinkOn = false;
  int32_t BlinkTicks = 1;
  bool PartOn = false;
  int32_t PartTicks = 1;
  int32_t PartLimit;
  double BlinkOffsetX, BlinkOffsetY;
  double PartOffsetX, PartOffsetY;
  std::string BlinkImage, PartImage;

 private:
  TPlayContext& play_;
  TCage* cage_;  // cleared by the cage's Kill, which always runs before the cage is freed
  friend class TCage;
};

// The key indicator, the key-part drop and the cage of the level from the per-level plan.
void SetupLevelKeys(TPlayContext& play);

}  // namespace zb
