#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/HeadlessGame.h"
#include "game/Pilot.h"

namespace zb {

// Plays a level of the real game headless: it enters the game screen at a level and lets the
// pilot steer the bat with the bound keys, one frame at a time.
class TAutoPlayer {
 public:
  enum class Result { Running, Cleared, Lost };

  // `push` queues a window event, `frame` delivers the queued events and runs one idle pass.
  TAutoPlayer(TScreenContext& screens, std::function<void(const platform::Event&)> push, std::function<void()> frame,
              std::function<bool()> closed)
      : screens_(screens), push_(std::move(push)), frame_(std::move(frame)), closed_(std::move(closed)) {}
  explicit TAutoPlayer(HeadlessGame& game);

  // Sets up a new game at `level` and enters the game screen (its intro runs in the frames).
  void StartLevel(int level, uint8_t difficulty, uint32_t seed);
  // With lives on, a lost ball costs a life and play goes on until the game is over.
  void PlayOnWithLives(bool on) { playOn_ = on; }
  // Steers, then runs one frame; does nothing once the level is cleared or lost.
  void Step();
  // Up to `frames` frames, stopping early at the end of the level.
  void Run(int frames);

  Result State() const;
  int Frames() const { return frames_; }
  // level=L frames=F score=S blocks_left=B lives=V result=cleared|lost|running
  std::string Summary() const;

 private:
  TScreenContext& screens_;
  std::function<void(const platform::Event&)> push_;
  std::function<void()> frame_;
  std::function<bool()> closed_;
  TPilot pilot_;
  int frames_ = 0;
  int level_ = 0;
  bool playOn_ = false;
  bool spaceHeld_ = false;
};

}  // namespace zb
