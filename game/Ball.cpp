#include "game/Ball.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "game/PlayContext.h"
#include "game/BallRules.h"
#include "game/Bat.h"
#include "game/BlockRules.h"
#include "game/Blocks.h"
#include "game/LifeLost.h"
#include "game/Scenery.h"
#include "game/ShadowFollow.h"

namespace zb {
namespace {

bool SameBounce(const TBounce& a, const TBounce& b) { return a.FlipX == b.FlipX && a.FlipY == b.FlipY; }

}  // namespace

TBall::TBall(TSpriteEngine& engine, TPlayContext& play, bool super, bool big, float x, float y, int slot)
    : TAnimatedSprite(engine), play_(play) {
  SetName("ball");
  X = x;
  Y = y;
  SetZ(510);
  BigBall = big;
  SetAnimation(big ? "ball2" : "ball", 0, 8, 300.0f, true, false, true, 0);
  Collidable = true;
  CollideMode = 1;
  const TBallConstants constants = BallConstants(play.Game.Difficulty);
  BaseSpeed = constants.BaseSpeed;
  SpeedFactor = constants.SpeedFactor;
  Speed = BaseSpeed;
  const TVelocity start = StartVelocity(play.Game.Random.Next(60), Speed);
  VelocityX = start.X;
  VelocityY = start.Y;
  DriftTicks = 1;
  OnBat = false;
  HitThisTick = false;
  ++play.Game.BallCount;
  Slot = slot;
  if (super) {
    Super = true;
    SuperTrail = play.Particles.Spawn("BallSuper.pss", CentreX(), CentreY());
    // The ball draws its own trail.
    SuperTrail.SetName("dontpaint");
    SuperTrailOn = true;
  }
  Shadow = &engine.Create<TShadow>(play, ImageName, 498);
  Shadow.Get()->X = x + 2;
  Shadow.Get()->Y = y + 2;
}

void TBall::Move(float delta) {
  if (!play_.Is(PlayPhase::Playing)) return;
  TAnimatedSprite::Move(delta);
  if (OnBat) {
    Animating = false;
  } else {
    const float fromX = X, fromY = Y;
    TBallFlight flight{X, Y, VelocityX, VelocityY};
    if (flight.Step(VisibleWidth())) play_.PlaySound(SoundCue::BallSide);
    X = static_cast<float>(flight.X);
    Y = static_cast<float>(flight.Y);
    VelocityX = flight.VelocityX;
    VelocityY = flight.VelocityY;
    StopAtFirstContact(fromX, fromY);
    Animating = true;
  }
  CollideRect = {static_cast<int>(std::lround(X)), static_cast<int>(std::lround(Y)),
                 static_cast<int>(std::lround(X + VisibleWidth())),
                 static_cast<int>(std::lround(Y + VisibleHeight()))};
  if (SuperTrailOn) SuperTrail.SetPosition(CentreX(), CentreY());
  if (DriftTicks == kDriftTicks) {
    VelocityY += kDriftStep;
    DriftTicks = 0;
  }
  ++DriftTicks;
  if (Y > kLossY) {
    if (Big()) {
      Engine().Create<TBallCrush>(X - 3, Y - 4, true);
    } else {
      Engine().Create<TBallCrush>(X - 2, Y - 1, false);
    }
    play_.PlaySound(SoundCue::BallDead);
    Kill();
  }
  if (TShadow* shadow = Shadow.Get()) FollowOwner(*shadow, *this);
  HitThisTick = false;
}

void TBall::StopAtFirstContact(float fromX, float fromY) {
  const double dx = static_cast<double>(X) - fromX, dy = static_cast<double>(Y) - fromY;
  const double length = std::hypot(dx, dy);
  const int steps = static_cast<int>(std::ceil(length / kMostBallStep));
  if (steps <= 1) return;
  // A brick the ball stands in already is left to its own test.
  std::vector<const TBlock*> near;
  for (int i = 0; i < Engine().Count(); ++i) {
    const auto* brick = dynamic_cast<const TBlock*>(Engine().SpriteAt(i));
    if (brick == nullptr || brick->Dead() || std::hypot(brick->X - fromX, brick->Y - fromY) >= 100 + length) {
      continue;
    }
    if (!brick->Overlaps(*this, fromX, fromY)) near.push_back(brick);
  }
  if (near.empty()) return;
  const auto bounce = [this](const TBlock& brick, float x, float y) {
    return BrickBounce(x, y, PatternWidth(), PatternHeight(), brick.X, brick.Y, brick.PatternWidth(),
                       brick.PatternHeight());
  };
  for (int k = 1; k < steps; ++k) {
    const auto x = static_cast<float>(fromX + dx * k / steps);
    const auto y = static_cast<float>(fromY + dy * k / steps);
    for (const TBlock* brick : near) {
      if (!brick->WouldHit(*this, x, y, VelocityX, VelocityY)) continue;
      // Where the whole step meets the same brick to the same effect, the ball goes the whole way,
      // as a slow one always did.
      const bool sameAtEnd = brick->WouldHit(*this, X, Y, VelocityX, VelocityY) &&
                             (Super || SameBounce(bounce(*brick, X, Y), bounce(*brick, x, y)));
      if (!sameAtEnd) {
        X = x;
        Y = y;
      }
      return;
    }
  }
}

void TBall::SetBig(bool big) {
  BigBall = big;
  const std::string image = big ? "ball2" : "ball";
  SetImageName(image);
  if (TShadow* shadow = Shadow.Get()) shadow->SetImageName(image);
}

void TBall::Draw() {
  if (play_.Is(PlayPhase::Speech)) return;
  if (SuperTrailOn && Engine().Canvas() != nullptr) SuperTrail.Draw(*Engine().Canvas(), 0, 0);
  TAnimatedSprite::Draw();
}

void TBall::Kill() {
  // A second kill (the ball fell, then the playfield was torn down) must not count it twice.
  if (Dead()) return;
  if (SuperTrailOn) SuperTrail.StopEmitting(true);
  if (TShadow* shadow = Shadow.Get()) shadow->Kill();
  TAnimatedSprite::Kill();

  TGameState& game = play_.Game;
  const int count = std::clamp(game.BallCount, 0, kMaxBalls);
  if (Slot >= 0 && Slot < 2) {
    for (int k = Slot + 1; k < count; ++k) {
      if (TBall* later = game.Balls[static_cast<size_t>(k)].Get()) later->Slot -= 1;
      game.Balls[static_cast<size_t>(k - 1)] = game.Balls[static_cast<size_t>(k)];
    }
  }
  // The slot given up no longer names a ball.
  if (count > 0 && Slot >= 0 && Slot < count) game.Balls[static_cast<size_t>(count - 1)] = nullptr;
  if (game.BallCount > 0) --game.BallCount;

  if (game.BallCount > 0) {
    if (TBita* bat = game.Bita.Get()) {
      if (TMonkeyFace* face = bat->Face.Get()) face->Start(FaceBallLost);
    }
  } else {
    LastBallLost(play_);
  }
}

}  // namespace zb
