#include "game/LevelFile.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "engine/FileRead.h"
#include "game/BallRules.h"
#include "game/BlockRules.h"

namespace zb {
namespace {

constexpr int kGridStarts[] = {kBlockGridWord, kLevelGridBWord, kLevelGridCWord};
constexpr int kHeaderDestinations[] = {0, 4, 2};

int32_t ReadWordLe(const uint8_t* p) {
  return static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24);
}

void CopyWindow(const uint8_t* record, LevelImage& image, int destination) {
  for (int i = 0; i < kLevelRecordWords; ++i) image.words[destination + i] = ReadWordLe(record + 4 * i);
}

std::string Broken(const std::string& name, const std::string& why) {
  return "The level file \"" + name + "\" is broken: " + why;
}

// A complete 41 x 41 level is 645,888 bytes; a file far larger is no level file.
constexpr size_t kMaxLevelFileBytes = size_t{1} << 20;
constexpr float kBrickWidth = 37.0f;
constexpr float kBrickHeight = 20.0f;

// Which grid values stand for a brick of a kind with a property (one that counts, a bomb). The kind
// table is searched once for the small values every level uses, not once a cell: a 41 x 41 grid
// would search it 1,681 times a load.
class TKindCells {
 public:
  using Property = bool (*)(const TBlockKind&);
  explicit TKindCells(Property property) : property_(property) {
    for (int32_t v = 1; v <= kTabled; ++v) table_[static_cast<size_t>(v)] = Search(v);
  }
  bool operator()(int32_t value) const {
    if (value <= 0) return false;
    return value <= kTabled ? table_[static_cast<size_t>(value)] : Search(value);
  }

 private:
  static constexpr int32_t kTabled = 64;
  bool Search(int32_t value) const {
    const auto kind = FindBlockKind(value - 1);
    return kind && property_(*kind);
  }
  Property property_;
  std::array<bool, kTabled + 1> table_{};
};

constexpr int32_t kGoldCell = kGoldKind + 1;
// The smallest ball; a gap narrower than it lets no ball through.
constexpr float kBallSize = 12.0f;
// Where the first ball rides the bat.
constexpr float kServeX = 480.0f;
constexpr float kServeY = 518.0f;

float CellX(const LevelImage& image, int column) {
  return static_cast<float>(kLeftWall) + static_cast<float>(image.OffsetX()) + kBrickWidth * static_cast<float>(column);
}
float CellY(const LevelImage& image, int row) {
  return static_cast<float>(image.OffsetY()) + kBrickHeight * static_cast<float>(row);
}

// Whether a ball fits in the place of a cell: its rectangle, cut to the playfield, still holds one.
bool Room(const LevelImage& image, int column, int row) {
  const float left = std::max(CellX(image, column), static_cast<float>(kLeftWall));
  const float right = std::min(CellX(image, column) + kBrickWidth, static_cast<float>(kRightWall));
  const float top = std::max(CellY(image, row), 0.0f);
  const float bottom = std::min(CellY(image, row) + kBrickHeight, static_cast<float>(kLossY));
  return right - left >= kBallSize && bottom - top >= kBallSize;
}

// Which cells a ball can reach. It starts from the open playfield around the grid and from where it
// is served, touches every cell beside one it can be in, and passes through every cell but gold
// (a brick in the way breaks first) that lies in the playfield; a blast of a bomb it breaks reaches
// the eight cells around, which open in turn. A brick walled in by gold is reached by neither.
// Bytes, not bits: the search reads and writes a cell at every step.
std::vector<uint8_t> ReachedCells(const LevelImage& image) {
  static const TKindCells bombCell([](const TBlockKind& kind) { return kind.Bomb; });
  const int columns = image.LastColumn() + 1;
  const int rows = image.LastRow() + 1;
  std::vector<uint8_t> reached(static_cast<size_t>(columns) * static_cast<size_t>(rows), 0);
  auto inside = [&](int c, int r) { return c >= 0 && r >= 0 && c < columns && r < rows; };
  auto at = [&](int c, int r) { return static_cast<size_t>(c) * static_cast<size_t>(rows) + static_cast<size_t>(r); };
  // Each cell's way is looked at once; the search asks again and again.
  std::vector<uint8_t> passes(reached.size());
  for (int c = 0; c < columns; ++c) {
    for (int r = 0; r < rows; ++r) passes[at(c, r)] = image.BlockGrid(c, r) != kGoldCell && Room(image, c, r);
  }
  auto passable = [&](int c, int r) { return passes[at(c, r)] != 0; };
  std::vector<std::pair<int, int>> queue;
  queue.reserve(reached.size());
  auto reach = [&](int c, int r) {
    if (!inside(c, r) || reached[at(c, r)]) return;
    reached[at(c, r)] = 1;
    queue.emplace_back(c, r);
  };
  constexpr int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  // Only the grid's edge cells have the open playfield beside them.
  for (int c = 0; c < columns; ++c) {
    const bool edgeColumn = c == 0 || c == columns - 1;
    for (int r = 0; r < rows; r += edgeColumn || r == rows - 1 ? 1 : rows - 1 - r) {
      if (!passable(c, r)) continue;
      for (const auto& step : kSteps) {
        if (!inside(c + step[0], r + step[1]) && Room(image, c + step[0], r + step[1])) reach(c, r);
      }
    }
  }
  // The serve, for a grid that covers the whole playfield.
  const auto serveColumn = static_cast<int>(std::floor((kServeX - CellX(image, 0)) / kBrickWidth));
  const auto serveRow = static_cast<int>(std::floor((kServeY - CellY(image, 0)) / kBrickHeight));
  if (inside(serveColumn, serveRow) && passable(serveColumn, serveRow)) reach(serveColumn, serveRow);
  for (size_t next = 0; next < queue.size(); ++next) {
    const auto [c, r] = queue[next];
    if (!passable(c, r)) continue;  // touched, but it closes the way
    for (const auto& step : kSteps) reach(c + step[0], r + step[1]);
    if (bombCell(image.BlockGrid(c, r))) {
      for (int dc = -1; dc <= 1; ++dc) {
        for (int dr = -1; dr <= 1; ++dr) reach(c + dc, r + dr);
      }
    }
  }
  return reached;
}

}  // namespace

TWinCheck CheckWinnable(const LevelImage& image) {
  using Fault = TWinCheck::Fault;
  static const TKindCells countedCell([](const TBlockKind& kind) { return kind.Counted; });
  if (image.LastColumn() < 0 || image.LastRow() < 0 || image.LastColumn() >= kLevelGridSize ||
      image.LastRow() >= kLevelGridSize) {
    return {Fault::NoBrick};
  }
  int counted = 0;
  for (int column = 0; column <= image.LastColumn(); ++column) {
    // A column's cells lie one after another.
    const int32_t* cells = image.words.data() + LevelImage::CellWord(kBlockGridWord, column, 0);
    for (int row = 0; row <= image.LastRow(); ++row) {
      if (!countedCell(cells[row])) continue;
      ++counted;
      const float x = CellX(image, column);
      const float y = CellY(image, row);
      if (x + kBrickWidth <= kLeftWall || x >= kRightWall || y + kBrickHeight <= 0.0f || y >= kLossY) {
        return {Fault::Outside, column, row};
      }
    }
  }
  if (counted == 0) return {Fault::NoBrick};
  const std::vector<uint8_t> reached = ReachedCells(image);
  const auto rows = static_cast<size_t>(image.LastRow() + 1);
  for (int column = 0; column <= image.LastColumn(); ++column) {
    for (int row = 0; row <= image.LastRow(); ++row) {
      if (countedCell(image.BlockGrid(column, row)) &&
          !reached[static_cast<size_t>(column) * rows + static_cast<size_t>(row)]) {
        return {Fault::WalledIn, column, row};
      }
    }
  }
  return {};
}

std::string WhyUnwinnable(const LevelImage& image) {
  const TWinCheck check = CheckWinnable(image);
  const std::string brick =
      "the brick in column " + std::to_string(check.Column + 1) + ", row " + std::to_string(check.Row + 1);
  switch (check.Why) {
    case TWinCheck::Fault::None: return {};
    case TWinCheck::Fault::NoBrick: return "it has no brick to break.";
    case TWinCheck::Fault::Outside: return brick + " stands outside the playfield.";
    case TWinCheck::Fault::WalledIn: return brick + " is walled in by gold.";
  }
  return {};
}


std::string LevelFileName(int levelNumber) {
  if (levelNumber < 1 || levelNumber > 25) return {};
  return "Data/data" + std::to_string(levelNumber);
}

LevelLoadResult LoadLevelBytes(std::span<const uint8_t> bytes, const std::string& name, LevelImage& image) {
  // Only whole records count: a trailing piece shorter than a record is the end of the file.
  const size_t records = bytes.size() / kLevelRecordBytes;
  if (records < 3) return {false, Broken(name, "it is shorter than its three header records.")};
  const uint8_t* data = bytes.data();
  // Checked before anything touches the image.
  const int32_t lastColumn = ReadWordLe(data);
  const int32_t lastRow = ReadWordLe(data + 4);
  if (lastColumn > kLevelGridSize - 1 || lastRow > kLevelGridSize - 1) {
    return {false, Broken(name, "its grid is larger than 41 x 41.")};
  }
  if (lastColumn < 0 || lastRow < 0) return {false, Broken(name, "its grid size is negative.")};
  // Read into a copy, so that a level refused below leaves the image as it was.
  LevelImage loaded = image;
  for (int i = 0; i < 3; ++i) CopyWindow(data + i * kLevelRecordBytes, loaded, kHeaderDestinations[i]);

  size_t next = 3;
  for (int gridStart : kGridStarts) {
    for (int row = 0; row <= lastRow; ++row) {
      for (int column = 0; column <= lastColumn; ++column) {
        if (next >= records) continue;  // a short grid keeps the previous level's cells
        CopyWindow(data + next * kLevelRecordBytes, loaded, LevelImage::CellWord(gridStart, column, row));
        ++next;
      }
    }
  }
  if (const std::string why = WhyUnwinnable(loaded); !why.empty()) return {false, Broken(name, why)};
  image = loaded;
  return {true, {}};
}

LevelLoadResult LoadLevelFile(const std::filesystem::path& path, LevelImage& image) {
  const FileReadResult file = ReadFileText(path, kMaxLevelFileBytes);
  if (!file.ok) return {false, "The level file " + file.error + "."};
  const auto* data = reinterpret_cast<const uint8_t*>(file.bytes.data());
  return LoadLevelBytes(std::span<const uint8_t>(data, file.bytes.size()), path.generic_string(), image);
}

std::vector<uint8_t> EncodeLevelFile(const LevelImage& image) {
  std::vector<uint8_t> out;
  if (image.LastColumn() > kLevelGridSize - 1 || image.LastRow() > kLevelGridSize - 1) return out;
  const size_t cells = image.LastColumn() < 0 || image.LastRow() < 0
                           ? 0
                           : static_cast<size_t>(image.LastColumn() + 1) * static_cast<size_t>(image.LastRow() + 1);
  out.resize(kLevelRecordBytes * (3 + 3 * cells));
  uint8_t* at = out.data();
  auto window = [&](int destination) {
    for (int i = 0; i < kLevelRecordWords; ++i) {
      const auto v = static_cast<uint32_t>(image.words[destination + i]);
      *at++ = static_cast<uint8_t>(v);
      *at++ = static_cast<uint8_t>(v >> 8);
      *at++ = static_cast<uint8_t>(v >> 16);
      *at++ = static_cast<uint8_t>(v >> 24);
    }
  };
  for (int destination : kHeaderDestinations) window(destination);
  for (int gridStart : kGridStarts) {
    for (int row = 0; row <= image.LastRow(); ++row) {
      for (int column = 0; column <= image.LastColumn(); ++column) {
        window(LevelImage::CellWord(gridStart, column, row));
      }
    }
  }
  return out;
}

}  // namespace zb
