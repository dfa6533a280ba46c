#include "game/StoryLines.h"

#include <array>
#include <charconv>
#include <optional>

#include "engine/FileRead.h"

namespace zb {
namespace {

// Scene, speaker, rows and first-row offset of each line, as the scene timelines and the bubble expect.
constexpr std::array<SpeechLineShape, kSpeechLineCount> kShapes = {{
    {0, false, 5, 60},  // 0: the hunter comes and cages four animals
    {0, true, 3, 85},   // 1
    {0, false, 4, 80},  // 2
    {0, true, 5, 60},   // 3
    {0, false, 6, 60},  // 4
    {0, true, 4, 80},   // 5
    {0, false, 6, 60},  // 6
    {1, false, 5, 60},  // 7: the first key is whole
    {1, true, 1, 110},  // 8
    {1, false, 2, 95},  // 9
    {2, false, 4, 60},  // 10: the panda is free
    {2, true, 3, 85},   // 11
    {2, false, 4, 60},  // 12
    {2, true, 5, 60},   // 13
    {2, false, 3, 90},  // 14
    {3, true, 3, 85},   // 15: the lion is free
    {3, false, 4, 85},  // 16
    {3, true, 3, 85},   // 17
    {3, false, 3, 85},  // 18
    {4, false, 3, 85},  // 19: the begemot is free
    {4, true, 4, 60},   // 20
    {4, false, 2, 85},  // 21
    {4, true, 5, 60},   // 22
    {4, false, 4, 60},  // 23
    {5, false, 4, 60},  // 24: the gorilla is free; the end
    {5, true, 4, 60},   // 25
    {5, false, 3, 60},  // 26
}};

constexpr std::string_view kBlanks = " \t";

bool Blank(std::string_view s) { return s.find_first_not_of(kBlanks) == std::string_view::npos; }

// The text as lines without their end-of-line bytes ("\n" or "\r\n").
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::optional<int> ParseInt(std::string_view s) {
  int value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return std::nullopt;
  return value;
}

struct Header {
  int line = 0, scene = 0, rows = 0, offset = 0;
  bool hunter = false;
};

// Reads "line=N scene=S speaker=monkey|hunter rows=R offset=O"; returns why not, or empty.
std::string ReadHeader(std::string_view text, Header& header) {
  constexpr std::array<std::string_view, 5> kKeys = {"line", "scene", "speaker", "rows", "offset"};
  std::array<bool, kKeys.size()> seen{};
  const std::array<int*, kKeys.size()> numbers = {&header.line, &header.scene, nullptr, &header.rows, &header.offset};
  while (true) {
    const size_t start = text.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) break;
    text.remove_prefix(start);
    const size_t end = text.find_first_of(kBlanks);
    const std::string_view token = text.substr(0, end);
    text.remove_prefix(token.size());
    const size_t eq = token.find('=');
    if (eq == std::string_view::npos) return "\"" + std::string(token) + "\" is not key=value";
    const std::string_view key = token.substr(0, eq), value = token.substr(eq + 1);
    size_t k = 0;
    while (k < kKeys.size() && kKeys[k] != key) ++k;
    if (k == kKeys.size()) return "unknown key \"" + std::string(key) + "\"";
    if (seen[k]) return "\"" + std::string(key) + "\" is given twice";
    seen[k] = true;
    if (!numbers[k]) {  // the speaker
      if (value != "monkey" && value != "hunter") return "the speaker must be monkey or hunter";
      header.hunter = value == "hunter";
      continue;
    }
    const std::optional<int> number = ParseInt(value);
    if (!number) return "\"" + std::string(key) + "\" needs a whole number";
    *numbers[k] = *number;
  }
  for (size_t k = 0; k < kKeys.size(); ++k) {
    if (!seen[k]) return "\"" + std::string(kKeys[k]) + "\" is missing";
  }
  return {};
}

// Why a header does not describe line `index` of the story, or empty.
std::string CheckShape(const Header& header, int index) {
  const SpeechLineShape& shape = kShapes[static_cast<size_t>(index)];
  if (header.line != index) {
    return "line " + std::to_string(index) + " was expected, not " + std::to_string(header.line);
  }
  if (header.scene != shape.scene) return "the line belongs to scene " + std::to_string(shape.scene);
  if (header.hunter != shape.hunter) return std::string("the line is the ") + (shape.hunter ? "hunter's" : "monkey's");
  if (header.rows != shape.rows) return "the line has " + std::to_string(shape.rows) + " rows";
  if (header.offset != shape.firstRowOffset) return "the line's offset is " + std::to_string(shape.firstRowOffset);
  return {};
}

StoryLoadResult Broken(const std::string& name, size_t fileLine, const std::string& why) {
  StoryLoadResult result;
  result.error = "The story file \"" + name + "\" is broken: ";
  if (fileLine > 0) result.error += "line " + std::to_string(fileLine) + " of the file: ";
  result.error += why + ".";
  return result;
}

}  // namespace

const SpeechLineShape* ShapeOfSpeechLine(int line) {
  if (line < 0 || line >= kSpeechLineCount) return nullptr;
  return &kShapes[static_cast<size_t>(line)];
}

StoryLoadResult ParseStoryLines(std::string_view text, const std::string& name) {
  const std::vector<std::string_view> fileLines = SplitLines(text);
  std::vector<TSpeechLine> lines;
  size_t at = 0;
  auto skipComments = [&] {
    while (at < fileLines.size() && (Blank(fileLines[at]) || fileLines[at].front() == '#')) ++at;
  };
  for (int index = 0; index < kSpeechLineCount; ++index) {
    skipComments();
    if (at == fileLines.size()) {
      return Broken(name, 0,
                    "it holds " + std::to_string(index) + " of the " + std::to_string(kSpeechLineCount) + " lines");
    }
    Header header;
    std::string why = ReadHeader(fileLines[at], header);
    if (!why.empty()) {
      return Broken(name, at + 1, "the header of line " + std::to_string(index) + " does not read: " + why);
    }
    why = CheckShape(header, index);
    if (!why.empty()) return Broken(name, at + 1, why);
    ++at;
    TSpeechLine line{header.scene, header.hunter, header.offset, {}};
    for (int r = 0; r < header.rows; ++r, ++at) {
      if (at == fileLines.size()) return Broken(name, at, "the file ends inside line " + std::to_string(index));
      const std::string_view row = fileLines[at];
      if (Blank(row)) {
        return Broken(name, at + 1, "row " + std::to_string(r) + " of line " + std::to_string(index) + " is empty");
      }
      // A header where a row belongs: the line is shorter than its header says.
      if (row.starts_with("line=")) {
        return Broken(name, at + 1,
                      "line " + std::to_string(index) + " has only " + std::to_string(r) + " of its " +
                          std::to_string(header.rows) + " rows");
      }
      line.Rows.emplace_back(row);
    }
    lines.push_back(std::move(line));
  }
  skipComments();
  if (at < fileLines.size()) {
    return Broken(name, at + 1, "more text follows the last of the " + std::to_string(kSpeechLineCount) + " lines");
  }
  return {true, {}, std::move(lines)};
}

namespace {
// The 27 lines take a few kilobytes.
constexpr size_t kMaxStoryFileBytes = size_t{1} << 20;
}  // namespace

StoryLoadResult LoadStoryLines(const std::filesystem::path& path) {
  const FileReadResult file = ReadFileText(path, kMaxStoryFileBytes);
  if (!file.ok) return {false, "The story file " + file.error + ".", {}};
  return ParseStoryLines(file.bytes, path.generic_string());
}

std::string FormatStoryLines(const std::vector<TSpeechLine>& lines) {
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    const TSpeechLine& line = lines[i];
    out += "line=" + std::to_string(i) + " scene=" + std::to_string(line.Scene) +
           " speaker=" + (line.Hunter ? "hunter" : "monkey") + " rows=" + std::to_string(line.Rows.size()) +
           " offset=" + std::to_string(line.FirstRowOffset) + "\n";
    for (const std::string& row : line.Rows) out += row + "\n";
  }
  return out;
}

}  // namespace zb
