#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/LevelFile.h"

namespace zb {

// The editor's grid: the cells of the playfield from its left wall and its top, 16 across (x 172..764)
// and 21 down (y 0..420, clear of the bat).
inline constexpr int kEditColumns = 16;
inline constexpr int kEditRows = 21;
inline constexpr int kEditCellWidth = 37;
inline constexpr int kEditCellHeight = 20;
inline constexpr int kEditLeft = 172;
inline constexpr int kEditTop = 0;

// The grid values the palette offers (brick kind + 1): the six colours, the two- and five-hit
// bricks, gold, and the six colours carrying a bomb.
inline constexpr std::array<int32_t, 15> kPaletteValues = {10, 11, 12, 13, 14, 15, 2, 3, 4, 20, 21, 22, 23, 24, 25};

struct TEditCell {
  int Column = 0;
  int Row = 0;
};

// The cell under a point of the screen, if the point lies on the grid.
std::optional<TEditCell> CellAt(int x, int y);

// A level being drawn: its cells, with every change undoable. A stroke (a press, the drag that
// follows, the release) is one step of the history, however many cells it touched.
class TLevelEditor {
 public:
  int32_t Cell(int column, int row) const;
  // One-step changes; false when the cell is off the grid or already holds the value.
  bool Place(int column, int row, int32_t value);
  bool Erase(int column, int row) { return Place(column, row, 0); }
  // A stroke: every cell painted between its begin and its end is undone at once.
  void BeginStroke();
  bool Paint(int column, int row, int32_t value);
  void EndStroke();
  bool InStroke() const { return stroking_; }

  bool Undo();
  bool Redo();
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // Forgets the history and empties the grid.
  void Clear();

  // The bricks a level needs broken to be cleared (gold does not count).
  int CountedBricks() const;
  // The level image the editor saves: the whole grid, at the playfield's left wall and top.
  LevelImage Image() const;
  // Takes the bricks of a level whose grid lies on the editor's; anything else is refused with why.
  std::string Load(const LevelImage& image);
  // Why the level cannot be played or saved, in words for the player; empty when it can.
  std::string WhyNotPlayable() const { return WhyUnwinnable(Image()); }

  // The keyboard's cell.
  TEditCell Cursor{0, 0};
  void MoveCursor(int dx, int dy);

 private:
  struct TChange {
    int Column, Row;
    int32_t Before, After;
  };
  using TStep = std::vector<TChange>;
  bool Set(int column, int row, int32_t value, TStep& step);

  std::array<int32_t, kEditColumns * kEditRows> cells_{};
  std::vector<TStep> undo_;
  std::vector<TStep> redo_;
  TStep stroke_;
  bool stroking_ = false;
};

}  // namespace zb
