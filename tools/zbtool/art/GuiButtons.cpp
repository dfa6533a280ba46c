// The pictures of the GUI buttons: golden wooden planks with an ink outline, one image per button size.
// A button image holds three patterns, the ones a button shows: 0 normal, 1 under the pointer (a brighter
// face with a glowing rim and a fresh leaf), 2 pressed (pushed into its lip, shaded from above). The caption
// is text of the GUI font, centred by the button, so the middle of every plank is kept plain.
// The switches ("switch_*") show 0 on (a green toggle, knob right, a tick) and 1 off (a dark toggle, knob
// left, a cross); the tabs ("tab_*") show 0 a tab at rest and 1 the chosen tab. The volume gauges slide the
// knob "gauge_knob" (24 pixels wide, the width a gauge's picture mode reserves) along "gauge_168x24".

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/zbtool/art/ArtKit.h"
#include "tools/zbtool/art/Foliage.h"

namespace zb::art {
namespace {

enum Face { kNormal, kHover, kPressed, kMuted };

constexpr double kLip = 4;     // the plank's raised edge below its face
constexpr double kRadius = 7;  // corner radius of the plank

struct FaceColours {
  Rgb top, bottom, lip;
};

FaceColours ColoursOf(Face face) {
  switch (face) {
    case kHover: return {{1.0, 0.93, 0.58}, {1.0, 0.70, 0.26}, {0.70, 0.40, 0.12}};
    case kPressed: return {{0.86, 0.56, 0.20}, {0.98, 0.74, 0.34}, {0.55, 0.30, 0.10}};
    case kMuted: return {{0.86, 0.70, 0.48}, {0.68, 0.48, 0.28}, {0.46, 0.28, 0.12}};
    case kNormal: break;
  }
  return {{1.0, 0.84, 0.40}, {0.95, 0.60, 0.18}, {0.62, 0.34, 0.10}};
}

// Thin wavy grain lines across the face, clipped to it.
void Grain(cairo_t* cr, double x, double y, double w, double h, Rgb c, uint32_t seed) {
  Random random(seed);
  const int lines = std::max(2, static_cast<int>(h / 9));
  for (int i = 0; i < lines; ++i) {
    const double gy = y + h * (i + 0.6) / (lines + 0.4) + random.Range(-1.5, 1.5);
    const double x0 = x + random.Range(0.10, 0.30) * w, x1 = x + random.Range(0.70, 0.92) * w;
    cairo_move_to(cr, x0, gy);
    cairo_curve_to(cr, x0 + (x1 - x0) * 0.3, gy - 1.6, x0 + (x1 - x0) * 0.7, gy + 1.6, x1, gy);
    StrokeColor(cr, Darker(c, 0.25), 1.0, 0.35);
  }
}

// A pair of small leaves on the top-right corner; fresher under the pointer.
void CornerLeaves(cairo_t* cr, double w, double h, Face face) {
  if (w < 60 || h < 26) return;
  const Rgb leaf = face == kHover ? pal::kLeafLight : face == kMuted ? Mix(pal::kLeaf, pal::kWood, 0.45) : pal::kLeaf;
  const double s = std::min({7.5, h / 5.3, w / 22});
  // Kept off the cell's corner, which stays clear for whatever the button stands on.
  SmallLeaf(cr, w - 16, 9.5, 1.25, s, Darker(leaf, 0.15));
  SmallLeaf(cr, w - 16, 9.5, 0.35, s * 0.85, leaf);
  if (face == kHover) SmallLeaf(cr, w - 16, 9.5, -0.45, s * 0.7, Lighter(leaf, 0.2));
}

// One plank filling the cell (w x h) in the given face.
void Plank(cairo_t* cr, double w, double h, Face face, uint32_t seed) {
  const FaceColours c = ColoursOf(face);
  const bool pressed = face == kPressed;
  const double lip = pressed ? 1.5 : kLip;
  const double x = 1.5, y = pressed ? 1.5 + kLip - 1.5 : 1.5, fw = w - 3, fh = h - 3 - (pressed ? kLip - 1.5 : 0);
  // The lip: the whole plank in the dark wood, the face drawn over all but its bottom.
  RoundedRect(cr, x, y, fw, fh, kRadius);
  FillFlat(cr, c.lip);
  cairo_new_path(cr);
  RoundedRect(cr, x, y, fw, fh - lip, kRadius);
  FillVertical(cr, y, y + fh - lip, c.top, c.bottom);
  cairo_save(cr);
  cairo_clip(cr);
  Grain(cr, x, y, fw, fh - lip, c.bottom, seed);
  if (pressed) {
    // Shade from the frame above the pushed plank.
    cairo_rectangle(cr, x, y, fw, 6);
    FillVertical(cr, y, y + 6, pal::kWoodDark, c.top, 0.55);
    cairo_new_path(cr);
  } else {
    // The warm gloss along the top, kept off the corners.
    RoundedRect(cr, x + 9, y + 4, fw - 18, std::max(3.0, (fh - lip) * 0.28), 3);
    FillVertical(cr, y + 4, y + 4 + (fh - lip) * 0.28, {1.0, 0.98, 0.80}, c.top, face == kHover ? 0.75 : 0.5);
    cairo_new_path(cr);
  }
  cairo_restore(cr);
  if (face == kHover) {
    // A glowing rim just inside the outline, and a glint at the top-left.
    RoundedRect(cr, x + 2.2, y + 2.2, fw - 4.4, fh - lip - 3.4, kRadius - 2);
    StrokeColor(cr, {1.0, 0.98, 0.70}, 2.0, 0.9);
    if (w >= 60) Sparkle(cr, x + 12, y + 7, std::min(6.0, h / 6), 0.95);
  }
  RoundedRect(cr, x, y, fw, fh, kRadius);
  Outline(cr, 2.0);
  // The seam between face and lip.
  cairo_move_to(cr, x + 3, y + fh - lip);
  cairo_line_to(cr, x + fw - 3, y + fh - lip);
  StrokeColor(cr, pal::kInk, 1.0, 0.45);
}

void DrawButton(cairo_t* cr, int w, int h, int frame) {
  const Face face = frame == 1 ? kHover : frame == 2 ? kPressed : kNormal;
  Plank(cr, w, h, face, static_cast<uint32_t>(w * 31 + h));
  cairo_save(cr);
  if (face == kPressed) cairo_translate(cr, 0, kLip - 1.5);
  CornerLeaves(cr, w, h, face);
  cairo_restore(cr);
}

// The toggle of a switch near its right end: a pill track with a knob.
void Toggle(cairo_t* cr, double w, double h, bool on) {
  const double tw = 46, th = 22, tx = w - tw - 10, ty = (h - kLip - th) / 2 + 1;
  RoundedRect(cr, tx, ty, tw, th, th / 2);
  if (on) {
    FillVertical(cr, ty, ty + th, pal::kLeafLight, Darker(pal::kLeaf, 0.1));
  } else {
    FillVertical(cr, ty, ty + th, {0.42, 0.22, 0.14}, {0.26, 0.13, 0.08});
  }
  Outline(cr, 1.8);
  const double r = th / 2 - 3, ky = ty + th / 2;
  const double kx = on ? tx + tw - th / 2 : tx + th / 2;
  // The mark on the free side of the track: a tick when on, a cross when off.
  const double mx = on ? tx + 15 : tx + tw - 15;
  if (on) {
    cairo_move_to(cr, mx - 6, ky);
    cairo_line_to(cr, mx - 2, ky + 4.5);
    cairo_line_to(cr, mx + 5, ky - 5);
    StrokeColor(cr, pal::kInk, 4.5);
    cairo_move_to(cr, mx - 6, ky);
    cairo_line_to(cr, mx - 2, ky + 4.5);
    cairo_line_to(cr, mx + 5, ky - 5);
    StrokeColor(cr, pal::kWhite, 2.4);
  } else {
    for (int s = -1; s <= 1; s += 2) {
      cairo_move_to(cr, mx - 4.5, ky - 4.5 * s);
      cairo_line_to(cr, mx + 4.5, ky + 4.5 * s);
    }
    StrokeColor(cr, {0.95, 0.55, 0.45}, 2.4);
  }
  Circle(cr, kx, ky, r);
  ShadedShape(cr, kx, ky, r, on ? pal::kWhite : pal::kStone, 1.6);
  if (on) Sparkle(cr, kx + 1, ky - 1, r * 0.9, 0.6);
}

void DrawSwitch(cairo_t* cr, int w, int h, int frame) {
  const bool on = frame == 0;
  Plank(cr, w, h, on ? kNormal : kMuted, static_cast<uint32_t>(w * 17 + h));
  Toggle(cr, w, h, on);
}

void DrawTab(cairo_t* cr, int w, int h, int frame) {
  const bool chosen = frame == 1;
  Plank(cr, w, h, chosen ? kHover : kMuted, static_cast<uint32_t>(w * 13 + h));
  if (chosen) CornerLeaves(cr, w, h, kHover);
}

// A groove cut into a bamboo rail, with a tick for each volume step.
void DrawGaugeTrack(cairo_t* cr, int w, int h, int) {
  const double y = h / 2.0, rail = 12;
  RoundedRect(cr, 1.5, y - rail / 2, w - 3, rail, rail / 2);
  FillVertical(cr, y - rail / 2, y + rail / 2, pal::kWoodLight, pal::kWood);
  Outline(cr, 1.6);
  RoundedRect(cr, 8, y - 2.5, w - 16, 5, 2.5);
  FillVertical(cr, y - 2.5, y + 2.5, pal::kPanelDark, pal::kWoodDark);
  cairo_new_path(cr);
  // The knob's centre runs from 12 to w - 12 in ten steps.
  for (int i = 0; i <= 10; ++i) {
    const double x = 12 + (w - 24) * i / 10.0;
    cairo_move_to(cr, x, y + rail / 2 + 1.5);
    cairo_line_to(cr, x, y + rail / 2 + (i % 5 == 0 ? 5.5 : 3.5));
    StrokeColor(cr, pal::kGold, 1.4, 0.9);
  }
}

// A golden nut with a leaf on top.
void DrawGaugeKnob(cairo_t* cr, int w, int h, int) {
  const double cx = w / 2.0, cy = h / 2.0 + 1, r = w / 2.0 - 2.5;
  Circle(cr, cx, cy, r);
  ShadedShape(cr, cx, cy, r, pal::kGold, 1.8);
  Circle(cr, cx, cy, r * 0.45);
  StrokeColor(cr, pal::kGoldDark, 1.2, 0.7);
  Gloss(cr, cx - r * 0.3, cy - r * 0.35, r * 0.35, r * 0.25, 0.7);
  SmallLeaf(cr, cx + 1, cy - r + 2, 0.7, 3.5, pal::kLeaf);
}

Picture Sized(const std::string& kind, int w, int h, int count, void (*draw)(cairo_t*, int, int, int)) {
  return {kind + "_" + std::to_string(w) + "x" + std::to_string(h), w, h, count,
          [w, h, draw](cairo_t* cr, int frame) { draw(cr, w, h, frame); }};
}

}  // namespace

void AddGuiButtons(std::vector<Picture>& out) {
  // Every button size the layouts use.
  const int sizes[][2] = {{200, 40}, {120, 40}, {150, 40}, {200, 30}, {200, 50}, {36, 36}, {140, 36}};
  for (const auto& s : sizes) out.push_back(Sized("btn", s[0], s[1], 3, DrawButton));
  out.push_back(Sized("switch", 300, 40, 2, DrawSwitch));
  out.push_back(Sized("tab", 120, 36, 2, DrawTab));
  out.push_back(Sized("gauge", 168, 24, 1, DrawGaugeTrack));
  out.push_back({"gauge_knob", 24, 24, 1, [](cairo_t* cr, int frame) { DrawGaugeKnob(cr, 24, 24, frame); }});
}

}  // namespace zb::art
