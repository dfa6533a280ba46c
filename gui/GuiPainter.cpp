#include "gui/GuiPainter.h"

#include <cmath>
#include <numbers>

namespace zb {
namespace {

// Segments of a circle of the given radius: enough for a smooth edge at GUI sizes.
int Segments(double radius) { return std::clamp(static_cast<int>(radius * 2.0), 12, 64); }

uint8_t Channel(uint32_t color, int shift) { return static_cast<uint8_t>((color >> shift) & 0xFF); }

// Mean of the four corner colours, channel by channel.
uint32_t Average(const TColors4& colors) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    unsigned sum = 0;
    for (uint32_t c : colors) sum += Channel(c, shift);
    out |= static_cast<uint32_t>((sum + 2) / 4) << shift;
  }
  return out;
}

}  // namespace

TColors4 Reversed(const TColors4& colors) { return {colors[3], colors[2], colors[1], colors[0]}; }

void FillWith(TGuiPainter& painter, const TGuiFill& fill, const TGuiRect& rect, int effect) {
  if (fill.Visible) painter.FillRect(rect, fill.Colors, effect);
}

void OutlineRect(TGuiPainter& painter, const TGuiRect& r, const TColors4& c, int effect) {
  if (r.Empty()) return;
  // One-pixel bands along the inside of the edges, each shaded between its two corners.
  painter.FillRect({r.Left, r.Top, r.Right, r.Top + 1}, {c[0], c[1], c[1], c[0]}, effect);
  painter.FillRect({r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1}, {c[1], c[1], c[2], c[2]}, effect);
  painter.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, {c[3], c[2], c[2], c[3]}, effect);
  painter.FillRect({r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1}, {c[0], c[0], c[3], c[3]}, effect);
}

void OutlineWith(TGuiPainter& painter, const TGuiFill& fill, const TGuiRect& rect, int effect) {
  if (fill.Visible) OutlineRect(painter, rect, fill.Colors, effect);
}

void Disc(TGuiPainter& painter, double cx, double cy, double radius, const TColors4& colors, int effect) {
  if (radius <= 0) return;
  const uint32_t color = Average(colors);
  const int n = Segments(radius);
  for (int i = 0; i < n; ++i) {
    const double a0 = 2.0 * std::numbers::pi * i / n, a1 = 2.0 * std::numbers::pi * (i + 1) / n;
    painter.FillTriangle(cx, cy, cx + radius * std::cos(a0), cy + radius * std::sin(a0),
                         cx + radius * std::cos(a1), cy + radius * std::sin(a1), color, effect);
  }
}

void Circle(TGuiPainter& painter, double cx, double cy, double radius, uint32_t color, int effect) {
  if (radius <= 0) return;
  const int n = Segments(radius);
  for (int i = 0; i < n; ++i) {
    const double a0 = 2.0 * std::numbers::pi * i / n, a1 = 2.0 * std::numbers::pi * (i + 1) / n;
    painter.Line(cx + radius * std::cos(a0), cy + radius * std::sin(a0), cx + radius * std::cos(a1),
                 cy + radius * std::sin(a1), color, color, effect);
  }
}

}  // namespace zb
