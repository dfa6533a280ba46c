// The caged animals. Each has a body, a blink image (closed eyes) and a moving part, drawn at the offsets the
// cage uses: the eyes and the part of every body are placed exactly under its two overlay images.

#include "tools/zbtool/art/Animals.h"

#include <cmath>

#include "tools/zbtool/art/ArtKit.h"

namespace zb::art {
namespace {

constexpr Rgb kPandaWhite{0.97, 0.97, 0.95};
constexpr Rgb kPandaBlack{0.20, 0.20, 0.24};
constexpr Rgb kLion{0.96, 0.70, 0.30};
constexpr Rgb kMane{0.78, 0.40, 0.12};
constexpr Rgb kHippo{0.62, 0.56, 0.72};
constexpr Rgb kHippoBelly{0.90, 0.70, 0.78};
constexpr Rgb kGorilla{0.30, 0.28, 0.30};
constexpr Rgb kGorillaFace{0.55, 0.48, 0.46};
constexpr Rgb kMouth{0.60, 0.15, 0.18};

void OpenEye(cairo_t* cr, double x, double y, double r) {
  Ellipse(cr, x, y, r, r * 1.15);
  FillFlat(cr, pal::kWhite);
  Outline(cr, 1.2);
  Circle(cr, x + r * 0.15, y + r * 0.1, r * 0.55);
  FillFlat(cr, pal::kInk);
  cairo_new_path(cr);
  Circle(cr, x, y - r * 0.25, r * 0.2);
  FillFlat(cr, pal::kWhite);
  cairo_new_path(cr);
}

// A closed eye: a lid of the given colour over the eye, with the lash line.
void ClosedEye(cairo_t* cr, double x, double y, double r, Rgb lid) {
  Ellipse(cr, x, y, r + 1.2, r * 1.15 + 1.2);
  FillFlat(cr, lid);
  cairo_new_path(cr);
  cairo_move_to(cr, x - r, y);
  cairo_curve_to(cr, x - r * 0.4, y + r * 0.6, x + r * 0.4, y + r * 0.6, x + r, y);
  StrokeColor(cr, pal::kInk, 1.5);
}

// ---- panda: 84 x 170; blink at (14, 29), ears part at (7, 6).

void PandaEar(cairo_t* cr, double x, double y, double tilt) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, tilt);
  Ellipse(cr, 0, 0, 9, 8);
  FillShaded(cr, 0, 0, 9, kPandaBlack);
  Outline(cr, 1.5);
  cairo_restore(cr);
}

void PandaPatch(cairo_t* cr, double x, double y, double side) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, side * 0.5);
  Ellipse(cr, 0, 0, 7.5, 10);
  FillFlat(cr, kPandaBlack);
  cairo_new_path(cr);
  cairo_restore(cr);
}

void PandaHead(cairo_t* cr) {
  Ellipse(cr, 38, 44, 31, 27);
  ShadedShape(cr, 38, 44, 31, kPandaWhite, 1.8);
}

void DrawPanda(cairo_t* cr) {
  // Body, sitting, hugging a bamboo stalk.
  Ellipse(cr, 40, 118, 36, 46);
  ShadedShape(cr, 40, 118, 40, kPandaWhite);
  Ellipse(cr, 40, 86, 34, 14);
  FillFlat(cr, kPandaBlack);
  cairo_new_path(cr);
  for (int side = -1; side <= 1; side += 2) {
    Ellipse(cr, 40 + side * 22, 158, 14, 10);
    ShadedShape(cr, 40 + side * 22, 158, 14, kPandaBlack, 1.5);
  }
  RoundedRect(cr, 58, 58, 8, 110, 3);
  FillVertical(cr, 58, 168, pal::kLeafLight, pal::kLeaf);
  Outline(cr, 1.4);
  for (double y : {80.0, 110.0, 140.0}) {
    cairo_move_to(cr, 58, y);
    cairo_line_to(cr, 66, y);
    StrokeColor(cr, pal::kLeafDark, 1.4);
  }
  Ellipse(cr, 60, 100, 11, 9);
  ShadedShape(cr, 60, 100, 11, kPandaBlack, 1.4);
  Ellipse(cr, 22, 104, 10, 9);
  ShadedShape(cr, 22, 104, 10, kPandaBlack, 1.4);
  // Head.
  PandaEar(cr, 17, 17, 0);
  PandaEar(cr, 59, 17, 0);
  PandaHead(cr);
  PandaPatch(cr, 27, 43, -1);
  PandaPatch(cr, 49, 43, 1);
  OpenEye(cr, 28, 42, 3.2);
  OpenEye(cr, 48, 42, 3.2);
  Ellipse(cr, 38, 55, 4, 3);
  FillFlat(cr, pal::kInk);
  cairo_new_path(cr);
  cairo_move_to(cr, 33, 60);
  cairo_curve_to(cr, 35, 62.5, 41, 62.5, 43, 60);
  StrokeColor(cr, pal::kInk, 1.3);
}

void DrawPandaBlink(cairo_t* cr) {
  // Cell at (14, 29): the eyes at (28, 42) and (48, 42) of the body.
  ClosedEye(cr, 28 - 14, 42 - 29, 3.6, kPandaBlack);
  ClosedEye(cr, 48 - 14, 42 - 29, 3.6, kPandaBlack);
}

void DrawPandaEars(cairo_t* cr) {
  // Cell at (7, 6): the ears flick up and outwards; the top of the head is drawn again over their roots.
  cairo_translate(cr, -7, -6);
  PandaEar(cr, 15, 15, -0.6);
  PandaEar(cr, 61, 15, 0.6);
  PandaHead(cr);
}

// ---- lion: 180 x 132; blink at (29, 32), ears part at (22, 1).

void LionEar(cairo_t* cr, double x, double y, double tilt) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, tilt);
  Ellipse(cr, 0, 0, 8, 8);
  ShadedShape(cr, 0, 0, 8, kLion, 1.5);
  Ellipse(cr, 0, 1, 4, 4);
  FillFlat(cr, kHippoBelly);
  cairo_new_path(cr);
  cairo_restore(cr);
}

void LionMane(cairo_t* cr) {
  for (int i = 0; i < 16; ++i) {
    const double a = i * 2 * M_PI / 16;
    Circle(cr, 48 + std::cos(a) * 31, 52 + std::sin(a) * 31, 13);
  }
  ShadedShape(cr, 48, 52, 44, kMane, 1.6);
  Circle(cr, 48, 52, 35);
  FillFlat(cr, kMane);
  cairo_new_path(cr);
}

void DrawLion(cairo_t* cr) {
  // Lying down, facing left, tail curled up at the back.
  cairo_move_to(cr, 160, 80);
  cairo_curve_to(cr, 185, 70, 175, 30, 162, 36);
  StrokeColor(cr, pal::kInk, 6);
  cairo_move_to(cr, 160, 80);
  cairo_curve_to(cr, 185, 70, 175, 30, 162, 36);
  StrokeColor(cr, kLion, 3.5);
  Ellipse(cr, 160, 34, 7, 8);
  ShadedShape(cr, 160, 34, 8, kMane, 1.4);
  Ellipse(cr, 110, 95, 62, 32);
  ShadedShape(cr, 110, 95, 62, kLion);
  for (double x : {150.0, 125.0}) {
    Ellipse(cr, x, 122, 13, 8);
    ShadedShape(cr, x, 122, 13, kLion, 1.5);
  }
  LionMane(cr);
  LionEar(cr, 32, 14, -0.2);
  LionEar(cr, 64, 14, 0.2);
  Ellipse(cr, 48, 54, 25, 24);
  ShadedShape(cr, 48, 54, 25, kLion, 1.6);
  OpenEye(cr, 38, 40, 4.2);
  OpenEye(cr, 58, 40, 4.2);
  Ellipse(cr, 48, 64, 12, 9);
  FillFlat(cr, Lighter(kLion, 0.5));
  cairo_new_path(cr);
  cairo_move_to(cr, 43, 57);
  cairo_line_to(cr, 53, 57);
  cairo_line_to(cr, 48, 63);
  cairo_close_path(cr);
  FillFlat(cr, {0.45, 0.22, 0.18});
  Outline(cr, 1.2);
  cairo_move_to(cr, 48, 63);
  cairo_line_to(cr, 48, 67);
  cairo_move_to(cr, 41, 68);
  cairo_curve_to(cr, 44, 71, 48, 70, 48, 67);
  cairo_curve_to(cr, 48, 70, 52, 71, 55, 68);
  StrokeColor(cr, pal::kInk, 1.3);
  // Front paws.
  for (double x : {30.0, 62.0}) {
    Ellipse(cr, x, 120, 14, 9);
    ShadedShape(cr, x, 120, 14, kLion, 1.5);
  }
}

void DrawLionBlink(cairo_t* cr) {
  ClosedEye(cr, 38 - 29, 40 - 32, 4.6, kLion);
  ClosedEye(cr, 58 - 29, 40 - 32, 4.6, kLion);
}

void DrawLionEars(cairo_t* cr) {
  // Cell at (22, 1): one ear twitches sideways, the other pricks up; the mane is drawn again under them.
  cairo_save(cr);
  Ellipse(cr, 26, 13, 26, 13);  // the redrawn mane stays inside the cell's ellipse, the corners clear
  cairo_clip(cr);
  cairo_translate(cr, -22, -1);
  LionMane(cr);
  cairo_restore(cr);
  cairo_translate(cr, -22, -1);
  LionEar(cr, 30, 16, -0.9);
  LionEar(cr, 64, 12, 0.1);
}

// ---- begemot (hippo): 180 x 122; blink at (123, 18), mouth part at (115, 38).

void HippoSnout(cairo_t* cr, double ox, double oy, bool open) {
  if (!open) {
    Ellipse(cr, 147 - ox, 66 - oy, 29, 19);
    ShadedShape(cr, 147 - ox, 66 - oy, 29, kHippo, 1.8);
    for (double x : {137.0, 157.0}) {
      Ellipse(cr, x - ox, 58 - oy, 3, 2.2);
      FillFlat(cr, pal::kInk);
      cairo_new_path(cr);
    }
    cairo_move_to(cr, 124 - ox, 73 - oy);
    cairo_curve_to(cr, 138 - ox, 80 - oy, 158 - ox, 80 - oy, 172 - ox, 71 - oy);
    StrokeColor(cr, pal::kInk, 1.5);
    return;
  }
  // The yawn: the jaws open wide with two teeth.
  Ellipse(cr, 147 - ox, 72 - oy, 29, 16);
  FillFlat(cr, kMouth);
  Outline(cr, 1.8);
  Ellipse(cr, 147 - ox, 53 - oy, 30, 13);
  ShadedShape(cr, 147 - ox, 53 - oy, 30, kHippo, 1.8);
  Ellipse(cr, 147 - ox, 84 - oy, 27, 6);
  ShadedShape(cr, 147 - ox, 84 - oy, 27, kHippo, 1.8);
  for (double x : {133.0, 161.0}) {
    cairo_rectangle(cr, x - 3 - ox, 63 - oy, 6, 8);
    FillFlat(cr, pal::kWhite);
    Outline(cr, 1.1);
    Ellipse(cr, x + 3 - ox, 49 - oy, 3, 2.2);
    FillFlat(cr, pal::kInk);
    cairo_new_path(cr);
  }
  Ellipse(cr, 147 - ox, 74 - oy, 12, 5);
  FillFlat(cr, {0.90, 0.45, 0.50});
  cairo_new_path(cr);
}

void HippoBody(cairo_t* cr) {
  Ellipse(cr, 72, 76, 68, 40);
  ShadedShape(cr, 72, 76, 68, kHippo);
}

void HippoHead(cairo_t* cr) {
  Ellipse(cr, 142, 44, 30, 28);
  ShadedShape(cr, 142, 44, 30, kHippo, 1.8);
}

void DrawBegemot(cairo_t* cr) {
  HippoBody(cr);
  Ellipse(cr, 70, 96, 50, 16);
  FillFlat(cr, kHippoBelly, 0.7);
  cairo_new_path(cr);
  for (double x : {30.0, 58.0, 100.0}) {
    RoundedRect(cr, x - 10, 100, 20, 20, 6);
    FillVertical(cr, 100, 120, kHippo, Darker(kHippo, 0.25));
    Outline(cr, 1.5);
  }
  cairo_move_to(cr, 6, 70);
  cairo_curve_to(cr, -2, 74, 0, 82, 6, 84);
  StrokeColor(cr, pal::kInk, 2.0);
  // Head.
  for (double x : {124.0, 160.0}) {
    Ellipse(cr, x, 12, 6, 6);
    ShadedShape(cr, x, 12, 6, kHippo, 1.4);
  }
  HippoHead(cr);
  for (double x : {132.0, 152.0}) {
    Circle(cr, x, 27, 7);
    ShadedShape(cr, x, 27, 7, kHippo, 1.4);
    OpenEye(cr, x, 26, 4.2);
  }
  HippoSnout(cr, 0, 0, false);
}

void DrawBegemotBlink(cairo_t* cr) {
  for (double x : {132.0, 152.0}) ClosedEye(cr, x - 123, 26 - 18, 4.6, kHippo);
}

void DrawBegemotMouth(cairo_t* cr) {
  // Cell at (115, 38): the body and head under the snout are drawn again, then the open jaws.
  cairo_save(cr);
  Ellipse(cr, 32, 27, 32, 27);
  cairo_clip(cr);
  cairo_translate(cr, -115, -38);
  HippoBody(cr);
  HippoHead(cr);
  cairo_restore(cr);
  HippoSnout(cr, 115, 38, true);
}

// ---- gorilla: 150 x 162; blink at (49, 21), mouth part at (50, 36).

void GorillaMuzzle(cairo_t* cr, double ox, double oy, bool open) {
  Ellipse(cr, 70 - ox, 49 - oy, 17, 11);
  ShadedShape(cr, 70 - ox, 49 - oy, 17, kGorillaFace, 1.5);
  for (double x : {65.0, 75.0}) {
    Ellipse(cr, x - ox, 44 - oy, 2.6, 2);
    FillFlat(cr, pal::kInk);
    cairo_new_path(cr);
  }
  if (open) {
    // A broad friendly grin with teeth.
    cairo_move_to(cr, 59 - ox, 50 - oy);
    cairo_curve_to(cr, 63 - ox, 59 - oy, 77 - ox, 59 - oy, 81 - ox, 50 - oy);
    cairo_close_path(cr);
    FillFlat(cr, kMouth);
    Outline(cr, 1.3);
    cairo_rectangle(cr, 62 - ox, 50 - oy, 16, 3);
    FillFlat(cr, pal::kWhite);
    cairo_new_path(cr);
  } else {
    cairo_move_to(cr, 61 - ox, 53 - oy);
    cairo_curve_to(cr, 65 - ox, 55 - oy, 75 - ox, 55 - oy, 79 - ox, 53 - oy);
    StrokeColor(cr, pal::kInk, 1.5);
  }
}

void DrawGorilla(cairo_t* cr) {
  // Sitting, long arms resting on the knuckles.
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, 75 + side * 42, 80);
    cairo_curve_to(cr, 75 + side * 68, 100, 75 + side * 66, 130, 75 + side * 58, 150);
    StrokeColor(cr, pal::kInk, 22);
    cairo_move_to(cr, 75 + side * 42, 80);
    cairo_curve_to(cr, 75 + side * 68, 100, 75 + side * 66, 130, 75 + side * 58, 150);
    StrokeColor(cr, kGorilla, 19);
    Ellipse(cr, 75 + side * 58, 152, 11, 8);
    ShadedShape(cr, 75 + side * 58, 152, 11, kGorillaFace, 1.5);
  }
  Ellipse(cr, 75, 108, 46, 50);
  ShadedShape(cr, 75, 108, 50, kGorilla);
  Ellipse(cr, 75, 112, 28, 32);
  FillFlat(cr, kGorillaFace, 0.8);
  cairo_new_path(cr);
  for (int side = -1; side <= 1; side += 2) {
    Ellipse(cr, 75 + side * 26, 150, 18, 10);
    ShadedShape(cr, 75 + side * 26, 150, 18, kGorilla, 1.5);
  }
  // Head with a brow ridge.
  for (double x : {43.0, 97.0}) {
    Circle(cr, x, 34, 6);
    ShadedShape(cr, x, 34, 6, kGorillaFace, 1.3);
  }
  Ellipse(cr, 70, 34, 28, 30);
  ShadedShape(cr, 70, 34, 28, kGorilla, 1.8);
  Ellipse(cr, 70, 38, 22, 20);
  FillFlat(cr, kGorillaFace);
  cairo_new_path(cr);
  OpenEye(cr, 61, 29, 3.8);
  OpenEye(cr, 79, 29, 3.8);
  cairo_move_to(cr, 54, 22);
  cairo_curve_to(cr, 62, 18, 78, 18, 86, 22);
  StrokeColor(cr, pal::kInk, 3.0);
  GorillaMuzzle(cr, 0, 0, false);
}

void DrawGorillaBlink(cairo_t* cr) {
  ClosedEye(cr, 61 - 49, 29 - 21, 4.2, kGorillaFace);
  ClosedEye(cr, 79 - 49, 29 - 21, 4.2, kGorillaFace);
}

void DrawGorillaMouth(cairo_t* cr) { GorillaMuzzle(cr, 50, 36, true); }

Picture One(const char* key, int w, int h, void (*draw)(cairo_t*)) {
  return {key, w, h, 1, [draw](cairo_t* cr, int) { draw(cr); }};
}

}  // namespace

void DrawAnimalBody(cairo_t* cr, int kind) {
  switch (kind) {
    case 0: DrawPanda(cr); break;
    case 1: DrawLion(cr); break;
    case 2: DrawBegemot(cr); break;
    default: DrawGorilla(cr); break;
  }
}

void AddAnimals(std::vector<Picture>& out) {
  out.push_back(One("panda", 84, 170, DrawPanda));
  out.push_back(One("panda_1", 48, 28, DrawPandaBlink));
  out.push_back(One("panda_2", 70, 24, DrawPandaEars));
  out.push_back(One("lion", 180, 132, DrawLion));
  out.push_back(One("lion_1", 40, 18, DrawLionBlink));
  out.push_back(One("lion_2", 52, 26, DrawLionEars));
  out.push_back(One("begemot", 180, 122, DrawBegemot));
  out.push_back(One("begemot_1", 38, 16, DrawBegemotBlink));
  out.push_back(One("begemot_2", 64, 54, DrawBegemotMouth));
  out.push_back(One("gorilla", 150, 162, DrawGorilla));
  out.push_back(One("gorilla_1", 42, 16, DrawGorillaBlink));
  out.push_back(One("gorilla_2", 40, 24, DrawGorillaMouth));
}

}  // namespace zb::art
