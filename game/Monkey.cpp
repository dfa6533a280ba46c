#include "game/Monkey.h"

#include <numbers>

#include "game/PlayContext.h"
#include "game/Ball.h"
#include "game/Bat.h"

namespace zb {

TMonkeyFace::TMonkeyFace(TSpriteEngine& engine, TPlayContext& play, float x, float y)
    : TSprite(engine), play_(play) {
  X = x;
  Y = y;
  SetZ(489);
  Visible = false;
  Animation.State = FaceJumpIn;
  ShowAnimation();
}

void TMonkeyFace::ShowAnimation() {
  if (ImageName != Animation.Image) SetImageName(std::string(Animation.Image));
  SetPatternIndex(Animation.Frame);
}

void TMonkeyFace::Start(int state) {
  Animation.Start(state);
  ShowAnimation();
}

void TMonkeyFace::Request(int state) {
  Animation.Request(state);
  ShowAnimation();
}

void TMonkeyFace::Move(float /*delta*/) {
  double y = Y;
  const TFaceEvents events = Animation.Step(Visible, y);
  Y = static_cast<float>(y);
  ShowAnimation();
  if (events.ThrowBanana) {
    play_.PlaySound(SoundCue::Banana);
    ThrowBanana(play_, X + static_cast<float>(PatternWidth()) / 2 + 15, Y);
  }
  if (events.Finished) {
    Visible = false;
    play_.Particles.Spawn("GetLife.pss", X + static_cast<float>(PatternWidth()) / 2,
                Y + static_cast<float>(PatternHeight()) / 2);
  }
  if (events.Landed) {
    if (TBita* bat = play_.Game.Bita.Get()) {
      if (TBitaImage* overlay = bat->Overlay.Get()) overlay->Visible = true;
      if (TShadow* shadow = bat->Shadow.Get()) shadow->Visible = true;
    }
    if (TBall* ball = play_.Game.Balls[0].Get()) ball->Visible = true;
  }
}

void TMonkeyFace::Draw() {
  if (play_.Is(PlayPhase::Speech)) return;
  TSprite::Draw();
}

TPlayerPula::TPlayerPula(TSpriteEngine& engine, float x, float y) : TSprite(engine) {
  SetName("banan");
  SetImageName("playerpula");
  X = x;
  Y = y;
  SetZ(600);
  SetDrawMode(1);
  Angle = 0;
}

void TPlayerPula::Move(float /*delta*/) {
  if (Spent) {
    Kill();
    return;
  }
  Y -= 3;
  Angle += static_cast<float>(std::numbers::pi / 60);
  if (Y < -40 || X > 800) Kill();
}

TPlayerPula& ThrowBanana(TPlayContext& play, float x, float y) {
  std::vector<SpriteRef<TPlayerPula>>& bananas = play.Game.Bananas;
  std::erase_if(bananas, [](const SpriteRef<TPlayerPula>& banana) { return !banana; });
  TPlayerPula& banana = play.Engine.Create<TPlayerPula>(x, y);
  bananas.emplace_back(&banana);
  return banana;
}

void TPlayerPula::Draw() {
  if (!Spent) TSprite::Draw();
}

}  // namespace zb
