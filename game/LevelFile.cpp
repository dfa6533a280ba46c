#include "game/LevelFile.h"

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

// Which grid values stand for a brick that counts. The kind table is searched once for the small
// values every level uses, not once a cell: a 41 x 41 grid would search it 1,681 times a load.
class TCountedCells {
 public:
  TCountedCells() {
    for (int32_t v = 1; v <= kTabled; ++v) table_[static_cast<size_t>(v)] = Search(v);
  }
  bool operator()(int32_t value) const {
    if (value <= 0) return false;
    return value <= kTabled ? table_[static_cast<size_t>(value)] : Search(value);
  }

 private:
  static constexpr int32_t kTabled = 64;
  static bool Search(int32_t value) {
    const auto kind = FindBlockKind(value - 1);
    return kind && kind->Counted;
  }
  std::array<bool, kTabled + 1> table_{};
};

// Why the loaded level could never be cleared, or empty when it can: it needs a brick that
// counts, and every such brick must stand where a ball can reach it.
std::string Unwinnable(const LevelImage& image) {
  static const TCountedCells countedCell;
  int counted = 0;
  for (int column = 0; column <= image.LastColumn(); ++column) {
    // A column's cells lie one after another.
    const int32_t* cells = image.words.data() + LevelImage::CellWord(kBlockGridWord, column, 0);
    for (int row = 0; row <= image.LastRow(); ++row) {
      if (!countedCell(cells[row])) continue;
      ++counted;
      const float x = 172.0f + static_cast<float>(image.OffsetX()) + kBrickWidth * static_cast<float>(column);
      const float y = static_cast<float>(image.OffsetY()) + kBrickHeight * static_cast<float>(row);
      if (x + kBrickWidth <= kLeftWall || x >= kRightWall || y + kBrickHeight <= 0.0f || y >= kLossY) {
        return "the brick in column " + std::to_string(column) + ", row " + std::to_string(row) +
               " stands outside the playfield.";
      }
    }
  }
  return counted == 0 ? "it has no brick to break." : std::string();
}

}  // namespace

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
  if (const std::string why = Unwinnable(loaded); !why.empty()) return {false, Broken(name, why)};
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
