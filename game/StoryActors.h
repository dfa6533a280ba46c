#pragma once

#include <cstdint>

#include "engine/GfxSprite.h"

namespace zb {

struct TPlayContext;

// Fading by 10 a tick, shared by the speakers and the bubble. Fading out holds at 0; fading in
// ends at 255 and reports it.
struct TFade {
  bool FadingIn = false;
  bool FadingOut = false;
  // One tick on `alpha`; true when a fade-in has just completed.
  bool Step(int& alpha);
};

// A speaker of the story: the body with its eyes and mouth pictures over it, which blink and
// talk while the speaker is neither fading in nor out.
class TStoryActor : public TSprite {
 public:
  struct TLook {
    const char* Body;
    const char* Eyes;
    float EyesX, EyesY;
    const char* Mouth;
    float MouthX, MouthY;
    int32_t BlinkLength;
  };

  TStoryActor(TSpriteEngine& engine, TPlayContext& play, const TLook& look, float x, float y);
  void FadeIn();
  void FadeOut();
  void Move(float delta) override;
  void Draw() override;

  TFade Fade;
  bool Talking = true;
  bool MouthOpen = false;
  int32_t MouthTicks = 0;
  int32_t MouthLimit = 10;
  bool BlinkOn = false;
  int32_t BlinkTicks = 0;

 private:
  void NewMouthLimit();
  void DrawPart(const char* image, float dx, float dy) const;

  TPlayContext& play_;
  const TLook& look_;
};

class THunter : public TStoryActor {
 public:
  THunter(TSpriteEngine& engine, TPlayContext& play);
};

class TMonkey : public TStoryActor {
 public:
  TMonkey(TSpriteEngine& engine, TPlayContext& play);
};

// The sides of the bubble and the prompt: the monkey's lines on the left, the hunter's on the right.
enum TSpeechSide : int { SideLeft = 0, SideRight = 1 };

// The speech bubble: mirrored on the left side, plain on the right.
class TCloud : public TSprite {
 public:
  explicit TCloud(TSpriteEngine& engine);
  void FadeIn() { Fade = {true, false}; }
  void FadeOut() { Fade = {false, true}; }
  void SetSide(int side);
  void Move(float delta) override;

  TFade Fade;
};

// "Press any key": pulses between alpha 30 and 200 beside the speaker.
class TPressAnyKey : public TSprite {
 public:
  explicit TPressAnyKey(TSpriteEngine& engine);
  void SetSide(int side);
  void Move(float delta) override;

 private:
  int step_ = 5;
};

}  // namespace zb
