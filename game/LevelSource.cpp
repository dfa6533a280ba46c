#include "game/LevelSource.h"

#include <sstream>
#include <vector>

namespace zb {
namespace {

constexpr int kLeftWall = 172;
constexpr int kRightWall = 800;
constexpr int kCellWidth = 37;
constexpr int kCellHeight = 20;
constexpr int kLowestBrickBottom = 420;  // well above the bat at y 530

std::string Trim(std::string_view s) {
  const size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string_view::npos) return {};
  const size_t e = s.find_last_not_of(" \t\r");
  return std::string(s.substr(b, e - b + 1));
}

}  // namespace

int GridValueForCell(char c) {
  switch (c) {
    case '.': return 0;
    case 'c': return 2;   // kind 1, cracks once
    case 's': return 3;   // kind 2, wears down in four steps
    case '#': return 4;   // kind 3, gold
    case 'r': return 10;  // kinds 9..14: red, green, blue, yellow, brown, magenta
    case 'g': return 11;
    case 'b': return 12;
    case 'y': return 13;
    case 'o': return 14;
    case 'm': return 15;
    case 'R': return 20;  // kinds 19..24: the same colours carrying a bomb
    case 'G': return 21;
    case 'B': return 22;
    case 'Y': return 23;
    case 'O': return 24;
    case 'M': return 25;
    default: return -1;
  }
}

char CellForGridValue(int value) {
  static constexpr std::string_view kLegend = ".csrgbyomRGBYOM#";
  for (const char c : kLegend) {
    if (value > 0 && GridValueForCell(c) == value) return c;
  }
  return '.';
}

std::string LevelSourceText(const LevelImage& image, std::string_view title) {
  std::string text = "title ";
  for (const char c : title) text += c == '\n' || c == '\r' ? ' ' : c;
  text += "\noffset " + std::to_string(image.OffsetX()) + " " + std::to_string(image.OffsetY()) + "\ngrid\n";
  for (int r = 0; r <= image.LastRow() && r < kLevelGridSize; ++r) {
    for (int c = 0; c <= image.LastColumn() && c < kLevelGridSize; ++c) text += CellForGridValue(image.BlockGrid(c, r));
    text += '\n';
  }
  return text;
}

LevelSource CompileLevelSource(std::string_view text) {
  LevelSource out;
  std::istringstream in{std::string(text)};
  std::string line;
  int lineNumber = 0;
  bool haveOffset = false;
  bool inGrid = false;
  int offsetX = 0;
  int offsetY = 0;
  std::vector<std::string> rows;
  auto fail = [&](const std::string& why) {
    out.error = "line " + std::to_string(lineNumber) + ": " + why;
    return out;
  };
  while (std::getline(in, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (inGrid) {
      const std::string row = Trim(line);
      if (row.empty()) continue;
      for (char c : row) {
        if (GridValueForCell(c) < 0) return fail(std::string("unknown cell character '") + c + "'");
      }
      rows.push_back(row);
      continue;
    }
    const std::string t = Trim(line);
    if (t.empty() || t[0] == '#') continue;
    std::istringstream words(t);
    std::string keyword;
    words >> keyword;
    if (keyword == "offset") {
      if (!(words >> offsetX >> offsetY)) return fail("\"offset\" needs two numbers");
      haveOffset = true;
    } else if (keyword == "grid") {
      inGrid = true;
    } else if (keyword == "title") {
      // Only for the reader of the source.
    } else {
      return fail("unknown line \"" + keyword + "\"");
    }
  }
  if (!haveOffset) return fail("no \"offset\" line");
  if (rows.empty()) return fail("no grid rows");
  size_t columns = 0;
  for (const auto& row : rows) columns = std::max(columns, row.size());
  if (columns > static_cast<size_t>(kLevelGridSize) || rows.size() > static_cast<size_t>(kLevelGridSize)) {
    return fail("the grid is larger than 41 x 41");
  }
  if (offsetX < 0 || kLeftWall + offsetX + kCellWidth * static_cast<int>(columns) > kRightWall) {
    return fail("the bricks do not fit between the walls (x 172..800)");
  }
  if (offsetY < 0 || offsetY + kCellHeight * static_cast<int>(rows.size()) > kLowestBrickBottom) {
    return fail("the bricks come too close to the bat");
  }
  LevelImage& image = out.image;
  image.words[0] = static_cast<int32_t>(columns) - 1;
  image.words[1] = static_cast<int32_t>(rows.size()) - 1;
  image.words[2] = offsetX;
  image.words[3] = offsetY;
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      image.words[LevelImage::CellWord(kBlockGridWord, static_cast<int>(c), static_cast<int>(r))] =
          GridValueForCell(rows[r][c]);
    }
  }
  return out;
}

}  // namespace zb
