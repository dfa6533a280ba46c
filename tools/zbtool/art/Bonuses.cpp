// The bonuses: round badges whose picture says what they do, drawn big and bold so that they read at the
// 0.8 scale they fall at, each pulsing and glinting over eight frames; and the invisible falling carrier.

#include <cmath>

#include "tools/zbtool/art/ArtKit.h"

namespace zb::art {
namespace {

constexpr int kSize = 44, kFrames = 8;
constexpr double kC = kSize / 2.0;

// The badge: a coloured disc with a bright rim, a glint that travels round the rim, and a gentle pulse.
void Badge(cairo_t* cr, Rgb c, int frame) {
  const double pulse = 1.0 + 0.04 * std::sin(frame * M_PI / 4);
  const double r = 19 * pulse;
  Circle(cr, kC, kC, r + 1.5);
  SetColor(cr, Lighter(c, 0.6), 0.35);
  cairo_fill(cr);
  Circle(cr, kC, kC, r);
  FillShaded(cr, kC, kC, r, c);
  Outline(cr, 2.2);
  Circle(cr, kC, kC, r - 3);
  StrokeColor(cr, Lighter(c, 0.55), 1.4, 0.8);
  const double a = frame * M_PI / 4 - M_PI / 2;
  Sparkle(cr, kC + std::cos(a) * (r - 2), kC + std::sin(a) * (r - 2), 4.5, 0.95);
}

void TopGloss(cairo_t* cr) { Gloss(cr, kC - 4, kC - 10, 11, 5, 0.5); }

void SmallBat(cairo_t* cr, double cx, double cy, double w) {
  RoundedRect(cr, cx - w / 2, cy - 4, w, 8, 4);
  FillVertical(cr, cy - 4, cy + 4, pal::kWoodLight, pal::kWoodDark);
  Outline(cr, 1.5);
  for (double x : {cx - w / 2, cx + w / 2 - 4}) {
    RoundedRect(cr, x, cy - 4.5, 4, 9, 2);
    FillFlat(cr, pal::kLeafLight);
    Outline(cr, 1.1);
  }
}

void Arrow(cairo_t* cr, double x, double y, double dir, Rgb c) {
  // A fat arrow head pointing along dir (+1 right, -1 left).
  cairo_move_to(cr, x + dir * 4.5, y);
  cairo_line_to(cr, x - dir * 1, y - 5);
  cairo_line_to(cr, x - dir * 1, y + 5);
  cairo_close_path(cr);
  FillFlat(cr, c);
  Outline(cr, 1.3);
}

void DrawBig(cairo_t* cr, int f) {
  Badge(cr, pal::kGreen, f);
  const double w = 17 + (f % 4) * 1.0;  // the bat grows and snaps back
  SmallBat(cr, kC, kC + 2, w);
  Arrow(cr, kC - w / 2 - 3, kC + 2, -1, pal::kWhite);
  Arrow(cr, kC + w / 2 + 3, kC + 2, 1, pal::kWhite);
  TopGloss(cr);
}

void DrawSmall(cairo_t* cr, int f) {
  Badge(cr, pal::kRed, f);
  const double w = 14 - (f % 4) * 0.8;
  SmallBat(cr, kC, kC + 2, w);
  Arrow(cr, kC - w / 2 - 9, kC + 2, 1, pal::kWhite);
  Arrow(cr, kC + w / 2 + 9, kC + 2, -1, pal::kWhite);
  TopGloss(cr);
}

void DrawMagnet(cairo_t* cr, int f) {
  Badge(cr, pal::kBlue, f);
  cairo_save(cr);
  cairo_translate(cr, kC, kC + 1);
  cairo_rotate(cr, 0.12 * std::sin(f * M_PI / 4));
  // The horseshoe, red with silver poles, opening downwards.
  cairo_new_path(cr);
  cairo_arc(cr, 0, -2, 11, M_PI, 2 * M_PI);
  cairo_line_to(cr, 11, 9);
  cairo_line_to(cr, 4.5, 9);
  cairo_line_to(cr, 4.5, -2);
  cairo_arc_negative(cr, 0, -2, 4.5, 0, M_PI);
  cairo_line_to(cr, -4.5, 9);
  cairo_line_to(cr, -11, 9);
  cairo_close_path(cr);
  FillVertical(cr, -13, 9, Lighter(pal::kRed, 0.3), Darker(pal::kRed, 0.2));
  Outline(cr, 1.6);
  for (double x : {-11.0, 4.5}) {
    cairo_rectangle(cr, x, 4, 6.5, 5);
    FillFlat(cr, pal::kSilver);
    Outline(cr, 1.2);
  }
  // Pull lines under the poles.
  for (int i = 0; i < 2; ++i) {
    const double y = 12 + i * 3 + (f % 2);
    cairo_move_to(cr, -8, y);
    cairo_line_to(cr, 8, y);
    StrokeColor(cr, pal::kWhite, 1.3, 0.8 - i * 0.3);
  }
  cairo_restore(cr);
  TopGloss(cr);
}

void DrawMoney(cairo_t* cr, int f) {
  // A gold coin turning: its width swings with the frames.
  const double squeeze = 0.55 + 0.45 * std::fabs(std::cos(f * M_PI / 8));
  Circle(cr, kC, kC, 20);
  SetColor(cr, pal::kYellow, 0.3);
  cairo_fill(cr);
  Ellipse(cr, kC, kC, 18 * squeeze, 18);
  FillShaded(cr, kC, kC, 18, pal::kGold);
  Outline(cr, 2.2);
  Ellipse(cr, kC, kC, 13.5 * squeeze, 13.5);
  StrokeColor(cr, pal::kGoldDark, 1.6);
  cairo_save(cr);
  cairo_translate(cr, kC, kC);
  cairo_scale(cr, squeeze, 1);
  CenteredText(cr, "$", 0, 8, {.font = "dejavu-bold", .size = 23, .fill = pal::kGoldDark, .outlineWidth = 0});
  cairo_restore(cr);
  Sparkle(cr, kC - 9 * squeeze, kC - 9, 5, 0.5 + 0.5 * std::sin(f * M_PI / 4));
}

void Heart(cairo_t* cr, double cx, double cy, double s) {
  cairo_move_to(cr, cx, cy + s * 0.9);
  cairo_curve_to(cr, cx - s * 1.5, cy - s * 0.1, cx - s * 0.9, cy - s * 1.3, cx, cy - s * 0.5);
  cairo_curve_to(cr, cx + s * 0.9, cy - s * 1.3, cx + s * 1.5, cy - s * 0.1, cx, cy + s * 0.9);
  cairo_close_path(cr);
}

void DrawLife(cairo_t* cr, int f) {
  // A beating heart.
  const double beat[8] = {1.0, 1.12, 1.02, 1.08, 0.99, 0.96, 0.975, 0.985};
  Circle(cr, kC, kC, 20);
  SetColor(cr, Lighter(pal::kRed, 0.5), 0.3);
  cairo_fill(cr);
  Heart(cr, kC, kC + 1, 15 * beat[f]);
  FillShaded(cr, kC, kC, 16, pal::kRed);
  Outline(cr, 2.2);
  Gloss(cr, kC - 6, kC - 6, 4.5, 3, 0.8);
  CenteredText(
      cr, "+1", kC + 1, kC + 6,
      {.font = "dejavu-bold", .size = 12, .fill = pal::kWhite, .outline = pal::kInk, .outlineWidth = 2.5});
}

void PlainBall(cairo_t* cr, double cx, double cy, double r, Rgb band) {
  Circle(cr, cx, cy, r);
  FillShaded(cr, cx, cy, r, {0.96, 0.97, 1.0});
  cairo_new_path(cr);
  cairo_save(cr);
  Circle(cr, cx, cy, r);
  cairo_clip(cr);
  Ellipse(cr, cx, cy, r * 0.3, r * 1.2);
  SetColor(cr, band);
  cairo_fill(cr);
  cairo_restore(cr);
  Gloss(cr, cx - r * 0.35, cy - r * 0.4, r * 0.45, r * 0.32, 0.85);
  Circle(cr, cx, cy, r);
  Outline(cr, 1.5);
}

void DrawBigBall(cairo_t* cr, int f) {
  Badge(cr, {0.55, 0.30, 0.85}, f);
  PlainBall(cr, kC, kC, 10 + 1.2 * std::sin(f * M_PI / 4), pal::kMagenta);
  TopGloss(cr);
}

void DrawThreeBalls(cairo_t* cr, int f) {
  Badge(cr, {0.10, 0.70, 0.75}, f);
  const double a = f * M_PI / 12;
  for (int i = 0; i < 3; ++i) {
    const double b = a + i * 2 * M_PI / 3 - M_PI / 2;
    PlainBall(cr, kC + std::cos(b) * 7.5, kC + 1 + std::sin(b) * 7.5, 5.5, pal::kOrange);
  }
  TopGloss(cr);
}

void Flame(cairo_t* cr, double cx, double base, double h, double w, double lean, Rgb outer, Rgb inner) {
  cairo_move_to(cr, cx, base);
  cairo_curve_to(cr, cx - w, base - h * 0.2, cx - w * 0.5 + lean, base - h * 0.7, cx + lean, base - h);
  cairo_curve_to(cr, cx + w * 0.5 + lean, base - h * 0.6, cx + w, base - h * 0.2, cx, base);
  cairo_close_path(cr);
  FillVertical(cr, base - h, base, inner, outer);
  Outline(cr, 1.4);
}

void DrawSuperBall(cairo_t* cr, int f) {
  // A fire ball flying down to the left with its flames trailing up to the right.
  Badge(cr, {0.28, 0.14, 0.38}, f);  // a night-purple disc so the fire glows
  const double flick = std::sin(f * M_PI / 4);
  cairo_save(cr);
  cairo_translate(cr, kC - 4, kC + 5);
  cairo_rotate(cr, 0.8);
  Flame(cr, 0, 4, 27 + flick * 2.5, 11, -flick * 2, pal::kRed, pal::kYellow);
  Flame(cr, 0, 3, 17 - flick * 1.5, 6, flick * 1.5, pal::kOrange, pal::kWhite);
  cairo_restore(cr);
  Circle(cr, kC - 4, kC + 5, 7.5);
  FillShaded(cr, kC - 4, kC + 5, 7.5, pal::kYellow);
  Outline(cr, 1.6);
}

void DrawBananas(cairo_t* cr, int f) {
  Badge(cr, {0.45, 0.72, 0.15}, f);
  cairo_save(cr);
  cairo_translate(cr, kC, kC + 2);
  cairo_rotate(cr, 0.1 * std::sin(f * M_PI / 4));
  for (int i = -1; i <= 1; ++i) {
    cairo_save(cr);
    cairo_rotate(cr, i * 0.45);
    cairo_move_to(cr, 0, -12);
    cairo_curve_to(cr, 9, -8, 9, 6, 2, 13);
    cairo_curve_to(cr, 4, 5, 3, -4, -2, -10);
    cairo_close_path(cr);
    FillVertical(cr, -12, 13, Lighter(pal::kBanana, 0.3), Darker(pal::kBanana, 0.1));
    Outline(cr, 1.5);
    cairo_restore(cr);
  }
  RoundedRect(cr, -3, -15, 6, 5, 2);
  FillFlat(cr, pal::kWoodDark);
  Outline(cr, 1.0);
  cairo_restore(cr);
  TopGloss(cr);
}

// The falling carrier is never drawn: its size only places the face and the catch box. A faint glow.
void DrawCarrier(cairo_t* cr, int f) {
  Ellipse(cr, 12, 14.5, 10, 12);
  SetColor(cr, pal::kWhite, 0.15 + 0.03 * f);
  cairo_fill(cr);
}

}  // namespace

void AddBonuses(std::vector<Picture>& out) {
  // The carrier's size centres its catch box on the face: face at (X - w/2 + 2, Y - h/2 + 7), 44 square.
  out.push_back({"bonus1", 24, 29, kFrames, DrawCarrier});
  out.push_back({"bon_big", kSize, kSize, kFrames, DrawBig});
  out.push_back({"bon_small", kSize, kSize, kFrames, DrawSmall});
  out.push_back({"bon_magnit", kSize, kSize, kFrames, DrawMagnet});
  out.push_back({"bon_money", kSize, kSize, kFrames, DrawMoney});
  out.push_back({"bon_life", kSize, kSize, kFrames, DrawLife});
  out.push_back({"bon_bigball", kSize, kSize, kFrames, DrawBigBall});
  out.push_back({"bon_3ball", kSize, kSize, kFrames, DrawThreeBalls});
  out.push_back({"bon_superball", kSize, kSize, kFrames, DrawSuperBall});
  out.push_back({"bon_banan", kSize, kSize, kFrames, DrawBananas});
}

}  // namespace zb::art
