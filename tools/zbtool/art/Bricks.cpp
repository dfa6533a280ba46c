// The bricks (37 x 20, the grid step), the strong bricks that wear down, gold and the bomb.

#include <cmath>

#include "tools/zbtool/art/ArtKit.h"

namespace zb::art {
namespace {

constexpr int kW = 37, kH = 20, kFrames = 8;

void BrickPath(cairo_t* cr) { RoundedRect(cr, 1, 1, kW - 2, kH - 2, 4); }

// A light band that sweeps over the brick in the first frames of the loop, and a soft pulse of the rim
// (its phase makes every one of the eight frames different).
void Shimmer(cairo_t* cr, int frame, double strength) {
  RoundedRect(cr, 2, 2, kW - 4, kH - 4, 3);
  StrokeColor(cr, pal::kWhite, 1.0, 0.12 + 0.1 * std::sin(frame * M_PI / 4 + 0.6));
  const double t = frame / 5.0;  // frames 0..5 sweep, 6 and 7 rest
  if (t > 1.0) return;
  cairo_save(cr);
  BrickPath(cr);
  cairo_clip(cr);
  const double x = -2 + t * (kW + 6);
  cairo_move_to(cr, x, 0);
  cairo_line_to(cr, x + 7, 0);
  cairo_line_to(cr, x - 1, kH);
  cairo_line_to(cr, x - 8, kH);
  cairo_close_path(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, strength);
  cairo_fill(cr);
  cairo_restore(cr);
}

void ColouredBrick(cairo_t* cr, Rgb c, int frame) {
  BrickPath(cr);
  FillVertical(cr, 1, kH - 1, Lighter(c, 0.35), Darker(c, 0.25));
  cairo_new_path(cr);
  // Bevel: a light top edge and a dark lower edge.
  RoundedRect(cr, 3, 3, kW - 6, kH - 7, 3);
  FillVertical(cr, 3, kH - 4, Lighter(c, 0.15), c);
  cairo_new_path(cr);
  // A carved leaf in the middle that pulses gently with the frames.
  const double pulse = 0.5 + 0.5 * std::cos(frame * M_PI / 4);
  cairo_save(cr);
  cairo_translate(cr, kW / 2.0, kH / 2.0 - 0.5);
  cairo_move_to(cr, -6, 0);
  cairo_curve_to(cr, -3, -5, 3, -5, 6, 0);
  cairo_curve_to(cr, 3, 5, -3, 5, -6, 0);
  cairo_close_path(cr);
  SetColor(cr, Darker(c, 0.3), 0.55);
  cairo_fill_preserve(cr);
  SetColor(cr, Lighter(c, 0.6), 0.35 + 0.35 * pulse);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  cairo_move_to(cr, -5, 0);
  cairo_line_to(cr, 5, 0);
  StrokeColor(cr, Lighter(c, 0.6), 0.8, 0.5);
  cairo_restore(cr);
  Gloss(cr, kW / 2.0 - 4, 4.5, 11, 2.6, 0.55);
  Shimmer(cr, frame, 0.35);
  BrickPath(cr);
  Outline(cr, 1.4);
}

// The wooden crate brick; cracked adds splits and a missing corner.
void CrateBrick(cairo_t* cr, int frame, bool cracked) {
  BrickPath(cr);
  FillVertical(cr, 1, kH - 1, pal::kWoodLight, pal::kWood);
  cairo_new_path(cr);
  for (int i = 1; i < 3; ++i) {
    cairo_move_to(cr, 2, i * kH / 3.0);
    cairo_line_to(cr, kW - 2, i * kH / 3.0);
    StrokeColor(cr, pal::kWoodDark, 0.9, 0.6);
  }
  // The cross brace and nails.
  cairo_move_to(cr, 4, 4);
  cairo_line_to(cr, kW - 4, kH - 4);
  StrokeColor(cr, pal::kWoodDark, 2.2, 0.8);
  cairo_move_to(cr, 4, 4);
  cairo_line_to(cr, kW - 4, kH - 4);
  StrokeColor(cr, pal::kWoodLight, 1.0, 0.9);
  for (double x : {4.5, kW - 4.5}) {
    for (double y : {4.5, kH - 4.5}) {
      Circle(cr, x, y, 1.3);
      FillFlat(cr, pal::kSilver);
      Outline(cr, 0.6);
    }
  }
  if (cracked) {
    cairo_move_to(cr, 12, 1);
    cairo_line_to(cr, 15, 7);
    cairo_line_to(cr, 12, 11);
    cairo_line_to(cr, 17, 19);
    cairo_move_to(cr, 15, 7);
    cairo_line_to(cr, 21, 9);
    cairo_move_to(cr, 30, 19);
    cairo_line_to(cr, 27, 13);
    cairo_line_to(cr, 31, 9);
    Outline(cr, 1.2);
    cairo_move_to(cr, kW - 1, 1);
    cairo_line_to(cr, kW - 8, 1);
    cairo_line_to(cr, kW - 1, 6);
    cairo_close_path(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  }
  Shimmer(cr, frame, 0.22);
  BrickPath(cr);
  Outline(cr, 1.4);
}

// The carved stone brick in four states of wear (0 whole .. 3 nearly broken).
void StoneBrick(cairo_t* cr, int frame, int wear) {
  BrickPath(cr);
  FillVertical(cr, 1, kH - 1, Lighter(pal::kStone, 0.2), pal::kStoneDark);
  cairo_new_path(cr);
  // A carved spiral, the jungle temple sign.
  cairo_save(cr);
  cairo_translate(cr, kW / 2.0, kH / 2.0);
  cairo_move_to(cr, 0, 0);
  for (int i = 1; i <= 24; ++i) {
    const double a = i * 0.45, r = i * 0.27;
    cairo_line_to(cr, std::cos(a) * r * 1.3, std::sin(a) * r);
  }
  StrokeColor(cr, pal::kStoneDark, 1.4, 0.9);
  cairo_restore(cr);
  // Moss that glows softly with the frames.
  const double glow = 0.55 + 0.25 * std::sin(frame * M_PI / 4);
  Ellipse(cr, 7, kH - 3, 7, 3);
  Ellipse(cr, 29, 3, 6, 2.5);
  SetColor(cr, pal::kLeaf, glow);
  cairo_fill(cr);
  if (wear >= 1) {
    cairo_move_to(cr, 6, 1);
    cairo_line_to(cr, 9, 7);
    cairo_line_to(cr, 7, 11);
    Outline(cr, 1.1);
  }
  if (wear >= 2) {
    cairo_move_to(cr, 25, 19);
    cairo_line_to(cr, 23, 12);
    cairo_line_to(cr, 28, 8);
    cairo_line_to(cr, 27, 2);
    cairo_move_to(cr, 23, 12);
    cairo_line_to(cr, 17, 14);
    Outline(cr, 1.2);
  }
  if (wear >= 3) {
    cairo_move_to(cr, 1, 8);
    cairo_line_to(cr, 8, 11);
    cairo_line_to(cr, 4, 19);
    cairo_line_to(cr, 1, 19);
    cairo_close_path(cr);
    cairo_move_to(cr, kW - 1, 11);
    cairo_line_to(cr, kW - 6, 14);
    cairo_line_to(cr, kW - 3, 19);
    cairo_line_to(cr, kW - 1, 19);
    cairo_close_path(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_move_to(cr, 14, 1);
    cairo_line_to(cr, 17, 9);
    cairo_line_to(cr, 13, 19);
    Outline(cr, 1.2);
  }
  Gloss(cr, kW / 2.0 - 4, 4.5, 11, 2.4, 0.35);
  Shimmer(cr, frame, 0.18);
  BrickPath(cr);
  Outline(cr, 1.4);
}

void GoldBrick(cairo_t* cr, int frame) {
  BrickPath(cr);
  FillVertical(cr, 1, kH - 1, Lighter(pal::kGold, 0.5), pal::kGoldDark);
  cairo_new_path(cr);
  // The ingot's raised top face.
  cairo_move_to(cr, 6, 4);
  cairo_line_to(cr, kW - 6, 4);
  cairo_line_to(cr, kW - 9, kH - 5);
  cairo_line_to(cr, 9, kH - 5);
  cairo_close_path(cr);
  FillVertical(cr, 4, kH - 5, Lighter(pal::kGold, 0.3), pal::kGold);
  StrokeColor(cr, pal::kGoldDark, 1.0);
  Shimmer(cr, frame, 0.6);
  // A twinkle that hops between corners.
  const double sx[4] = {8, 29, 27, 10}, sy[4] = {5, 6, 14, 14};
  const int k = frame / 2;
  Sparkle(cr, sx[k], sy[k], frame % 2 ? 3.5 : 5.5, 0.95);
  BrickPath(cr);
  Outline(cr, 1.4);
}

void DrawBomb(cairo_t* cr) {
  const double cx = 15.5, cy = 15;
  cairo_move_to(cr, cx + 3, cy - 7);
  cairo_curve_to(cr, cx + 5, cy - 12, cx + 9, cy - 10, cx + 10.5, cy - 12.5);
  StrokeColor(cr, pal::kWoodLight, 1.6);
  RoundedRect(cr, cx + 1, cy - 9, 5, 4, 1);
  FillFlat(cr, pal::kStoneDark);
  Outline(cr, 1.0);
  Circle(cr, cx, cy, 8);
  FillShaded(cr, cx, cy, 8, {0.25, 0.24, 0.30});
  Outline(cr, 1.4);
  Gloss(cr, cx - 3, cy - 3, 3, 2, 0.7);
  // The spark at the fuse's end.
  Sparkle(cr, cx + 10.5, cy - 12.5, 3.6, 1.0);
  Circle(cr, cx + 10.5, cy - 12.5, 1.6);
  FillFlat(cr, pal::kOrange);
  cairo_new_path(cr);
}

Picture Coloured(const char* key, Rgb c) {
  return {key, kW, kH, kFrames, [c](cairo_t* cr, int f) { ColouredBrick(cr, c, f); }};
}

}  // namespace

void AddBricks(std::vector<Picture>& out) {
  // Six colours, as the explosions: red, green, blue, yellow, brown, magenta.
  out.push_back(Coloured("block1", pal::kRed));
  out.push_back(Coloured("block2", pal::kGreen));
  out.push_back(Coloured("block3", pal::kBlue));
  out.push_back(Coloured("block4", pal::kYellow));
  out.push_back(Coloured("block5", pal::kBrown));
  out.push_back(Coloured("block6", pal::kMagenta));
  out.push_back({"block_n2", kW, kH, kFrames, [](cairo_t* cr, int f) { CrateBrick(cr, f, false); }});
  out.push_back({"block_n22", kW, kH, kFrames, [](cairo_t* cr, int f) { CrateBrick(cr, f, true); }});
  for (int wear = 0; wear < 4; ++wear) {
    out.push_back({"block_n5" + std::to_string(wear + 1), kW, kH, kFrames,
                   [wear](cairo_t* cr, int f) { StoneBrick(cr, f, wear); }});
  }
  out.push_back({"gold", kW, kH, kFrames, GoldBrick});
  out.push_back({"bomb", 31, 24, 1, [](cairo_t* cr, int) { DrawBomb(cr); }});
}

}  // namespace zb::art
