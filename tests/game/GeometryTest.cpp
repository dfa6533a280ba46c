#include "game/Geometry.h"

#include <gtest/gtest.h>

namespace zb {
namespace {

TEST(GeometryTest, PointInQuadInsideEdgeAndOutside) {
  const TQuad q = RectQuad(100, 50, 40, 20);
  EXPECT_TRUE(PointInQuad({120, 60}, q));
  EXPECT_TRUE(PointInQuad({100.5, 50.5}, q));
  // On an edge the two far corners subtend 180 degrees and the edge another 180.
  EXPECT_TRUE(PointInQuad({120, 50}, q));
  EXPECT_TRUE(PointInQuad({140, 65}, q));
  EXPECT_FALSE(PointInQuad({141, 60}, q));
  EXPECT_FALSE(PointInQuad({99, 49}, q));
  EXPECT_FALSE(PointInQuad({500, 500}, q));
  // Just outside an edge the sum falls short of 360 by only a little: the 355 threshold lets
  // points within a hair of the edge count, but not a pixel beyond.
  EXPECT_FALSE(PointInQuad({120, 48}, q));
}

TEST(GeometryTest, ACornerOnThePointCountsAsInsideWithoutDividingByZero) {
  const TQuad q = RectQuad(0, 0, 10, 10);
  for (const TPointF& corner : q) EXPECT_TRUE(PointInQuad(corner, q));
  // A degenerate quad of one point.
  const TQuad dot = RectQuad(5, 5, 0, 0);
  EXPECT_TRUE(PointInQuad({5, 5}, dot));
  EXPECT_FALSE(PointInQuad({6, 5}, dot));
}

TEST(GeometryTest, QuadsOverlapByCornersEitherWay) {
  const TQuad brick = RectQuad(200, 100, 37, 20);
  // A ball over the brick's lower-left corner.
  EXPECT_TRUE(QuadsOverlap(brick, RectQuad(190, 115, 16, 16)));
  // A small ball wholly inside: only the ball's corners are inside the brick.
  EXPECT_TRUE(QuadsOverlap(brick, RectQuad(210, 105, 8, 8)));
  // The brick wholly inside a big shape: found from the brick's corners.
  EXPECT_TRUE(QuadsOverlap(RectQuad(210, 105, 8, 8), brick));
  EXPECT_TRUE(QuadsOverlap(RectQuad(0, 0, 1000, 1000), brick));
  // Shared corner.
  EXPECT_TRUE(QuadsOverlap(brick, RectQuad(237, 120, 10, 10)));
  EXPECT_FALSE(QuadsOverlap(brick, RectQuad(240, 100, 10, 10)));
  // A cross with no corner inside the other is not an overlap for this test.
  EXPECT_FALSE(QuadsOverlap(RectQuad(0, 40, 100, 20), RectQuad(40, 0, 20, 100)));
}

}  // namespace
}  // namespace zb
