#pragma once

#include <string_view>

namespace zb {

// The monkey's states on the bat.
enum TFaceState : int {
  FaceStay = 0,
  FaceRunLeft = 1,
  FaceRunRight = 2,
  FaceHit = 3,
  FaceThrow = 4,
  FaceLifeLost = 5,
  FaceBallLost = 6,
  FaceLevelDone = 7,
  FaceJumpIn = 10,
};

// What a tick of the monkey asks its owner to do.
struct TFaceEvents {
  bool ThrowBanana = false;   // frame 6 of the throw: play "banan", create the banana
  bool Finished = false;      // the level-done play ended: hide, spawn "GetLife.pss"
  bool Landed = false;        // the jump ended: show the bat overlay, its shadow and ball 0
};

// The monkey's image, frame and state, stepped once per tick. `Ticks` counts every tick; a
// step "every n ticks" happens when the count is a multiple of n after counting.
struct TFaceAnimation {
  int State = FaceJumpIn;
  int Ticks = 0;
  int Frame = 0;
  std::string_view Image = "m_jump";

  // Starts a state at frame 0 with its image.
  void Start(int state);
  // A change asked for by the bat's controls (stay, run left, run right): ignored while a hit,
  // throw or ball-lost play runs; the state it is already in restarts nothing.
  void Request(int state);
  // One tick. `visible` gates the jump; `y` is the monkey's y, which the jump lowers to 507.
  TFaceEvents Step(bool visible, double& y);
};

}  // namespace zb
