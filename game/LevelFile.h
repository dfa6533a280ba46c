#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace zb {

// The level image: header words, three 41 x 41 grids and the spill words of the last windows.
inline constexpr int kLevelImageWords = 5080;
inline constexpr int kLevelGridSize = 41;
inline constexpr int kLevelRecordWords = 32;
inline constexpr int kLevelRecordBytes = kLevelRecordWords * 4;
inline constexpr int kBlockGridWord = 6;
inline constexpr int kLevelGridBWord = 1687;
inline constexpr int kLevelGridCWord = 3368;

struct LevelImage {
  std::array<int32_t, kLevelImageWords> words{};

  int32_t LastColumn() const { return words[0]; }
  int32_t LastRow() const { return words[1]; }
  int32_t OffsetX() const { return words[2]; }
  int32_t OffsetY() const { return words[3]; }
  int32_t LevelWord4() const { return words[4]; }
  static constexpr int CellWord(int gridStart, int column, int row) {
    return gridStart + kLevelGridSize * column + row;
  }
  int32_t BlockGrid(int column, int row) const { return words[CellWord(kBlockGridWord, column, row)]; }
};

struct LevelLoadResult {
  bool ok = false;
  std::string error;  // names the file and what is wrong with it
};

// "Data/data" followed by the level number for levels 1..25; empty for any other number.
std::string LevelFileName(int levelNumber);

// Reads a level file of 128-byte windows into `image`, which keeps whatever a short file
// does not cover. Refused, leaving the image as it was: a file that cannot be read, one without
// its three header records, a LastColumn or LastRow below 0 or above 40 (its windows would land
// outside the image), and a level that could never be cleared (no brick that counts, or such a
// brick outside the playfield).
LevelLoadResult LoadLevelFile(const std::filesystem::path& path, LevelImage& image);
LevelLoadResult LoadLevelBytes(std::span<const uint8_t> bytes, const std::string& name, LevelImage& image);

// Whether a level can be cleared: it needs a brick that counts, every such brick inside the
// playfield and none walled in by gold (a blast of a bomb the ball reaches opens the way too).
struct TWinCheck {
  enum class Fault : uint8_t { None, NoBrick, Outside, WalledIn };
  Fault Why = Fault::None;
  int Column = 0;  // the first brick at fault, for Outside and WalledIn
  int Row = 0;
  bool Winnable() const { return Why == Fault::None; }
};
TWinCheck CheckWinnable(const LevelImage& image);
// The same in words; empty when it can be cleared.
std::string WhyUnwinnable(const LevelImage& image);

// The file bytes of a consistent image: each record holds the 32 image words from its destination.
// Empty for an image whose grid is larger than 41 x 41.
std::vector<uint8_t> EncodeLevelFile(const LevelImage& image);

}  // namespace zb
