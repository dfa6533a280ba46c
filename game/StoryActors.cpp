#include "game/StoryActors.h"

#include "engine/GfxCanvas.h"
#include "engine/GfxImages.h"
#include "game/PlayContext.h"

namespace zb {
namespace {

constexpr TStoryActor::TLook kHunterLook{"hunter", "hunter_2", 122, 88, "hunter_1", 124, 147, 5};
constexpr TStoryActor::TLook kMonkeyLook{"monkey", "monkey_2", 122, 41, "monkey_1", 112, 85, 10};
constexpr int32_t kBlinkEvery = 100;

void Prepare(TSprite& sprite, const char* name, int z) {
  sprite.Name = name;
  sprite.SetImageName(name);
  sprite.SetZ(z);
  sprite.Collidable = false;
}

}  // namespace

bool TFade::Step(int& alpha) {
  if (FadingOut) {
    alpha = alpha <= 20 ? 0 : alpha - 10;
  } else if (FadingIn) {
    if (alpha >= 250) {
      alpha = 255;
      FadingIn = false;
      return true;
    }
    alpha += 10;
  }
  return false;
}

TStoryActor::TStoryActor(TSpriteEngine& engine, TPlayContext& play, const TLook& look, float x, float y)
    : TSprite(engine), play_(play), look_(look) {
  Prepare(*this, look.Body, 620);
  X = x;
  Y = y;
  Alpha = 0;
  NewMouthLimit();
}

void TStoryActor::NewMouthLimit() { MouthLimit = 10 + play_.Game.LookRandom.Next(30); }

void TStoryActor::FadeIn() {
  Fade = {true, false};
  BlinkOn = false;
  MouthOpen = false;
}

void TStoryActor::FadeOut() {
  Fade = {false, true};
  BlinkOn = false;
  MouthOpen = false;
}

void TStoryActor::Move(float /*delta*/) {
  if (Fade.FadingIn || Fade.FadingOut) {
    if (Fade.Step(Alpha)) Talking = true;
    return;
  }
  ++BlinkTicks;
  if (Talking) {
    if (MouthTicks >= MouthLimit) {
      MouthOpen = !MouthOpen;
      NewMouthLimit();
      MouthTicks = 0;
    }
    ++MouthTicks;
  }
  if (!BlinkOn && BlinkTicks >= kBlinkEvery) {
    BlinkOn = true;
    BlinkTicks = 0;
  } else if (BlinkOn && BlinkTicks >= look_.BlinkLength) {
    BlinkOn = false;
    BlinkTicks = 0;
  }
}

void TStoryActor::Draw() {
  TSprite::Draw();
  if (!Visible) return;
  if (BlinkOn) DrawPart(look_.Eyes, look_.EyesX, look_.EyesY);
  if (MouthOpen) DrawPart(look_.Mouth, look_.MouthX, look_.MouthY);
}

void TStoryActor::DrawPart(const char* image, float dx, float dy) const {
  TGfxCanvas* canvas = Engine().Canvas();
  if (canvas == nullptr || Engine().Images == nullptr) return;
  if (const TGfxImage* part = Engine().Images->FindImage(image)) canvas->DrawImage(part, 0, X + dx, Y + dy, fxBlend);
}

THunter::THunter(TSpriteEngine& engine, TPlayContext& play) : TStoryActor(engine, play, kHunterLook, 200, 309) {}

TMonkey::TMonkey(TSpriteEngine& engine, TPlayContext& play) : TStoryActor(engine, play, kMonkeyLook, 440, 320) {}

TCloud::TCloud(TSpriteEngine& engine) : TSprite(engine) {
  Prepare(*this, "cloud", 600);
  Alpha = 0;
  SetSide(SideLeft);
}

void TCloud::SetSide(int side) {
  MirrorX = side == SideLeft;
  X = side == SideLeft ? 200 : 450;
  Y = 100;
}

void TCloud::Move(float /*delta*/) { Fade.Step(Alpha); }

TPressAnyKey::TPressAnyKey(TSpriteEngine& engine) : TSprite(engine) {
  Prepare(*this, "pressanykey", 610);
  Alpha = 30;
  SetSide(SideLeft);
}

void TPressAnyKey::SetSide(int side) {
  X = side == SideLeft ? 280 : 540;
  Y = 300;
}

void TPressAnyKey::Move(float /*delta*/) {
  Alpha += step_;
  if (Alpha >= 200) {
    Alpha = 200;
    step_ = -5;
  } else if (Alpha <= 30) {
    Alpha = 30;
    step_ = 5;
  }
}

}  // namespace zb
