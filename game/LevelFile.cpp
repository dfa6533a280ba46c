#include "game/LevelFile.h"

#include <fstream>
#include <iterator>

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

}  // namespace

std::string LevelFileName(int levelNumber) {
  if (levelNumber < 1 || levelNumber > 25) return {};
  return "Data/data" + std::to_string(levelNumber);
}

LevelLoadResult LoadLevelBytes(const std::vector<uint8_t>& bytes, const std::string& name, LevelImage& image) {
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
  for (int i = 0; i < 3; ++i) CopyWindow(data + i * kLevelRecordBytes, image, kHeaderDestinations[i]);

  size_t next = 3;
  for (int gridStart : kGridStarts) {
    for (int row = 0; row <= lastRow; ++row) {
      for (int column = 0; column <= lastColumn; ++column) {
        if (next >= records) continue;  // a short grid keeps the previous level's cells
        CopyWindow(data + next * kLevelRecordBytes, image, LevelImage::CellWord(gridStart, column, row));
        ++next;
      }
    }
  }
  return {true, {}};
}

LevelLoadResult LoadLevelFile(const std::filesystem::path& path, LevelImage& image) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {false, "The level file \"" + path.generic_string() + "\" cannot be opened."};
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return {false, "The level file \"" + path.generic_string() + "\" cannot be read."};
  return LoadLevelBytes(bytes, path.generic_string(), image);
}

std::vector<uint8_t> EncodeLevelFile(const LevelImage& image) {
  std::vector<uint8_t> out;
  if (image.LastColumn() > kLevelGridSize - 1 || image.LastRow() > kLevelGridSize - 1) return out;
  auto window = [&](int destination) {
    for (int i = 0; i < kLevelRecordWords; ++i) {
      const auto v = static_cast<uint32_t>(image.words[destination + i]);
      out.insert(out.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                             static_cast<uint8_t>(v >> 24)});
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
