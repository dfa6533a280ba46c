#include "app/WindowFit.h"

#include <gtest/gtest.h>

namespace zb {
namespace {

using platform::Point;
constexpr Point kPicture{800, 600};

TEST(WindowFitTest, TheLargestWholeScaleWithinNinetyPercentOfTheDesktop) {
  EXPECT_EQ(WholeScale({1366, 768}, kPicture), 1);
  EXPECT_EQ(WholeScale({1920, 1080}, kPicture), 1);
  EXPECT_EQ(WholeScale({2560, 1440}, kPicture), 2);
  EXPECT_EQ(WholeScale({2560, 1400}, kPicture), 2);  // a panel taken off
  EXPECT_EQ(WholeScale({3840, 2160}, kPicture), 3);
  EXPECT_EQ(WholeScale({5120, 2880}, kPicture), 4);
  // Either side can be the short one: a portrait display, an ultra-wide one.
  EXPECT_EQ(WholeScale({2160, 3840}, kPicture), 2);
  EXPECT_EQ(WholeScale({5120, 1440}, kPicture), 2);
  // 90 % exactly fits, a pixel less does not.
  EXPECT_EQ(WholeScale({1778, 1334}, kPicture), 2);
  EXPECT_EQ(WholeScale({1777, 1334}, kPicture), 1);
  EXPECT_EQ(WholeScale({1778, 1333}, kPicture), 1);
}

TEST(WindowFitTest, ADesktopTooSmallOrUnknownStillGetsThePictureAtItsOwnSize) {
  EXPECT_EQ(WholeScale({800, 600}, kPicture), 1);
  EXPECT_EQ(WholeScale({640, 480}, kPicture), 1);
  EXPECT_EQ(WholeScale({0, 0}, kPicture), 1);
  EXPECT_EQ(WholeScale({-1, -1}, kPicture), 1);
  EXPECT_EQ(WholeScale({2147483647, 2147483647}, kPicture), 64);
  EXPECT_EQ(WholeScale({1920, 1080}, {0, 0}), 1);
}

TEST(WindowFitTest, TheKeptSizeWhileItStillFitsElseTheWholeScale) {
  EXPECT_EQ(StartWindowSize(std::nullopt, {2560, 1400}, kPicture), (Point{1600, 1200}));
  EXPECT_EQ(StartWindowSize(std::nullopt, {1366, 728}, kPicture), (Point{800, 600}));
  EXPECT_EQ(StartWindowSize(Point{1000, 700}, {1366, 728}, kPicture), (Point{1000, 700}));
  // The whole desktop may be taken by a size the player chose, not more.
  EXPECT_EQ(StartWindowSize(Point{1366, 728}, {1366, 728}, kPicture), (Point{1366, 728}));
  // Kept on a larger display than this one.
  EXPECT_EQ(StartWindowSize(Point{2400, 1800}, {1366, 728}, kPicture), (Point{800, 600}));
  EXPECT_EQ(StartWindowSize(Point{1000, 729}, {1366, 728}, kPicture), (Point{800, 600}));
  // Below half the picture, where the window would not have let the player go.
  EXPECT_EQ(StartWindowSize(Point{400, 300}, {2560, 1400}, kPicture), (Point{400, 300}));
  EXPECT_EQ(StartWindowSize(Point{399, 300}, {2560, 1400}, kPicture), (Point{1600, 1200}));
  EXPECT_EQ(StartWindowSize(Point{400, 299}, {2560, 1400}, kPicture), (Point{1600, 1200}));
}

}  // namespace
}  // namespace zb
