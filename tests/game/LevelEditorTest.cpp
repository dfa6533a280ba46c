#include "game/LevelEditor.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "game/LevelSource.h"

namespace zb {
namespace {

using Grid = std::vector<int32_t>;

Grid GridOf(const TLevelEditor& editor) {
  Grid grid;
  for (int c = 0; c < kEditColumns; ++c) {
    for (int r = 0; r < kEditRows; ++r) grid.push_back(editor.Cell(c, r));
  }
  return grid;
}

int32_t Word(const std::vector<uint8_t>& bytes, size_t offset) {
  return static_cast<int32_t>(uint32_t{bytes[offset]} | uint32_t{bytes[offset + 1]} << 8 |
                              uint32_t{bytes[offset + 2]} << 16 | uint32_t{bytes[offset + 3]} << 24);
}

// Random places, erases, drags, undos and redos against a history kept by hand: after every step the
// grid is the state the history points at, and undoing everything then redoing everything goes
// through the same states in turn.
TEST(LevelEditor, RandomEditsWithUndoAndRedoFollowTheHistory) {
  std::mt19937 random(29);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  TLevelEditor editor;
  std::vector<Grid> states{GridOf(editor)};
  size_t at = 0;
  auto changed = [&]() {
    states.resize(at + 1);
    states.push_back(GridOf(editor));
    ++at;
  };
  for (int step = 0; step < 100; ++step) {
    const int column = pick(kEditColumns);
    const int row = pick(kEditRows);
    const int32_t value = kPaletteValues[static_cast<size_t>(pick(kPaletteValues.size()))];
    switch (pick(5)) {
      case 0:
        if (editor.Place(column, row, value)) changed();
        break;
      case 1:
        if (editor.Erase(column, row)) changed();
        break;
      case 2: {
        editor.BeginStroke();
        bool any = false;
        for (int n = pick(8); n >= 0; --n) any |= editor.Paint(pick(kEditColumns), pick(kEditRows), pick(3) ? value : 0);
        editor.EndStroke();
        if (any) changed();
        break;
      }
      case 3:
        EXPECT_EQ(editor.Undo(), at > 0);
        if (at > 0) --at;
        break;
      case 4:
        EXPECT_EQ(editor.Redo(), at + 1 < states.size());
        if (at + 1 < states.size()) ++at;
        break;
    }
    ASSERT_EQ(GridOf(editor), states[at]) << "step " << step;
  }
  while (editor.Undo()) ASSERT_EQ(GridOf(editor), states[--at]);
  EXPECT_EQ(at, 0u);
  while (editor.Redo()) ASSERT_EQ(GridOf(editor), states[++at]);
  EXPECT_EQ(at + 1, states.size());
  // Replaying the final grid cell by cell on a fresh editor gives the same level.
  TLevelEditor replay;
  for (int c = 0; c < kEditColumns; ++c) {
    for (int r = 0; r < kEditRows; ++r) replay.Place(c, r, editor.Cell(c, r));
  }
  EXPECT_EQ(replay.Image().words, editor.Image().words);
}

TEST(LevelEditor, AStrokeIsOneStepAndAChangeAfterUndoDropsTheRedo) {
  TLevelEditor editor;
  editor.Place(3, 3, 10);
  editor.BeginStroke();
  editor.Paint(3, 3, 11);
  editor.Paint(4, 3, 11);
  editor.Paint(3, 3, 12);  // the same cell twice in one drag
  editor.Paint(99, 3, 12);  // off the grid: nothing
  editor.EndStroke();
  EXPECT_EQ(editor.Cell(3, 3), 12);
  ASSERT_TRUE(editor.Undo());
  EXPECT_EQ(editor.Cell(3, 3), 10);
  EXPECT_EQ(editor.Cell(4, 3), 0);
  EXPECT_TRUE(editor.CanRedo());
  editor.Place(0, 0, 2);
  EXPECT_FALSE(editor.CanRedo());
  // A stroke that changed nothing leaves no step.
  editor.BeginStroke();
  editor.Paint(0, 0, 2);
  editor.EndStroke();
  ASSERT_TRUE(editor.Undo());
  EXPECT_EQ(editor.Cell(0, 0), 0);
  EXPECT_EQ(editor.Cell(3, 3), 10);
}

TEST(LevelEditor, ScreenPointsMapToCellsOfThirtySevenByTwenty) {
  EXPECT_FALSE(CellAt(171, 0));
  EXPECT_FALSE(CellAt(172, -1));
  const auto first = CellAt(172, 0);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Column, 0);
  EXPECT_EQ(first->Row, 0);
  const auto next = CellAt(172 + 37, 20);
  ASSERT_TRUE(next);
  EXPECT_EQ(next->Column, 1);
  EXPECT_EQ(next->Row, 1);
  const auto last = CellAt(172 + 37 * 16 - 1, 419);
  ASSERT_TRUE(last);
  EXPECT_EQ(last->Column, 15);
  EXPECT_EQ(last->Row, 20);
  EXPECT_FALSE(CellAt(172 + 37 * 16, 100));
  EXPECT_FALSE(CellAt(300, 420));
  TLevelEditor editor;
  editor.MoveCursor(-5, -5);
  EXPECT_EQ(editor.Cursor.Column, 0);
  editor.MoveCursor(40, 40);
  EXPECT_EQ(editor.Cursor.Column, 15);
  EXPECT_EQ(editor.Cursor.Row, 20);
}

// The saved bytes, record by record as the level format lays them out, read back to the same image
// by the game's reader, and rebuilt the same from the source text by the level compiler.
TEST(LevelEditor, TheSavedFileHasTheLevelLayoutAndReadsBackWhole) {
  TLevelEditor editor;
  editor.Place(0, 0, 10);
  editor.Place(0, 1, 4);
  editor.Place(5, 2, 20);
  editor.Place(15, 20, 3);
  const LevelImage image = editor.Image();
  const std::vector<uint8_t> bytes = EncodeLevelFile(image);
  constexpr size_t kCells = 16 * 21;
  ASSERT_EQ(bytes.size(), 128 * (3 + 3 * kCells));
  // Record 0: LastColumn, LastRow, the offsets, LevelWord4, the spare word, then column 0's cells.
  EXPECT_EQ(Word(bytes, 0), 15);
  EXPECT_EQ(Word(bytes, 4), 20);
  EXPECT_EQ(Word(bytes, 8), 0);
  EXPECT_EQ(Word(bytes, 12), 0);
  EXPECT_EQ(Word(bytes, 24), 10);  // word 6: cell (0, 0)
  EXPECT_EQ(Word(bytes, 28), 4);   // word 7: cell (0, 1)
  // Record 1 starts at word 4, record 2 at word 2.
  EXPECT_EQ(Word(bytes, 128), 0);
  EXPECT_EQ(Word(bytes, 128 + 8), 10);
  EXPECT_EQ(Word(bytes, 256), 0);
  EXPECT_EQ(Word(bytes, 256 + 16), 10);
  // Grid records row by row: record 3 + 16 r + c starts with cell (c, r); a window runs on down
  // its column, 21 cells and then the next column's top.
  auto gridRecord = [](int c, int r) { return size_t{128} * (3 + 16 * static_cast<size_t>(r) + static_cast<size_t>(c)); };
  EXPECT_EQ(Word(bytes, gridRecord(0, 0)), 10);
  EXPECT_EQ(Word(bytes, gridRecord(0, 0) + 4), 4);
  EXPECT_EQ(Word(bytes, gridRecord(5, 2)), 20);
  EXPECT_EQ(Word(bytes, gridRecord(15, 20)), 3);
  EXPECT_EQ(Word(bytes, gridRecord(4, 19) + 4 * 24), 20);  // column 5 row 2 lies 41 - 19 + 2 words on
  EXPECT_EQ(Word(bytes, gridRecord(1, 0)), 0);
  // The other two grids are empty.
  for (size_t offset = 128 * (3 + kCells); offset < bytes.size(); offset += 4) ASSERT_EQ(Word(bytes, offset), 0);

  LevelImage back;
  back.words.fill(-7);
  ASSERT_TRUE(LoadLevelBytes(bytes, "mine", back).ok);
  for (int c = 0; c < kEditColumns; ++c) {
    for (int r = 0; r < kEditRows; ++r) EXPECT_EQ(back.BlockGrid(c, r), image.BlockGrid(c, r));
  }
  EXPECT_EQ(EncodeLevelFile(back), bytes);

  const LevelSource compiled = CompileLevelSource(LevelSourceText(image, "Моя\nпервая"));
  ASSERT_EQ(compiled.error, "");
  EXPECT_EQ(EncodeLevelFile(compiled.image), bytes);
  TLevelEditor loaded;
  ASSERT_EQ(loaded.Load(compiled.image), "");
  EXPECT_EQ(loaded.Image().words, image.words);
}

TEST(LevelEditor, ALevelThatCannotBeWonSaysWhy) {
  TLevelEditor editor;
  EXPECT_NE(editor.WhyNotPlayable().find("no brick"), std::string::npos);
  editor.Place(3, 3, 4);  // gold alone
  EXPECT_NE(editor.WhyNotPlayable().find("no brick"), std::string::npos);
  // A red brick in a ring of gold.
  for (const auto& [c, r] : {std::pair{3, 4}, {5, 4}, {4, 3}, {4, 5}}) editor.Place(c, r, 4);
  editor.Place(4, 4, 10);
  EXPECT_NE(editor.WhyNotPlayable().find("column 5, row 5 is walled in"), std::string::npos)
      << editor.WhyNotPlayable();
  // A bomb outside the ring, diagonal to the brick, blasts it open.
  editor.Place(5, 5, 20);
  EXPECT_EQ(editor.WhyNotPlayable(), "");
  editor.Undo();
  // In the top-left corner the walls close it in; at the right the gap beside the wall is open.
  TLevelEditor corner;
  corner.Place(0, 0, 10);
  corner.Place(1, 0, 4);
  corner.Place(0, 1, 4);
  EXPECT_NE(corner.WhyNotPlayable().find("walled in"), std::string::npos);
  TLevelEditor right;
  right.Place(15, 0, 10);
  right.Place(14, 0, 4);
  right.Place(15, 1, 4);
  EXPECT_EQ(right.WhyNotPlayable(), "");
}

}  // namespace
}  // namespace zb
