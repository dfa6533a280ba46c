#include "game/FaceAnimation.h"

#include <algorithm>

namespace zb {
namespace {

constexpr double kLandedY = 507;

std::string_view ImageOf(int state) {
  switch (state) {
    case FaceStay: return "m_stay";
    case FaceRunLeft:
    case FaceRunRight: return "m_run";
    case FaceHit: return "m_hit";
    case FaceThrow: return "m_throw";
    case FaceLifeLost: return "m_ches";
    case FaceBallLost: return "m_vipuch";
    case FaceLevelDone: return "m_finish";
    default: return "m_jump";
  }
}

}  // namespace

void TFaceAnimation::Start(int state) {
  State = state;
  Frame = 0;
  Image = ImageOf(state);
}

void TFaceAnimation::Request(int state) {
  if (State == FaceHit || State == FaceThrow || State == FaceBallLost) return;
  if (State == state) return;
  Start(state);
}

TFaceEvents TFaceAnimation::Step(bool visible, double& y) {
  TFaceEvents events;
  ++Ticks;
  const auto every = [this](int n) { return Ticks % n == 0; };
  switch (State) {
    case FaceStay:
      if (every(4) && ++Frame > 8) Frame = 0;
      break;
    case FaceRunLeft:
      if (every(3) && --Frame < 0) Frame = 8;
      break;
    case FaceRunRight:
      if (every(3) && ++Frame > 8) Frame = 0;
      break;
    case FaceHit:
      // Frames 0, 1, 2, 3, 5, 7.
      if (Frame == 7) {
        Start(FaceStay);
      } else {
        Frame += Frame < 3 ? 1 : 2;
      }
      break;
    case FaceThrow:
      if (every(3)) {
        ++Frame;
        if (Frame == 6) events.ThrowBanana = true;
        if (Frame > 8) Start(FaceStay);
      }
      break;
    case FaceLifeLost:
      if (every(6) && ++Frame > 10) Start(FaceStay);
      break;
    case FaceBallLost:
      if (every(3) && ++Frame > 6) Start(FaceStay);
      break;
    case FaceLevelDone:
      if (every(6) && ++Frame > 13) {
        Start(FaceStay);
        events.Finished = true;
      }
      break;
    case FaceJumpIn:
      if (!visible) break;
      y = std::max(kLandedY, y - 3);
      if (every(7) && ++Frame > 13) {
        Start(FaceStay);
        events.Landed = true;
      }
      break;
    default:
      break;
  }
  return events;
}

}  // namespace zb
