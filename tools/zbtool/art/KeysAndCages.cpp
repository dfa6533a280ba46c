// The four keys (three parts each, two parts joined, the whole key, and the empty key) and the cage with its
// sliding door. All key images share one 112 x 48 cell so that the indicator keeps its place; a single part
// is drawn in the middle of the cell, since it flies on its own with its trail at the cell's centre.
//
// Cage geometry, in the coordinates of "cageback" (the cage sprite's position): the front is drawn at
// (2, -60), the door at (54 + shift, 88) sliding left by up to 47; the animals stand on the floor at y 222;
// the key flies to (105, 170), where the door's padlock hangs.

#include <cmath>

#include "tools/zbtool/art/ArtKit.h"

namespace zb::art {
namespace {

constexpr int kKeyW = 112, kKeyH = 48, kKeyFrames = 8;

struct KeyLook {
  Rgb metal;
  Rgb gem;
};
constexpr KeyLook kKeys[4] = {
    {{0.45, 0.80, 0.45}, pal::kWhite},         // panda: jade
    {pal::kGold, pal::kRed},                   // lion: gold
    {{0.45, 0.70, 0.95}, pal::kYellow},        // begemot: sky blue
    {{0.90, 0.40, 0.35}, {0.35, 0.95, 0.55}},  // gorilla: ruby
};

// Parts of the whole key in the cell: the bow (a ring with a gem), the shaft, the bit with its teeth.
void Bow(cairo_t* cr, double dx, const KeyLook& k) {
  Circle(cr, 22 + dx, 24, 15);
  Circle(cr, 22 + dx, 24, 7);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  FillShaded(cr, 22 + dx, 24, 15, k.metal);
  Outline(cr, 2.0);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  for (int i = 0; i < 4; ++i) {
    const double a = i * M_PI / 2 + M_PI / 4;
    Circle(cr, 22 + dx + std::cos(a) * 11, 24 + std::sin(a) * 11, 2.2);
    FillShaded(cr, 22 + dx + std::cos(a) * 11, 24 + std::sin(a) * 11, 2.2, k.gem);
    Outline(cr, 0.9);
  }
}

void Shaft(cairo_t* cr, double dx, const KeyLook& k) {
  RoundedRect(cr, 35 + dx, 19.5, 50, 9, 3);
  FillVertical(cr, 19.5, 28.5, Lighter(k.metal, 0.4), Darker(k.metal, 0.25));
  Outline(cr, 1.8);
  for (double x : {44.0, 52.0}) {
    cairo_move_to(cr, x + dx, 20);
    cairo_line_to(cr, x + dx, 28);
    StrokeColor(cr, Darker(k.metal, 0.4), 1.2, 0.7);
  }
}

void Bit(cairo_t* cr, double dx, const KeyLook& k) {
  cairo_move_to(cr, 82 + dx, 18);
  cairo_line_to(cr, 104 + dx, 18);
  cairo_line_to(cr, 104 + dx, 42);
  cairo_line_to(cr, 98 + dx, 42);
  cairo_line_to(cr, 98 + dx, 35);
  cairo_line_to(cr, 93 + dx, 35);
  cairo_line_to(cr, 93 + dx, 41);
  cairo_line_to(cr, 87 + dx, 41);
  cairo_line_to(cr, 87 + dx, 30);
  cairo_line_to(cr, 82 + dx, 30);
  cairo_close_path(cr);
  FillVertical(cr, 18, 42, Lighter(k.metal, 0.4), Darker(k.metal, 0.25));
  Outline(cr, 1.8);
}

// A glint that runs along the key once in the eight frames.
void Glint(cairo_t* cr, int frame, double x0, double x1) {
  const double x = x0 + (x1 - x0) * frame / (kKeyFrames - 1);
  Sparkle(cr, x, 20 + 5 * std::sin(frame), 5.5, 0.9);
}

void DrawKey(cairo_t* cr, int key, int number, int frame) {
  const KeyLook& k = kKeys[key];
  switch (number) {
    case 1:
      Bow(cr, 34, k);
      Glint(cr, frame, 42, 70);
      break;
    case 2:
      Shaft(cr, -4, k);
      Glint(cr, frame, 34, 80);
      break;
    case 3:
      Bit(cr, -37, k);
      Glint(cr, frame, 46, 66);
      break;
    case 4:
      Shaft(cr, 0, k);
      Bow(cr, 0, k);
      Glint(cr, frame, 10, 84);
      break;
    default:
      Shaft(cr, 0, k);
      Bit(cr, 0, k);
      Bow(cr, 0, k);
      Glint(cr, frame, 10, 104);
      break;
  }
}

void DrawKeyBlank(cairo_t* cr, int frame) {
  // The empty key: a faint silhouette with a dashed rim, breathing softly.
  const KeyLook ghost{{0.55, 0.50, 0.45}, {0.55, 0.50, 0.45}};
  cairo_push_group(cr);
  Shaft(cr, 0, ghost);
  Bit(cr, 0, ghost);
  Bow(cr, 0, ghost);
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, 0.35 + 0.05 * std::sin(frame * M_PI / 4 + 0.5));
}

// ---- the cage

constexpr int kBackW = 200, kBackH = 240;
constexpr int kFrontW = 200, kFrontH = 305;  // drawn at (2, -60) of the back
constexpr int kDoorW = 64, kDoorH = 136;     // drawn at (54 + shift, 88) of the back
constexpr double kFloor = 222;               // floor line in back coordinates

void DrawCageBack(cairo_t* cr) {
  RoundedRect(cr, 1, 1, kBackW - 2, kBackH - 2, 8);
  FillVertical(cr, 0, kBackH, Darker(pal::kWoodDark, 0.3), pal::kWoodDark);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  cairo_new_path(cr);
  for (int x = 20; x < kBackW; x += 26) {
    cairo_move_to(cr, x, 0);
    cairo_line_to(cr, x, kFloor);
    StrokeColor(cr, pal::kInk, 1.4, 0.5);
  }
  // Straw on the floor.
  cairo_rectangle(cr, 0, kFloor - 6, kBackW, kBackH);
  FillVertical(cr, kFloor - 6, kBackH, pal::kYellow, pal::kGoldDark);
  cairo_new_path(cr);
  Random rnd(71);
  for (int i = 0; i < 40; ++i) {
    const double x = rnd.Range(0, kBackW), y = rnd.Range(kFloor - 8, kBackH);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + rnd.Range(-8, 8), y + rnd.Range(-3, 3));
    StrokeColor(cr, pal::kGoldDark, 1.0, 0.8);
  }
  // A soft light from the top of the cage.
  cairo_rectangle(cr, 0, 0, kBackW, kBackH);
  cairo_pattern_t* p = cairo_pattern_create_radial(100, 40, 10, 100, 100, 170);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.9, 0.6, 0.25);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.9, 0.6, 0);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
  RoundedRect(cr, 1, 1, kBackW - 2, kBackH - 2, 8);
  Outline(cr, 2.0);
}

void Bar(cairo_t* cr, double x, double y0, double y1) {
  cairo_rectangle(cr, x - 3, y0, 6, y1 - y0);
  cairo_pattern_t* p = cairo_pattern_create_linear(x - 3, 0, x + 3, 0);
  cairo_pattern_add_color_stop_rgb(p, 0, pal::kStoneDark.r, pal::kStoneDark.g, pal::kStoneDark.b);
  cairo_pattern_add_color_stop_rgb(p, 0.4, 0.92, 0.93, 0.95);
  cairo_pattern_add_color_stop_rgb(p, 1, pal::kStoneDark.r, pal::kStoneDark.g, pal::kStoneDark.b);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  Outline(cr, 1.3);
}

void Beam(cairo_t* cr, double x, double y, double w, double h) {
  RoundedRect(cr, x, y, w, h, 3);
  FillVertical(cr, y, y + h, pal::kWoodLight, pal::kWoodDark);
  Outline(cr, 1.6);
}

void DrawCageFront(cairo_t* cr) {
  // Front coordinates: back x - 2, back y + 60. The door opening is x 52..116, y 148..282.
  const double floorY = kFloor + 60;
  for (double x : {12.0, 30.0, 48.0, 122.0, 140.0, 158.0, 176.0, 190.0}) Bar(cr, x, 60, floorY);
  for (double x : {66.0, 84.0, 102.0}) Bar(cr, x, 60, 148);
  Beam(cr, 4, 110, 192, 10);
  Beam(cr, 46, 142, 76, 8);
  Beam(cr, 2, floorY - 2, 196, 20);
  for (double x : {2.0, 184.0}) Beam(cr, x, 56, 14, floorY - 40);
  // The thatched roof.
  cairo_move_to(cr, 100, 4);
  cairo_curve_to(cr, 140, 18, 180, 38, 199, 66);
  cairo_line_to(cr, 1, 66);
  cairo_curve_to(cr, 20, 38, 60, 18, 100, 4);
  cairo_close_path(cr);
  FillVertical(cr, 4, 66, pal::kYellow, pal::kGoldDark);
  Outline(cr, 2.0);
  for (int i = 1; i < 12; ++i) {
    const double x = i * 200.0 / 12;
    cairo_move_to(cr, 100 + (x - 100) * 0.25, 12);
    cairo_line_to(cr, x, 64);
    StrokeColor(cr, pal::kGoldDark, 1.1, 0.8);
  }
  Beam(cr, 0, 60, 200, 10);
  // A leafy garland along the roof's edge.
  for (int i = 0; i < 9; ++i) {
    const double x = 12 + i * 22;
    Circle(cr, x, 66, 7);
    FillShaded(cr, x, 66, 7, i % 2 ? pal::kLeaf : pal::kLeafLight);
    Outline(cr, 1.2);
  }
}

void Padlock(cairo_t* cr, double cx, double cy, double open, double angle, double alpha) {
  cairo_push_group(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  cairo_new_path(cr);
  cairo_arc(cr, 0, -6 - open, 5.5, M_PI, 2 * M_PI);
  cairo_line_to(cr, 5.5, -2 - open * 0.3);
  StrokeColor(cr, pal::kInk, 4.8);
  cairo_arc(cr, 0, -6 - open, 5.5, M_PI, 2 * M_PI);
  cairo_line_to(cr, 5.5, -2 - open * 0.3);
  StrokeColor(cr, pal::kSilver, 2.6);
  cairo_move_to(cr, -5.5, -6 - open);
  cairo_line_to(cr, -5.5, -2);
  StrokeColor(cr, pal::kInk, 4.8);
  cairo_move_to(cr, -5.5, -6 - open);
  cairo_line_to(cr, -5.5, -2);
  StrokeColor(cr, pal::kSilver, 2.6);
  RoundedRect(cr, -9, -3, 18, 15, 3);
  FillShaded(cr, 0, 4, 12, pal::kGold);
  Outline(cr, 1.6);
  Circle(cr, 0, 3, 2);
  cairo_move_to(cr, 0, 3);
  cairo_line_to(cr, 0, 8);
  StrokeColor(cr, pal::kInk, 1.8);
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, alpha);
}

void DrawCageDoor(cairo_t* cr, int frame) {
  // Frame 0 locked; 1 the key turns (glow); 2 the shackle springs open; 3..5 the lock drops away;
  // 6..8 the bare door, its bars shining as it slides.
  Beam(cr, 2, 2, kDoorW - 4, 10);
  Beam(cr, 2, kDoorH - 14, kDoorW - 4, 12);
  for (double x : {8.0, 24.0, 40.0, 56.0}) Bar(cr, x, 10, kDoorH - 14);
  Beam(cr, 2, 60, kDoorW - 4, 7);
  const double lx = 51, ly = 82;  // where the key arrives
  if (frame == 1) {
    Circle(cr, lx, ly, 14);
    cairo_pattern_t* p = cairo_pattern_create_radial(lx, ly, 0, lx, ly, 14);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 0.6, 0.9);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 0.6, 0);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
  if (frame <= 2) {
    Padlock(cr, lx, ly, frame == 2 ? 4 : 0, 0, 1.0);
  } else if (frame <= 5) {
    const int k = frame - 3;
    Padlock(cr, lx - k * 2, ly + 12 + k * 14, 4, 0.5 + k * 0.4, 1.0 - k * 0.3);
  }
  if (frame >= 5) {
    for (int i = 0; i < 3; ++i) {
      Sparkle(cr, 10 + i * 20 + frame, 30 + ((frame + i) % 4) * 22, 3 + (frame + i) % 3, 0.8);
    }
  }
}

}  // namespace

void AddKeysAndCages(std::vector<Picture>& out) {
  out.push_back({"keyblanc", kKeyW, kKeyH, kKeyFrames, DrawKeyBlank});
  for (int key = 0; key < 4; ++key) {
    for (int number = 1; number <= 5; ++number) {
      out.push_back({"k" + std::to_string(key + 1) + "el" + std::to_string(number), kKeyW, kKeyH, kKeyFrames,
                     [key, number](cairo_t* cr, int f) { DrawKey(cr, key, number, f); }});
    }
  }
  out.push_back({"cageback", kBackW, kBackH, 1, [](cairo_t* cr, int) { DrawCageBack(cr); }});
  out.push_back({"cagefront", kFrontW, kFrontH, 1, [](cairo_t* cr, int) { DrawCageFront(cr); }});
  out.push_back({"cagedoor", kDoorW, kDoorH, 9, DrawCageDoor});
}

}  // namespace zb::art
