#include "game/Geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zb {

TQuad RectQuad(double x, double y, double width, double height) {
  return {TPointF{x, y}, TPointF{x + width, y}, TPointF{x + width, y + height}, TPointF{x, y + height}};
}

bool PointInQuad(TPointF p, const TQuad& q) {
  // Far outside the quad the angles cannot sum near 360: seen from a distance d, a shape of
  // diameter D spans less than 2 atan(D / d), under 177.5 degrees once d > D / 45.
  double left = q[0].X, right = q[0].X, top = q[0].Y, bottom = q[0].Y;
  for (const TPointF& corner : q) {
    left = std::min(left, corner.X);
    right = std::max(right, corner.X);
    top = std::min(top, corner.Y);
    bottom = std::max(bottom, corner.Y);
  }
  const double margin = std::hypot(right - left, bottom - top) / 40.0 + 1.0;
  if (p.X < left - margin || p.X > right + margin || p.Y < top - margin || p.Y > bottom + margin) return false;
  double degrees = 0;
  for (size_t i = 0; i < q.size(); ++i) {
    const TPointF& a = q[i];
    const TPointF& b = q[(i + 1) % q.size()];
    const double ax = a.X - p.X, ay = a.Y - p.Y;
    const double bx = b.X - p.X, by = b.Y - p.Y;
    const double la = std::hypot(ax, ay), lb = std::hypot(bx, by);
    if (la == 0 || lb == 0) return true;
    // Rounding can carry the dot product of two unit vectors just past +-1.
    const double cosine = std::clamp((ax * bx + ay * by) / (la * lb), -1.0, 1.0);
    degrees += std::acos(cosine) * 180.0 / std::numbers::pi;
  }
  return degrees >= 355.0;
}

bool QuadsOverlap(const TQuad& a, const TQuad& b) {
  return std::any_of(b.begin(), b.end(), [&a](const TPointF& p) { return PointInQuad(p, a); }) ||
         std::any_of(a.begin(), a.end(), [&b](const TPointF& p) { return PointInQuad(p, b); });
}

}  // namespace zb
