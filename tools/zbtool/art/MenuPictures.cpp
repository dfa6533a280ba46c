// The pictures around the game: the menu background "back", the end picture "endgame" (the closing forms
// stand over its middle, x 225..575) and the "logo" shown centred on (400, 280) at start-up.

#include <cmath>

#include "tools/zbtool/art/Animals.h"
#include "tools/zbtool/art/ArtKit.h"
#include "tools/zbtool/art/Foliage.h"

namespace zb::art {
namespace {

void SkyGradient(cairo_t* cr, Rgb top, Rgb low, double height) {
  cairo_rectangle(cr, 0, 0, 800, height);
  FillVertical(cr, 0, height, top, low);
  cairo_new_path(cr);
}

void Rays(cairo_t* cr, double cx, double cy, int count, double alpha) {
  for (int i = 0; i < count; ++i) {
    const double a = i * 2 * M_PI / count;
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + std::cos(a - 0.06) * 900, cy + std::sin(a - 0.06) * 900);
    cairo_line_to(cr, cx + std::cos(a + 0.06) * 900, cy + std::sin(a + 0.06) * 900);
    cairo_close_path(cr);
  }
  cairo_set_source_rgba(cr, 1, 1, 0.85, alpha);
  cairo_fill(cr);
}

void Hills(cairo_t* cr, double base, double amp, double freq, double phase, Rgb top, Rgb bottom) {
  cairo_move_to(cr, 0, 600);
  for (int x = 0; x <= 800; x += 5) {
    cairo_line_to(
        cr, x,
        base - amp * (0.6 + 0.4 * std::sin(x * freq + phase)) * (0.7 + 0.3 * std::sin(x * freq * 2.3)));
  }
  cairo_line_to(cr, 800, 600);
  cairo_close_path(cr);
  FillVertical(cr, base - amp, 600, top, bottom);
  Outline(cr, 2.0);
}

void Palm(cairo_t* cr, double x, double baseY, double height, double lean, Rgb trunk, Rgb leaves) {
  cairo_move_to(cr, x, baseY);
  cairo_curve_to(cr, x + lean * 0.2, baseY - height * 0.5, x + lean * 0.7, baseY - height * 0.8, x + lean,
                 baseY - height);
  StrokeColor(cr, pal::kInk, 18);
  cairo_move_to(cr, x, baseY);
  cairo_curve_to(cr, x + lean * 0.2, baseY - height * 0.5, x + lean * 0.7, baseY - height * 0.8, x + lean,
                 baseY - height);
  StrokeColor(cr, trunk, 13);
  // Seven fronds fanning out from the crown, alternately a little more and less spread.
  for (int i = 0; i < 7; ++i) {
    const double spread = (i - 3) * 0.55 + (i % 2 ? 0.2 : -0.2) * (i < 3 ? -1 : 1);
    Fern(cr, x + lean, baseY - height, spread, 110 - std::abs(i - 3) * 6, 7, leaves);
  }
}

void DrawBack(cairo_t* cr) {
  SkyGradient(cr, pal::kSkyTop, pal::kSkyLow, 600);
  Rays(cr, 400, 40, 18, 0.12);
  Circle(cr, 400, 40, 46);
  FillFlat(cr, {1.0, 0.95, 0.6});
  StrokeColor(cr, {1.0, 0.85, 0.3}, 4);
  Hills(cr, 330, 90, 0.011, 0.4, Mix(pal::kLeaf, pal::kSkyLow, 0.5), Mix(pal::kLeafDark, pal::kSkyLow, 0.3));
  Hills(cr, 420, 70, 0.016, 2.0, pal::kLeaf, pal::kLeafDark);
  // A river winding through the valley.
  cairo_move_to(cr, 360, 600);
  cairo_curve_to(cr, 380, 520, 470, 480, 430, 420);
  cairo_line_to(cr, 450, 420);
  cairo_curve_to(cr, 500, 480, 440, 530, 480, 600);
  cairo_close_path(cr);
  FillVertical(cr, 420, 600, Lighter(pal::kWater, 0.3), pal::kWater);
  Outline(cr, 1.8);
  Hills(cr, 520, 40, 0.02, 4.0, Mix(pal::kLeaf, pal::kLeafLight, 0.4), pal::kLeafDark);
  // Palms and big leaves frame the middle, where the menu stands.
  Palm(cr, 70, 600, 420, 40, pal::kWood, pal::kLeaf);
  Palm(cr, 740, 600, 380, -50, pal::kWood, pal::kLeafDark);
  BananaLeaf(cr, -10, 610, 0.6, 300, 70, pal::kLeaf);
  BananaLeaf(cr, 810, 610, -0.6, 300, 70, Mix(pal::kLeaf, pal::kLeafLight, 0.3));
  Bush(cr, 150, 560, 160, 4);
  Bush(cr, 660, 570, 170, 6);
  const double fx[6] = {120, 175, 205, 610, 650, 700}, fy[6] = {520, 540, 505, 530, 515, 548};
  const Rgb fc[3] = {pal::kMagenta, pal::kOrange, pal::kYellow};
  for (int i = 0; i < 6; ++i) Flower(cr, fx[i], fy[i], 9 + (i % 3) * 2, fc[i % 3]);
  Fern(cr, 20, 600, 0.3, 220, 10, pal::kLeafDark);
  Fern(cr, 780, 600, -0.3, 220, 10, pal::kLeafDark);
  // Lianas from the top corners.
  for (int i = 0; i < 3; ++i) {
    const double x = 40 + i * 50;
    cairo_move_to(cr, x, 0);
    cairo_curve_to(cr, x + 30, 80, x - 10, 140, x + 20, 200 + i * 40);
    StrokeColor(cr, pal::kLeafDark, 4);
    cairo_move_to(cr, 800 - x, 0);
    cairo_curve_to(cr, 800 - x - 30, 80, 800 - x + 10, 140, 800 - x - 20, 200 + i * 40);
    StrokeColor(cr, pal::kLeafDark, 4);
    for (int k = 1; k < 5; ++k) {
      SmallLeaf(cr, x + 8, k * 45.0 + i * 8, 1.2, 9, pal::kLeaf);
      SmallLeaf(cr, 800 - x - 8, k * 45.0 + i * 8, -1.2, 9, pal::kLeaf);
    }
  }
  // Butterflies for colour.
  const double bx[3] = {250, 560, 610}, by[3] = {150, 120, 300};
  const Rgb bc[3] = {pal::kMagenta, pal::kOrange, pal::kBlue};
  for (int i = 0; i < 3; ++i) {
    for (int side = -1; side <= 1; side += 2) {
      Ellipse(cr, bx[i] + side * 6, by[i] - 3, 6, 5);
      FillFlat(cr, bc[i]);
      Outline(cr, 1.2);
      Ellipse(cr, bx[i] + side * 5, by[i] + 4, 4, 3.5);
      FillFlat(cr, Lighter(bc[i], 0.3));
      Outline(cr, 1.2);
    }
    Ellipse(cr, bx[i], by[i], 1.6, 6);
    FillFlat(cr, pal::kInk);
    cairo_new_path(cr);
  }
}

void DrawEndgame(cairo_t* cr, const Words& words) {
  // A festive sunset: the animals are free. The sky burns orange and pink behind the jungle.
  SkyGradient(cr, {0.30, 0.15, 0.45}, {1.0, 0.60, 0.30}, 600);
  Rays(cr, 400, 380, 24, 0.10);
  Circle(cr, 400, 380, 90);
  FillVertical(cr, 290, 470, {1.0, 0.95, 0.55}, {1.0, 0.55, 0.25});
  cairo_new_path(cr);
  Hills(cr, 430, 80, 0.012, 1.0, {0.45, 0.20, 0.35}, {0.25, 0.10, 0.25});
  Hills(cr, 500, 50, 0.018, 3.0, {0.20, 0.30, 0.20}, {0.08, 0.15, 0.10});
  Palm(cr, 90, 600, 450, 30, {0.25, 0.12, 0.10}, {0.10, 0.25, 0.12});
  Palm(cr, 720, 600, 420, -40, {0.25, 0.12, 0.10}, {0.10, 0.25, 0.12});
  Bush(cr, 120, 580, 200, 8);
  Bush(cr, 690, 585, 200, 9);
  // The four freed animals on both sides of the middle, where the closing forms stand.
  const double ax[4] = {15, 105, 560, 680}, ay[4] = {440, 500, 505, 470}, scale[4] = {0.9, 0.75, 0.8, 0.8};
  for (int kind = 0; kind < 4; ++kind) {
    cairo_save(cr);
    cairo_translate(cr, ax[kind], ay[kind]);
    cairo_scale(cr, scale[kind], scale[kind]);
    DrawAnimalBody(cr, kind);
    cairo_restore(cr);
  }
  // Garlands of flags across the top.
  for (int side = 0; side < 2; ++side) {
    const double x0 = side ? 420 : 0, x1 = side ? 800 : 380;
    cairo_move_to(cr, x0, 20);
    cairo_curve_to(cr, x0 + (x1 - x0) / 3, 90, x0 + (x1 - x0) * 2 / 3, 90, x1, 20);
    StrokeColor(cr, pal::kInk, 2.0);
    for (int i = 1; i < 10; ++i) {
      const double t = i / 10.0;
      const double x = x0 + (x1 - x0) * t;
      const double y = 20 + 4 * 0.75 * 70 * t * (1 - t);
      cairo_move_to(cr, x - 9, y);
      cairo_line_to(cr, x + 9, y);
      cairo_line_to(cr, x, y + 20);
      cairo_close_path(cr);
      const Rgb flags[5] = {pal::kRed, pal::kYellow, pal::kGreen, pal::kBlue, pal::kMagenta};
      FillFlat(cr, flags[(i + side) % 5]);
      Outline(cr, 1.2);
    }
  }
  CenteredText(
      cr, words("Звери свободны!"), 400, 150,
      {.font = "lobster", .size = 64, .fill = pal::kYellow, .outline = pal::kInk, .outlineWidth = 7});
}

void DrawLogo(cairo_t* cr, const Words& words) {
  // Leaves fanning behind the name, a ball and a banana, the name in a bold script with a golden face.
  const double cx = 260, cy = 128;
  for (int i = -4; i <= 4; ++i) {
    Blade(cr, cx + i * 12, cy + 40, i * 0.3, 150 - std::abs(i) * 10, 34,
          Mix(pal::kLeaf, pal::kLeafLight, (i + 4) / 8.0));
  }
  BananaLeaf(cr, cx - 120, cy + 60, -1.1, 150, 36, pal::kLeafDark);
  BananaLeaf(cr, cx + 120, cy + 60, 1.1, 150, 36, pal::kLeafDark);
  cairo_push_group(cr);
  CenteredText(cr, "Zumbala", cx, cy + 40,
               {.font = "lobster", .size = 120, .fill = pal::kInk, .outline = pal::kInk, .outlineWidth = 16});
  cairo_pop_group_to_source(cr);
  cairo_paint(cr);
  CenteredText(
      cr, "Zumbala", cx, cy + 40,
      {.font = "lobster", .size = 120, .fill = pal::kOrange, .outline = pal::kWhite, .outlineWidth = 6});
  // The golden face over the orange: a gradient clipped to the letters.
  cairo_save(cr);
  cairo_push_group(cr);
  CenteredText(cr, "Zumbala", cx, cy + 36, {.font = "lobster", .size = 120, .fill = pal::kYellow});
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, 0.75);
  cairo_restore(cr);
  CenteredText(cr, words("приключения в джунглях"), cx, cy + 92,
               {.font = "comfortaa-bold",
                .size = 24,
                .fill = pal::kWhite,
                .outline = pal::kLeafDeep,
                .outlineWidth = 5});
  Sparkle(cr, cx + 170, cy - 40, 14, 0.95);
  Sparkle(cr, cx - 190, cy - 10, 10, 0.85);
}

}  // namespace

void AddMenuPictures(std::vector<Picture>& out, const Words& words) {
  out.push_back({"back", 800, 600, 1, [](cairo_t* cr, int) { DrawBack(cr); }});
  out.push_back({"endgame", 800, 600, 1, [words](cairo_t* cr, int) { DrawEndgame(cr, words); }, true});
  out.push_back({"logo", 520, 250, 1, [words](cairo_t* cr, int) { DrawLogo(cr, words); }, true});
}

}  // namespace zb::art
