#include "game/BonusImage.h"

#include <cmath>

#include "game/PlayContext.h"
#include "game/BonusRules.h"
#include "game/Scenery.h"

namespace zb {
namespace {

float CentreX(const TSprite& s) { return s.X + static_cast<float>(s.PatternWidth()) / 2; }
float CentreY(const TSprite& s) { return s.Y + static_cast<float>(s.PatternHeight()) / 2; }

}  // namespace

TBonusImage::TBonusImage(TSpriteEngine& engine, TPlayContext& play, int32_t kind, float x, float y)
    : TAnimatedSprite(engine), Kind(kind), play_(play) {
  const TBonusKindInfo& info = BonusKindInfo(kind);
  Name = "bonus";
  SetAnimation(std::string(info.Face), 0, 8, 200.0f, true, 0);
  SetZ(320);
  X = x;
  Y = y;
  Collidable = false;
  TargetX = info.TargetX;
  TargetY = info.TargetY;
  Sparkle = play.Particles.Spawn("Bonus.pss", CentreX(*this), CentreY(*this));
  Sparkle.SetName("Bonus");
  SparkleOn = true;
  Shadow = &engine.Create<TShadow>(play, ImageName, Z() - 1);
  Shadow->X = X + 3;
  Shadow->Y = Y + 3;
  if (IsTimedBonus(kind)) play.Game.BonusImageShown = true;
}

void TBonusImage::Move(float delta) {
  TAnimatedSprite::Move(delta);
  if (Dead()) return;
  FlySpeed += FlyAcceleration;
  const double dx = TargetX - CentreX(*this);
  const double dy = TargetY - CentreY(*this);
  const double length = std::hypot(dx, dy);
  if (length > 15) {
    X += static_cast<float>(dx / length * FlySpeed);
    Y += static_cast<float>(dy / length * FlySpeed);
  } else if (Kind == BonusMoney) {
    play_.Game.Score += 50;
    play_.Raise(TPlayEvent::Kind::ScoreChanged, play_.Game.Score);
    // Once the game screen is left the level's score is already carried in the shown score,
    // which the next level or the score screens read: the money must reach it too.
    if (!play_.Is(PlayPhase::Playing)) play_.Game.SetShownScore(play_.Game.GetShownScore() + 50);
    Kill();
  } else if (Kind == BonusLife) {
    play_.Game.Lives += 1;
    Kill();
  } else if (SparkleOn || FlySpeed != 0) {
    FlySpeed = 0;
    FlyAcceleration = 0;
    X = static_cast<float>(TargetX) - static_cast<float>(PatternWidth()) / 2;
    Y = static_cast<float>(TargetY) - static_cast<float>(PatternHeight()) / 2;
    Sparkle.StopEmitting(false);
    SparkleOn = false;
  }
  if (Shadow != nullptr) {
    Shadow->X = X + 3;
    Shadow->Y = Y + 3;
    Shadow->PatternIndex = PatternIndex;
  }
  if (Visible && !Dead() && SparkleOn) Sparkle.MoveTo(CentreX(*this), CentreY(*this), false);
}

void TBonusImage::Draw() {
  if (SparkleOn && Engine().Canvas() != nullptr) Sparkle.Draw(*Engine().Canvas(), 0, 0);
  TAnimatedSprite::Draw();
}

void TBonusImage::Kill() {
  if (Dead()) return;
  if (SparkleOn) Sparkle.StopEmitting(true);
  if (Shadow != nullptr) {
    Shadow->Kill();
    Shadow = nullptr;
  }
  if (play_.Is(PlayPhase::Playing)) {
    const bool payout = Kind == BonusMoney || Kind == BonusLife;
    play_.Particles.Spawn(payout ? "Bonus2Exp.pss" : "BitkaExp.pss", CentreX(*this), CentreY(*this));
  }
  if (play_.Game.BonusImage == this) play_.Game.BonusImage = nullptr;
  TAnimatedSprite::Kill();
}

void PutOutFlame(TPlayContext& play, int index, bool clear) {
  const auto i = static_cast<size_t>(index);
  play.Game.FireSystems[i].StopEmitting(clear);
  play.Game.FireOn[i] = false;
}

void ClearRunningBonus(TPlayContext& play) {
  TGameState& game = play.Game;
  if (game.BonusImageShown && game.BonusImage != nullptr) game.BonusImage->Kill();
  game.BonusImageShown = false;
  game.BonusTimeLeft = 0;
  for (int i = 0; i < kFlameCount; ++i) {
    if (game.FireOn[static_cast<size_t>(i)]) PutOutFlame(play, i, true);
  }
}

void LightFlameRing(TPlayContext& play) {
  TGameState& game = play.Game;
  for (int i = 0; i < kFlameCount; ++i) {
    if (game.FireOn[static_cast<size_t>(i)]) PutOutFlame(play, i, false);
  }
  for (int i = 0; i < kFlameCount; ++i) {
    const TFlamePlace& place = kFlamePlaces[static_cast<size_t>(i)];
    TXParticleRef flame = play.Particles.Spawn("FireSmall.pss", place.X, place.Y);
    flame.SetName("bfire");
    game.FireSystems[static_cast<size_t>(i)] = flame;
    game.FireOn[static_cast<size_t>(i)] = true;
  }
}

}  // namespace zb
