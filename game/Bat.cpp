#include "game/Bat.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "game/AntiStall.h"
#include "game/PlayContext.h"
#include "game/Ball.h"
#include "game/BallRules.h"
#include "game/Geometry.h"
#include "game/LifeLost.h"
#include "game/ShadowFollow.h"

namespace zb {
namespace {

struct TBatSize {
  std::string_view Bat;
  std::string_view Overlay;
  int TargetFrame;
};
constexpr TBatSize kSizes[4] = {{"bitka1_1", "bitka1", 3},
                                {"bitka2_1", "bitka1", 6},
                                {"bitka3_1", "bitka1", 0},
                                {"bitka4_1", "bitka4", 0}};

TQuad PatternQuad(const TSprite& s) { return RectQuad(s.X, s.Y, s.PatternWidth(), s.PatternHeight()); }

float PatternCentreX(const TSprite& s) { return s.X + static_cast<float>(s.PatternWidth()) / 2; }

}  // namespace

TBitaImage::TBitaImage(TSpriteEngine& engine, TPlayContext& play, float x, float y) : TSprite(engine), play_(play) {
  SetImageName("bitka1");
  X = x;
  Y = y;
  SetZ(490);
  SetPatternIndex(3);
  Visible = false;
}

void TBitaImage::Draw() {
  if (play_.Is(PlayPhase::Speech)) return;
  TSprite::Draw();
}

TBita::TBita(TSpriteEngine& engine, TPlayContext& play, float x, float y) : TAnimatedSprite(engine), play_(play) {
  SetAnimation("bitka1_1", 0, 5, 500.0f, true, false, false, 0);
  X = x;
  Y = y;
  SetZ(500);
  Collidable = true;
  CollideMode = 1;
  Speed = BatSpeed(play.Game.Difficulty);
  NoteTouch(play.Game);
  TBitaImage& overlay = engine.Create<TBitaImage>(play, 0.0f, y - 8);
  overlay.X = PatternCentreX(*this) - static_cast<float>(overlay.PatternWidth()) / 2;
  Overlay = &overlay;
  Visible = false;
  Size = kBatNormal;
  OverlayTargetFrame = 3;
  OverlayTicks = 1;
  TShadow& shadow = engine.Create<TShadow>(play, overlay.ImageName, 490);
  FollowOwner(shadow, overlay);
  shadow.Visible = false;
  Shadow = &shadow;
  Face = &engine.Create<TMonkeyFace>(play, PatternCentreX(overlay) - 50, 620.0f);
  DipStep = 0;
  Dipping = false;
}

void TBita::SetSize(int size) {
  if (size < 0 || size > 3) return;
  Size = size;
  const TBatSize& row = kSizes[size];
  SetImageName(std::string(row.Bat));
  OverlayTargetFrame = row.TargetFrame;
  if (TBitaImage* overlay = Overlay.Get()) {
    overlay->SetImageName(std::string(row.Overlay));
    if (size == kBatMagnet) overlay->SetPatternIndex(0);
  }
  if (X < kLeftWall) X = static_cast<float>(kLeftWall);
  if (X + PatternWidth() > kRightWall) X = static_cast<float>(kRightWall) - PatternWidth();
}

void TBita::Move(float delta) {
  if (play_.Is(PlayPhase::Playing)) {
    TAnimatedSprite::Move(delta);
    MoveOnGameScreen();
  } else if (play_.Is(PlayPhase::LifeLost)) {
    TAnimatedSprite::Move(delta);
    WalkBack();
  }
}

void TBita::MoveOnGameScreen() {
  TGameState& game = play_.Game;
  if (const int32_t turn = StallTick(game); turn > 0) {
    for (int i = 0; i < std::min(game.BallCount, kMaxBalls); ++i) {
      if (TBall* ball = game.Balls[static_cast<size_t>(i)].Get()) TurnStalledBall(ball->VelocityX, ball->VelocityY, turn);
    }
  }
  Controls();
  for (int i = 0; i < std::min(game.BallCount, kMaxBalls); ++i) {
    TBall* ball = game.Balls[static_cast<size_t>(i)].Get();
    if (ball == nullptr || !ball->OnBat) continue;
    ball->X += static_cast<float>(Velocity);
    ball->Y = Y - static_cast<float>(ball->PatternHeight());
    NoteTouch(game);
  }
  PlaceOverlay();
  StepOverlayFrame();
  CollideRect = {static_cast<int>(std::lround(X + 4)), static_cast<int>(std::lround(Y + 3)),
                 static_cast<int>(std::lround(X + VisibleWidth() - 4)),
                 static_cast<int>(std::lround(Y + VisibleHeight() - 4))};
  if (game.ThrowCooldown > 0) {
    game.ThrowCooldown = game.ThrowCooldown == game.ThrowCooldownTicks ? 0 : game.ThrowCooldown + 1;
  }
  if (TShadow* shadow = Shadow.Get(); shadow != nullptr && Overlay.Get() != nullptr)
    FollowOwner(*shadow, *Overlay.Get());
  HitBalls();
  FollowOverlay();
  Dip();
}

void TBita::Controls() {
  TGameState& game = play_.Game;
  TMonkeyFace* face = Face.Get();
  Velocity = 0;
  if (play_.Input.Action) {
    for (int i = 0; i < std::min(game.BallCount, kMaxBalls); ++i) {
      TBall* ball = game.Balls[static_cast<size_t>(i)].Get();
      if (ball == nullptr || !ball->OnBat) continue;
      ball->OnBat = false;
      ball->Y -= 5;
    }
    if (game.BananaMode && game.ThrowCooldown == 0) {
      game.ThrowCooldown = 1;
      if (face != nullptr) face->Start(FaceThrow);
    }
  }
  // The walls hold the bat: it never stands past x 172 or 800 - its width. The velocity is the
  // step really made, so that balls carried on the bat keep their place on it at a wall.
  const float rightLimit = static_cast<float>(kRightWall) - VisibleWidth();
  const float before = X;
  if (play_.Input.Left) {
    if (X <= kLeftWall) return;
    X = std::max(static_cast<float>(kLeftWall), X - static_cast<float>(Speed));
    Velocity = X - before;
    if (face != nullptr) face->Request(FaceRunLeft);
  } else if (play_.Input.Right) {
    if (X < rightLimit) {
      X = std::min(rightLimit, X + static_cast<float>(Speed));
      Velocity = X - before;
    }
    if (face != nullptr) face->Request(FaceRunRight);
  } else if (face != nullptr) {
    face->Request(FaceStay);
  }
}

void TBita::PlaceOverlay() {
  TBitaImage* overlay = Overlay.Get();
  if (overlay == nullptr) return;
  const float centred = PatternCentreX(*this) - static_cast<float>(overlay->PatternWidth()) / 2;
  overlay->X = (Size == kBatBig || Size == kBatSmall) ? centred - 3 : centred;
  if (!Dipping) overlay->Y = Size == kBatMagnet ? Y - 7 : Y - 8;
}

void TBita::StepOverlayFrame() {
  TBitaImage* overlay = Overlay.Get();
  if (OverlayTicks == 3) {
    if (overlay != nullptr && overlay->PatternIndex != OverlayTargetFrame) {
      overlay->SetPatternIndex(overlay->PatternIndex + (overlay->PatternIndex < OverlayTargetFrame ? 1 : -1));
    }
    OverlayTicks = 0;
  }
  ++OverlayTicks;
}

void TBita::FollowOverlay() {
  TBitaImage* overlay = Overlay.Get();
  TMonkeyFace* face = Face.Get();
  if (overlay != nullptr && face != nullptr) {
    face->X = PatternCentreX(*overlay) - static_cast<float>(face->PatternWidth()) / 2;
  }
}

void TBita::HitBalls() {
  TGameState& game = play_.Game;
  for (int i = 0; i < std::min(game.BallCount, kMaxBalls); ++i) {
    if (TBall* ball = game.Balls[static_cast<size_t>(i)].Get()) HitBall(*ball);
  }
}

void TBita::HitBall(TBall& ball) {
  if (std::hypot(ball.X - X, ball.Y - Y) >= 150) return;
  if (!QuadsOverlap(PatternQuad(ball), PatternQuad(*this)) || ball.OnBat) return;
  if (TMonkeyFace* face = Face.Get(); face != nullptr && face->FaceState() != FaceHit) face->Start(FaceHit);
  Dipping = true;
  DipStep = 1;
  NoteTouch(play_.Game);
  // Out of the bat means upwards: a ball already rising (met by the bat's end, or still inside
  // after last tick's hit) would otherwise be pushed down into it and held there for good.
  ball.Y -= static_cast<float>(2 * std::abs(ball.VelocityY));
  const double angle =
      BatHitAngle(ball.X + ball.VisibleWidth() / 2.0, X + VisibleWidth() / 2.0, VisibleWidth(), Velocity);
  ball.Speed =
      SpeedAfterBatHit(ball.Speed, ball.BaseSpeed, ball.SpeedFactor, ball.VelocityX, Speed, Velocity);
  const TVelocity velocity = BatHitVelocity(angle, ball.Speed);
  ball.VelocityX = velocity.X;
  ball.VelocityY = velocity.Y;
  play_.PlaySound(SoundCue::BallBat);
  if (Size == kBatMagnet) ball.OnBat = true;
}

void TBita::Dip() {
  if (!Dipping) return;
  const float step = DipStep <= 3 ? 1.0f : -1.0f;
  if (TBitaImage* overlay = Overlay.Get()) overlay->Y += step;
  if (TShadow* shadow = Shadow.Get()) shadow->Y += step;
  if (DipStep == 6) {
    Dipping = false;
    DipStep = 0;
  } else {
    ++DipStep;
  }
}

void TBita::WalkBack() {
  WalkBatHome(play_, *this);
  PlaceOverlay();
  if (TShadow* shadow = Shadow.Get(); shadow != nullptr && Overlay.Get() != nullptr)
    FollowOwner(*shadow, *Overlay.Get());
  FollowOverlay();
}

void TBita::Draw() {
  if (play_.Is(PlayPhase::Speech)) return;
  TAnimatedSprite::Draw();
}

void TBita::Kill() {
  if (TBitaImage* overlay = Overlay.Get()) overlay->Kill();
  if (TShadow* shadow = Shadow.Get()) shadow->Kill();
  if (TMonkeyFace* face = Face.Get()) face->Kill();
  TAnimatedSprite::Kill();
}

}  // namespace zb
