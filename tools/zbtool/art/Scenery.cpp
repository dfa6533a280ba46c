// The playfield scenery: the jungle behind the bricks (with its sky left open), the scrolling sky, the left
// panel that carries the HUD, the swaying plants, the level-title plaque and the mouse pointer.

#include <cmath>

#include "tools/zbtool/art/ArtKit.h"
#include "tools/zbtool/art/Foliage.h"

namespace zb::art {
namespace {

// ---- backgame: 800 x 600, transparent above the tree line so the sky shows through.

double TreeLine(double x) {
  // Height of the far canopy edge; everything above it is sky.
  return 205 + 18 * std::sin(x * 0.021) + 11 * std::sin(x * 0.057 + 1.3) + 6 * std::sin(x * 0.13);
}

void FarJungle(cairo_t* cr) {
  cairo_move_to(cr, 0, 600);
  for (int x = 0; x <= 800; x += 4) cairo_line_to(cr, x, TreeLine(x));
  cairo_line_to(cr, 800, 600);
  cairo_close_path(cr);
  FillVertical(cr, 190, 420, Mix(pal::kLeaf, pal::kSkyLow, 0.45), Mix(pal::kLeafDark, pal::kSkyTop, 0.2));
  cairo_new_path(cr);
  // Bumps of tree crowns along the edge.
  Random rnd(5);
  for (int x = -10; x < 820; x += 26) {
    const double r = rnd.Range(14, 24);
    Circle(cr, x, TreeLine(x) + r * 0.6, r);
  }
  FillVertical(cr, 180, 260, Mix(pal::kLeafLight, pal::kSkyLow, 0.4), Mix(pal::kLeaf, pal::kSkyTop, 0.25));
  cairo_new_path(cr);
}

void Cliff(cairo_t* cr) {
  // The rock the waterfall pours over; its lip is at about (270..350, 140).
  cairo_move_to(cr, 200, 480);
  cairo_curve_to(cr, 205, 300, 225, 190, 250, 150);
  cairo_curve_to(cr, 270, 132, 340, 128, 372, 146);
  cairo_curve_to(cr, 400, 190, 420, 300, 430, 480);
  cairo_close_path(cr);
  FillVertical(cr, 130, 480, Mix(pal::kStone, pal::kLeafDark, 0.2),
               Mix(pal::kStoneDark, pal::kLeafDeep, 0.4));
  Outline(cr, 2.0);
  // Ledges and moss.
  Random rnd(8);
  for (int i = 0; i < 9; ++i) {
    const double y = 170 + i * 32, x = rnd.Range(215, 260);
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + 12, y - 4, x + 22, y + 2, x + 30, y);
    StrokeColor(cr, pal::kInk, 1.4, 0.5);
    const double x2 = rnd.Range(360, 400);
    cairo_move_to(cr, x2, y + 14);
    cairo_curve_to(cr, x2 + 8, y + 10, x2 + 16, y + 15, x2 + 24, y + 13);
    StrokeColor(cr, pal::kInk, 1.4, 0.5);
  }
  cairo_move_to(cr, 250, 150);
  cairo_curve_to(cr, 270, 132, 340, 128, 372, 146);
  cairo_curve_to(cr, 345, 142, 280, 144, 250, 150);
  FillFlat(cr, pal::kLeaf);
  Outline(cr, 1.4);
  // The falling water: a pale band the particle waterfall plays over, and the pool below.
  cairo_move_to(cr, 272, 142);
  cairo_curve_to(cr, 268, 250, 262, 350, 258, 430);
  cairo_line_to(cr, 362, 430);
  cairo_curve_to(cr, 356, 350, 352, 250, 350, 142);
  cairo_close_path(cr);
  FillVertical(cr, 140, 430, Mix(pal::kWater, pal::kWhite, 0.3), pal::kWater, 0.75);
  cairo_new_path(cr);
  for (int i = 0; i < 8; ++i) {
    const double x = 280 + i * 9.5;
    cairo_move_to(cr, x, 150);
    cairo_curve_to(cr, x - 1, 250, x - 3, 350, x - 5, 425);
    StrokeColor(cr, pal::kWhite, 1.2, 0.35);
  }
  Ellipse(cr, 310, 440, 95, 18);
  FillVertical(cr, 422, 458, pal::kWater, pal::kWaterDeep);
  Outline(cr, 1.6);
  Ellipse(cr, 310, 433, 60, 6);
  SetColor(cr, pal::kWhite, 0.45);
  cairo_fill(cr);
}

void Trunk(cairo_t* cr, double x, double width, double top) {
  cairo_move_to(cr, x - width / 2, 600);
  cairo_curve_to(cr, x - width * 0.4, 420, x - width * 0.3, 250, x - width * 0.25, top);
  cairo_line_to(cr, x + width * 0.25, top);
  cairo_curve_to(cr, x + width * 0.3, 250, x + width * 0.4, 420, x + width / 2, 600);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(x - width / 2, 0, x + width / 2, 0);
  const Rgb a = Lighter(pal::kWood, 0.1), b = Darker(pal::kWoodDark, 0.2);
  cairo_pattern_add_color_stop_rgb(p, 0, b.r, b.g, b.b);
  cairo_pattern_add_color_stop_rgb(p, 0.35, a.r, a.g, a.b);
  cairo_pattern_add_color_stop_rgb(p, 1, b.r, b.g, b.b);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  Outline(cr, 2.0);
  for (int i = 0; i < 6; ++i) {
    const double y = top + 40 + i * 70;
    cairo_move_to(cr, x - width * 0.3, y);
    cairo_curve_to(cr, x - width * 0.1, y + 8, x + width * 0.1, y - 6, x + width * 0.3, y + 4);
    StrokeColor(cr, pal::kInk, 1.2, 0.45);
  }
}

void Ground(cairo_t* cr) {
  cairo_move_to(cr, 0, 600);
  for (int x = 0; x <= 800; x += 8)
    cairo_line_to(cr, x, 470 + 10 * std::sin(x * 0.03) + 6 * std::sin(x * 0.11));
  cairo_line_to(cr, 800, 600);
  cairo_close_path(cr);
  FillVertical(cr, 460, 600, pal::kLeaf, pal::kLeafDeep);
  Outline(cr, 2.0);
  Random rnd(21);
  for (int i = 0; i < 60; ++i) {
    const double x = rnd.Range(0, 800), y = rnd.Range(490, 600), h = rnd.Range(6, 14);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + rnd.Range(-4, 4), y - h);
    StrokeColor(cr, pal::kLeafLight, 1.3, 0.6);
  }
}

void DrawBackgame(cairo_t* cr) {
  FarJungle(cr);
  Cliff(cr);
  // Hanging lianas and side trees frame the playfield.
  Trunk(cr, 760, 70, 0);
  Trunk(cr, 185, 44, 0);
  for (int i = 0; i < 5; ++i) {
    const double x = 430 + i * 70;
    cairo_move_to(cr, x, 0);
    cairo_curve_to(cr, x + 20, 60 + i * 15, x - 15, 120 + i * 10, x + 5, 160 + i * 22);
    StrokeColor(cr, pal::kInk, 4.0, 0.8);
    cairo_move_to(cr, x, 0);
    cairo_curve_to(cr, x + 20, 60 + i * 15, x - 15, 120 + i * 10, x + 5, 160 + i * 22);
    StrokeColor(cr, pal::kLeafDark, 2.2);
  }
  // Canopy along the top edge: big leaves hanging in front of the sky, two layers deep.
  Random rnd(33);
  for (int layer = 0; layer < 2; ++layer) {
    for (int x = 150 + layer * 17; x < 820; x += 34) {
      const Rgb c = layer ? Mix(pal::kLeaf, pal::kLeafLight, rnd.Unit() * 0.5) : pal::kLeafDark;
      Blade(cr, x, -14, M_PI + rnd.Range(-0.5, 0.5), rnd.Range(44, 66) - layer * 10, 20, c);
    }
  }
  Ground(cr);
  Bush(cr, 540, 520, 90, 11);
  Bush(cr, 700, 540, 110, 12);
  Bush(cr, 250, 560, 80, 13);
  // A few bright flowers in the grass and on the bushes.
  const double fx[7] = {230, 275, 520, 565, 680, 735, 610}, fy[7] = {548, 556, 505, 512, 520, 530, 575};
  const Rgb fc[3] = {pal::kMagenta, pal::kOrange, pal::kRed};
  for (int i = 0; i < 7; ++i) Flower(cr, fx[i], fy[i], 6 + (i % 3), fc[i % 3]);
  // A soft darkening of the middle so the bricks and the ball stand out against the jungle.
  cairo_rectangle(cr, 0, 0, 800, 600);
  cairo_pattern_t* p = cairo_pattern_create_radial(490, 300, 50, 490, 300, 420);
  cairo_pattern_add_color_stop_rgba(p, 0, 0.03, 0.10, 0.06, 0.30);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.03, 0.10, 0.06, 0.10);
  cairo_set_source(cr, p);
  cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);  // only over what is drawn: the sky stays open
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  cairo_pattern_destroy(p);
}

// ---- sky: 800 x 320, seamless left to right (the pieces follow each other).

void DrawSky(cairo_t* cr) {
  cairo_rectangle(cr, 0, 0, 800, 320);
  FillVertical(cr, 0, 320, pal::kSkyTop, pal::kSkyLow);
  cairo_new_path(cr);
  Random rnd(3);
  for (int i = 0; i < 7; ++i) {
    const double cx = rnd.Range(0, 800), cy = rnd.Range(40, 200), w = rnd.Range(60, 120);
    for (double shift : {-800.0, 0.0, 800.0}) {
      for (int k = 0; k < 5; ++k) {
        const double dx = (k - 2) * w * 0.3, r = w * (0.22 + 0.1 * (k % 2 ? 1 : 0.4));
        Circle(cr, cx + shift + dx, cy - (k % 2) * r * 0.4, r);
      }
      Ellipse(cr, cx + shift, cy + w * 0.12, w * 0.8, w * 0.16);
    }
  }
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  FillVertical(cr, 20, 230, pal::kCloud, Mix(pal::kCloud, pal::kSkyLow, 0.6), 0.9);
  cairo_new_path(cr);
}

// ---- panel: 172 x 600, the HUD board (numbers at y 195, 277, 357; key at (83, 84); bonus at (83, 475)).

void Plaque(cairo_t* cr, double cx, double cy, double w, double h) {
  RoundedRect(cr, cx - w / 2 - 3, cy - h / 2 - 3, w + 6, h + 6, 10);
  FillVertical(cr, cy - h / 2, cy + h / 2, pal::kWoodLight, pal::kWoodDark);
  Outline(cr, 1.6);
  RoundedRect(cr, cx - w / 2, cy - h / 2, w, h, 8);
  FillVertical(cr, cy - h / 2, cy + h / 2, Darker(pal::kPanelDark, 0.3), Lighter(pal::kPanelDark, 0.12));
  Outline(cr, 1.4);
}

void Label(cairo_t* cr, const char* text, double baseline) {
  CenteredText(
      cr, text, 82, baseline,
      {.font = "comfortaa-bold", .size = 17, .fill = pal::kWhite, .outline = pal::kInk, .outlineWidth = 3.5});
}

void DrawPanel(cairo_t* cr, const Words& words) {
  // The carved board with a bark edge on its right side.
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, 166, 0);
  for (int y = 0; y <= 600; y += 20) cairo_line_to(cr, 166 + 4 * std::sin(y * 0.09), y);
  cairo_line_to(cr, 0, 600);
  cairo_close_path(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 172, 0);
  cairo_pattern_add_color_stop_rgb(g, 0, pal::kWoodDark.r, pal::kWoodDark.g, pal::kWoodDark.b);
  cairo_pattern_add_color_stop_rgb(g, 0.5, pal::kWood.r, pal::kWood.g, pal::kWood.b);
  cairo_pattern_add_color_stop_rgb(g, 1, pal::kWoodDark.r, pal::kWoodDark.g, pal::kWoodDark.b);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  Outline(cr, 3.0);
  Random rnd(44);
  for (int i = 0; i < 40; ++i) {
    const double x = rnd.Range(8, 158);
    const double y0 = rnd.Range(0, 600), len = rnd.Range(30, 120);
    cairo_move_to(cr, x, y0);
    cairo_curve_to(cr, x + 3, y0 + len / 3, x - 3, y0 + len * 2 / 3, x, y0 + len);
    StrokeColor(cr, i % 3 ? pal::kWoodDark : pal::kWoodLight, 1.0, 0.45);
  }
  // Bark strip along the right edge.
  cairo_move_to(cr, 158, 0);
  for (int y = 0; y <= 600; y += 20) cairo_line_to(cr, 158 + 3 * std::sin(y * 0.13), y);
  for (int y = 600; y >= 0; y -= 20) cairo_line_to(cr, 171 + 4 * std::sin(y * 0.09), y);
  cairo_close_path(cr);
  FillVertical(cr, 0, 600, Darker(pal::kWoodDark, 0.2), pal::kWoodDark);
  Outline(cr, 1.6);

  // Key plaque, then the three numbers, then the bonus spot with its flame arc.
  Plaque(cr, 83, 84, 136, 66);
  Label(cr, words("Уровень").c_str(), 172);
  Plaque(cr, 81, 207, 120, 34);
  Label(cr, words("Очки").c_str(), 254);
  Plaque(cr, 81, 289, 140, 34);
  Label(cr, words("Жизни").c_str(), 334);
  Plaque(cr, 83, 369, 120, 34);
  // A small heart beside the lives.
  cairo_save(cr);
  cairo_translate(cr, 36, 369);
  cairo_move_to(cr, 0, 6);
  cairo_curve_to(cr, -10, -1, -6, -9, 0, -4);
  cairo_curve_to(cr, 6, -9, 10, -1, 0, 6);
  FillFlat(cr, pal::kRed);
  Outline(cr, 1.2);
  cairo_restore(cr);

  Circle(cr, 83, 475, 37);
  FillVertical(cr, 438, 512, pal::kStone, pal::kStoneDark);
  Outline(cr, 2.0);
  Circle(cr, 83, 475, 29);
  FillVertical(cr, 446, 504, Darker(pal::kPanelDark, 0.3), Lighter(pal::kPanelDark, 0.15));
  Outline(cr, 1.5);
  // Nine little stone cups under the flames of a timed bonus.
  const double fx[9] = {32, 42, 53, 67, 84, 98, 114, 128, 138};
  const double fy[9] = {506, 517, 526, 531, 534, 532, 527, 518, 505};
  for (int i = 0; i < 9; ++i) {
    Ellipse(cr, fx[i], fy[i] + 5, 6, 3.5);
    FillVertical(cr, fy[i] + 1, fy[i] + 9, pal::kStone, pal::kStoneDark);
    Outline(cr, 1.2);
  }
  // Vines draped over the board.
  cairo_move_to(cr, 0, 128);
  cairo_curve_to(cr, 40, 150, 120, 118, 170, 140);
  cairo_move_to(cr, 0, 420);
  cairo_curve_to(cr, 50, 440, 110, 400, 170, 425);
  StrokeColor(cr, pal::kLeafDark, 3.0);
  for (double t : {0.1, 0.3, 0.55, 0.8}) {
    SmallLeaf(cr, t * 170, 134 + 8 * std::sin(t * 6), t * 3 - 1.5, 8, pal::kLeaf);
    SmallLeaf(cr, t * 170, 424 - 10 * std::sin(t * 5), t * 2 + 1, 8, pal::kLeaf);
  }
  cairo_move_to(cr, 4, 560);
  cairo_curve_to(cr, 60, 575, 110, 548, 166, 570);
  StrokeColor(cr, pal::kLeafDark, 3.0);
  for (double t : {0.15, 0.45, 0.75}) SmallLeaf(cr, 8 + t * 160, 566, t * 4, 9, pal::kLeafLight);
}

// ---- plants: 240 x 240 cells rotated about their centre, which is the plant's root.

void DrawLeafType(cairo_t* cr, int type) {
  const double cx = 120, cy = 120;
  switch (type) {
    case 0:
      Fern(cr, cx - 6, cy + 6, -0.5, 100, 10, pal::kLeafDark);
      Fern(cr, cx + 6, cy + 6, 0.5, 100, 10, pal::kLeafDark);
      Fern(cr, cx, cy + 6, 0, 116, 11, pal::kLeaf);
      break;
    case 1:
      for (int i = -3; i <= 3; ++i)
        Blade(cr, cx, cy, i * 0.28, 110 - std::abs(i) * 8, 22,
              Mix(pal::kLeaf, pal::kLeafLight, 0.2 * (i + 3) / 3));
      break;
    case 2:
      BananaLeaf(cr, cx, cy + 4, -0.3, 116, 34, pal::kLeaf);
      BananaLeaf(cr, cx, cy + 4, 0.35, 104, 30, Mix(pal::kLeaf, pal::kLeafLight, 0.4));
      break;
    case 3:
      Vine(cr, cx, cy, -0.3, 96, pal::kLeaf);
      Vine(cr, cx, cy, 0.35, 90, Mix(pal::kLeaf, pal::kLeafLight, 0.5));
      Vine(cr, cx, cy, 0.05, 116, pal::kLeafLight);
      break;
    default:
      for (int i = -2; i <= 2; ++i)
        Fern(cr, cx, cy + 4, i * 0.3, 114 - std::abs(i) * 12, 6,
             Mix(pal::kLeafDark, pal::kLeaf, 0.5 + 0.2 * i));
      break;
  }
}

void DrawLeafer(cairo_t* cr) {
  // The big clump at the panel's right edge; mostly to the upper right, where it shows.
  const double cx = 120, cy = 120;
  BananaLeaf(cr, cx, cy + 6, 0.7, 110, 30, pal::kLeafDark);
  BananaLeaf(cr, cx, cy + 6, 0.25, 112, 32, pal::kLeaf);
  Fern(cr, cx, cy, 1.1, 100, 6, Mix(pal::kLeaf, pal::kLeafLight, 0.5));
  BananaLeaf(cr, cx, cy + 6, -0.2, 96, 26, Mix(pal::kLeaf, pal::kLeafLight, 0.3));
}

// ---- level title plaque (the game writes "Уровень N" across it) and the pointer.

void DrawSmallscr(cairo_t* cr) {
  // The title turns about the picture's centre, but its text ("Уровень 25" at the most) is written
  // 4 pixels right of that centre and starts 7 above it: the plaque sits right and low to hold it.
  RoundedRect(cr, 14, 27, 196, 50, 16);
  FillVertical(cr, 27, 77, pal::kWoodLight, pal::kWoodDark);
  Outline(cr, 2.2);
  RoundedRect(cr, 22, 33, 180, 38, 11);
  FillVertical(cr, 33, 71, Darker(pal::kPanelDark, 0.3), Lighter(pal::kPanelDark, 0.15));
  Outline(cr, 1.5);
  for (double x : {18.0, 206.0}) {
    SmallLeaf(cr, x, 31, x < 112 ? -2.2 : -0.9, 11, pal::kLeaf);
    SmallLeaf(cr, x, 73, x < 112 ? 2.3 : 0.8, 10, pal::kLeafLight);
  }
  Gloss(cr, 112, 31, 70, 3, 0.35);
}

void DrawCursor(cairo_t* cr, bool pressed) {
  // The tip is the pointer's hot spot, at the top-left corner of the cell.
  cairo_move_to(cr, 2, 2);
  cairo_line_to(cr, 24, 14);
  cairo_line_to(cr, 15, 16);
  cairo_line_to(cr, 21, 27);
  cairo_line_to(cr, 16, 29);
  cairo_line_to(cr, 10, 19);
  cairo_line_to(cr, 4, 25);
  cairo_close_path(cr);
  if (pressed) {
    FillVertical(cr, 2, 29, pal::kOrange, Darker(pal::kOrange, 0.3));
  } else {
    FillVertical(cr, 2, 29, Lighter(pal::kBanana, 0.4), pal::kYellow);
  }
  Outline(cr, 2.0);
  cairo_move_to(cr, 5, 6);
  cairo_line_to(cr, 14, 11);
  StrokeColor(cr, pal::kWhite, 1.5, 0.8);
  if (pressed) Sparkle(cr, 5, 5, 5, 0.9);
}

}  // namespace

void AddScenery(std::vector<Picture>& out, const Words& words) {
  out.push_back({"backgame", 800, 600, 1, [](cairo_t* cr, int) { DrawBackgame(cr); }});
  out.push_back({"sky", 800, 320, 1, [](cairo_t* cr, int) { DrawSky(cr); }});
  out.push_back({"panel", 172, 600, 1, [words](cairo_t* cr, int) { DrawPanel(cr, words); }, true});
  out.push_back({"leafs", 240, 240, 5, DrawLeafType});
  out.push_back({"leafer", 240, 240, 1, [](cairo_t* cr, int) { DrawLeafer(cr); }});
  out.push_back({"smallscr", 216, 84, 1, [](cairo_t* cr, int) { DrawSmallscr(cr); }});
  out.push_back({"cursor", 32, 32, 1, [](cairo_t* cr, int) { DrawCursor(cr, false); }});
  out.push_back({"cursor1", 32, 32, 1, [](cairo_t* cr, int) { DrawCursor(cr, true); }});
}

}  // namespace zb::art
