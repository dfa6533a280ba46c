// The game's own share page, shown when the player quits: the monkey and the freed animals wave goodbye in
// an evening clearing, with a link to the online score table and the exit button along the bottom. The
// button cells and the countdown badge must agree with assets/wdata/config.ini.

#include "tools/zbtool/art/SharePage.h"

#include <cmath>

#include "tools/zbtool/art/Animals.h"
#include "tools/zbtool/art/Foliage.h"
#include "tools/zbtool/art/StoryActors.h"

namespace zb::art {
namespace {

constexpr int kScoresW = 260, kExitW = 220, kButtonH = 76;
// The badge at the left end of every button; on the disabled exit button it holds the countdown.
constexpr double kBadgeX = 42, kBadgeY = 36, kBadgeR = 27;
constexpr Rgb kButtonText{0.31, 0.16, 0.04};  // the menu buttons' caption colour

enum class State { Normal, Hover, Disabled };

void Sky(cairo_t* cr) {
  cairo_rectangle(cr, 0, 0, 800, 600);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, 470);
  cairo_pattern_add_color_stop_rgb(p, 0.0, 0.13, 0.22, 0.55);
  cairo_pattern_add_color_stop_rgb(p, 0.45, 0.45, 0.42, 0.78);
  cairo_pattern_add_color_stop_rgb(p, 0.8, 0.98, 0.62, 0.50);
  cairo_pattern_add_color_stop_rgb(p, 1.0, 1.0, 0.80, 0.45);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // The first stars of the evening.
  Random random(17);
  for (int i = 0; i < 26; ++i) {
    const double x = random.Range(10, 790), y = random.Range(8, 170);
    const double fade = 1.0 - y / 200.0;
    Sparkle(cr, x, y, random.Range(2.0, 5.5), 0.75 * fade);
  }
}

void Sun(cairo_t* cr) {
  const double cx = 400, cy = 430;
  cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 60, cx, cy, 330);
  cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.92, 0.55, 0.75);
  cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.80, 0.50, 0.0);
  cairo_rectangle(cr, 0, 0, 800, 600);
  cairo_set_source(cr, glow);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
  for (int i = 0; i < 20; ++i) {
    const double a = M_PI + i * M_PI / 19;
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + std::cos(a - 0.05) * 700, cy + std::sin(a - 0.05) * 700);
    cairo_line_to(cr, cx + std::cos(a + 0.05) * 700, cy + std::sin(a + 0.05) * 700);
    cairo_close_path(cr);
  }
  cairo_set_source_rgba(cr, 1, 0.95, 0.75, 0.09);
  cairo_fill(cr);
  Circle(cr, cx, cy, 120);
  FillVertical(cr, cy - 120, cy + 60, {1.0, 0.96, 0.62}, {1.0, 0.62, 0.28});
  cairo_new_path(cr);
}

void Hill(cairo_t* cr, double base, double amp, double freq, double phase, Rgb top, Rgb bottom) {
  cairo_move_to(cr, 0, 600);
  for (int x = 0; x <= 800; x += 5) {
    cairo_line_to(cr, x, base - amp * (0.6 + 0.4 * std::sin(x * freq + phase)) *
                                    (0.7 + 0.3 * std::sin(x * freq * 2.3 + phase)));
  }
  cairo_line_to(cr, 800, 600);
  cairo_close_path(cr);
  FillVertical(cr, base - amp, 600, top, bottom);
  Outline(cr, 2.0);
}

void Palm(cairo_t* cr, double x, double height, double lean, Rgb leaves) {
  const double top = 600 - height;
  for (int pass = 0; pass < 2; ++pass) {
    cairo_move_to(cr, x, 600);
    cairo_curve_to(cr, x + lean * 0.2, 600 - height * 0.5, x + lean * 0.7, 600 - height * 0.8, x + lean, top);
    StrokeColor(cr, pass ? pal::kWood : pal::kInk, pass ? 13 : 18);
  }
  for (int i = 0; i < 7; ++i) {
    const double spread = (i - 3) * 0.55 + (i % 2 ? 0.2 : -0.2) * (i < 3 ? -1 : 1);
    Fern(cr, x + lean, top, spread, 120 - std::abs(i - 3) * 6, 7, leaves);
  }
}

void Liana(cairo_t* cr, double x, double length, double sway, uint32_t seed) {
  cairo_move_to(cr, x, -4);
  cairo_curve_to(cr, x + sway, length * 0.35, x - sway, length * 0.7, x + sway * 0.4, length);
  StrokeColor(cr, pal::kLeafDeep, 4.5);
  Random random(seed);
  for (int k = 1; k <= 5; ++k) {
    const double t = k / 5.5;
    const double lx = x + sway * std::sin(t * M_PI * 1.4) * 0.8;
    SmallLeaf(cr, lx + (k % 2 ? 6 : -6), t * length, (k % 2 ? 1.2 : -1.2) + random.Range(-0.2, 0.2), 10,
              k % 2 ? pal::kLeaf : pal::kLeafDark);
  }
}

void Heart(cairo_t* cr, double x, double y, double size, double tilt) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, tilt);
  cairo_scale(cr, size / 20.0, size / 20.0);
  cairo_move_to(cr, 0, 8);
  cairo_curve_to(cr, -14, -2, -10, -14, 0, -7);
  cairo_curve_to(cr, 10, -14, 14, -2, 0, 8);
  cairo_close_path(cr);
  cairo_restore(cr);
  FillVertical(cr, y - size / 2, y + size / 2, Lighter(pal::kRed, 0.25), Darker(pal::kRed, 0.1));
  Outline(cr, 1.6);
}

void Animal(cairo_t* cr, int kind, double x, double y, double scale, bool mirror) {
  static constexpr double kWidth[4] = {84, 180, 180, 150};
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, mirror ? -scale : scale, scale);
  if (mirror) cairo_translate(cr, -kWidth[kind], 0);
  DrawAnimalBody(cr, kind);
  cairo_restore(cr);
}

void Bubble(cairo_t* cr, const Words& words) {
  // A round speech bubble right of the monkey's head, its tail pointing at the open mouth.
  auto shape = [cr] {
    cairo_new_path(cr);
    Ellipse(cr, 632, 178, 118, 52);
    cairo_move_to(cr, 540, 200);
    cairo_curve_to(cr, 520, 228, 500, 240, 462, 262);
    cairo_curve_to(cr, 510, 252, 548, 236, 566, 214);
    cairo_close_path(cr);
  };
  shape();
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  FillVertical(cr, 126, 262, pal::kWhite, {0.93, 0.92, 0.84});
  StrokeColor(cr, pal::kInk, 3.0);
  CenteredText(cr, words("Пока-пока!"), 628, 176,
               {.font = "lobster", .size = 33, .fill = pal::kOrange, .outline = pal::kInk, .outlineWidth = 4});
  CenteredText(cr, words("Приходи ещё!"), 632, 206, {.font = "comfortaa-bold", .size = 19, .fill = pal::kLeafDark});
}

void DrawBackground(cairo_t* cr, const Words& words) {
  Sky(cr);
  Sun(cr);
  Hill(cr, 430, 90, 0.010, 0.8, {0.48, 0.34, 0.55}, {0.30, 0.22, 0.38});
  Hill(cr, 470, 60, 0.017, 2.6, {0.30, 0.55, 0.30}, {0.16, 0.36, 0.20});
  // The clearing where everybody stands.
  cairo_move_to(cr, 0, 600);
  cairo_line_to(cr, 0, 470);
  cairo_curve_to(cr, 200, 452, 600, 452, 800, 470);
  cairo_line_to(cr, 800, 600);
  cairo_close_path(cr);
  FillVertical(cr, 455, 600, Mix(pal::kLeaf, pal::kLeafLight, 0.35), pal::kLeafDark);
  Outline(cr, 2.0);
  Palm(cr, 26, 470, 34, pal::kLeafDark);
  Palm(cr, 776, 450, -36, pal::kLeaf);
  Liana(cr, 120, 150, 18, 3);
  Liana(cr, 175, 95, -14, 5);
  Liana(cr, 640, 110, 16, 7);
  Liana(cr, 690, 160, -20, 9);

  CenteredText(cr, words("Спасибо за игру!"), 400, 78,
               {.font = "lobster", .size = 62, .fill = pal::kYellow, .outline = pal::kInk, .outlineWidth = 8});
  CenteredText(cr, words("Звери машут тебе на прощание"), 400, 114,
               {.font = "comfortaa-bold", .size = 22, .fill = pal::kWhite, .outline = pal::kLeafDeep,
                .outlineWidth = 5});

  // The panda and the gorilla stand behind, the lion and the begemot in front, the monkey in the middle.
  Animal(cr, 0, 58, 300, 1.0, false);
  Animal(cr, 3, 628, 304, 1.0, false);
  cairo_save(cr);
  cairo_translate(cr, 256, 178);
  cairo_scale(cr, 0.95, 0.95);
  DrawWavingMonkey(cr, true);
  cairo_restore(cr);
  Animal(cr, 1, 118, 364, 1.0, true);
  Animal(cr, 2, 500, 376, 1.0, false);
  Bubble(cr, words);
  Heart(cr, 168, 340, 22, -0.3);
  Heart(cr, 196, 312, 15, 0.2);
  Heart(cr, 604, 352, 20, 0.3);
  Heart(cr, 112, 262, 14, -0.2);
  Heart(cr, 706, 272, 16, 0.25);

  // Plants in the corners and between the buttons, which stand at y 508..584.
  Bush(cr, 30, 590, 130, 21);
  Bush(cr, 770, 592, 130, 23);
  Fern(cr, 420, 604, -0.25, 90, 6, pal::kLeafDark);
  Fern(cr, 440, 604, 0.3, 80, 6, pal::kLeaf);
  const double fx[6] = {64, 380, 455, 470, 742, 22}, fy[6] = {500, 520, 548, 500, 498, 530};
  const Rgb fc[3] = {pal::kMagenta, pal::kOrange, pal::kYellow};
  for (int i = 0; i < 6; ++i) Flower(cr, fx[i], fy[i], 8 + (i % 3) * 2, fc[i % 3]);
}

// The plaque of a button: a rounded board with a drop shadow, a gloss, a badge at the left end and the
// caption in the rest, in the look of the menu buttons.
void Plaque(cairo_t* cr, double w, State state) {
  const double x = 5, y = 5, pw = w - 10, ph = kButtonH - 14, r = 20;
  RoundedRect(cr, x + 1, y + 5, pw, ph, r);
  SetColor(cr, pal::kInk, 0.35);
  cairo_fill(cr);
  RoundedRect(cr, x, y, pw, ph, r);
  switch (state) {
    case State::Normal: FillVertical(cr, y, y + ph, {1.0, 0.90, 0.45}, {0.93, 0.55, 0.13}); break;
    case State::Hover: FillVertical(cr, y, y + ph, {1.0, 0.98, 0.70}, {1.0, 0.70, 0.22}); break;
    case State::Disabled: FillVertical(cr, y, y + ph, {0.80, 0.78, 0.72}, {0.55, 0.53, 0.50}); break;
  }
  Outline(cr, 3.0);
  RoundedRect(cr, x + 8, y + 4, pw - 16, ph * 0.42, r * 0.7);
  SetColor(cr, pal::kWhite, state == State::Disabled ? 0.18 : 0.35);
  cairo_fill(cr);
  if (state == State::Hover) {
    RoundedRect(cr, x + 3, y + 3, pw - 6, ph - 6, r - 3);
    StrokeColor(cr, pal::kWhite, 2.5, 0.9);
    Sparkle(cr, w - 24, 14, 8, 0.95);
    Sparkle(cr, w - 42, ph + 2, 5, 0.8);
  }
}

void Badge(cairo_t* cr, Rgb c) {
  Circle(cr, kBadgeX, kBadgeY, kBadgeR);
  ShadedShape(cr, kBadgeX, kBadgeY, kBadgeR, c, 2.6);
}

void Caption(cairo_t* cr, double w, const std::string& line1, const std::string* line2, State state) {
  const Rgb fill = state == State::Disabled ? Rgb{0.42, 0.40, 0.38} : kButtonText;
  const double cx = (kBadgeX + kBadgeR + w - 8) / 2;
  const TextStyle style{.font = "comfortaa-bold", .size = line2 ? 21.0 : 28.0, .fill = fill};
  if (line2) {
    CenteredText(cr, line1, cx, 32, style);
    CenteredText(cr, *line2, cx, 54, style);
  } else {
    CenteredText(cr, line1, cx, 46, style);
  }
}

void Trophy(cairo_t* cr) {
  const double cx = kBadgeX, cy = kBadgeY;
  // Handles, cup, stem and foot.
  for (int side = -1; side <= 1; side += 2) {
    Ellipse(cr, cx + side * 12, cy - 6, 6, 7);
    StrokeColor(cr, pal::kInk, 5.0);
    Ellipse(cr, cx + side * 12, cy - 6, 6, 7);
    StrokeColor(cr, pal::kGold, 2.6);
  }
  cairo_move_to(cr, cx - 13, cy - 15);
  cairo_line_to(cr, cx + 13, cy - 15);
  cairo_curve_to(cr, cx + 13, cy, cx + 7, cy + 5, cx, cy + 5);
  cairo_curve_to(cr, cx - 7, cy + 5, cx - 13, cy, cx - 13, cy - 15);
  cairo_close_path(cr);
  FillVertical(cr, cy - 15, cy + 5, Lighter(pal::kGold, 0.4), pal::kGoldDark);
  Outline(cr, 2.0);
  cairo_rectangle(cr, cx - 3, cy + 5, 6, 7);
  FillFlat(cr, pal::kGoldDark);
  Outline(cr, 1.6);
  RoundedRect(cr, cx - 10, cy + 11, 20, 6, 2);
  FillVertical(cr, cy + 11, cy + 17, pal::kGold, pal::kGoldDark);
  Outline(cr, 1.6);
  Sparkle(cr, cx - 6, cy - 9, 4, 0.9);
}

void Door(cairo_t* cr) {
  // An open door with an arrow stepping out of it.
  const double cx = kBadgeX, cy = kBadgeY;
  cairo_rectangle(cr, cx - 13, cy - 15, 18, 30);
  FillFlat(cr, pal::kWoodDark);
  Outline(cr, 2.0);
  cairo_move_to(cr, cx - 13, cy - 15);
  cairo_line_to(cr, cx - 3, cy - 11);
  cairo_line_to(cr, cx - 3, cy + 19);
  cairo_line_to(cr, cx - 13, cy + 15);
  cairo_close_path(cr);
  FillVertical(cr, cy - 15, cy + 19, pal::kWoodLight, pal::kWood);
  Outline(cr, 1.8);
  cairo_move_to(cr, cx - 1, cy - 3);
  cairo_line_to(cr, cx + 9, cy - 3);
  cairo_line_to(cr, cx + 9, cy - 10);
  cairo_line_to(cr, cx + 19, cy);
  cairo_line_to(cr, cx + 9, cy + 10);
  cairo_line_to(cr, cx + 9, cy + 3);
  cairo_line_to(cr, cx - 1, cy + 3);
  cairo_close_path(cr);
  FillFlat(cr, pal::kWhite);
  Outline(cr, 1.8);
}

void DrawScores(cairo_t* cr, State state, const Words& words) {
  Plaque(cr, kScoresW, state);
  Badge(cr, state == State::Hover ? Lighter(pal::kBlue, 0.2) : pal::kBlue);
  Trophy(cr);
  const std::string second = words("рекордов");
  Caption(cr, kScoresW, words("Таблица"), &second, state);
}

void DrawExit(cairo_t* cr, State state, const Words& words) {
  Plaque(cr, kExitW, state);
  if (state == State::Disabled) {
    // The countdown's place: a dark hole that the game's golden number reads on.
    Circle(cr, kBadgeX, kBadgeY, kBadgeR);
    FillVertical(cr, kBadgeY - kBadgeR, kBadgeY + kBadgeR, pal::kPanelDark, Lighter(pal::kPanelDark, 0.15));
    Outline(cr, 2.6);
    Circle(cr, kBadgeX, kBadgeY, kBadgeR - 4);
    StrokeColor(cr, pal::kGoldDark, 2.0);
  } else {
    Badge(cr, state == State::Hover ? Lighter(pal::kRed, 0.2) : pal::kRed);
    Door(cr);
  }
  Caption(cr, kExitW, words("Выход"), nullptr, state);
}

Picture Button(const char* key, int w, void (*draw)(cairo_t*, State, const Words&), State state, const Words& words) {
  return {key, w, kButtonH, 1, [draw, state, words](cairo_t* cr, int) { draw(cr, state, words); }, true};
}

}  // namespace

std::vector<Picture> SharePictures(const Words& words) {
  return {
      {"share", 800, 600, 1, [words](cairo_t* cr, int) { DrawBackground(cr, words); }, true},
      Button("scores", kScoresW, DrawScores, State::Normal, words),
      Button("scores_hover", kScoresW, DrawScores, State::Hover, words),
      Button("exit", kExitW, DrawExit, State::Normal, words),
      Button("exit_hover", kExitW, DrawExit, State::Hover, words),
      Button("exit_disabled", kExitW, DrawExit, State::Disabled, words),
  };
}

}  // namespace zb::art
