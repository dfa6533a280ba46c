// The monkey that rides behind the bat: one posable figure and the poses of its eight animations.
// The cell is 100 x 44; the bat's top surface passes through y = 23 of the cell once the monkey has jumped
// in (cell top at y 507, bat at 530), so its head and arms show above the bat and the rest is hidden.
// The figure stands left of the cell's centre so that a ball resting in the middle of the bat does not
// cover its face; the throwing hand reaches the point where the game releases the banana.

#include <cmath>

#include "tools/zbtool/art/ArtKit.h"

namespace zb::art {
namespace {

constexpr int kW = 100, kH = 44;

enum class Eyes { kOpen, kClosed, kBulging, kUp, kHappy };
enum class Mouth { kSmile, kOpen, kGrin, kFrown };

struct Pose {
  double x = 36, y = 0;           // body centre x and vertical offset (down is positive)
  double squash = 1.0;            // vertical squash of the body on impacts
  double tilt = 0;                // head tilt in radians
  double armL = 70, armR = 70;    // degrees from hanging straight down, positive away from the body
  double elbowL = 0, elbowR = 0;  // forearm bend in degrees, positive towards the head
  double legL = 15, legR = 15;
  double tail = 0;
  Eyes eyes = Eyes::kOpen;
  double eyeScale = 1.0;
  Mouth mouth = Mouth::kSmile;
  bool banana = false;  // a banana in the right hand
};

void Limb(cairo_t* cr, double sx, double sy, double angleDeg, double bendDeg, double side, double len,
          double width, bool hand, bool banana) {
  const double a = angleDeg * M_PI / 180 * side;
  const double ex = sx + std::sin(a) * len * 0.55, ey = sy + std::cos(a) * len * 0.55;
  const double b = a + bendDeg * M_PI / 180 * side;
  const double hx = ex + std::sin(b) * len * 0.5, hy = ey + std::cos(b) * len * 0.5;
  for (int pass = 0; pass < 2; ++pass) {
    cairo_move_to(cr, sx, sy);
    cairo_line_to(cr, ex, ey);
    cairo_line_to(cr, hx, hy);
    if (pass == 0) {
      StrokeColor(cr, pal::kInk, width + 2.4);
    } else {
      StrokeColor(cr, pal::kFur, width);
    }
  }
  if (hand) {
    if (banana) {
      cairo_save(cr);
      cairo_translate(cr, hx, hy);
      cairo_rotate(cr, b + M_PI);
      cairo_move_to(cr, -1, 0);
      cairo_curve_to(cr, 3, -4, 4, -9, 2, -13);
      cairo_curve_to(cr, 6, -9, 5, -3, 2, 1);
      cairo_close_path(cr);
      FillFlat(cr, pal::kBanana);
      Outline(cr, 1.0);
      cairo_restore(cr);
    }
    Circle(cr, hx, hy, width * 0.62);
    FillFlat(cr, pal::kSkin);
    Outline(cr, 1.1);
  }
}

void DrawMonkey(cairo_t* cr, const Pose& p) {
  const double bodyY = 29 + p.y;
  const double headY = 13 + p.y + (1 - p.squash) * 8;
  // Tail behind everything.
  cairo_move_to(cr, p.x + 5, bodyY + 6);
  cairo_curve_to(cr, p.x + 16 + p.tail, bodyY + 8, p.x + 18 + p.tail, bodyY - 6, p.x + 12 + p.tail * 1.3,
                 bodyY - 9);
  StrokeColor(cr, pal::kInk, 4.6);
  cairo_move_to(cr, p.x + 5, bodyY + 6);
  cairo_curve_to(cr, p.x + 16 + p.tail, bodyY + 8, p.x + 18 + p.tail, bodyY - 6, p.x + 12 + p.tail * 1.3,
                 bodyY - 9);
  StrokeColor(cr, pal::kFur, 2.4);
  // Legs, body, arms.
  Limb(cr, p.x - 4, bodyY + 6, p.legL, -10, -1, 9, 4.2, true, false);
  Limb(cr, p.x + 4, bodyY + 6, p.legR, -10, 1, 9, 4.2, true, false);
  Ellipse(cr, p.x, bodyY, 8, 9 * p.squash);
  ShadedShape(cr, p.x, bodyY, 9, pal::kFur, 1.4);
  Ellipse(cr, p.x, bodyY + 2, 4.5, 5.5 * p.squash);
  FillFlat(cr, pal::kSkin, 0.9);
  cairo_new_path(cr);
  const double shoulderY = bodyY - 6 * p.squash;
  Limb(cr, p.x - 6, shoulderY, p.armL, p.elbowL, -1, 15, 3.8, true, false);
  Limb(cr, p.x + 6, shoulderY, p.armR, p.elbowR, 1, 15, 3.8, true, p.banana);

  // Head.
  cairo_save(cr);
  cairo_translate(cr, p.x, headY);
  cairo_rotate(cr, p.tilt);
  for (int side = -1; side <= 1; side += 2) {
    Circle(cr, side * 10, 0, 4.2);
    ShadedShape(cr, side * 10, 0, 4.2, pal::kFur, 1.3);
    Circle(cr, side * 10, 0, 2.2);
    FillFlat(cr, pal::kSkin);
    cairo_new_path(cr);
  }
  Circle(cr, 0, 0, 10);
  ShadedShape(cr, 0, 0, 10, pal::kFur, 1.5);
  // Face mask: two eye lobes and the muzzle.
  Ellipse(cr, -3.6, -1.5, 4.4, 4.6);
  Ellipse(cr, 3.6, -1.5, 4.4, 4.6);
  Ellipse(cr, 0, 4, 6.6, 4.6);
  SetColor(cr, pal::kSkin);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  cairo_fill(cr);
  // Eyes.
  for (int side = -1; side <= 1; side += 2) {
    const double ex = side * 3.4, ey = -1.8;
    switch (p.eyes) {
      case Eyes::kClosed:
        cairo_move_to(cr, ex - 2, ey);
        cairo_curve_to(cr, ex - 1, ey + 1.2, ex + 1, ey + 1.2, ex + 2, ey);
        StrokeColor(cr, pal::kInk, 1.1);
        break;
      case Eyes::kHappy:
        cairo_move_to(cr, ex - 2, ey + 0.6);
        cairo_curve_to(cr, ex - 1, ey - 1.4, ex + 1, ey - 1.4, ex + 2, ey + 0.6);
        StrokeColor(cr, pal::kInk, 1.2);
        break;
      default: {
        const double r = 2.3 * p.eyeScale;
        Ellipse(cr, ex, ey - (p.eyeScale - 1) * 1.5, r, r * 1.15);
        FillFlat(cr, pal::kWhite);
        Outline(cr, 0.8);
        const double lookY = p.eyes == Eyes::kUp ? -1.0 : 0.2;
        Circle(cr, ex + side * -0.3, ey + lookY - (p.eyeScale - 1) * 1.5, 1.2 * std::sqrt(p.eyeScale));
        FillFlat(cr, pal::kInk);
        cairo_new_path(cr);
      }
    }
  }
  // Nostrils and mouth.
  Circle(cr, -1.1, 2.6, 0.5);
  Circle(cr, 1.1, 2.6, 0.5);
  FillFlat(cr, pal::kInk);
  cairo_new_path(cr);
  switch (p.mouth) {
    case Mouth::kSmile:
      cairo_move_to(cr, -3, 5);
      cairo_curve_to(cr, -1.5, 6.8, 1.5, 6.8, 3, 5);
      StrokeColor(cr, pal::kInk, 1.0);
      break;
    case Mouth::kOpen:
      Ellipse(cr, 0, 5.8, 1.8, 2.0);
      FillFlat(cr, {0.55, 0.12, 0.12});
      Outline(cr, 0.9);
      break;
    case Mouth::kGrin:
      cairo_move_to(cr, -4, 4.6);
      cairo_curve_to(cr, -2, 9, 2, 9, 4, 4.6);
      cairo_close_path(cr);
      FillFlat(cr, {0.55, 0.12, 0.12});
      Outline(cr, 0.9);
      cairo_move_to(cr, -3.4, 5.2);
      cairo_line_to(cr, 3.4, 5.2);
      StrokeColor(cr, pal::kWhite, 1.0);
      break;
    case Mouth::kFrown:
      cairo_move_to(cr, -2.8, 6.6);
      cairo_curve_to(cr, -1.4, 5, 1.4, 5, 2.8, 6.6);
      StrokeColor(cr, pal::kInk, 1.0);
      break;
  }
  // A tuft of hair on top.
  cairo_move_to(cr, -2, -9.5);
  cairo_curve_to(cr, -1, -13, 1, -12.5, 0.5, -10);
  cairo_curve_to(cr, 2, -13, 3.5, -11, 2.5, -9.2);
  FillFlat(cr, pal::kFur);
  Outline(cr, 1.0);
  cairo_restore(cr);
}

// Resting pose behind the bat: hands on the bat's top edge.
Pose Rest() { return Pose{}; }

Pose Stay(int f) {
  Pose p = Rest();
  const double breath[9] = {0, 0, 0.5, 1, 1, 1, 0.5, 0, 0};
  p.y = breath[f];
  p.tail = std::sin(f * 2 * M_PI / 9) * 3;
  p.tilt = std::sin(f * 2 * M_PI / 9) * 0.08;
  if (f == 6) p.eyes = Eyes::kClosed;
  return p;
}

Pose Run(int f) {
  Pose p = Rest();
  const double ph = f * 2 * M_PI / 9;
  p.y = -std::fabs(std::sin(ph)) * 2.5;
  p.armL = 40 + 45 * std::sin(ph);
  p.armR = 40 - 45 * std::sin(ph);
  p.elbowL = 40 + 20 * std::cos(ph);
  p.elbowR = 40 - 20 * std::cos(ph);
  p.legL = 15 + 35 * std::sin(ph);
  p.legR = 15 - 35 * std::sin(ph);
  p.tilt = 0.1 * std::sin(ph);
  p.tail = 4 * std::cos(ph);
  p.mouth = Mouth::kOpen;
  return p;
}

Pose Hit(int f) {
  // The game shows frames 0, 1, 2, 3, 5 and 7: impact, squash, startle, recovery.
  Pose p = Rest();
  const double squash[8] = {0.8, 0.75, 0.85, 0.95, 1.05, 1.05, 1.0, 1.0};
  p.squash = squash[f];
  p.y = (1 - squash[f]) * 6;
  p.eyes = f < 3 ? Eyes::kClosed : Eyes::kOpen;
  p.mouth = f < 4 ? Mouth::kOpen : Mouth::kSmile;
  p.armL = p.armR = f < 3 ? 110 + f * 10 : 90 - (f - 3) * 5;
  p.elbowL = p.elbowR = f < 3 ? 40 : 10;
  return p;
}

Pose Throw(int f) {
  // Wind-up with the banana, arm over the head, release at frame 6 towards the upper right, follow-through.
  Pose p = Rest();
  const double arm[9] = {20, 5, 40, 90, 130, 160, 150, 120, 90};
  const double elbow[9] = {-40, -60, 60, 70, 40, 10, -10, 0, 10};
  p.armR = arm[f];
  p.elbowR = elbow[f];
  p.banana = f < 6;
  p.tilt = f < 3 ? -0.15 : f < 7 ? 0.2 : 0.05;
  p.x = f < 3 ? 35 : 37;
  p.mouth = f >= 5 && f <= 7 ? Mouth::kGrin : Mouth::kSmile;
  p.eyes = f == 6 ? Eyes::kHappy : Eyes::kOpen;
  p.armL = 60;
  return p;
}

Pose Scratch(int f) {
  // A lost life: the monkey scratches its head, puzzled and sad.
  Pose p = Rest();
  p.armR = 165;
  p.elbowR = 95 + 25 * std::sin(f * M_PI / 2);
  p.tilt = -0.22 + 0.05 * std::sin(f * M_PI / 2) + 0.012 * f;  // the head sinks lower as it goes on
  p.tail = -f * 0.6;
  p.eyes = f % 4 == 3 ? Eyes::kClosed : Eyes::kUp;
  p.mouth = Mouth::kFrown;
  p.armL = 60;
  return p;
}

Pose Goggle(int f) {
  // A ball lost while others fly: the eyes bulge out and go back.
  Pose p = Rest();
  const double grow[7] = {1.0, 1.4, 1.8, 1.9, 1.8, 1.4, 1.0};
  p.eyes = Eyes::kBulging;
  p.eyeScale = grow[f];
  p.tilt = 0.03 * (f - 3);
  p.mouth = f > 0 && f < 6 ? Mouth::kOpen : Mouth::kSmile;
  p.y = f > 0 && f < 6 ? -1 : 0;
  p.armL = p.armR = f > 0 && f < 6 ? 120 : 70;
  p.elbowL = p.elbowR = f > 0 && f < 6 ? 60 : 0;
  return p;
}

Pose Finish(int f) {
  // Level done: hops with both arms up, waving, then ducks away (the game then hides it).
  Pose p = Rest();
  const double hop[14] = {0, -3, -5, -3, 0, -3, -5, -3, 0, -3, -5, -3, 2, 6};
  p.y = hop[f];
  const double wave = std::sin(f * M_PI / 2) * 15;
  p.armL = 160 + wave;
  p.armR = 160 - wave;
  p.elbowL = p.elbowR = 20;
  p.eyes = Eyes::kHappy;
  p.mouth = Mouth::kGrin;
  p.tail = std::sin(f * M_PI / 3) * 4;
  if (f >= 12) {
    p.armL = p.armR = 120;
    p.eyes = Eyes::kOpen;
    p.mouth = Mouth::kSmile;
  }
  return p;
}

Pose Jump(int f) {
  // Frames 0..5 spring up from below the screen, 6..8 land, 9..12 wave hello, 13 settles into the rest pose.
  Pose p = Rest();
  if (f <= 5) {
    p.armL = p.armR = 165;
    p.elbowL = p.elbowR = -10;
    p.legL = p.legR = 35 - f * 3;
    p.y = 2;
    p.mouth = Mouth::kOpen;
    p.tail = -4;
  } else if (f <= 8) {
    const double sq[3] = {0.8, 0.9, 1.0};
    p.squash = sq[f - 6];
    p.y = (1 - p.squash) * 6;
    p.armL = p.armR = 100;
    p.legL = p.legR = 40;
    p.eyes = f == 6 ? Eyes::kClosed : Eyes::kOpen;
  } else if (f <= 12) {
    p.armR = 150;
    p.elbowR = (f % 2) ? 50 : 10;
    p.tail = (f - 10) * 2;
    p.mouth = Mouth::kGrin;
    p.eyes = Eyes::kHappy;
  }
  return p;
}

Picture Animation(const char* key, int frames, Pose (*pose)(int)) {
  return {key, kW, kH, frames, [pose](cairo_t* cr, int f) { DrawMonkey(cr, pose(f)); }};
}

}  // namespace

void AddMonkey(std::vector<Picture>& out) {
  out.push_back(Animation("m_jump", 14, Jump));
  out.push_back(Animation("m_stay", 9, Stay));
  out.push_back(Animation("m_run", 9, Run));
  out.push_back(Animation("m_hit", 8, Hit));
  out.push_back(Animation("m_throw", 9, Throw));
  out.push_back(Animation("m_ches", 11, Scratch));
  out.push_back(Animation("m_vipuch", 7, Goggle));
  out.push_back(Animation("m_finish", 14, Finish));
}

}  // namespace zb::art
