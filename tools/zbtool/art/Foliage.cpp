#include "tools/zbtool/art/Foliage.h"

#include <algorithm>
#include <cmath>

namespace zb::art {
namespace {

// Moves the origin to (x, y) and turns so that -y is the plant's direction.
void Orient(cairo_t* cr, double x, double y, double angle) {
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
}

void LeafShape(cairo_t* cr, double len, double width, double bend) {
  cairo_move_to(cr, 0, 0);
  cairo_curve_to(cr, width * 0.8, -len * 0.25, width * 0.6 + bend, -len * 0.75, bend, -len);
  cairo_curve_to(cr, -width * 0.6 + bend, -len * 0.75, -width * 0.8, -len * 0.25, 0, 0);
  cairo_close_path(cr);
}

}  // namespace

void Blade(cairo_t* cr, double x, double y, double angle, double len, double width, Rgb c) {
  cairo_save(cr);
  Orient(cr, x, y, angle);
  LeafShape(cr, len, width, len * 0.08);
  cairo_pattern_t* p = cairo_pattern_create_linear(-width, 0, width, 0);
  const Rgb hi = Lighter(c, 0.25), lo = Darker(c, 0.25);
  cairo_pattern_add_color_stop_rgb(p, 0, lo.r, lo.g, lo.b);
  cairo_pattern_add_color_stop_rgb(p, 0.5, hi.r, hi.g, hi.b);
  cairo_pattern_add_color_stop_rgb(p, 1, c.r, c.g, c.b);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  Outline(cr, 1.6);
  cairo_move_to(cr, 0, 0);
  cairo_curve_to(cr, len * 0.02, -len * 0.4, len * 0.05, -len * 0.7, len * 0.08, -len * 0.95);
  StrokeColor(cr, Darker(c, 0.4), 1.1, 0.8);
  cairo_restore(cr);
}

void SmallLeaf(cairo_t* cr, double x, double y, double angle, double size, Rgb c) {
  cairo_save(cr);
  Orient(cr, x, y, angle);
  LeafShape(cr, size * 2, size * 0.9, 0);
  FillVertical(cr, -size * 2, 0, Lighter(c, 0.3), Darker(c, 0.2));
  Outline(cr, 1.1);
  cairo_restore(cr);
}

void Fern(cairo_t* cr, double x, double y, double angle, double len, double leaflet, Rgb c) {
  cairo_save(cr);
  Orient(cr, x, y, angle);
  const double bend = len * 0.18;
  auto at = [&](double t, double& px, double& py) {
    px = bend * t * t;
    py = -len * t;
  };
  for (int i = 2; i < 18; ++i) {
    const double t = i / 18.0;
    double px, py;
    at(t, px, py);
    const double s = leaflet * (1.2 - t * 0.8) * 2.2;
    for (int side = -1; side <= 1; side += 2) {
      cairo_save(cr);
      cairo_translate(cr, px, py);
      cairo_rotate(cr, side * (1.0 - t * 0.3));
      LeafShape(cr, s, s * 0.35, 0);
      FillVertical(cr, -s, 0, Lighter(c, 0.3), Darker(c, 0.15));
      Outline(cr, 1.0);
      cairo_restore(cr);
    }
  }
  cairo_move_to(cr, 0, 0);
  cairo_curve_to(cr, 0, -len * 0.4, bend * 0.4, -len * 0.7, bend, -len);
  StrokeColor(cr, pal::kInk, 3.2);
  cairo_move_to(cr, 0, 0);
  cairo_curve_to(cr, 0, -len * 0.4, bend * 0.4, -len * 0.7, bend, -len);
  StrokeColor(cr, Darker(c, 0.2), 1.6);
  cairo_restore(cr);
}

void BananaLeaf(cairo_t* cr, double x, double y, double angle, double len, double width, Rgb c) {
  cairo_save(cr);
  Orient(cr, x, y, angle);
  const double stem = len * 0.22;
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, 0, -stem);
  StrokeColor(cr, pal::kInk, 5.0);
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, 0, -stem);
  StrokeColor(cr, Darker(c, 0.2), 3.0);
  cairo_translate(cr, 0, -stem);
  const double l = len - stem;
  cairo_move_to(cr, 0, 0);
  cairo_curve_to(cr, width * 1.1, -l * 0.15, width * 0.9, -l * 0.8, l * 0.12, -l);
  cairo_curve_to(cr, -width * 0.7, -l * 0.8, -width * 1.0, -l * 0.2, 0, 0);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(-width, 0, width, 0);
  const Rgb hi = Lighter(c, 0.3), lo = Darker(c, 0.3);
  cairo_pattern_add_color_stop_rgb(p, 0, lo.r, lo.g, lo.b);
  cairo_pattern_add_color_stop_rgb(p, 0.55, hi.r, hi.g, hi.b);
  cairo_pattern_add_color_stop_rgb(p, 1, c.r, c.g, c.b);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  Outline(cr, 1.8);
  // Ribs from the midrib to the edges.
  for (int i = 1; i < 9; ++i) {
    const double t = i / 9.0;
    const double mx = l * 0.12 * t * t, my = -l * t;
    cairo_move_to(cr, mx, my);
    cairo_line_to(cr, mx + width * 0.75 * (1 - t * 0.5), my + l * 0.06);
    cairo_move_to(cr, mx, my);
    cairo_line_to(cr, mx - width * 0.65 * (1 - t * 0.5), my + l * 0.06);
  }
  StrokeColor(cr, Darker(c, 0.35), 0.9, 0.6);
  cairo_move_to(cr, 0, 0);
  cairo_curve_to(cr, 0, -l * 0.5, l * 0.06, -l * 0.8, l * 0.12, -l);
  StrokeColor(cr, Lighter(c, 0.5), 1.6, 0.9);
  cairo_restore(cr);
}

void Vine(cairo_t* cr, double x, double y, double angle, double len, Rgb c) {
  cairo_save(cr);
  Orient(cr, x, y, angle);
  cairo_move_to(cr, 0, 0);
  for (int i = 1; i <= 30; ++i) {
    const double t = i / 30.0;
    cairo_line_to(cr, std::sin(t * 7) * 10 * t, -len * t);
  }
  StrokeColor(cr, pal::kInk, 3.4);
  cairo_move_to(cr, 0, 0);
  for (int i = 1; i <= 30; ++i) {
    const double t = i / 30.0;
    cairo_line_to(cr, std::sin(t * 7) * 10 * t, -len * t);
  }
  StrokeColor(cr, pal::kLeafDark, 1.8);
  for (int i = 1; i < 9; ++i) {
    const double t = i / 9.0;
    const double px = std::sin(t * 7) * 10 * t, py = -len * t;
    const double side = i % 2 ? 1 : -1;
    const double s = 13 * (1.1 - t * 0.5);
    cairo_save(cr);
    cairo_translate(cr, px, py);
    cairo_rotate(cr, side * 1.2);
    // A heart-shaped leaf.
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, s, -s * 0.2, s * 1.1, -s * 1.4, 0, -s * 1.1);
    cairo_curve_to(cr, -s * 1.1, -s * 1.4, -s, -s * 0.2, 0, 0);
    cairo_close_path(cr);
    FillVertical(cr, -s * 1.4, 0, Lighter(c, 0.3), Darker(c, 0.2));
    Outline(cr, 1.1);
    cairo_restore(cr);
  }
  cairo_restore(cr);
}

void Flower(cairo_t* cr, double x, double y, double r, Rgb petals) {
  for (int i = 0; i < 5; ++i) {
    const double a = i * 2 * M_PI / 5 - M_PI / 2;
    Ellipse(cr, x + std::cos(a) * r * 0.6, y + std::sin(a) * r * 0.6, r * 0.5, r * 0.5);
    FillShaded(cr, x + std::cos(a) * r * 0.6, y + std::sin(a) * r * 0.6, r * 0.5, petals);
    Outline(cr, std::max(0.8, r * 0.12));
  }
  Circle(cr, x, y, r * 0.32);
  FillFlat(cr, pal::kYellow);
  Outline(cr, std::max(0.8, r * 0.1));
}

void Bush(cairo_t* cr, double x, double y, double width, uint32_t seed) {
  Random rnd(seed);
  for (int i = 0; i < 9; ++i) {
    const double a = -1.3 + i * 0.33 + rnd.Range(-0.1, 0.1);
    const Rgb c = Mix(pal::kLeafDark, pal::kLeaf, rnd.Unit());
    Blade(cr, x + (i - 4) * width * 0.06, y + width * 0.15, a, width * rnd.Range(0.45, 0.6), width * 0.14, c);
  }
}

}  // namespace zb::art
