// The balls, their crumbles, the bat at its seven widths, the magnet bat, the invisible bat bodies and the
// thrown banana.

#include <cmath>

#include "tools/zbtool/art/ArtKit.h"

namespace zb::art {
namespace {

// Overlay widths of "bitka1", frame 0 (small) .. 3 (normal) .. 6 (big); the bodies match frames 3, 6, 0.
constexpr int kBatWidths[7] = {60, 71, 81, 92, 104, 116, 128};
constexpr int kMagnetWidth = 100;
constexpr int kBatHeight = 20;  // body height; the overlay's top surface sits 8 pixels into its cell
constexpr int kOverlayCellW = 136;
constexpr int kOverlayCellH = 32;
constexpr int kMagnetCellW = 108;
// The caps and outlines reach 2 pixels past the log on each side; the drawn bat is as wide as its body.
constexpr int kOutlineSpill = 4;

void DrawBall(cairo_t* cr, double size, int frame, Rgb band) {
  const double c = size / 2, r = size / 2 - 1;
  Circle(cr, c, c, r);
  FillShaded(cr, c, c, r, {0.96, 0.97, 1.0});
  cairo_new_path(cr);
  // A band that turns with the frames, so the rolling shows.
  cairo_save(cr);
  Circle(cr, c, c, r);
  cairo_clip(cr);
  const double a = frame * M_PI / 4;
  const double off = std::sin(a) * r * 0.7;
  Ellipse(cr, c + off, c, r * 0.32 * (0.4 + 0.6 * std::fabs(std::cos(a))), r * 1.2);
  SetColor(cr, band, 0.95);
  cairo_fill(cr);
  Ellipse(cr, c - std::cos(a) * r * 0.7, c, r * 0.2 * (0.4 + 0.6 * std::fabs(std::sin(a))), r * 1.2);
  SetColor(cr, Lighter(band, 0.3), 0.8);
  cairo_fill(cr);
  cairo_restore(cr);
  Gloss(cr, c - r * 0.35, c - r * 0.4, r * 0.45, r * 0.32, 0.85);
  Circle(cr, c, c, r);
  Outline(cr, size > 14 ? 1.6 : 1.2);
}

void DrawCrash(cairo_t* cr, double size, double ballSize, int frame, Rgb band) {
  // Eight pieces fly apart and settle as dust; frame 0 is the ball just cracked.
  const double c = size / 2;
  Random rnd(17);
  const double spread = frame / 8.0;
  for (int i = 0; i < 8; ++i) {
    const double ang = -M_PI * (0.05 + 0.9 * i / 7.0) + rnd.Range(-0.2, 0.2);
    const double dist = spread * (size / 2 - 2) * rnd.Range(0.7, 1.0);
    const double px = c + std::cos(ang) * dist;
    const double py = c + std::sin(ang) * dist * 0.8 + spread * spread * 3;
    const double pr = ballSize * 0.22 * (1.0 - 0.55 * spread);
    cairo_save(cr);
    cairo_translate(cr, px, py);
    cairo_rotate(cr, ang + spread * 3);
    cairo_move_to(cr, -pr, -pr * 0.6);
    cairo_line_to(cr, pr, -pr * 0.8);
    cairo_line_to(cr, pr * 0.6, pr);
    cairo_line_to(cr, -pr * 0.8, pr * 0.5);
    cairo_close_path(cr);
    FillFlat(cr, i % 2 ? band : Rgb{0.95, 0.96, 1.0});
    Outline(cr, 0.9);
    cairo_restore(cr);
  }
  if (frame == 0) {
    // The crack on the still whole ball.
    DrawBall(cr, size, 0, band);
    cairo_move_to(cr, c - 3, c - 4);
    cairo_line_to(cr, c, c - 1);
    cairo_line_to(cr, c - 1, c + 2);
    cairo_line_to(cr, c + 3, c + 4);
    Outline(cr, 1.0);
  }
}

// The wooden bat: a rounded log with green bamboo caps and rope bindings, top surface at y0.
void DrawBat(cairo_t* cr, double cx, double y0, double width) {
  const double h = kBatHeight, x0 = cx - width / 2;
  RoundedRect(cr, x0, y0, width, h - 2, 9);
  FillVertical(cr, y0, y0 + h, pal::kWoodLight, pal::kWoodDark);
  Outline(cr, 1.8);
  // Grain lines.
  cairo_save(cr);
  RoundedRect(cr, x0, y0, width, h - 2, 9);
  cairo_clip(cr);
  for (int i = 0; i < 3; ++i) {
    const double y = y0 + 5 + i * 4;
    cairo_move_to(cr, x0 + 12, y);
    cairo_curve_to(cr, x0 + width * 0.4, y - 1.5, x0 + width * 0.6, y + 1.5, x0 + width - 12, y);
    StrokeColor(cr, pal::kWoodDark, 0.8, 0.5);
  }
  Gloss(cr, cx, y0 + 3.5, width * 0.38, 2.6, 0.6);
  cairo_restore(cr);
  // Bamboo caps.
  for (int side = -1; side <= 1; side += 2) {
    const double capX = side < 0 ? x0 - 1 : x0 + width - 13;
    RoundedRect(cr, capX, y0 - 1, 14, h, 6);
    FillVertical(cr, y0, y0 + h, pal::kLeafLight, pal::kLeafDark);
    Outline(cr, 1.6);
    cairo_move_to(cr, capX + 7, y0 + 1);
    cairo_line_to(cr, capX + 7, y0 + h - 2);
    StrokeColor(cr, pal::kLeafDark, 1.0, 0.7);
    // Rope binding next to the cap.
    const double ropeX = side < 0 ? capX + 16 : capX - 4;
    for (int k = 0; k < 2; ++k) {
      cairo_move_to(cr, ropeX + k * 3 - 1, y0 + 1);
      cairo_line_to(cr, ropeX + k * 3 + 1, y0 + h - 3);
      StrokeColor(cr, {0.93, 0.82, 0.55}, 1.6);
    }
  }
}

void DrawMagnetBat(cairo_t* cr, double cx, double y0, double width) {
  const double h = kBatHeight, x0 = cx - width / 2;
  RoundedRect(cr, x0, y0, width, h - 2, 9);
  FillVertical(cr, y0, y0 + h, Lighter(pal::kRed, 0.3), Darker(pal::kRed, 0.3));
  Outline(cr, 1.8);
  for (int side = -1; side <= 1; side += 2) {
    const double capX = side < 0 ? x0 - 1 : x0 + width - 17;
    RoundedRect(cr, capX, y0 - 2, 18, h + 1, 5);
    FillVertical(cr, y0, y0 + h, pal::kWhite, pal::kSilver);
    Outline(cr, 1.6);
  }
  // Lines of force above the bat.
  for (int i = 0; i < 3; ++i) {
    const double span = width * (0.25 + 0.12 * i);
    cairo_move_to(cr, cx - span, y0 + 2);
    cairo_curve_to(cr, cx - span * 0.6, y0 - 5 - i * 1.5, cx + span * 0.6, y0 - 5 - i * 1.5, cx + span,
                   y0 + 2);
    StrokeColor(cr, {0.55, 0.85, 1.0}, 1.2, 0.75 - i * 0.18);
  }
  Gloss(cr, cx, y0 + 3.5, width * 0.3, 2.6, 0.6);
  cairo_save(cr);
  cairo_translate(cr, cx, y0 + h / 2 - 1);
  cairo_move_to(cr, -7, -3);
  cairo_line_to(cr, -2, -3);
  cairo_line_to(cr, -4, 1);
  cairo_line_to(cr, 3, 1);
  cairo_line_to(cr, -1, 6);
  cairo_line_to(cr, 0, 2);
  cairo_line_to(cr, -6, 2);
  cairo_close_path(cr);
  FillFlat(cr, pal::kYellow);
  Outline(cr, 0.9);
  cairo_restore(cr);
}

// The invisible body: never drawn by the game, it only gives the bat's size; a plain silhouette.
Picture Body(const char* key, int width) {
  return {key, width, kBatHeight, 1, [width](cairo_t* cr, int) {
            RoundedRect(cr, 0.5, 0.5, width - 1, kBatHeight - 1, 8);
            FillFlat(cr, pal::kWood, 0.5);
            cairo_new_path(cr);
          }};
}

void DrawBanana(cairo_t* cr, double cx, double cy, double len) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_move_to(cr, -len / 2, -len * 0.18);
  cairo_curve_to(cr, -len * 0.3, len * 0.32, len * 0.3, len * 0.32, len / 2, -len * 0.18);
  cairo_curve_to(cr, len * 0.25, len * 0.08, -len * 0.25, len * 0.08, -len / 2, -len * 0.18);
  cairo_close_path(cr);
  FillVertical(cr, -len * 0.2, len * 0.3, Lighter(pal::kBanana, 0.3), Darker(pal::kBanana, 0.15));
  Outline(cr, 1.4);
  // Stalk and tip.
  cairo_move_to(cr, len / 2, -len * 0.18);
  cairo_line_to(cr, len / 2 + 2, -len * 0.26);
  StrokeColor(cr, pal::kWoodDark, 2.2);
  Circle(cr, -len / 2, -len * 0.18, 1.3);
  FillFlat(cr, pal::kWoodDark);
  cairo_new_path(cr);
  cairo_restore(cr);
}

}  // namespace

void AddBallAndBat(std::vector<Picture>& out) {
  out.push_back({"ball", 12, 12, 8, [](cairo_t* cr, int f) { DrawBall(cr, 12, f, pal::kOrange); }});
  out.push_back({"ball2", 18, 18, 8, [](cairo_t* cr, int f) { DrawBall(cr, 18, f, pal::kMagenta); }});
  out.push_back({"ballcrash", 16, 16, 9, [](cairo_t* cr, int f) { DrawCrash(cr, 16, 12, f, pal::kOrange); }});
  out.push_back(
      {"ball2crash", 24, 24, 9, [](cairo_t* cr, int f) { DrawCrash(cr, 24, 18, f, pal::kMagenta); }});
  out.push_back({"bitka1", kOverlayCellW, kOverlayCellH, 7, [](cairo_t* cr, int f) {
                   DrawBat(cr, kOverlayCellW / 2.0, 8, kBatWidths[f] - kOutlineSpill);
                 }});
  out.push_back({"bitka4", kMagnetCellW, kOverlayCellH, 1, [](cairo_t* cr, int) {
                   DrawMagnetBat(cr, kMagnetCellW / 2.0, 7, kMagnetWidth - kOutlineSpill);
                 }});
  out.push_back(Body("bitka1_1", kBatWidths[3]));
  out.push_back(Body("bitka2_1", kBatWidths[6]));
  out.push_back(Body("bitka3_1", kBatWidths[0]));
  out.push_back(Body("bitka4_1", kMagnetWidth));
  out.push_back({"playerpula", 24, 24, 1, [](cairo_t* cr, int) { DrawBanana(cr, 12, 11, 19); }});
}

}  // namespace zb::art
