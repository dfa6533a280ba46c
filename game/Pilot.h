#pragma once

#include <cstdint>
#include <functional>

#include "game/ShotModel.h"

namespace zb {

class TPlayCore;
struct TSettings;
class TBall;

// The bat's driver during play: it launches every ball riding on the bat and meets the next
// ball coming down at the point of the bat whose hit angle sends it at a brick that is left.
// It acts only through the bound keys: it says which of them go down or up for the next frame,
// and reads nothing but the play core and the settings.
class TPilot {
 public:
  using Push = std::function<void(uint8_t key, bool down)>;

  // An idle pilot launches but never moves the bat.
  explicit TPilot(bool idle = false) : idle_(idle) {}

  // Queues the key changes for the next frame of play.
  void Steer(const TPlayCore& core, const TSettings& settings, const Push& push);
  // Lets go of every key it holds (before the game leaves play).
  void Release(const TSettings& settings, const Push& push);

 private:
  // Where to stand for the ball being served, kept until the ball's flight changes.
  struct TPlan {
    const TBall* Ball = nullptr;
    double VelocityX = 0, VelocityY = 0;
    double BatCentre = 0;
  };

  double AimedBatCentre(const TPlayCore& core, const TBall& ball, double landing, double ticks);
  void Hold(uint8_t key, bool down, bool& held, const Push& push);
  // The next of a fixed sequence of numbers in [0, 1).
  double Jitter();

  bool idle_;
  bool leftHeld_ = false;
  bool rightHeld_ = false;
  bool actionHeld_ = false;
  TShotModel model_;
  TPlan plan_;
  int lastBlocksLeft_ = -1;
  int stallTicks_ = 0;
  uint64_t jitter_ = 1;
};

}  // namespace zb
