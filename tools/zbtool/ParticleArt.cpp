// zbtool particle-art: draws the image "particles", 16 patterns of 64 x 64 on a 256 x 256
// texture, white and grey on transparent so that the particles' vertex colours tint them.
//   0 soft glow      1 spark          2 four-point sparkle  3 five-point star
//   4 leaf           5 drop           6 ring                7 smoke puff
//   8 streak         9 flame          10 heart              11 snowflake
//   12 bubble        13 chip          14 coin               15 shard
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <span>
#include <vector>

#include "engine/PngWriter.h"

namespace zb::tool {
namespace {

constexpr int kCell = 64;
constexpr int kSide = 256;
constexpr double kPi = std::numbers::pi;

// A radial fall-off from white at the centre to clear at `radius`; `power` shapes the curve.
void Glow(cairo_t* cr, double x, double y, double radius, double peak, double power) {
  cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, radius);
  for (int i = 0; i <= 8; ++i) {
    const double t = i / 8.0;
    cairo_pattern_add_color_stop_rgba(p, t, 1, 1, 1, peak * std::pow(1.0 - t, power));
  }
  cairo_set_source(cr, p);
  cairo_arc(cr, x, y, radius, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Star(cairo_t* cr, int points, double outer, double inner) {
  for (int i = 0; i < points * 2; ++i) {
    const double r = (i % 2 == 0) ? outer : inner;
    const double a = -kPi / 2 + i * kPi / points;
    if (i == 0) {
      cairo_move_to(cr, r * std::cos(a), r * std::sin(a));
    } else {
      cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
    }
  }
  cairo_close_path(cr);
}

void Grey(cairo_t* cr, double level, double alpha) { cairo_set_source_rgba(cr, level, level, level, alpha); }

void DrawGlow(cairo_t* cr) { Glow(cr, 0, 0, 31, 1.0, 2.2); }

void DrawSpark(cairo_t* cr) {
  Glow(cr, 0, 0, 22, 0.7, 3.0);
  Glow(cr, 0, 0, 7, 1.0, 0.6);
}

void DrawSparkle(cairo_t* cr) {
  Glow(cr, 0, 0, 18, 0.6, 2.5);
  for (int arm = 0; arm < 2; ++arm) {
    cairo_save(cr);
    cairo_rotate(cr, arm * kPi / 2);
    cairo_scale(cr, 1.0, 0.12);
    Glow(cr, 0, 0, 31, 1.0, 1.2);
    cairo_restore(cr);
  }
  Glow(cr, 0, 0, 5, 1.0, 0.5);
}

void DrawStar(cairo_t* cr) {
  Glow(cr, 0, 0, 31, 0.35, 2.0);
  Star(cr, 5, 26, 11);
  Grey(cr, 1.0, 1.0);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 2.0);
  Grey(cr, 0.78, 1.0);
  cairo_stroke(cr);
  Star(cr, 5, 12, 5);
  Grey(cr, 1.0, 1.0);
  cairo_fill(cr);
}

void DrawLeaf(cairo_t* cr) {
  cairo_rotate(cr, -0.5);
  cairo_move_to(cr, 0, -28);
  cairo_curve_to(cr, 18, -16, 18, 12, 0, 28);
  cairo_curve_to(cr, -18, 12, -18, -16, 0, -28);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(-16, 0, 16, 0);
  cairo_pattern_add_color_stop_rgba(p, 0, 0.72, 0.72, 0.72, 1);
  cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 1, 1, 1);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.8, 0.8, 0.8, 1);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // Midrib and veins a shade darker.
  Grey(cr, 0.6, 1.0);
  cairo_set_line_width(cr, 1.6);
  cairo_move_to(cr, 0, -24);
  cairo_line_to(cr, 0, 30);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1.0);
  for (int i = -2; i <= 2; ++i) {
    cairo_move_to(cr, 0, i * 8.0);
    cairo_line_to(cr, -9, i * 8.0 - 6);
    cairo_move_to(cr, 0, i * 8.0);
    cairo_line_to(cr, 9, i * 8.0 - 6);
  }
  cairo_stroke(cr);
}

void DrawDrop(cairo_t* cr) {
  cairo_move_to(cr, 0, -26);
  cairo_curve_to(cr, 6, -12, 16, 2, 16, 12);
  cairo_curve_to(cr, 16, 22, 8, 28, 0, 28);
  cairo_curve_to(cr, -8, 28, -16, 22, -16, 12);
  cairo_curve_to(cr, -16, 2, -6, -12, 0, -26);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_radial(-5, 10, 2, 0, 12, 20);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 1);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.7, 0.7, 0.7, 0.85);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  Glow(cr, -6, 8, 5, 1.0, 0.8);
}

void DrawRing(cairo_t* cr) {
  cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 16, 0, 0, 31);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0);
  cairo_pattern_add_color_stop_rgba(p, 0.55, 1, 1, 1, 1);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, 0, 0, 31, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void DrawSmoke(cairo_t* cr) {
  const double puffs[][3] = {{-8, 4, 18}, {9, 6, 16}, {0, -8, 19}, {-12, -6, 12}, {12, -7, 12}, {2, 12, 14}};
  for (const auto& puff : puffs) Glow(cr, puff[0], puff[1], puff[2], 0.45, 1.4);
}

void DrawStreak(cairo_t* cr) {
  cairo_save(cr);
  cairo_scale(cr, 0.22, 1.0);
  Glow(cr, 0, 0, 31, 1.0, 1.5);
  cairo_restore(cr);
  Glow(cr, 0, 0, 6, 0.9, 1.0);
}

void DrawFlame(cairo_t* cr) {
  cairo_move_to(cr, 0, -30);
  cairo_curve_to(cr, 4, -16, 18, -6, 18, 10);
  cairo_curve_to(cr, 18, 22, 10, 28, 0, 28);
  cairo_curve_to(cr, -10, 28, -18, 22, -18, 10);
  cairo_curve_to(cr, -18, -2, -8, -8, -4, -20);
  cairo_curve_to(cr, -2, -24, 0, -27, 0, -30);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_radial(0, 14, 2, 0, 8, 30);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 1);
  cairo_pattern_add_color_stop_rgba(p, 0.6, 0.85, 0.85, 0.85, 0.8);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.6, 0.6, 0.6, 0.0);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void DrawHeart(cairo_t* cr) {
  cairo_move_to(cr, 0, 26);
  cairo_curve_to(cr, -30, 6, -26, -24, -6, -20);
  cairo_curve_to(cr, -2, -19, 0, -15, 0, -12);
  cairo_curve_to(cr, 0, -15, 2, -19, 6, -20);
  cairo_curve_to(cr, 26, -24, 30, 6, 0, 26);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_radial(-8, -10, 2, 0, 0, 30);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 1);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.72, 0.72, 0.72, 1);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  Grey(cr, 0.55, 1.0);
  cairo_set_line_width(cr, 2.0);
  cairo_stroke(cr);
}

void DrawSnowflake(cairo_t* cr) {
  Glow(cr, 0, 0, 14, 0.6, 2.0);
  Grey(cr, 1.0, 1.0);
  cairo_set_line_width(cr, 3.0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int arm = 0; arm < 6; ++arm) {
    cairo_save(cr);
    cairo_rotate(cr, arm * kPi / 3);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 0, -27);
    cairo_move_to(cr, 0, -16);
    cairo_line_to(cr, -7, -23);
    cairo_move_to(cr, 0, -16);
    cairo_line_to(cr, 7, -23);
    cairo_stroke(cr);
    cairo_restore(cr);
  }
}

void DrawBubble(cairo_t* cr) {
  cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 10, 0, 0, 28);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.08);
  cairo_pattern_add_color_stop_rgba(p, 0.8, 1, 1, 1, 0.35);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0.9);
  cairo_set_source(cr, p);
  cairo_arc(cr, 0, 0, 28, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_save(cr);
  cairo_translate(cr, -10, -11);
  cairo_rotate(cr, -0.7);
  cairo_scale(cr, 1.0, 0.55);
  Glow(cr, 0, 0, 9, 1.0, 0.7);
  cairo_restore(cr);
}

void DrawChip(cairo_t* cr) {
  const double pts[][2] = {{-20, -14}, {4, -22}, {22, -6}, {16, 18}, {-6, 22}, {-22, 6}};
  cairo_move_to(cr, pts[0][0], pts[0][1]);
  for (const auto& pt : std::span(pts).subspan(1)) cairo_line_to(cr, pt[0], pt[1]);
  cairo_close_path(cr);
  Grey(cr, 0.92, 1.0);
  cairo_fill_preserve(cr);
  Grey(cr, 0.55, 1.0);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  // A lit facet.
  cairo_move_to(cr, -20, -14);
  cairo_line_to(cr, 4, -22);
  cairo_line_to(cr, 2, -2);
  cairo_close_path(cr);
  Grey(cr, 1.0, 1.0);
  cairo_fill(cr);
}

void DrawCoin(cairo_t* cr) {
  cairo_arc(cr, 0, 0, 26, 0, 2 * kPi);
  Grey(cr, 0.8, 1.0);
  cairo_fill(cr);
  cairo_arc(cr, 0, 0, 20, 0, 2 * kPi);
  cairo_pattern_t* p = cairo_pattern_create_linear(-20, -20, 20, 20);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 1);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.75, 0.75, 0.75, 1);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  Star(cr, 5, 11, 5);
  Grey(cr, 0.7, 1.0);
  cairo_fill(cr);
}

void DrawShard(cairo_t* cr) {
  cairo_move_to(cr, -4, -28);
  cairo_line_to(cr, 14, 20);
  cairo_line_to(cr, -12, 12);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(-12, -28, 14, 20);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 1);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.7, 0.7, 0.7, 1);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

using Painter = void (*)(cairo_t*);
constexpr Painter kPatterns[16] = {DrawGlow,  DrawSpark, DrawSparkle,   DrawStar,   DrawLeaf,   DrawDrop,
                                   DrawRing,  DrawSmoke, DrawStreak,    DrawFlame,  DrawHeart,  DrawSnowflake,
                                   DrawBubble, DrawChip, DrawCoin,      DrawShard};

}  // namespace

int RunParticleArt(std::span<char* const> args) {
  if (args.size() != 1) {
    std::fputs("usage: zbtool particle-art OUT.png\n", stderr);
    return 1;
  }
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSide, kSide);
  cairo_t* cr = cairo_create(surface);
  for (int i = 0; i < 16; ++i) {
    cairo_save(cr);
    // Each cell is clipped so that no pattern bleeds into its neighbours.
    cairo_rectangle(cr, (i % 4) * kCell, (i / 4) * kCell, kCell, kCell);
    cairo_clip(cr);
    cairo_translate(cr, (i % 4) * kCell + kCell / 2.0, (i / 4) * kCell + kCell / 2.0);
    kPatterns[i](cr);
    cairo_restore(cr);
  }
  cairo_surface_flush(surface);
  // Cairo keeps premultiplied colour; the PNG and the textures take straight alpha.
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::vector<uint32_t> pixels(static_cast<size_t>(kSide) * kSide);
  for (int y = 0; y < kSide; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < kSide; ++x) {
      const uint32_t p = row[x];
      const uint32_t a = p >> 24;
      auto straight = [a](uint32_t c) { return a == 0 ? 0u : (c * 255 + a / 2) / a; };
      pixels[static_cast<size_t>(y) * kSide + x] = a << 24 | straight((p >> 16) & 0xFF) << 16 |
                                                   straight((p >> 8) & 0xFF) << 8 | straight(p & 0xFF);
    }
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  if (!WritePng(args[0], pixels.data(), kSide, kSide)) {
    std::fprintf(stderr, "zbtool: cannot write %s\n", args[0]);
    return 1;
  }
  return 0;
}

}  // namespace zb::tool
