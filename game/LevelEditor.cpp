#include "game/LevelEditor.h"

#include <algorithm>

#include "game/BlockRules.h"

namespace zb {
namespace {

bool OnGrid(int column, int row) { return column >= 0 && row >= 0 && column < kEditColumns && row < kEditRows; }
size_t Index(int column, int row) { return static_cast<size_t>(column * kEditRows + row); }

}  // namespace

std::optional<TEditCell> CellAt(int x, int y) {
  if (x < kEditLeft || y < kEditTop) return std::nullopt;
  const int column = (x - kEditLeft) / kEditCellWidth;
  const int row = (y - kEditTop) / kEditCellHeight;
  if (!OnGrid(column, row)) return std::nullopt;
  return TEditCell{column, row};
}

int32_t TLevelEditor::Cell(int column, int row) const { return OnGrid(column, row) ? cells_[Index(column, row)] : 0; }

bool TLevelEditor::Set(int column, int row, int32_t value, TStep& step) {
  if (!OnGrid(column, row)) return false;
  int32_t& cell = cells_[Index(column, row)];
  if (cell == value) return false;
  step.push_back({column, row, cell, value});
  cell = value;
  return true;
}

bool TLevelEditor::Place(int column, int row, int32_t value) {
  if (stroking_) return Paint(column, row, value);
  TStep step;
  if (!Set(column, row, value, step)) return false;
  undo_.push_back(std::move(step));
  redo_.clear();
  return true;
}

void TLevelEditor::BeginStroke() {
  EndStroke();
  stroking_ = true;
}

bool TLevelEditor::Paint(int column, int row, int32_t value) {
  if (!stroking_) return Place(column, row, value);
  return Set(column, row, value, stroke_);
}

void TLevelEditor::EndStroke() {
  stroking_ = false;
  if (stroke_.empty()) return;
  undo_.push_back(std::move(stroke_));
  stroke_.clear();
  redo_.clear();
}

bool TLevelEditor::Undo() {
  EndStroke();
  if (undo_.empty()) return false;
  TStep step = std::move(undo_.back());
  undo_.pop_back();
  // Backwards: a stroke that passed a cell twice gives it back its first value.
  for (auto change = step.rbegin(); change != step.rend(); ++change) {
    cells_[Index(change->Column, change->Row)] = change->Before;
  }
  redo_.push_back(std::move(step));
  return true;
}

bool TLevelEditor::Redo() {
  EndStroke();
  if (redo_.empty()) return false;
  TStep step = std::move(redo_.back());
  redo_.pop_back();
  for (const TChange& change : step) cells_[Index(change.Column, change.Row)] = change.After;
  undo_.push_back(std::move(step));
  return true;
}

void TLevelEditor::Clear() {
  cells_.fill(0);
  undo_.clear();
  redo_.clear();
  stroke_.clear();
  stroking_ = false;
}

int TLevelEditor::CountedBricks() const {
  return static_cast<int>(std::ranges::count_if(cells_, [](int32_t value) {
    const auto kind = value > 0 ? FindBlockKind(value - 1) : std::nullopt;
    return kind && kind->Counted;
  }));
}

LevelImage TLevelEditor::Image() const {
  LevelImage image;
  image.words[0] = kEditColumns - 1;
  image.words[1] = kEditRows - 1;
  image.words[2] = kEditLeft - 172;
  image.words[3] = kEditTop;
  for (int c = 0; c < kEditColumns; ++c) {
    for (int r = 0; r < kEditRows; ++r) {
      image.words[LevelImage::CellWord(kBlockGridWord, c, r)] = cells_[Index(c, r)];
    }
  }
  return image;
}

std::string TLevelEditor::Load(const LevelImage& image) {
  if (image.OffsetX() != kEditLeft - 172 || image.OffsetY() != kEditTop) {
    return "its bricks do not lie on the editor's grid.";
  }
  if (image.LastColumn() >= kEditColumns || image.LastRow() >= kEditRows) return "it is larger than the editor's grid.";
  Clear();
  for (int c = 0; c <= image.LastColumn(); ++c) {
    for (int r = 0; r <= image.LastRow(); ++r) cells_[Index(c, r)] = std::max(image.BlockGrid(c, r), 0);
  }
  return {};
}

void TLevelEditor::MoveCursor(int dx, int dy) {
  Cursor.Column = std::clamp(Cursor.Column + dx, 0, kEditColumns - 1);
  Cursor.Row = std::clamp(Cursor.Row + dy, 0, kEditRows - 1);
}

}  // namespace zb
