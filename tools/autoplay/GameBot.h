#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "app/HeadlessGame.h"
#include "game/Pilot.h"

namespace zb {

struct TGameBotOptions {
  uint8_t Difficulty = 0;
  std::optional<uint32_t> Seed;  // the shared generator's seed; the game's own when unset
  std::string Name = "Bot";      // UTF-8, typed on the name screen of a first start
  std::string Country = "Earth"; // UTF-8, typed when the country box is empty
  bool Send = false;             // "yes" on the send-score question
  bool Continue = false;         // "Продолжить" instead of "Новая игра"
  int StartLevel = 0;            // set before the difficulty button; 0 leaves the game's level 1
  int64_t MaxFrames = -1;        // frames on the game screen before the bot gives the game up; < 0 never
  bool Idle = false;             // launch, never steer
  std::filesystem::path PngDir;  // a picture of the first frame of every screen entered; empty for none
  int64_t FrameBound = 1'500'000;
};

// Plays one whole game through the real screens, as a player does: the name, the menus, every
// level with its story scenes, the closing screens, and then quits through the exit question and
// the share page so that the game closes by its own steps. It acts only through window events
// (keys, typed characters, clicks at the centre of named controls); the one exception is the
// start level, written into the game record before the difficulty is chosen.
class TGameBot {
 public:
  using Output = std::function<void(const std::string&)>;

  TGameBot(HeadlessGame& game, TGameBotOptions options, Output out);

  // From start-up to the window's close. False when the game could not start or the bound of
  // frames ran out first.
  bool Run();

  // game: result=finished|gameover|quit frames=F level=L score=S entered=yes|no
  std::string Summary() const;
  int64_t Frames() const { return frames_; }
  // Run returns after the frame that is running now (a test has seen what it wanted).
  void Stop() { stop_ = true; }
  // Continuing was asked for, but the main menu offered no game to continue.
  bool NoCheckpoint() const { return noCheckpoint_; }

  // Called after every frame the bot lets run; a test looks at the game here.
  std::function<void()> AfterFrame;

 private:
  enum class Ending { None, Finished, GameOver, Quit };

  void Act();
  void Frame();
  void Observe();
  void Entered(uint8_t screen);

  // Player's actions; each queues window events for the next frame.
  bool ClickOn(const char* name);
  void Press(uint8_t key);
  void Type(const std::string& utf8);
  void Push(const platform::Event& event);
  // Once per visit of a screen, and again every `retry` frames while the screen stays.
  bool Due(int retry = 60);

  HeadlessGame& game_;
  TGameBotOptions options_;
  Output out_;
  TPilot pilot_;
  int64_t frames_ = 0;
  int64_t playFrames_ = 0;
  uint8_t screen_ = 0xFF;
  int64_t enteredAt_ = 0;
  bool actedHere_ = false;   // something was done on this visit of the screen
  int64_t lastAct_ = 0;
  size_t messages_ = 0;
  bool pngPending_ = false;
  int pngCount_ = 0;
  bool spaceHeld_ = false;
  bool started_ = false;     // the difficulty was chosen
  bool answered_ = false;    // the send-score question was answered
  bool giveUp_ = false;      // the frames of play ran out: quit the game from play
  Ending ending_ = Ending::None;
  int finalLevel_ = 0;
  int32_t finalScore_ = 0;
  bool entered_ = false;
  bool noCheckpoint_ = false;
  bool stop_ = false;
};

}  // namespace zb
