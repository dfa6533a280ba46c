#pragma once

#include <string>
#include <string_view>

#include "game/LevelFile.h"

namespace zb {

// A level written as text: an "offset X Y" line, then "grid" and one line per brick row,
// one character per cell (legend in assets/levels/README.md). '#' starts a comment only
// before the grid, where it is gold.
struct LevelSource {
  LevelImage image;
  std::string error;  // empty when the source compiled
};

LevelSource CompileLevelSource(std::string_view text);

// The grid value (brick kind + 1) of a legend character; -1 for a character not in the legend.
int GridValueForCell(char c);
// The legend character of a grid value; '.' for an empty cell and for a value the legend lacks.
char CellForGridValue(int value);

// The source of a level image, which `CompileLevelSource` turns back into the same image: a title
// line (its line breaks become spaces), the offsets, and every row and column of the level's range.
std::string LevelSourceText(const LevelImage& image, std::string_view title);

}  // namespace zb
