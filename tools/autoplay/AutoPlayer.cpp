#include "tools/autoplay/AutoPlayer.h"

#include "engine/platform/Keys.h"
#include "screens/ScreenMachine.h"

namespace zb {

TAutoPlayer::TAutoPlayer(HeadlessGame& game)
    : TAutoPlayer(
          game.Screens(), [&game](const platform::Event& e) { game.Platform().window.Push(e); },
          [&game] { game.Frame(); }, [&game] { return game.Closed(); }) {}

void TAutoPlayer::StartLevel(int level, uint8_t difficulty, uint32_t seed) {
  TGameState& game = screens_.Core.Game;
  level_ = level;
  frames_ = 0;
  game.Random.Seed(seed);
  game.SetShownScore(0);
  game.LevelNumber = level;
  game.Difficulty = difficulty;
  game.Lives = 3;
  screens_.GameFinished = false;
  // Whatever stands: the current screen, and a playfield still alive under it.
  LeaveScreen(screens_, screens_.CurrentScreen);
  if (game.Bita.Get() != nullptr) LeaveScreen(screens_, ScreenGame);
  EnterScreen(screens_, ScreenGame);
}

TAutoPlayer::Result TAutoPlayer::State() const {
  const TGameState& game = screens_.Core.Game;
  if (game.LevelCleared) return Result::Cleared;
  if (game.GameOverFlag || (game.LifeLostFlag && !playOn_)) return Result::Lost;
  return Result::Running;
}

void TAutoPlayer::Step() {
  if (State() != Result::Running) return;
  // A story scene before the level: the player reads on with a key at every wait.
  const bool read = screens_.CurrentScreen == ScreenSpeech && screens_.Core.Game.SpeechWaiting && !spaceHeld_;
  if (read != spaceHeld_) {
    platform::Event e;
    e.type = read ? platform::Event::Type::KeyDown : platform::Event::Type::KeyUp;
    e.key = vk::Space;
    push_(e);
    spaceHeld_ = read;
  }
  if (screens_.CurrentScreen == ScreenGame) {
    pilot_.Steer(screens_.Core, screens_.Settings, [this](uint8_t key, bool down) {
      platform::Event e;
      e.type = down ? platform::Event::Type::KeyDown : platform::Event::Type::KeyUp;
      e.key = key;
      push_(e);
    });
  }
  frame_();
  ++frames_;
}

void TAutoPlayer::Run(int frames) {
  while (frames_ < frames && State() == Result::Running && !closed_()) Step();
}

std::string TAutoPlayer::Summary() const {
  const TGameState& game = screens_.Core.Game;
  const char* result = State() == Result::Cleared ? "cleared" : State() == Result::Lost ? "lost" : "running";
  return "level=" + std::to_string(level_) + " frames=" + std::to_string(frames_) +
         " score=" + std::to_string(game.Score) + " blocks_left=" + std::to_string(game.BlocksLeft) +
         " lives=" + std::to_string(game.Lives) + " result=" + result;
}

}  // namespace zb
