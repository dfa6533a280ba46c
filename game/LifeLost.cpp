#include "game/LifeLost.h"

#include "game/Ball.h"
#include "game/Bat.h"
#include "game/BonusImage.h"
#include "game/Monkey.h"
#include "game/PlayContext.h"

namespace zb {
namespace {

void StartFace(TGameState& game, int state) {
  TBita* bat = game.Bita.Get();
  if (TMonkeyFace* face = bat != nullptr ? bat->Face.Get() : nullptr) face->Start(state);
}

void Serve(TPlayContext& play, TBita& bat) {
  TGameState& game = play.Game;
  play.Particles.Spawn("GetLife.pss", 80, 370);
  play.PlaySound(SoundCue::LostLife);
  --game.Lives;
  bat.SetSize(kBatNormal);
  StartFace(game, FaceStay);
  game.BananaMode = false;
  game.ThrowCooldown = 0;
  TBall& ball = play.Engine.Create<TBall>(play, false, false, kServeX, kServeY, 0);
  ball.OnBat = true;
  // Seated on the bat as at the level start: at kServeY it overlaps the bat, and a launch in the
  // next tick (the action key held through the sequence) left it caught under the bat for good.
  ball.Y = bat.Y - static_cast<float>(ball.PatternHeight());
  game.Balls[0] = &ball;
  game.LifeLostFlag = false;
}

}  // namespace

void LastBallLost(TPlayContext& play) {
  TGameState& game = play.Game;
  if (game.Lives > 1) {
    game.LifeLostFlag = true;
  } else {
    game.GameOverFlag = true;
  }
}

void StartLifeLost(TPlayContext& play) {
  ClearRunningBonus(play);
  StartFace(play.Game, FaceLifeLost);
  play.Game.ScreenTicks = 0;
}

void WalkBatHome(TPlayContext& play, TBita& bat) {
  if (play.Game.ScreenTicks <= kLifeLostStandTicks) return;
  TMonkeyFace* face = bat.Face.Get();
  if (bat.X > kBatHomeX + kBatHomeSnap) {
    bat.X -= kBatRunStep;
    if (face != nullptr) face->Request(FaceRunLeft);
  } else if (bat.X >= kBatHomeX - kBatHomeSnap) {
    bat.X = kBatHomeX;
  } else {
    bat.X += kBatRunStep;
    if (face != nullptr) face->Request(FaceRunRight);
  }
}

bool LifeLostStep(TPlayContext& play) {
  TGameState& game = play.Game;
  ++game.ScreenTicks;
  TBita* bat = game.Bita.Get();
  if (game.ScreenTicks == kLifeLostStandTicks && bat != nullptr) {
    StartFace(game, bat->X > kBatHomeX ? FaceRunLeft : FaceRunRight);
  }
  if (game.ScreenTicks <= kLifeLostStandTicks || bat == nullptr || bat->X != kBatHomeX) return false;
  Serve(play, *bat);
  return true;
}

}  // namespace zb
