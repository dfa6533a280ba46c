#include "game/Blocks.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/Form1.h"
#include "game/Ball.h"
#include "game/Bat.h"
#include "game/Bonus.h"
#include "game/GameProcedures.h"
#include "game/Geometry.h"
#include "game/KeysAndCages.h"
#include "screens/ScreenMachine.h"

namespace zb {
namespace {

TQuad PatternQuad(const TSprite& s) { return RectQuad(s.X, s.Y, s.PatternWidth(), s.PatternHeight()); }

double Distance(const TSprite& a, const TSprite& b) { return std::hypot(a.X - b.X, a.Y - b.Y); }

}  // namespace

TBomb::TBomb(TSpriteEngine& engine, TForm1& form, float x, float y) : TSprite(engine), form_(form) {
  SetName("bomb");
  SetImageName("bomb");
  X = x;
  Y = y;
  SetZ(230);
}

void TBomb::Draw() {
  if (form_.CurrentScreen == ScreenSpeech) return;
  TSprite::Draw();
}

TBombPart::TBombPart(TSpriteEngine& engine, float x, float y) : TSprite(engine) {
  SetName("shadow");
  SetImageName("ball");
  X = x;
  Y = y;
  Visible = false;
}

void TBombPart::Move(float /*delta*/) {
  if (Dead()) return;
  TSpriteEngine& engine = Engine();
  for (int i = 0; i < engine.Count(); ++i) {
    TSprite* brick = engine.SpriteAt(i);
    if (brick == nullptr || brick->Name != "block" || Distance(*this, *brick) >= 50) continue;
    if (brick->X <= X && X <= brick->X + brick->PatternWidth() && brick->Y <= Y &&
        Y <= brick->Y + brick->PatternHeight()) {
      brick->SetRed(kBlastMark);
    }
  }
  Kill();
}

TBlock* TBlock::Create(TSpriteEngine& engine, TForm1& form, float x, float y, int kind) {
  // A kind without a row would have no image and no strength; no brick stands there.
  const auto row = FindBlockKind(kind);
  if (!row) return nullptr;
  return &engine.Create<TBlock>(form, x, y, *row);
}

TBlock::TBlock(TSpriteEngine& engine, TForm1& form, float x, float y, const TBlockKind& row)
    : TAnimatedSprite(engine), form_(form), row_(row) {
  SetName("block");
  X = x;
  Y = y;
  SetZ(220);
  Kind = row.Kind;
  HitPoints = row.HitPoints;
  SetAnimation(std::string(row.Image), 0, 8, static_cast<float>(row.AnimSpeed), true, false, true, 0);
  if (row.Bomb) {
    HasBomb = true;
    Bomb = &engine.Create<TBomb>(form, x + 3, y);
  }
  if (row.Counted) ++form.Game.BlocksLeft;
}

void TBlock::Move(float delta) {
  TAnimatedSprite::Move(delta);
  BobBomb();
  if (form_.CurrentScreen == ScreenGame) {
    TestBananas();
    TestBalls();
  }
  if (Red == kBlastMark) HitBlock(kDamageBlast);
  if (form_.CurrentScreen == ScreenStageComplete && form_.Game.ScreenTicks == 40 && Gold()) BreakBlock();
}

void TBlock::BobBomb() {
  TBomb* bomb = Bomb.Get();
  if (!HasBomb || bomb == nullptr) return;
  bomb->Y = Y + static_cast<float>(PatternHeight()) / 2 - static_cast<float>(bomb->PatternHeight()) / 2 +
            static_cast<float>(3 * std::sin(BombAngle * std::numbers::pi / 180));
  BombAngle += BombStep;
  if (BombAngle == 90 || BombAngle == -90) BombStep = -BombStep;
}

void TBlock::TestBananas() {
  TSpriteEngine& engine = Engine();
  for (int i = 0; i < engine.Count(); ++i) {
    TSprite* banana = engine.SpriteAt(i);
    if (banana == nullptr || banana->Name != "banan") continue;
    if (Distance(*banana, *this) < 30 && QuadsOverlap(PatternQuad(*banana), PatternQuad(*this))) {
      banana->X = 900;  // it dies on its next tick
      HitBlock(kDamageNormal);
    }
  }
}

void TBlock::TestBalls() {
  TGameState& game = form_.Game;
  for (int slot = 0; slot < std::min(game.BallCount, kMaxBalls); ++slot) {
    TBall* ball = game.Balls[static_cast<size_t>(slot)].Get();
    if (ball == nullptr || Distance(*ball, *this) >= 100) continue;
    if (!QuadsOverlap(PatternQuad(*ball), PatternQuad(*this))) continue;
    if (!Gold()) {
      if (TBita* bat = game.Bita.Get()) bat->IdleTicks = 0;
    }
    if (ball->HitThisTick || Dead() ||
        !MovesTowards({ball->CentreX(), ball->CentreY()}, {CentreX(), CentreY()}, ball->VelocityX,
                      ball->VelocityY)) {
      continue;
    }
    ball->HitThisTick = true;
    if (!ball->Super) {
      const TBounce bounce = BrickBounce(ball->X, ball->Y, ball->PatternWidth(), ball->PatternHeight(), X, Y,
                                         PatternWidth(), PatternHeight());
      if (bounce.FlipY) ball->VelocityY = -ball->VelocityY;
      if (bounce.FlipX) ball->VelocityX = -ball->VelocityX;
    }
    if (Gold()) {
      form_.ParticleManager.Spawn("GoldExp.pss", CentreX(), CentreY());
      form_.PlaySound("ball_gold");
      if (ball->Super) BreakBlock();
    }
    HitBlock(ball->Super ? kDamageFire : ball->Big() ? kDamageBig : kDamageNormal);
  }
}

void TBlock::HitBlock(int damage) {
  // A brick that already broke this tick (two bananas, or a ball and the blast mark) must not
  // break again: its points and its place in BlocksLeft count once.
  if (Dead()) return;
  const TBlockHit hit = ApplyBlockDamage(Kind, HitPoints, damage);
  HitPoints = hit.HitPoints;
  if (!hit.NewImage.empty()) {
    form_.PlaySound("ball_step");
    SetImageName(std::string(hit.NewImage));
    form_.ParticleManager.Spawn("Crush.pss", CentreX(), CentreY());
  }
  if (hit.Breaks) {
    BreakBlock();
    form_.PlaySound("ball_crash");
  }
}

bool TBlock::BreakBlock() {
  if (Dead()) return false;
  TGameState& game = form_.Game;
  const float cx = CentreX(), cy = CentreY();
  if (HasBomb) {
    if (TBomb* bomb = Bomb.Get()) bomb->Kill();
    for (const TPointF& offset : kBlastOffsets) {
      Engine().Create<TBombPart>(cx + static_cast<float>(offset.X), cy + static_cast<float>(offset.Y));
    }
  }
  // Drawn on every break and handed to the caller, who makes the falling bonus from it.
  const bool dropsBonus = BonusDropAllowed(game.Random.Next(1000), game.BonusChance, game.BonusesFalling,
                                           game.MaxBonusesFalling, Gold(), game.BlocksLeft);
  if (dropsBonus) Engine().Create<TBonus>(form_, ChooseBonusKind(form_), cx, cy);
  if (Gold()) {
    form_.ParticleManager.Spawn("GoldExp.pss", cx, cy);
  } else {
    form_.ParticleManager.Spawn(row_.Explosion, cx, cy);
    game.Score += row_.Points;
    game.BlocksLeft -= 1;
    if (game.BlocksLeft == 0) {
      game.LevelCleared = true;
      if (game.LevelDropsKeyPart) Engine().Create<TKeyPart>(form_, cx, cy, game.KeyPartKind);
    }
  }
  TAnimatedSprite::Kill();
  return dropsBonus;
}

void TBlock::Draw() {
  if (form_.CurrentScreen == ScreenSpeech) return;
  TAnimatedSprite::Draw();
}

void TBlock::Kill() {
  if (TBomb* bomb = Bomb.Get()) bomb->Kill();
  TAnimatedSprite::Kill();
}

}  // namespace zb
