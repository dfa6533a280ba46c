#pragma once

#include <array>

namespace zb {

struct TPointF {
  double X = 0;
  double Y = 0;
};

// Four corners in order around the shape.
using TQuad = std::array<TPointF, 4>;

// The rectangle (x, y) - (x + width, y + height) as a quad, corners clockwise from the top left.
TQuad RectQuad(double x, double y, double width, double height);

// True when the angles that the four edges subtend at `p` add up to at least 355 degrees. A
// corner at `p` itself counts as inside.
bool PointInQuad(TPointF p, const TQuad& q);

// True when a corner of `b` lies in `a`, or else a corner of `a` in `b`.
bool QuadsOverlap(const TQuad& a, const TQuad& b);

}  // namespace zb
