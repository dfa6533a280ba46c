#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zb {

inline constexpr int kSpeechLineCount = 27;
// Rows of a line are this many pixels apart in the bubble.
inline constexpr int kSpeechRowStep = 25;

// One line of the story's dialogue: who says it, in which scene, and its rows (CP1251 bytes),
// row r drawn at bubble Y + FirstRowOffset + kSpeechRowStep x r.
struct TSpeechLine {
  int Scene = 0;
  bool Hunter = false;  // false: the monkey speaks
  int FirstRowOffset = 0;
  std::vector<std::string> Rows;
};

// What the scenes' timelines expect of line N; fixed content of the game.
struct SpeechLineShape {
  int scene = 0;
  bool hunter = false;
  int rows = 0;
  int firstRowOffset = 0;
};

// The shape of line 0..26; nullptr for any other number.
const SpeechLineShape* ShapeOfSpeechLine(int line);

struct StoryLoadResult {
  bool ok = false;
  std::string error;               // names the file, the place and what is wrong
  std::vector<TSpeechLine> lines;  // all 27 lines when ok, empty otherwise
};

// The story file in the game folder, CP1251 text.
inline constexpr const char* kStoryFileName = "Data/story.txt";

// The file holds the lines in order, each a header
//   line=N scene=S speaker=monkey|hunter rows=R offset=O
// followed by exactly R non-blank rows. Blank lines and lines starting with '#' may stand between
// lines. A line that does not have the shape of ShapeOfSpeechLine, a missing or extra line or an
// empty row is refused.
StoryLoadResult ParseStoryLines(std::string_view text, const std::string& name);
StoryLoadResult LoadStoryLines(const std::filesystem::path& path);

// The lines in the file's form without comments: what the build writes and `zbtool story` prints.
std::string FormatStoryLines(const std::vector<TSpeechLine>& lines);

}  // namespace zb
