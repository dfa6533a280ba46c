#include "tools/autoplay/AutoPlayer.h"

#include <cmath>

#include "engine/platform/Keys.h"
#include "game/Ball.h"
#include "game/Bat.h"
#include "game/BallRules.h"
#include "screens/ScreenMachine.h"

namespace zb {
namespace {

float CentreX(const TSprite& s) { return s.X + static_cast<float>(s.VisibleWidth()) / 2; }

// Where a ball flying down reaches height `y`, folded back at the walls.
double LandingX(const TBall& ball, double y) {
  const double width = ball.VisibleWidth();
  if (ball.VelocityY <= 0) return ball.X + width / 2;
  const double ticks = (y - ball.Y) / ball.VelocityY;
  const double left = kLeftWall;
  const double span = kRightWall - width - left;
  if (span <= 0) return ball.X;
  double x = ball.X - left + ball.VelocityX * ticks;
  x = std::fmod(x, 2 * span);
  if (x < 0) x += 2 * span;
  if (x > span) x = 2 * span - x;
  return left + x + width / 2;
}

}  // namespace

TAutoPlayer::TAutoPlayer(HeadlessGame& game)
    : TAutoPlayer(
          game.Form(), [&game](const platform::Event& e) { game.Platform().window.Push(e); },
          [&game] { game.Frame(); }) {}

void TAutoPlayer::StartLevel(int level, uint8_t difficulty, uint32_t seed) {
  TForm1& form = form_;
  level_ = level;
  frames_ = 0;
  form.Game.Random.Seed(seed);
  form.Game.SetShownScore(0);
  form.Game.LevelNumber = level;
  form.Game.Difficulty = difficulty;
  form.Game.Lives = 3;
  form.Screen.GameFinished = false;
  // Whatever stands: the current screen, and a playfield still alive under it.
  LeaveScreen(form.Screen, form.Screen.CurrentScreen);
  if (form.Game.Bita.Get() != nullptr) LeaveScreen(form.Screen, ScreenGame);
  EnterScreen(form.Screen, ScreenGame);
}

TAutoPlayer::Result TAutoPlayer::State() const {
  const TGameState& game = form_.Game;
  if (game.LevelCleared) return Result::Cleared;
  if (game.LifeLostFlag || game.GameOverFlag) return Result::Lost;
  return Result::Running;
}

void TAutoPlayer::Hold(uint8_t key, bool down) {
  platform::Event e;
  e.type = down ? platform::Event::Type::KeyDown : platform::Event::Type::KeyUp;
  e.key = key;
  push_(e);
}

void TAutoPlayer::Steer() {
  TForm1& form = form_;
  const TGameState& game = form.Game;
  const auto right = static_cast<uint8_t>(form.Settings.Keys[0]);
  const auto left = static_cast<uint8_t>(form.Settings.Keys[1]);
  const auto action = static_cast<uint8_t>(form.Settings.Keys[2]);

  // The action key goes down for one frame whenever a ball rides on the bat.
  bool launch = false;
  const TBall* lowest = nullptr;
  for (int i = 0; i < game.BallCount && i < kMaxBalls; ++i) {
    const TBall* ball = game.Balls[static_cast<size_t>(i)].Get();
    if (ball == nullptr || ball->Dead()) continue;
    if (ball->OnBat) {
      launch = true;
      continue;
    }
    const bool falling = ball->VelocityY > 0;
    const bool lowestFalling = lowest != nullptr && lowest->VelocityY > 0;
    if (lowest == nullptr || (falling && !lowestFalling) || (falling == lowestFalling && ball->Y > lowest->Y)) {
      lowest = ball;
    }
  }
  if (actionHeld_) {
    Hold(action, false);
    actionHeld_ = false;
  } else if (launch) {
    Hold(action, true);
    actionHeld_ = true;
  }

  bool wantLeft = false, wantRight = false;
  if (game.Bita.Get() != nullptr && lowest != nullptr) {
    const TBita& bat = *game.Bita.Get();
    const double batCentre = CentreX(bat);
    double target = LandingX(*lowest, bat.Y - lowest->VisibleHeight());
    // Meet the ball a little off the middle so that it leaves towards the standing bricks.
    double brickSum = 0;
    int bricks = 0;
    for (int i = 0; i < form.GameEngine.Count(); ++i) {
      const TSprite* sprite = form.GameEngine.SpriteAt(i);
      if (sprite != nullptr && sprite->Name == "block" && !sprite->Dead()) {
        brickSum += CentreX(*sprite);
        ++bricks;
      }
    }
    if (bricks > 0 && lowest->VelocityY > 0) {
      const double towards = brickSum / bricks > target ? 1 : -1;
      target -= towards * bat.VisibleWidth() * 0.2;
    }
    const double gap = target - batCentre;
    const double deadZone = 3;
    wantLeft = gap < -deadZone;
    wantRight = gap > deadZone;
  }
  if (wantLeft != leftHeld_) {
    Hold(left, wantLeft);
    leftHeld_ = wantLeft;
  }
  if (wantRight != rightHeld_) {
    Hold(right, wantRight);
    rightHeld_ = wantRight;
  }
}

void TAutoPlayer::Step() {
  if (State() != Result::Running) return;
  TForm1& form = form_;
  if (form.Screen.CurrentScreen == ScreenSpeech) {
    // A story scene before the level: the player reads on with the action key.
    if (++framesOnStory_ % 20 == 0) {
      Hold(vk::Space, true);
      Hold(vk::Space, false);
    }
  }
  if (form.Screen.CurrentScreen == ScreenGame) Steer();
  frame_();
  ++frames_;
}

void TAutoPlayer::Run(int frames) {
  while (frames_ < frames && State() == Result::Running && !form_.Closed()) Step();
}

std::string TAutoPlayer::Summary() const {
  const TGameState& game = form_.Game;
  const char* result = State() == Result::Cleared ? "cleared" : State() == Result::Lost ? "lost" : "running";
  return "level=" + std::to_string(level_) + " frames=" + std::to_string(frames_) +
         " score=" + std::to_string(game.Score) + " blocks_left=" + std::to_string(game.BlocksLeft) +
         " lives=" + std::to_string(game.Lives) + " result=" + result;
}

}  // namespace zb
