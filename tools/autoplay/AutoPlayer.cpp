#include "tools/autoplay/AutoPlayer.h"

#include "engine/platform/Keys.h"
#include "screens/ScreenMachine.h"

namespace zb {

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
  if (game.GameOverFlag || (game.LifeLostFlag && !playOn_)) return Result::Lost;
  return Result::Running;
}

void TAutoPlayer::Step() {
  if (State() != Result::Running) return;
  TForm1& form = form_;
  // A story scene before the level: the player reads on with a key at every wait.
  const bool read = form.Screen.CurrentScreen == ScreenSpeech && form.Game.SpeechWaiting && !spaceHeld_;
  if (read != spaceHeld_) {
    platform::Event e;
    e.type = read ? platform::Event::Type::KeyDown : platform::Event::Type::KeyUp;
    e.key = vk::Space;
    push_(e);
    spaceHeld_ = read;
  }
  if (form.Screen.CurrentScreen == ScreenGame) pilot_.Steer(form, push_);
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
