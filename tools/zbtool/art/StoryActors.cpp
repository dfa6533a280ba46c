// The actors of the speech scenes: the hunter at (200, 309) and the monkey at (440, 320), each with its
// blink (closed eyes) and talking mouth drawn over the body at fixed offsets, the speech bubble and the
// "press any key" label. The bubble is dark so that the golden dialogue text reads on it; drawn plain it
// points down-left to the hunter, mirrored down-right to the monkey.

#include <cmath>

#include "tools/zbtool/art/ArtKit.h"
#include "tools/zbtool/art/StoryActors.h"

namespace zb::art {
namespace {

constexpr Rgb kKhaki{0.80, 0.70, 0.45};
constexpr Rgb kKhakiDark{0.55, 0.45, 0.25};
constexpr Rgb kHunterSkin{0.98, 0.76, 0.60};
constexpr Rgb kMoustache{0.45, 0.25, 0.12};
constexpr Rgb kMouthInside{0.55, 0.12, 0.14};

// ---- hunter: 290 x 291; eyes image at (122, 88), mouth image at (124, 147).

constexpr double kHx = 147, kHy = 112;  // head centre

void HunterEye(cairo_t* cr, double x, double y) {
  Ellipse(cr, x, y, 7, 8);
  FillFlat(cr, pal::kWhite);
  Outline(cr, 1.6);
  Circle(cr, x + 2, y + 1, 3.6);
  FillFlat(cr, pal::kInk);
  cairo_new_path(cr);
  Circle(cr, x + 0.8, y - 1, 1.2);
  FillFlat(cr, pal::kWhite);
  cairo_new_path(cr);
}

void HunterFace(cairo_t* cr) {
  // Ears, head, nose and the big moustache; the mouth sits under it at (147, 158).
  for (int side = -1; side <= 1; side += 2) {
    Ellipse(cr, kHx + side * 42, kHy + 6, 9, 13);
    ShadedShape(cr, kHx + side * 42, kHy + 6, 12, kHunterSkin, 2.0);
  }
  Ellipse(cr, kHx, kHy, 42, 52);
  ShadedShape(cr, kHx, kHy, 50, kHunterSkin, 2.4);
  // Cheeks.
  for (int side = -1; side <= 1; side += 2) {
    Circle(cr, kHx + side * 26, kHy + 24, 8);
    SetColor(cr, pal::kRed, 0.25);
    cairo_fill(cr);
  }
  HunterEye(cr, 135, 98);
  HunterEye(cr, 159, 98);
  // Eyebrows, bushy and cross.
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, kHx + side * 4, 86);
    cairo_line_to(cr, kHx + side * 22, 82);
    StrokeColor(cr, kMoustache, 4.0);
  }
  Ellipse(cr, kHx + 2, 124, 9, 11);
  ShadedShape(cr, kHx + 2, 124, 10, Darker(kHunterSkin, 0.05), 2.0);
  // The moustache.
  cairo_move_to(cr, kHx, 138);
  cairo_curve_to(cr, kHx - 14, 130, kHx - 34, 134, kHx - 38, 146);
  cairo_curve_to(cr, kHx - 28, 142, kHx - 16, 148, kHx, 144);
  cairo_curve_to(cr, kHx + 16, 148, kHx + 28, 142, kHx + 38, 146);
  cairo_curve_to(cr, kHx + 34, 134, kHx + 14, 130, kHx, 138);
  cairo_close_path(cr);
  FillVertical(cr, 130, 148, Lighter(kMoustache, 0.2), kMoustache);
  Outline(cr, 1.8);
}

void HunterMouth(cairo_t* cr, bool open) {
  if (open) {
    Ellipse(cr, kHx, 158, 12, 8);
    FillFlat(cr, kMouthInside);
    Outline(cr, 1.8);
    Ellipse(cr, kHx, 162, 6, 3);
    FillFlat(cr, {0.90, 0.45, 0.45});
    cairo_new_path(cr);
    cairo_rectangle(cr, kHx - 7, 150.5, 14, 3);
    FillFlat(cr, pal::kWhite);
    cairo_new_path(cr);
  } else {
    cairo_move_to(cr, kHx - 9, 156);
    cairo_curve_to(cr, kHx - 4, 159, kHx + 4, 159, kHx + 9, 156);
    StrokeColor(cr, pal::kInk, 2.0);
  }
}

void DrawHunter(cairo_t* cr) {
  // The body in a khaki jacket, the big rifle across it, the head, the pith helmet.
  cairo_move_to(cr, 40, 291);
  cairo_curve_to(cr, 50, 200, 90, 170, 147, 168);
  cairo_curve_to(cr, 204, 170, 244, 200, 254, 291);
  cairo_close_path(cr);
  FillVertical(cr, 168, 291, kKhaki, kKhakiDark);
  Outline(cr, 2.4);
  // Collar, pockets, belt with cartridges.
  cairo_move_to(cr, 120, 172);
  cairo_line_to(cr, 147, 200);
  cairo_line_to(cr, 174, 172);
  StrokeColor(cr, kKhakiDark, 3.0);
  for (double x : {100.0, 170.0}) {
    RoundedRect(cr, x, 215, 30, 24, 4);
    FillFlat(cr, Lighter(kKhaki, 0.15));
    Outline(cr, 1.6);
  }
  cairo_rectangle(cr, 52, 262, 190, 14);
  FillFlat(cr, pal::kWoodDark);
  Outline(cr, 1.6);
  for (int i = 0; i < 8; ++i) {
    RoundedRect(cr, 70 + i * 20, 258, 7, 16, 2);
    FillFlat(cr, pal::kGold);
    Outline(cr, 1.0);
  }
  // The rifle: a wooden stock low on the left, the barrel up past the right shoulder.
  cairo_move_to(cr, 92, 288);
  cairo_line_to(cr, 150, 232);
  StrokeColor(cr, pal::kInk, 19);
  cairo_move_to(cr, 92, 288);
  cairo_line_to(cr, 150, 232);
  StrokeColor(cr, pal::kWood, 15);
  cairo_move_to(cr, 148, 234);
  cairo_line_to(cr, 272, 104);
  StrokeColor(cr, pal::kInk, 10);
  cairo_move_to(cr, 148, 234);
  cairo_line_to(cr, 272, 104);
  StrokeColor(cr, {0.45, 0.48, 0.52}, 6);
  cairo_move_to(cr, 156, 224);
  cairo_line_to(cr, 262, 113);
  StrokeColor(cr, pal::kWhite, 1.2, 0.5);
  // The arm holding the rifle across the chest.
  cairo_move_to(cr, 230, 230);
  cairo_curve_to(cr, 220, 200, 200, 190, 178, 196);
  StrokeColor(cr, pal::kInk, 24);
  cairo_move_to(cr, 230, 230);
  cairo_curve_to(cr, 220, 200, 200, 190, 178, 196);
  StrokeColor(cr, kKhaki, 20);
  Circle(cr, 176, 196, 11);
  ShadedShape(cr, 176, 196, 11, kHunterSkin, 1.8);
  HunterFace(cr);
  HunterMouth(cr, false);
  // The pith helmet.
  Ellipse(cr, kHx, 72, 66, 12);
  FillVertical(cr, 60, 84, kKhaki, kKhakiDark);
  Outline(cr, 2.2);
  cairo_move_to(cr, kHx - 44, 70);
  cairo_curve_to(cr, kHx - 44, 10, kHx + 44, 10, kHx + 44, 70);
  cairo_close_path(cr);
  FillVertical(cr, 24, 70, Lighter(kKhaki, 0.35), kKhaki);
  Outline(cr, 2.2);
  cairo_rectangle(cr, kHx - 44, 58, 88, 9);
  FillFlat(cr, kKhakiDark);
  Outline(cr, 1.6);
  Gloss(cr, kHx - 14, 36, 18, 8, 0.45);
}

void DrawHunterEyes(cairo_t* cr) {
  // Cell at (122, 88): the lids close over the eyes at (135, 98) and (159, 98).
  cairo_translate(cr, -122, -88);
  for (double x : {135.0, 159.0}) {
    Ellipse(cr, x, 98, 8.6, 9.6);
    FillFlat(cr, Darker(kHunterSkin, 0.06));
    cairo_new_path(cr);
    cairo_move_to(cr, x - 7, 99);
    cairo_curve_to(cr, x - 3, 103, x + 3, 103, x + 7, 99);
    StrokeColor(cr, pal::kInk, 2.0);
  }
}

void DrawHunterMouth(cairo_t* cr) {
  cairo_translate(cr, -124, -147);
  HunterMouth(cr, true);
}

// ---- monkey: 300 x 280; eyes image at (122, 41), mouth image at (112, 85).

constexpr double kMx = 152, kMy = 66;  // head centre

void MonkeyEye(cairo_t* cr, double x, double y) {
  Ellipse(cr, x, y, 11, 12.5);
  FillFlat(cr, pal::kWhite);
  Outline(cr, 2.0);
  Circle(cr, x - 2, y + 2, 6);
  FillFlat(cr, {0.30, 0.18, 0.08});
  cairo_new_path(cr);
  Circle(cr, x - 2, y + 2, 3.2);
  FillFlat(cr, pal::kInk);
  cairo_new_path(cr);
  Circle(cr, x - 4, y - 1, 1.8);
  FillFlat(cr, pal::kWhite);
  cairo_new_path(cr);
}

void MonkeyMouth(cairo_t* cr, bool open) {
  if (open) {
    cairo_move_to(cr, kMx - 30, 96);
    cairo_curve_to(cr, kMx - 22, 122, kMx + 22, 122, kMx + 30, 96);
    cairo_curve_to(cr, kMx + 12, 102, kMx - 12, 102, kMx - 30, 96);
    cairo_close_path(cr);
    FillFlat(cr, kMouthInside);
    Outline(cr, 2.2);
    Ellipse(cr, kMx, 110, 12, 5);
    FillFlat(cr, {0.92, 0.45, 0.48});
    cairo_new_path(cr);
    cairo_move_to(cr, kMx - 24, 98);
    cairo_curve_to(cr, kMx - 10, 103, kMx + 10, 103, kMx + 24, 98);
    StrokeColor(cr, pal::kWhite, 3.0);
  } else {
    cairo_move_to(cr, kMx - 26, 100);
    cairo_curve_to(cr, kMx - 12, 112, kMx + 12, 112, kMx + 26, 100);
    StrokeColor(cr, pal::kInk, 2.6);
  }
}

void MonkeyMuzzle(cairo_t* cr) {
  Ellipse(cr, kMx, 98, 36, 24);
  ShadedShape(cr, kMx, 98, 36, pal::kSkin, 2.0);
  for (double x : {kMx - 6, kMx + 6}) {
    Ellipse(cr, x, 86, 3, 2.2);
    FillFlat(cr, pal::kInk);
    cairo_new_path(cr);
  }
}

void DrawStoryMonkey(cairo_t* cr) {
  // The tail curling behind, the body with a pale belly, arms, feet, then the head.
  cairo_move_to(cr, 200, 250);
  cairo_curve_to(cr, 290, 250, 296, 150, 250, 140);
  cairo_curve_to(cr, 230, 136, 226, 160, 244, 162);
  StrokeColor(cr, pal::kInk, 14);
  cairo_move_to(cr, 200, 250);
  cairo_curve_to(cr, 290, 250, 296, 150, 250, 140);
  cairo_curve_to(cr, 230, 136, 226, 160, 244, 162);
  StrokeColor(cr, pal::kFur, 10);
  Ellipse(cr, kMx, 210, 70, 72);
  ShadedShape(cr, kMx, 210, 72, pal::kFur, 2.4);
  Ellipse(cr, kMx, 222, 44, 52);
  FillVertical(cr, 170, 274, Lighter(pal::kSkin, 0.1), pal::kSkin);
  cairo_new_path(cr);
  for (int side = -1; side <= 1; side += 2) {
    Ellipse(cr, kMx + side * 48, 268, 30, 12);
    ShadedShape(cr, kMx + side * 48, 268, 30, pal::kSkin, 2.0);
    // Arms: one waves while it talks, the other rests on the belly.
    cairo_move_to(cr, kMx + side * 58, 170);
    if (side < 0) {
      cairo_curve_to(cr, kMx - 100, 180, kMx - 110, 130, kMx - 118, 96);
    } else {
      cairo_curve_to(cr, kMx + 90, 200, kMx + 60, 236, kMx + 20, 232);
    }
    StrokeColor(cr, pal::kInk, 26);
    cairo_move_to(cr, kMx + side * 58, 170);
    if (side < 0) {
      cairo_curve_to(cr, kMx - 100, 180, kMx - 110, 130, kMx - 118, 96);
    } else {
      cairo_curve_to(cr, kMx + 90, 200, kMx + 60, 236, kMx + 20, 232);
    }
    StrokeColor(cr, pal::kFur, 21);
  }
  Ellipse(cr, kMx - 118, 90, 15, 13);
  ShadedShape(cr, kMx - 118, 90, 15, pal::kSkin, 2.0);
  Ellipse(cr, kMx + 18, 232, 14, 11);
  ShadedShape(cr, kMx + 18, 232, 14, pal::kSkin, 2.0);
  // Head: ears, the furry skull with a tuft, the face mask.
  for (int side = -1; side <= 1; side += 2) {
    Circle(cr, kMx + side * 64, kMy + 4, 22);
    ShadedShape(cr, kMx + side * 64, kMy + 4, 22, pal::kFur, 2.2);
    Circle(cr, kMx + side * 64, kMy + 4, 12);
    FillFlat(cr, pal::kSkin);
    cairo_new_path(cr);
  }
  Circle(cr, kMx, kMy, 60);
  ShadedShape(cr, kMx, kMy, 60, pal::kFur, 2.4);
  cairo_move_to(cr, kMx - 10, kMy - 58);
  cairo_curve_to(cr, kMx - 6, kMy - 80, kMx + 6, kMy - 76, kMx + 2, kMy - 60);
  cairo_curve_to(cr, kMx + 12, kMy - 78, kMx + 22, kMy - 66, kMx + 14, kMy - 56);
  FillFlat(cr, pal::kFur);
  Outline(cr, 2.0);
  Ellipse(cr, kMx - 16, kMy - 6, 24, 26);
  Ellipse(cr, kMx + 16, kMy - 6, 24, 26);
  SetColor(cr, pal::kSkin);
  cairo_fill(cr);
  MonkeyMuzzle(cr);
  MonkeyEye(cr, 137, 55);
  MonkeyEye(cr, 167, 55);
  MonkeyMouth(cr, false);
}

void DrawMonkeyEyes(cairo_t* cr) {
  // Cell at (122, 41): the lids over the eyes at (137, 54) and (167, 54).
  cairo_translate(cr, -122, -41);
  for (double x : {137.0, 167.0}) {
    Ellipse(cr, x, 55, 12.4, 13.6);
    FillFlat(cr, Darker(pal::kSkin, 0.08));
    cairo_new_path(cr);
    cairo_move_to(cr, x - 10, 56);
    cairo_curve_to(cr, x - 4, 62, x + 4, 62, x + 10, 56);
    StrokeColor(cr, pal::kInk, 2.4);
  }
}

void DrawMonkeyMouth(cairo_t* cr) {
  // Cell at (112, 85): the muzzle again, with the mouth wide open.
  cairo_translate(cr, -112, -85);
  cairo_save(cr);
  cairo_rectangle(cr, 112, 85, 80, 40);
  cairo_clip(cr);
  MonkeyMuzzle(cr);
  cairo_restore(cr);
  MonkeyMouth(cr, true);
}

// ---- the bubble: 350 x 300, body in y 16..260 (the rows of text run from y 60 to about 230), the tail down
// to the lower left corner.

void DrawCloud(cairo_t* cr) {
  auto shape = [cr]() {
    cairo_new_path(cr);
    // A scalloped edge along a rounded (superelliptic) outline, so the rows of text have room.
    const double cx = 175, cy = 138, rx = 162, ry = 122;
    const int bumps = 20;
    auto at = [&](double a, double grow, double& x, double& y) {
      const double c = std::cos(a), s = std::sin(a);
      x = cx + grow * rx * std::copysign(std::pow(std::fabs(c), 2.0 / 3.0), c);
      y = cy + grow * ry * std::copysign(std::pow(std::fabs(s), 2.0 / 3.0), s);
    };
    for (int i = 0; i <= bumps; ++i) {
      double x, y;
      at(i * 2 * M_PI / bumps, 0.94, x, y);
      if (i == 0) {
        cairo_move_to(cr, x, y);
      } else {
        const double am = (i - 0.5) * 2 * M_PI / bumps;
        double x1, y1, x2, y2;
        at(am - 0.1, 1.04, x1, y1);
        at(am + 0.1, 1.04, x2, y2);
        cairo_curve_to(cr, x1, y1, x2, y2, x, y);
      }
    }
    cairo_close_path(cr);
    // The tail: three shrinking puffs towards the speaker.
    Ellipse(cr, 58, 262, 16, 11);
    Ellipse(cr, 34, 280, 10, 7);
    Ellipse(cr, 16, 292, 6, 4.5);
  };
  shape();
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  FillVertical(cr, 10, 296, {0.10, 0.26, 0.16}, {0.04, 0.13, 0.08}, 0.92);
  StrokeColor(cr, pal::kInk, 6.0);
  shape();
  StrokeColor(cr, pal::kLeafLight, 2.6);
  // A soft sheen at the top.
  Ellipse(cr, 175, 52, 110, 22);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 30, 0, 74);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.16);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void DrawPressAnyKey(cairo_t* cr, const Words& words) {
  CenteredText(
      cr, words("Нажмите любую клавишу"), 150, 24,
      {.font = "comfortaa-bold", .size = 18, .fill = pal::kYellow, .outline = pal::kInk, .outlineWidth = 4});
}

}  // namespace

void DrawWavingMonkey(cairo_t* cr, bool talking) {
  DrawStoryMonkey(cr);
  if (!talking) return;
  cairo_save(cr);
  cairo_translate(cr, 112, 85);
  DrawMonkeyMouth(cr);
  cairo_restore(cr);
}

void AddStoryActors(std::vector<Picture>& out, const Words& words) {
  out.push_back({"hunter", 290, 291, 1, [](cairo_t* cr, int) { DrawHunter(cr); }});
  out.push_back({"hunter_1", 46, 24, 1, [](cairo_t* cr, int) { DrawHunterMouth(cr); }});
  out.push_back({"hunter_2", 50, 22, 1, [](cairo_t* cr, int) { DrawHunterEyes(cr); }});
  out.push_back({"monkey", 300, 280, 1, [](cairo_t* cr, int) { DrawStoryMonkey(cr); }});
  out.push_back({"monkey_1", 80, 40, 1, [](cairo_t* cr, int) { DrawMonkeyMouth(cr); }});
  out.push_back({"monkey_2", 60, 28, 1, [](cairo_t* cr, int) { DrawMonkeyEyes(cr); }});
  out.push_back({"cloud", 350, 300, 1, [](cairo_t* cr, int) { DrawCloud(cr); }});
  out.push_back({"pressanykey", 300, 34, 1, [words](cairo_t* cr, int) { DrawPressAnyKey(cr, words); }, true});
}

}  // namespace zb::art
