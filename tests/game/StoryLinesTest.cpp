#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/StoryLines.h"

namespace zb {
namespace {

// A story of the right shape whose rows say where they are; row 0 of line 3 carries CP1251 letters.
std::vector<TSpeechLine> ShapedLines() {
  std::vector<TSpeechLine> lines;
  for (int i = 0; i < kSpeechLineCount; ++i) {
    const SpeechLineShape& shape = *ShapeOfSpeechLine(i);
    TSpeechLine line{shape.scene, shape.hunter, shape.firstRowOffset, {}};
    for (int r = 0; r < shape.rows; ++r) line.Rows.push_back("row " + std::to_string(r) + " of " + std::to_string(i));
    lines.push_back(std::move(line));
  }
  lines[3].Rows[0] = "\xCF\xF0\xE8\xE2\xE5\xF2! #$FF00FF00";
  return lines;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

void ExpectRefused(const std::string& text, const std::string& reason) {
  const StoryLoadResult result = ParseStoryLines(text, "Data/story.txt");
  EXPECT_FALSE(result.ok) << reason;
  EXPECT_TRUE(result.lines.empty()) << reason;
  EXPECT_NE(result.error.find("\"Data/story.txt\""), std::string::npos) << result.error;
  EXPECT_NE(result.error.find(reason), std::string::npos) << result.error;
}

TEST(StoryLines, FormattedLinesReadBackWithCommentsBlankLinesAndCrlfBetweenThem) {
  const std::vector<TSpeechLine> lines = ShapedLines();
  const std::string text = FormatStoryLines(lines);
  std::string decorated = "# the story\r\n\r\n" + Replace(text, "line=1 ", "\n  \n# next\nline=1 ");
  decorated = Replace(decorated, "row 0 of 1\n", "row 0 of 1\r\n");
  decorated += "\n# end\n";
  for (const std::string& input : {text, decorated}) {
    const StoryLoadResult result = ParseStoryLines(input, "story");
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.lines.size(), lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(result.lines[i].Scene, lines[i].Scene) << i;
      EXPECT_EQ(result.lines[i].Hunter, lines[i].Hunter) << i;
      EXPECT_EQ(result.lines[i].FirstRowOffset, lines[i].FirstRowOffset) << i;
      EXPECT_EQ(result.lines[i].Rows, lines[i].Rows) << i;
    }
    EXPECT_EQ(FormatStoryLines(result.lines), text);
  }
  // Keys may come in any order; a row that begins like a comment is still a row.
  const std::string reordered = Replace(Replace(text, "line=2 scene=0 speaker=monkey rows=4 offset=80",
                                                "offset=80 rows=4 speaker=monkey "
                                                "scene=0 line=2"),
                                        "row 1 of 2", "# row 1 of 2");
  const StoryLoadResult result = ParseStoryLines(reordered, "story");
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.lines[2].Rows[1], "# row 1 of 2");
}

TEST(StoryLines, MissingExtraOrMisshapenLinesAreRefused) {
  const std::string text = FormatStoryLines(ShapedLines());
  ExpectRefused("", "it holds 0 of the 27 lines");
  ExpectRefused(text.substr(0, text.find("line=26 ")), "it holds 26 of the 27 lines");
  ExpectRefused(text + "line=27 scene=5 speaker=monkey rows=1 offset=60\nmore\n", "more text follows");
  ExpectRefused(text + "stray words\n", "more text follows");
  // Lines out of order or of another shape than the scenes expect.
  ExpectRefused(Replace(text, "line=4 ", "line=5 "), "line 4 was expected, not 5");
  ExpectRefused(Replace(text, "line=7 scene=1 ", "line=7 scene=2 "), "belongs to scene 1");
  ExpectRefused(Replace(text, "line=8 scene=1 speaker=hunter", "line=8 scene=1 speaker=monkey"), "hunter's");
  ExpectRefused(Replace(text, "offset=110", "offset=60"), "offset is 110");
  // Headers that do not read.
  ExpectRefused(Replace(text, "speaker=hunter", "speaker=parrot"), "monkey or hunter");
  ExpectRefused(Replace(text, "rows=3 offset=85", "rows=three offset=85"), "whole number");
  ExpectRefused(Replace(text, " offset=60\n", " offset=60 offset=60\n"), "given twice");
  ExpectRefused(Replace(text, " offset=60\n", " colour=5 offset=60\n"), "unknown key");
  ExpectRefused(Replace(text, " offset=60\n", "\n"), "\"offset\" is missing");
  ExpectRefused(Replace(text, "line=0 ", "line 0 "), "is not key=value");
}

TEST(StoryLines, RowCountsThatDifferFromTheScenesAndEmptyRowsAreRefused) {
  const std::string text = FormatStoryLines(ShapedLines());
  // The header agrees with the rows but not with the scene: line 1 holds three rows.
  ExpectRefused(Replace(Replace(text, "rows=3 offset=85", "rows=2 offset=85"), "row 2 of 1\n", ""),
                "the line has 3 rows");
  // The header is right but a row is missing or one too many.
  ExpectRefused(Replace(text, "row 4 of 0\n", ""), "line 0 has only 4 of its 5 rows");
  ExpectRefused(Replace(text, "row 2 of 1\n", "row 2 of 1\nrow 3 of 1\n"),
                "header of line 2 does not read: \"row\" is not key=value");
  ExpectRefused(text.substr(0, text.size() - std::string("row 2 of 26\n").size()), "file ends inside line 26");
  // Empty or blank rows, also at the very end of the file.
  ExpectRefused(Replace(text, "row 1 of 5\n", "\n"), "row 1 of line 5 is empty");
  ExpectRefused(Replace(text, "row 0 of 8\n", " \t\r\n"), "row 0 of line 8 is empty");
  ExpectRefused(Replace(text, "row 2 of 26\n", "\n"), "row 2 of line 26 is empty");
}

TEST(StoryLines, TheFileIsReadAsItsBytesAndAMissingFileIsAnError) {
  const auto folder = std::filesystem::temp_directory_path() / "zb-story-lines-test";
  std::filesystem::create_directories(folder);
  const std::string text = FormatStoryLines(ShapedLines());
  { std::ofstream(folder / "story.txt", std::ios::binary) << text; }
  const StoryLoadResult loaded = LoadStoryLines(folder / "story.txt");
  ASSERT_TRUE(loaded.ok) << loaded.error;
  EXPECT_EQ(loaded.lines[3].Rows[0], ShapedLines()[3].Rows[0]);

  const StoryLoadResult missing = LoadStoryLines(folder / "none.txt");
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.find("none.txt\" cannot be opened"), std::string::npos) << missing.error;
  const StoryLoadResult folderAsFile = LoadStoryLines(folder);  // reading a folder throws inside the stream
  EXPECT_FALSE(folderAsFile.ok);
  EXPECT_NE(folderAsFile.error.find("cannot be opened"), std::string::npos) << folderAsFile.error;
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace zb
