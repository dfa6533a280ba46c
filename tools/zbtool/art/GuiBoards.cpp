// The background pictures of the GUI forms ("ImageIndex"): wooden boards, each drawn for the size of the
// forms that show it, with a dark leafy panel for the golden titles and light texts. Where a form has edit
// boxes, a list or a table, the board carries their beds at the same places as the layout's controls
// (assets/gui names the board of every form; the coordinates below are the forms' own).

#include <cmath>
#include <string>
#include <vector>

#include "tools/zbtool/art/ArtKit.h"
#include "tools/zbtool/art/Foliage.h"

namespace zb::art {
namespace {

struct Box {
  double x, y, w, h;
};

// Rows of a table: `count` rows of `pitch` pixels from the top of the box.
struct Rows {
  Box box;
  int count;
  double pitch;
};

struct Board {
  std::string key;
  int w, h;
  std::vector<Box> slots;   // light beds for edit boxes and lists
  std::vector<Rows> rows;   // striped beds for tables
  double divider = 0;       // y of the line under the title, 0 for none
  uint32_t seed = 1;
};

constexpr double kFrame = 15;  // width of the wooden frame

void Frame(cairo_t* cr, double w, double h, uint32_t seed) {
  RoundedRect(cr, 2, 2, w - 4, h - 4, 16);
  FillVertical(cr, 2, h - 2, pal::kWoodLight, pal::kWood);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  // Grain running around the frame.
  Random random(seed);
  for (int i = 0; i < 3; ++i) {
    const double inset = 4 + i * 3.5 + random.Range(-0.6, 0.6);
    RoundedRect(cr, inset, inset, w - 2 * inset, h - 2 * inset, 16 - inset / 2);
    StrokeColor(cr, pal::kWoodDark, 1.0, 0.22);
  }
  // Mitred corners of the four planks.
  for (int cx = 0; cx < 2; ++cx) {
    for (int cy = 0; cy < 2; ++cy) {
      const double x0 = cx ? w - 2 : 2, y0 = cy ? h - 2 : 2;
      const double x1 = cx ? w - kFrame - 2 : kFrame + 2, y1 = cy ? h - kFrame - 2 : kFrame + 2;
      cairo_move_to(cr, x0 + (cx ? -3 : 3), y0 + (cy ? -3 : 3));
      cairo_line_to(cr, x1, y1);
      StrokeColor(cr, pal::kWoodDark, 1.2, 0.5);
    }
  }
  cairo_restore(cr);
  RoundedRect(cr, 2, 2, w - 4, h - 4, 16);
  Outline(cr, 3.0);
  // A light edge on the frame's top.
  cairo_move_to(cr, 18, 4.5);
  cairo_line_to(cr, w - 18, 4.5);
  StrokeColor(cr, pal::kWhite, 1.5, 0.35);
}

void Panel(cairo_t* cr, double w, double h, uint32_t seed) {
  const double x = kFrame, y = kFrame, pw = w - 2 * kFrame, ph = h - 2 * kFrame;
  RoundedRect(cr, x, y, pw, ph, 9);
  FillVertical(cr, y, y + ph, {0.09, 0.20, 0.10}, {0.12, 0.10, 0.05}, 0.95);
  cairo_save(cr);
  cairo_clip(cr);
  // Faint leaves in the dark, so that the panel reads as jungle and not as a flat box.
  Random random(seed * 7 + 3);
  const int leaves = static_cast<int>(pw * ph / 9000) + 3;
  for (int i = 0; i < leaves; ++i) {
    const double lx = x + random.Range(0, pw), ly = y + random.Range(0, ph);
    cairo_push_group(cr);
    Blade(cr, lx, ly, random.Range(-2.5, 2.5), random.Range(40, 80), random.Range(16, 26), pal::kLeafDark);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.13);
  }
  // The recess: a shadow under the frame's top and left edges.
  RoundedRect(cr, x - 6, y - 6, pw + 6, ph + 6, 12);
  StrokeColor(cr, pal::kInk, 10, 0.35);
  cairo_restore(cr);
  RoundedRect(cr, x, y, pw, ph, 9);
  Outline(cr, 2.0);
}

void Nails(cairo_t* cr, double w, double h) {
  const double at = kFrame / 2 + 2;
  for (double nx : {at, w - at}) {
    for (double ny : {at, h - at}) {
      Circle(cr, nx, ny, 3.2);
      ShadedShape(cr, nx, ny, 3.2, pal::kSilver, 1.2);
    }
  }
}

// Leaves reaching over the top corners.
void CornerLeaves(cairo_t* cr, double w, uint32_t seed) {
  Random random(seed * 13 + 5);
  for (int side = 0; side < 2; ++side) {
    const double x = side ? w - 10 : 10, dir = side ? -1 : 1;
    for (int i = 0; i < 3; ++i) {
      const double angle = dir * (0.9 + i * 0.45) + random.Range(-0.1, 0.1);
      Blade(cr, x, 12, angle, 40 + random.Range(0, 8) - i * 5, 16 - i * 2, i == 1 ? pal::kLeafLight : pal::kLeaf);
    }
    SmallLeaf(cr, x + dir * 6, 10, dir * 2.6, 6, pal::kLeafDark);
  }
}

void Slot(cairo_t* cr, const Box& b) {
  RoundedRect(cr, b.x - 1, b.y - 1, b.w + 2, b.h + 2, 5);
  FillVertical(cr, b.y, b.y + b.h, {0.93, 0.84, 0.64}, {0.99, 0.95, 0.84});
  cairo_save(cr);
  cairo_clip_preserve(cr);
  // Inner shadow along the top: the bed is cut into the board.
  cairo_rectangle(cr, b.x - 1, b.y - 1, b.w + 2, 5);
  FillVertical(cr, b.y - 1, b.y + 4, pal::kWoodDark, {0.93, 0.84, 0.64}, 0.6);
  cairo_new_path(cr);
  cairo_restore(cr);
  Outline(cr, 1.6);
}

void Table(cairo_t* cr, const Rows& t) {
  const Box& b = t.box;
  RoundedRect(cr, b.x, b.y, b.w, b.h, 7);
  FillFlat(cr, {0.05, 0.10, 0.05}, 0.55);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  for (int i = 0; i < t.count; i += 2) {
    cairo_rectangle(cr, b.x, b.y + 4 + i * t.pitch, b.w, t.pitch);
    FillFlat(cr, pal::kLeafLight, 0.07);
    cairo_new_path(cr);
  }
  cairo_restore(cr);
  StrokeColor(cr, pal::kGoldDark, 1.5, 0.7);
}

// A thin golden vine under the title with a leaf pair in its middle.
void Divider(cairo_t* cr, double w, double y) {
  const double x0 = 40, x1 = w - 40, mid = w / 2;
  cairo_move_to(cr, x0, y);
  cairo_curve_to(cr, mid - 40, y - 4, mid - 20, y + 3, mid, y);
  cairo_curve_to(cr, mid + 20, y - 3, mid + 40, y + 4, x1, y);
  StrokeColor(cr, pal::kGoldDark, 2.2, 0.9);
  Circle(cr, x0, y, 2.5);
  Circle(cr, x1, y, 2.5);
  FillFlat(cr, pal::kGold);
  cairo_new_path(cr);
  SmallLeaf(cr, mid, y, -1.2, 5.5, pal::kLeafLight);
  SmallLeaf(cr, mid, y, 1.2, 5.5, pal::kLeaf);
}

void DrawBoard(cairo_t* cr, const Board& b) {
  Frame(cr, b.w, b.h, b.seed);
  Panel(cr, b.w, b.h, b.seed);
  for (const Rows& t : b.rows) Table(cr, t);
  for (const Box& s : b.slots) Slot(cr, s);
  if (b.divider > 0) Divider(cr, b.w, b.divider);
  Nails(cr, b.w, b.h);
  CornerLeaves(cr, b.w, b.seed);
}

}  // namespace

void AddGuiBoards(std::vector<Picture>& out) {
  const std::vector<Board> boards = {
      // The seven small dialogs: questions, the level's and the game's score, the send question.
      {"board_dialog", 350, 190, {}, {}, 0, 2},
      {"board_gameover", 350, 140, {}, {}, 0, 3},
      // The country question: its edit box.
      {"board_country", 350, 190, {{45, 72, 260, 30}}, {}, 0, 4},
      // A name for the first or a new player.
      {"board_name", 400, 190, {{50, 72, 300, 30}}, {}, 0, 5},
      {"board_mainmenu", 320, 550, {}, {}, 163, 6},
      // Options, difficulty, graphics and sound.
      {"board_menu", 340, 310, {}, {}, 66, 7},
      {"board_controls", 340, 320, {{170, 75, 130, 30}, {170, 120, 130, 30}, {170, 165, 130, 30}}, {}, 66, 8},
      // Player list.
      {"board_players", 420, 400, {{60, 66, 300, 262}}, {}, 0, 9},
      // High-score table: ten rows of 30 pixels under the tabs.
      {"board_highscore", 420, 500, {}, {{{20, 112, 380, 308}, 10, 30}}, 0, 10},
      // The level editor's column at the left of the playfield: the names to save under.
      {"board_editor", 172, 600, {{16, 288, 140, 28}, {16, 342, 140, 28}}, {}, 0, 11},
      // The player's own level sets: the sets, the chosen set's scores, a new name.
      {"board_ownlevels", 600, 460, {{20, 60, 260, 240}, {300, 60, 280, 240}, {20, 340, 260, 30}}, {}, 0, 12},
  };
  for (const Board& b : boards) {
    out.push_back({b.key, b.w, b.h, 1, [b](cairo_t* cr, int) { DrawBoard(cr, b); }});
  }
}

}  // namespace zb::art
