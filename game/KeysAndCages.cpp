#include "game/KeysAndCages.h"

#include <cmath>

#include "game/PlayContext.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxImages.h"
#include "game/LevelTable.h"

namespace zb {
namespace {

constexpr float kIndicatorX = 83;
constexpr float kIndicatorY = 84;
constexpr float kPartTargetX = 80;
constexpr float kPartTargetY = 84;
constexpr double kArrival = 15;

struct TAnimalLook {
  const char* Body;
  const char* Blink;
  float BlinkX, BlinkY;
  const char* Part;
  float PartX, PartY;
  float InCageX, InCageY;
};
constexpr TAnimalLook kAnimals[4] = {
    {"panda", "panda_1", 14, 29, "panda_2", 7, 6, 36, 50},
    {"lion", "lion_1", 29, 32, "lion_2", 22, 1, 10, 88},
    {"begemot", "begemot_1", 123, 18, "begemot_2", 115, 38, 12, 100},
    {"gorilla", "gorilla_1", 49, 21, "gorilla_2", 50, 36, 23, 60},
};
const TAnimalLook& LookOf(int32_t kind) { return kAnimals[kind >= 0 && kind < 4 ? kind : 0]; }

float CentreX(const TSprite& s) { return s.X + static_cast<float>(s.PatternWidth()) / 2; }
float CentreY(const TSprite& s) { return s.Y + static_cast<float>(s.PatternHeight()) / 2; }

void KeyLook(TAnimatedSprite& sprite, const std::string& image) {
  sprite.SetAnimation(image, 0, 8, 200.0f, true, 0);
  sprite.Name = "keyimage";
  sprite.SetZ(720);
  sprite.Alpha = 255;
  sprite.Collidable = false;
}

void DrawWhole(TGfxCanvas& canvas, const TSpriteEngine& engine, const std::string& name, int pattern, float x,
               float y) {
  const TGfxImage* image = engine.Images != nullptr ? engine.Images->FindImage(name) : nullptr;
  if (image != nullptr) canvas.DrawImage(image, pattern, x, y, fxBlend);
}

}  // namespace

std::string KeyImageName(int32_t number) {
  const int32_t key = number / 10;
  const int32_t image = number % 10;
  if (key < 1 || key > 4 || image < 1 || image > 5) return "keyblanc";
  return "k" + std::to_string(key) + "el" + std::to_string(image);
}

// ---- TKeyImage ------------------------------------------------------------------------------

TKeyImage::TKeyImage(TSpriteEngine& engine, TPlayContext& play, float centreX, float centreY, int32_t imageNumber)
    : TAnimatedSprite(engine), play_(play) {
  KeyImageNumber = imageNumber;
  KeyLook(*this, KeyImageName(imageNumber));
  CentreOn(centreX, centreY);
  Trail = play.Particles.Spawn("KeyPart.pss", CentreX(*this), CentreY(*this));
  Trail.SetName("dontpaint");
}

void TKeyImage::CentreOn(float x, float y) {
  X = x - static_cast<float>(PatternWidth()) / 2;
  Y = y - static_cast<float>(PatternHeight()) / 2;
}

void TKeyImage::SetKeyImage(int32_t imageNumber) {
  KeyImageNumber = imageNumber;
  SetImageName(KeyImageName(imageNumber));
  CentreOn(kIndicatorX, kIndicatorY);
  Trail.MoveTo(CentreX(*this), CentreY(*this), false);
}

void TKeyImage::Move(float delta) {
  TAnimatedSprite::Move(delta);
  if (!Flying || Dead()) return;
  TCage* cage = play_.Game.Cage;
  if (cage == nullptr) {
    // No cage to open: the key has nowhere to go.
    Flying = false;
    return;
  }
  const double dx = (CentreX(*cage) + 5) - CentreX(*this);
  const double dy = (CentreY(*cage) + 50) - CentreY(*this);
  const double length = std::hypot(dx, dy);
  if (length > kArrival) {
    FlySpeed += FlyAcceleration;
    X += static_cast<float>(dx / length * FlySpeed);
    Y += static_cast<float>(dy / length * FlySpeed);
    Trail.MoveTo(CentreX(*this), CentreY(*this), false);
    return;
  }
  const float cx = CentreX(*this);
  const float cy = CentreY(*this);
  Kill();
  play_.PlaySound(SoundCue::OpenDoor);
  play_.Particles.Spawn("GetLife.pss", cx, cy);
  cage->OpenDoor();
}

void TKeyImage::Draw() {
  if (KeyImageNumber != 0 && Visible && Engine().Canvas() != nullptr) Trail.Draw(*Engine().Canvas(), 0, 0);
  TAnimatedSprite::Draw();
}

void TKeyImage::Kill() {
  if (Dead()) return;
  Trail.StopEmitting(true);
  if (play_.Game.KeyImage == this) play_.Game.KeyImage = nullptr;
  TAnimatedSprite::Kill();
}

// ---- TKeyPart -------------------------------------------------------------------------------

TKeyPart::TKeyPart(TSpriteEngine& engine, TPlayContext& play, float centreX, float centreY, int32_t partKind)
    : TAnimatedSprite(engine), PartKind(partKind), play_(play) {
  KeyLook(*this, KeyImageName(partKind));
  X = centreX - static_cast<float>(PatternWidth()) / 2;
  Y = centreY - static_cast<float>(PatternHeight()) / 2;
  Trail = play.Particles.Spawn("KeyPart.pss", centreX, centreY);
  Trail.SetName("dontpaint");
}

void TKeyPart::Move(float delta) {
  TAnimatedSprite::Move(delta);
  if (Dead()) return;
  const double dx = CentreX(*this) - kPartTargetX;
  const double dy = CentreY(*this) - kPartTargetY;
  const double length = std::hypot(dx, dy);
  if (length > kArrival) {
    X -= static_cast<float>(dx / length * FlySpeed);
    Y -= static_cast<float>(dy / length * FlySpeed);
    FlySpeed += FlyAcceleration;
    Trail.MoveTo(CentreX(*this), CentreY(*this), false);
    return;
  }
  Kill();
  TGameState& game = play_.Game;
  game.KeyImageFrame = KeyImageAfterPart(PartKind);
  play_.Raise(TPlayEvent::Kind::KeyPart, game.KeyImageFrame);
  play_.Particles.Spawn("GetLife.pss", kPartTargetX, kPartTargetY);
  if (game.KeyImage != nullptr) game.KeyImage->SetKeyImage(game.KeyImageFrame);
}

void TKeyPart::Draw() {
  if (Visible && Engine().Canvas() != nullptr) Trail.Draw(*Engine().Canvas(), 0, 0);
  TAnimatedSprite::Draw();
}

void TKeyPart::Kill() {
  if (Dead()) return;
  Trail.StopEmitting(true);
  TAnimatedSprite::Kill();
}

// ---- TCage and TAnimal ----------------------------------------------------------------------

TCage::TCage(TSpriteEngine& engine, TPlayContext& play, float x, float y, int32_t animalKind)
    : TSprite(engine), play_(play) {
  Name = "cage";
  SetImageName("cageback");
  SetZ(120);
  X = x;
  Y = y;
  Collidable = false;
  const TAnimalLook& look = LookOf(animalKind);
  Animal = &engine.Create<TAnimal>(play, *this, animalKind, x + look.InCageX, y + look.InCageY);
}

void TCage::StepDoor() {
  if (Opening) {
    if (DoorFrame < 8) ++DoorTicks;
    if (DoorTicks == 5) {
      if (DoorFrame > 7) {
        Opening = false;
      } else {
        ++DoorFrame;
      }
      DoorTicks = 0;
    }
  }
  DoorShift = kDoorShifts[DoorFrame];
}

void TCage::Draw() {
  TSprite::Draw();
  StepDoor();
  TGfxCanvas* canvas = Engine().Canvas();
  if (canvas == nullptr || !Visible) return;
  if (Animal != nullptr) {
    const TAnimal& a = *Animal;
    const std::string body = LookOf(a.AnimalKind).Body;
    DrawWhole(*canvas, Engine(), body, 0, a.X, a.Y);
    if (a.BlinkOn) {
      DrawWhole(*canvas, Engine(), a.BlinkImage, 0, a.X + static_cast<float>(a.BlinkOffsetX),
                a.Y + static_cast<float>(a.BlinkOffsetY));
    }
    if (a.PartOn) {
      DrawWhole(*canvas, Engine(), a.PartImage, 0, a.X + static_cast<float>(a.PartOffsetX),
                a.Y + static_cast<float>(a.PartOffsetY));
    }
  }
  DrawWhole(*canvas, Engine(), "cagefront", 0, X + 2, Y - 60);
  DrawWhole(*canvas, Engine(), "cagedoor", DoorFrame, X + 54 + static_cast<float>(DoorShift), Y + 88);
}

void TCage::Kill() {
  if (Dead()) return;
  if (Animal != nullptr) {
    Animal->cage_ = nullptr;
    Animal->Kill();
    Animal = nullptr;
  }
  if (play_.Game.Cage == this) play_.Game.Cage = nullptr;
  TSprite::Kill();
}

TAnimal::TAnimal(TSpriteEngine& engine, TPlayContext& play, TCage& cage, int32_t kind, float x, float y)
    : TSprite(engine), AnimalKind(kind), play_(play), cage_(&cage) {
  const TAnimalLook& look = LookOf(kind);
  Name = "dontpaint";
  SetImageName(look.Body);
  SetZ(130);
  X = x;
  Y = y;
  Visible = false;
  Collidable = false;
  BlinkImage = look.Blink;
  PartImage = look.Part;
  BlinkOffsetX = look.BlinkX;
  BlinkOffsetY = look.BlinkY;
  PartOffsetX = look.PartX;
  PartOffsetY = look.PartY;
  PartLimit = 10 + play.Game.LookRandom.Next(30);
}

void TAnimal::Move(float /*delta*/) {
  ++BlinkTicks;
  if (PartTicks == PartLimit) {
    PartOn = !PartOn;
    PartLimit = 40 + play_.Game.LookRandom.Next(30);
    PartTicks = 0;
  }
  ++PartTicks;
  if (BlinkOn && BlinkTicks == 10) {
    BlinkOn = false;
    BlinkTicks = 0;
  } else if (!BlinkOn && BlinkTicks == 100) {
    BlinkOn = true;
    BlinkTicks = 0;
  }
}

void TAnimal::Kill() {
  if (Dead()) return;
  if (cage_ != nullptr) {
    cage_->Animal = nullptr;
    cage_ = nullptr;
  }
  TSprite::Kill();
}

// ---- The level's keys -------------------------------------------------------------------------

void SetupLevelKeys(TPlayContext& play) {
  TGameState& game = play.Game;
  const LevelPlan& plan = PlanOfLevel(game.OwnLevel ? 0 : game.LevelNumber);
  game.KeyImageFrame = plan.keyImageFrame;
  game.LevelDropsKeyPart = plan.DropsKeyPart();
  game.KeyPartKind = plan.keyPartKind;
  game.KeyComplete = plan.keyComplete;
  game.StoryBeforeLevel = plan.speechBefore >= 0;
  game.SpeechBeforeLevel = plan.speechBefore >= 0 ? plan.speechBefore : 0;
  game.StoryAfterLevel = plan.speechAfter >= 0;
  game.SpeechAfterLevel = plan.speechAfter >= 0 ? plan.speechAfter : 0;
  game.KeyImage = &play.Engine.Create<TKeyImage>(play, kIndicatorX, kIndicatorY, game.KeyImageFrame);
  game.Cage = plan.HasCage() ? &play.Engine.Create<TCage>(play, 400.0f, 50.0f, plan.cageAnimal) : nullptr;
}

}  // namespace zb
