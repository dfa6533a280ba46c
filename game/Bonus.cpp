#include "game/Bonus.h"

#include <cmath>
#include <numbers>
#include <string>

#include "game/PlayContext.h"
#include "game/BonusImage.h"
#include "game/BonusRules.h"
#include "game/Ball.h"
#include "game/Bat.h"
#include "game/Geometry.h"
#include "game/Scenery.h"

namespace zb {
namespace {

float CentreX(const TSprite& s) { return s.X + static_cast<float>(s.PatternWidth()) / 2; }
float CentreY(const TSprite& s) { return s.Y + static_cast<float>(s.PatternHeight()) / 2; }

TQuad QuadOf(const TSprite& s) { return RectQuad(s.X, s.Y, s.PatternWidth(), s.PatternHeight()); }

void SetBatSize(TPlayContext& play, int size) {
  if (TBita* bat = play.Game.Bita.Get()) bat->SetSize(size);
}

// Every ball and its shadow take the image.
void SetBallsBig(TPlayContext& play, bool big) {
  TGameState& game = play.Game;
  for (int i = 0; i < game.BallCount && i < kMaxBalls; ++i) {
    if (TBall* ball = game.Balls[static_cast<size_t>(i)].Get()) ball->SetBig(big);
  }
}

template <class F>
void ForEachBall(TPlayContext& play, F&& f) {
  TGameState& game = play.Game;
  for (int i = 0; i < game.BallCount && i < kMaxBalls; ++i) {
    if (TBall* ball = game.Balls[static_cast<size_t>(i)].Get()) f(*ball);
  }
}

void AddTwoBalls(TPlayContext& play, const TBonus& bonus) {
  TGameState& game = play.Game;
  TBall* first = game.BallCount == 1 ? game.Balls[0].Get() : nullptr;
  if (first == nullptr) {
    play.Particles.Spawn("Bonus3Exp.pss", CentreX(bonus), CentreY(bonus));
    return;
  }
  play.Particles.Spawn("Bonus2Exp.pss", CentreX(bonus), CentreY(bonus));
  const bool big = first->Big();
  // Both balls first, then their directions: the draws of the generator come in that order.
  for (int slot = 1; slot <= 2; ++slot) {
    game.Balls[static_cast<size_t>(slot)] =
        &play.Engine.Create<TBall>(play, first->Super, big, first->X, first->Y, slot);
  }
  const double baseAngles[2] = {90, -90};
  for (int k = 0; k < 2; ++k) {
    TBall& ball = *game.Balls[static_cast<size_t>(k + 1)].Get();
    const double angle = (baseAngles[k] + (game.Random.Next(60) - 30)) * std::numbers::pi / 180;
    ball.VelocityX = std::cos(angle) * first->Speed;
    ball.VelocityY = std::sin(angle) * first->Speed;
  }
  play.Particles.Spawn("3Balls.pss", CentreX(*first), CentreY(*first));
}

void MakeFireBalls(TPlayContext& play) {
  ForEachBall(play, [&play](TBall& ball) {
    ball.Super = true;
    ball.SuperTrailOn = true;
    ball.SuperTrail = play.Particles.Spawn("BallSuper.pss", CentreX(ball), CentreY(ball));
    ball.SuperTrail.SetName("dontpaint");
  });
}

}  // namespace

// ---- TBonus and its face ------------------------------------------------------------------------

TBonus::TBonus(TSpriteEngine& engine, TPlayContext& play, int32_t kind, float x, float y)
    : TSprite(engine), Kind(kind), Duration(IsTimedBonus(kind) ? BonusKindInfo(kind).Duration : 0), play_(play) {
  Name = "bonus";
  SetImageName("bonus1");
  SetZ(320);
  X = x;
  Y = y;
  Visible = false;
  Collidable = false;
  BonusFace = &engine.Create<TBonusFace>(play, kind, x - 2, y - 2);
  ++play.Game.BonusesFalling;
}

void TBonus::Remove() {
  if (Dead()) return;
  if (BonusFace != nullptr) {
    BonusFace->Kill();
    BonusFace = nullptr;
  }
  Kill();
  --play_.Game.BonusesFalling;
}

void TBonus::Move(float delta) {
  TSprite::Move(delta);
  if (Dead()) return;
  Y += 3;
  if (play_.Is(PlayPhase::Playing)) CatchBonus(play_, *this);
  if (!Dead() && Y > 600) Remove();
  if (BonusFace == nullptr) return;
  BonusFace->X = X - static_cast<float>(PatternWidth()) / 2 + 2;
  BonusFace->Y = Y - static_cast<float>(PatternHeight()) / 2 + 7;
  if (TShadow* shadow = BonusFace->Shadow) {
    shadow->X = BonusFace->X + 1;
    shadow->Y = BonusFace->Y + 1;
    shadow->PatternIndex = BonusFace->PatternIndex;
  }
}

TBonusFace::TBonusFace(TSpriteEngine& engine, TPlayContext& play, int32_t kind, float x, float y)
    : TAnimatedSprite(engine) {
  Name = "bonusface";
  SetAnimation(std::string(BonusKindInfo(kind).Face), 0, 8, 200.0f, true, 0);
  SetZ(322);
  X = x;
  Y = y;
  ScaleX = ScaleY = 0.8f;
  Collidable = false;
  Shadow = &engine.Create<TShadow>(play, ImageName, Z() - 1);
  Shadow->ScaleX = Shadow->ScaleY = 0.8f;
  Shadow->X = x + 1;
  Shadow->Y = y + 1;
}

void TBonusFace::Kill() {
  if (Shadow != nullptr) {
    Shadow->Kill();
    Shadow = nullptr;
  }
  TAnimatedSprite::Kill();
}

// ---- Catching and ending ------------------------------------------------------------------------

void CatchBonus(TPlayContext& play, TBonus& bonus) {
  TGameState& game = play.Game;
  const TBita* bat = game.Bita.Get();
  if (bonus.Dead() || bat == nullptr) return;
  if (!QuadsOverlap(QuadOf(bonus), QuadOf(*bat))) return;
  const int32_t kind = bonus.Kind;

  if (IsTimedBonus(kind)) {
    if (game.BonusImageShown && game.BonusImage != nullptr) game.BonusImage->Kill();
    game.BonusTimeLeft = bonus.Duration;
    game.BonusDuration = bonus.Duration;
    game.BonusImage = &play.Engine.Create<TBonusImage>(play, kind, bonus.X, bonus.Y);
    LightFlameRing(play);
  } else if (kind == BonusMoney || kind == BonusLife) {
    play.Engine.Create<TBonusImage>(play, kind, bonus.X, bonus.Y);
  }

  switch (kind) {
    case BonusBigBat:
    case BonusSmallBat:
    case BonusMagnet:
      EndTimedEffects(play);
      SetBatSize(play, kind + 1);
      break;
    case BonusBigBall:
      EndTimedEffects(play);
      SetBallsBig(play, true);
      break;
    case BonusThreeBalls:
      AddTwoBalls(play, bonus);
      break;
    case BonusFireBall:
      EndTimedEffects(play);
      MakeFireBalls(play);
      break;
    case BonusBananas:
      EndTimedEffects(play);
      game.BananaMode = true;
      break;
    default:
      break;
  }
  play.PlaySound(BonusKindInfo(kind).Sound);
  play.Raise(TPlayEvent::Kind::BonusCaught, kind);
  bonus.Remove();
}

void EndTimedEffects(TPlayContext& play) {
  SetBatSize(play, 0);
  SetBallsBig(play, false);
  ForEachBall(play, [](TBall& ball) {
    if (ball.SuperTrailOn) ball.SuperTrail.StopEmitting(false);
    ball.Super = false;
  });
  play.Game.BananaMode = false;
  play.Game.ThrowCooldown = 0;
}

void BonusClockTick(TPlayContext& play) {
  TGameState& game = play.Game;
  const TBonusClockStep step = StepBonusClock(game.BonusTimeLeft, game.BonusDuration);
  for (int i = 1; i < kFlameCount; ++i) {
    if (step.FlameOut[static_cast<size_t>(i)]) PutOutFlame(play, i, false);
  }
  game.BonusTimeLeft = step.TimeLeft;
  if (!step.Ends) return;
  PutOutFlame(play, 0, false);
  // A picture already gone leaves its kind unknown: every timed effect is undone then.
  const int32_t kind = game.BonusImage != nullptr ? game.BonusImage->Kind : -1;
  play.Raise(TPlayEvent::Kind::BonusEnded, kind);
  switch (kind) {
    case BonusBigBat:
    case BonusSmallBat:
    case BonusMagnet:
      SetBatSize(play, 0);
      break;
    case BonusBigBall:
      SetBallsBig(play, false);
      break;
    case BonusFireBall:
      ForEachBall(play, [](TBall& ball) {
        ball.Super = false;
        ball.SuperTrail.StopEmitting(false);
        ball.SuperTrailOn = false;
      });
      break;
    case BonusBananas:
      game.BananaMode = false;
      game.ThrowCooldown = 0;
      break;
    default:
      EndTimedEffects(play);
      break;
  }
  if (game.BonusImageShown && game.BonusImage != nullptr) game.BonusImage->Kill();
  game.BonusTimeLeft = 0;
  game.BonusImageShown = false;
}

}  // namespace zb
