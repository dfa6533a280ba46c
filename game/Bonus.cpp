#include "game/Bonus.h"

#include <cmath>
#include <numbers>
#include <string>

#include "app/Form1.h"
#include "game/BonusImage.h"
#include "game/BonusRules.h"
#include "game/Ball.h"
#include "game/Bat.h"
#include "game/Geometry.h"
#include "game/Scenery.h"
#include "screens/ScreenMachine.h"

namespace zb {
namespace {

float CentreX(const TSprite& s) { return s.X + static_cast<float>(s.PatternWidth()) / 2; }
float CentreY(const TSprite& s) { return s.Y + static_cast<float>(s.PatternHeight()) / 2; }

TQuad QuadOf(const TSprite& s) { return RectQuad(s.X, s.Y, s.PatternWidth(), s.PatternHeight()); }

void SetBatSize(TForm1& form, int size) {
  if (TBita* bat = form.Game.Bita.Get()) bat->SetSize(size);
}

// Every ball and its shadow take the image.
void SetBallImages(TForm1& form, const std::string& image) {
  TGameState& game = form.Game;
  for (int i = 0; i < game.BallCount && i < kMaxBalls; ++i) {
    TBall* ball = game.Balls[static_cast<size_t>(i)].Get();
    if (ball == nullptr) continue;
    ball->SetImageName(image);
    if (TShadow* shadow = ball->Shadow.Get()) shadow->SetImageName(image);
  }
}

template <class F>
void ForEachBall(TForm1& form, F&& f) {
  TGameState& game = form.Game;
  for (int i = 0; i < game.BallCount && i < kMaxBalls; ++i) {
    if (TBall* ball = game.Balls[static_cast<size_t>(i)].Get()) f(*ball);
  }
}

void AddTwoBalls(TForm1& form, const TBonus& bonus) {
  TGameState& game = form.Game;
  TBall* first = game.BallCount == 1 ? game.Balls[0].Get() : nullptr;
  if (first == nullptr) {
    form.ParticleManager.Spawn("Bonus3Exp.pss", CentreX(bonus), CentreY(bonus));
    return;
  }
  form.ParticleManager.Spawn("Bonus2Exp.pss", CentreX(bonus), CentreY(bonus));
  const bool big = first->ImageName == "ball2";
  // Both balls first, then their directions: the draws of the generator come in that order.
  for (int slot = 1; slot <= 2; ++slot) {
    game.Balls[static_cast<size_t>(slot)] =
        &form.GameEngine.Create<TBall>(form, first->Super, big, first->X, first->Y, slot);
  }
  const double baseAngles[2] = {90, -90};
  for (int k = 0; k < 2; ++k) {
    TBall& ball = *game.Balls[static_cast<size_t>(k + 1)].Get();
    const double angle = (baseAngles[k] + (game.Random.Next(60) - 30)) * std::numbers::pi / 180;
    ball.VelocityX = std::cos(angle) * first->Speed;
    ball.VelocityY = std::sin(angle) * first->Speed;
  }
  form.ParticleManager.Spawn("3Balls.pss", CentreX(*first), CentreY(*first));
}

void MakeFireBalls(TForm1& form) {
  ForEachBall(form, [&form](TBall& ball) {
    ball.Super = true;
    ball.SuperTrailOn = true;
    ball.SuperTrail = form.ParticleManager.Spawn("BallSuper.pss", CentreX(ball), CentreY(ball));
    ball.SuperTrail.SetName("dontpaint");
  });
}

}  // namespace

// ---- TBonus and its face ------------------------------------------------------------------------

TBonus::TBonus(TSpriteEngine& engine, TForm1& form, int32_t kind, float x, float y)
    : TSprite(engine), Kind(kind), Duration(IsTimedBonus(kind) ? BonusKindInfo(kind).Duration : 0), form_(form) {
  Name = "bonus";
  SetImageName("bonus1");
  SetZ(320);
  X = x;
  Y = y;
  Visible = false;
  Collidable = false;
  BonusFace = &engine.Create<TBonusFace>(form, kind, x - 2, y - 2);
  ++form.Game.BonusesFalling;
}

void TBonus::Remove() {
  if (Dead()) return;
  if (BonusFace != nullptr) {
    BonusFace->Kill();
    BonusFace = nullptr;
  }
  Kill();
  --form_.Game.BonusesFalling;
}

void TBonus::Move(float delta) {
  TSprite::Move(delta);
  if (Dead()) return;
  Y += 3;
  if (form_.CurrentScreen == ScreenGame) CatchBonus(form_, *this);
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

TBonusFace::TBonusFace(TSpriteEngine& engine, TForm1& form, int32_t kind, float x, float y)
    : TAnimatedSprite(engine) {
  Name = "bonusface";
  SetAnimation(std::string(BonusKindInfo(kind).Face), 0, 8, 200.0f, true, 0);
  SetZ(322);
  X = x;
  Y = y;
  ScaleX = ScaleY = 0.8f;
  Collidable = false;
  Shadow = &engine.Create<TShadow>(form, ImageName, Z() - 1);
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

void CatchBonus(TForm1& form, TBonus& bonus) {
  TGameState& game = form.Game;
  const TBita* bat = game.Bita.Get();
  if (bonus.Dead() || bat == nullptr) return;
  if (!QuadsOverlap(QuadOf(bonus), QuadOf(*bat))) return;
  const int32_t kind = bonus.Kind;

  if (IsTimedBonus(kind)) {
    if (game.BonusImageShown && game.BonusImage != nullptr) game.BonusImage->Kill();
    game.BonusTimeLeft = bonus.Duration;
    game.BonusDuration = bonus.Duration;
    game.BonusImage = &form.GameEngine.Create<TBonusImage>(form, kind, bonus.X, bonus.Y);
    LightFlameRing(form);
  } else if (kind == BonusMoney || kind == BonusLife) {
    form.GameEngine.Create<TBonusImage>(form, kind, bonus.X, bonus.Y);
  }

  switch (kind) {
    case BonusBigBat:
    case BonusSmallBat:
    case BonusMagnet:
      EndTimedEffects(form);
      SetBatSize(form, kind + 1);
      break;
    case BonusBigBall:
      EndTimedEffects(form);
      SetBallImages(form, "ball2");
      break;
    case BonusThreeBalls:
      AddTwoBalls(form, bonus);
      break;
    case BonusFireBall:
      EndTimedEffects(form);
      MakeFireBalls(form);
      break;
    case BonusBananas:
      EndTimedEffects(form);
      game.BananaMode = true;
      break;
    default:
      break;
  }
  form.PlaySound(BonusKindInfo(kind).Sound);
  bonus.Remove();
}

void EndTimedEffects(TForm1& form) {
  SetBatSize(form, 0);
  SetBallImages(form, "ball");
  ForEachBall(form, [](TBall& ball) {
    if (ball.SuperTrailOn) ball.SuperTrail.StopEmitting(false);
    ball.Super = false;
  });
  form.Game.BananaMode = false;
  form.Game.ThrowCooldown = 0;
}

void BonusClockTick(TForm1& form) {
  TGameState& game = form.Game;
  const TBonusClockStep step = StepBonusClock(game.BonusTimeLeft, game.BonusDuration);
  for (int i = 1; i < kFlameCount; ++i) {
    if (step.FlameOut[static_cast<size_t>(i)]) PutOutFlame(form, i, false);
  }
  game.BonusTimeLeft = step.TimeLeft;
  if (!step.Ends) return;
  PutOutFlame(form, 0, false);
  // A picture already gone leaves its kind unknown: every timed effect is undone then.
  const int32_t kind = game.BonusImage != nullptr ? game.BonusImage->Kind : -1;
  switch (kind) {
    case BonusBigBat:
    case BonusSmallBat:
    case BonusMagnet:
      SetBatSize(form, 0);
      break;
    case BonusBigBall:
      SetBallImages(form, "ball");
      break;
    case BonusFireBall:
      ForEachBall(form, [](TBall& ball) {
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
      EndTimedEffects(form);
      break;
  }
  if (game.BonusImageShown && game.BonusImage != nullptr) game.BonusImage->Kill();
  game.BonusTimeLeft = 0;
  game.BonusImageShown = false;
}

}  // namespace zb
