#include "game/Blocks.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "game/AntiStall.h"
#include "game/PlayContext.h"
#include "game/Ball.h"
#include "game/Bat.h"
#include "game/Bonus.h"
#include "game/GameProcedures.h"
#include "game/Geometry.h"
#include "game/KeysAndCages.h"
#include "game/Monkey.h"

namespace zb {
namespace {

TQuad PatternQuad(const TSprite& s) { return RectQuad(s.X, s.Y, s.PatternWidth(), s.PatternHeight()); }

double Distance(const TSprite& a, const TSprite& b) { return std::hypot(a.X - b.X, a.Y - b.Y); }

}  // namespace

TBomb::TBomb(TSpriteEngine& engine, TPlayContext& play, float x, float y) : TSprite(engine), play_(play) {
  SetName("bomb");
  SetImageName("bomb");
  X = x;
  Y = y;
  SetZ(230);
}

void TBomb::Draw() {
  if (play_.Is(PlayPhase::Speech)) return;
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
    auto* brick = dynamic_cast<TBlock*>(engine.SpriteAt(i));
    if (brick == nullptr || Distance(*this, *brick) >= 50) continue;
    if (brick->X <= X && X <= brick->X + brick->PatternWidth() && brick->Y <= Y &&
        Y <= brick->Y + brick->PatternHeight()) {
      brick->MarkBlasted();
    }
  }
  Kill();
}

TBlock* TBlock::Create(TSpriteEngine& engine, TPlayContext& play, float x, float y, int kind) {
  // A kind without a row would have no image and no strength; no brick stands there.
  const auto row = FindBlockKind(kind);
  if (!row) return nullptr;
  return &engine.Create<TBlock>(play, x, y, *row);
}

TBlock::TBlock(TSpriteEngine& engine, TPlayContext& play, float x, float y, const TBlockKind& row)
    : TAnimatedSprite(engine), play_(play), row_(row) {
  SetName("block");
  X = x;
  Y = y;
  SetZ(220);
  Kind = row.Kind;
  HitPoints = row.HitPoints;
  SetAnimation(std::string(row.Image), 0, 8, static_cast<float>(row.AnimSpeed), true, false, true, 0);
  if (row.Bomb) {
    HasBomb = true;
    Bomb = &engine.Create<TBomb>(play, x + 3, y);
  }
  if (row.Counted) ++play.Game.BlocksLeft;
}

void TBlock::MarkBlasted() {
  Blasted = true;
  SetRed(kBlastTint);
}

void TBlock::Move(float delta) {
  TAnimatedSprite::Move(delta);
  BobBomb();
  if (play_.Is(PlayPhase::Playing)) {
    TestBananas();
    TestBalls();
  }
  if (Blasted) HitBlock(kDamageBlast);
  if (play_.Is(PlayPhase::StageComplete) && play_.Game.ScreenTicks == 40 && Gold()) BreakBlock();
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
  for (const SpriteRef<TPlayerPula>& ref : play_.Game.Bananas) {
    TPlayerPula* banana = ref.Get();
    if (banana == nullptr || banana->Spent) continue;
    if (Distance(*banana, *this) < 30 && QuadsOverlap(PatternQuad(*banana), PatternQuad(*this))) {
      banana->Spend();
      HitBlock(kDamageNormal);
    }
  }
}

bool TBlock::Overlaps(const TBall& ball, double x, double y) const {
  if (std::hypot(static_cast<float>(x) - X, static_cast<float>(y) - Y) >= 100) return false;
  return QuadsOverlap(RectQuad(x, y, ball.PatternWidth(), ball.PatternHeight()), PatternQuad(*this));
}

bool TBlock::WouldHit(const TBall& ball, double x, double y, double velocityX, double velocityY) const {
  if (Dead() || !Overlaps(ball, x, y)) return false;
  // In the sprites' own precision, as their centres are.
  const TPointF centre{static_cast<float>(x) + static_cast<float>(ball.PatternWidth()) / 2,
                       static_cast<float>(y) + static_cast<float>(ball.PatternHeight()) / 2};
  return MovesTowards(centre, {CentreX(), CentreY()}, velocityX, velocityY);
}

void TBlock::TestBalls() {
  TGameState& game = play_.Game;
  for (int slot = 0; slot < std::min(game.BallCount, kMaxBalls); ++slot) {
    TBall* ball = game.Balls[static_cast<size_t>(slot)].Get();
    if (ball == nullptr || !Overlaps(*ball, ball->X, ball->Y)) continue;
    if (!Gold()) NoteTouch(game);
    if (ball->HitThisTick || !WouldHit(*ball, ball->X, ball->Y, ball->VelocityX, ball->VelocityY)) continue;
    ball->HitThisTick = true;
    if (!ball->Super) {
      const TBounce bounce = BrickBounce(ball->X, ball->Y, ball->PatternWidth(), ball->PatternHeight(), X, Y,
                                         PatternWidth(), PatternHeight());
      if (bounce.FlipY) ball->VelocityY = TurnedAway(ball->VelocityY, ball->CentreY(), CentreY());
      if (bounce.FlipX) ball->VelocityX = TurnedAway(ball->VelocityX, ball->CentreX(), CentreX());
    }
    if (Gold()) {
      play_.Particles.Spawn("GoldExp.pss", CentreX(), CentreY());
      play_.PlaySound(SoundCue::BallGold);
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
    play_.PlaySound(SoundCue::BallStep);
    SetImageName(std::string(hit.NewImage));
    play_.Particles.Spawn("Crush.pss", CentreX(), CentreY());
  }
  if (hit.Breaks) {
    BreakBlock();
    play_.PlaySound(SoundCue::BallCrash);
  }
}

bool TBlock::BreakBlock() {
  if (Dead()) return false;
  TGameState& game = play_.Game;
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
  if (dropsBonus) Engine().Create<TBonus>(play_, ChooseBonusKind(play_), cx, cy);
  if (Gold()) {
    play_.Particles.Spawn("GoldExp.pss", cx, cy);
  } else {
    play_.Particles.Spawn(row_.Explosion, cx, cy);
    game.Score += row_.Points;
    play_.Raise(TPlayEvent::Kind::ScoreChanged, game.Score);
    game.BlocksLeft -= 1;
    if (game.BlocksLeft == 0) {
      game.LevelCleared = true;
      if (game.LevelDropsKeyPart) Engine().Create<TKeyPart>(play_, cx, cy, game.KeyPartKind);
    }
  }
  TAnimatedSprite::Kill();
  return dropsBonus;
}

void TBlock::Draw() {
  if (play_.Is(PlayPhase::Speech)) return;
  TAnimatedSprite::Draw();
}

void TBlock::Kill() {
  if (TBomb* bomb = Bomb.Get()) bomb->Kill();
  TAnimatedSprite::Kill();
}

}  // namespace zb
