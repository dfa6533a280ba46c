#include "game/FaceAnimation.h"

#include <gtest/gtest.h>

#include <vector>

namespace zb {
namespace {

std::vector<int> FramesOver(TFaceAnimation& face, int ticks) {
  std::vector<int> frames;
  double y = 0;
  for (int i = 0; i < ticks; ++i) {
    face.Step(true, y);
    frames.push_back(face.Frame);
  }
  return frames;
}

TEST(FaceAnimationTest, HitPlaysItsSixFramesThenStays) {
  TFaceAnimation face;
  face.Start(FaceHit);
  EXPECT_EQ(face.Image, "m_hit");
  EXPECT_EQ(FramesOver(face, 6), (std::vector<int>{1, 2, 3, 5, 7, 0}));
  EXPECT_EQ(face.State, FaceStay);
  EXPECT_EQ(face.Image, "m_stay");
}

TEST(FaceAnimationTest, StepsComeEveryNthCountedTick) {
  TFaceAnimation face;
  face.Start(FaceStay);
  // Ticks 1..8: frames advance on ticks 4 and 8.
  EXPECT_EQ(FramesOver(face, 8), (std::vector<int>{0, 0, 0, 1, 1, 1, 1, 2}));
  face.Start(FaceRunLeft);
  face.Ticks = 0;
  EXPECT_EQ(FramesOver(face, 3), (std::vector<int>{0, 0, 8}));  // before frame 0 comes 8
  face.Start(FaceRunRight);
  face.Frame = 8;
  face.Ticks = 0;
  EXPECT_EQ(FramesOver(face, 3), (std::vector<int>{8, 8, 0}));
}

TEST(FaceAnimationTest, ThrowReleasesTheBananaAtFrameSix) {
  TFaceAnimation face;
  face.Start(FaceThrow);
  face.Ticks = 0;
  double y = 500;
  int throws = 0, throwFrame = -1;
  for (int tick = 1; tick <= 27; ++tick) {
    if (face.Step(true, y).ThrowBanana) {
      ++throws;
      throwFrame = face.Frame;
    }
  }
  EXPECT_EQ(throws, 1);
  EXPECT_EQ(throwFrame, 6);
  EXPECT_EQ(face.State, FaceStay);  // after frame 8, on the 27th tick
}

TEST(FaceAnimationTest, RequestsFromTheBat) {
  TFaceAnimation face;
  face.Start(FaceStay);
  face.Frame = 5;
  face.Request(FaceStay);  // same state: nothing restarts
  EXPECT_EQ(face.Frame, 5);
  face.Request(FaceRunRight);
  EXPECT_EQ(face.Image, "m_run");
  EXPECT_EQ(face.Frame, 0);
  for (int busy : {FaceHit, FaceThrow, FaceBallLost}) {
    face.Start(busy);
    face.Frame = 2;
    face.Request(FaceRunLeft);
    EXPECT_EQ(face.State, busy);
    EXPECT_EQ(face.Frame, 2);
  }
}

TEST(FaceAnimationTest, JumpInOnlyWhileVisibleAndLandsAt507) {
  TFaceAnimation face;
  double y = 620;
  face.Step(false, y);
  EXPECT_EQ(y, 620);
  EXPECT_EQ(face.Frame, 0);
  face.Ticks = 0;
  bool landed = false;
  int ticks = 0;
  while (!landed && ticks < 200) {
    landed = face.Step(true, y).Landed;
    ++ticks;
  }
  EXPECT_TRUE(landed);
  EXPECT_EQ(ticks, 7 * 14);  // frames 1..13, then back to stay
  EXPECT_EQ(y, 507);
  EXPECT_EQ(face.State, FaceStay);
}

TEST(FaceAnimationTest, LevelDoneEndsHidden) {
  TFaceAnimation face;
  face.Start(FaceLevelDone);
  face.Ticks = 0;
  double y = 507;
  int finishedAt = 0;
  for (int tick = 1; tick <= 100 && finishedAt == 0; ++tick) {
    if (face.Step(true, y).Finished) finishedAt = tick;
  }
  EXPECT_EQ(finishedAt, 6 * 14);
}

}  // namespace
}  // namespace zb
