#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/Cp1251.h"
#include "game/StoryLines.h"

namespace zb {
namespace {

class ZbtoolStoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("zb-story-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // The exit status of zbtool with these arguments (shell redirections allowed).
  int Run(const std::string& arguments) {
    const std::string command = std::string(ZB_ZBTOOL) + " " + arguments;
    const int status = std::system(command.c_str());
    return status == -1 || !WIFEXITED(status) ? -1 : WEXITSTATUS(status);
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  static std::string Contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(folder_ / name, std::ios::binary) << text;
  }
  // A source of the right shape in UTF-8, Cyrillic rows, with comments between the lines.
  static std::string Source() {
    std::string text = "\xEF\xBB\xBF# a story\n";
    for (int i = 0; i < kSpeechLineCount; ++i) {
      const SpeechLineShape& shape = *ShapeOfSpeechLine(i);
      text += "\n# line " + std::to_string(i) + "\nline=" + std::to_string(i) +
              " scene=" + std::to_string(shape.scene) + " speaker=" + (shape.hunter ? "hunter" : "monkey") +
              " rows=" + std::to_string(shape.rows) + " offset=" + std::to_string(shape.firstRowOffset) + "\n";
      for (int r = 0; r < shape.rows; ++r) text += "Ряд " + std::to_string(r) + " — ё\n";
    }
    return text;
  }
  std::filesystem::path folder_;
};

TEST_F(ZbtoolStoryTest, CompiledSourceIsCp1251AndStoryPrintsItAsTheGameReadsIt) {
  Write("story.txt", Source());
  ASSERT_EQ(Run("story-compile " + Path("story.txt") + " " + Path("out.txt")), 0);
  const std::string compiled = Contents(Path("out.txt"));
  const StoryLoadResult loaded = LoadStoryLines(Path("out.txt"));
  ASSERT_TRUE(loaded.ok) << loaded.error;
  EXPECT_EQ(loaded.lines[0].Rows[0], Utf8ToCp1251("Ряд 0 — ё"));
  EXPECT_EQ(compiled.find('#'), std::string::npos);  // comments stay in the source
  EXPECT_EQ(compiled, FormatStoryLines(loaded.lines));

  ASSERT_EQ(Run("story " + Path("out.txt") + " > " + Path("listing.txt")), 0);
  const std::string listing = Contents(Path("listing.txt"));
  EXPECT_EQ(listing, compiled);
  EXPECT_EQ(listing.rfind("line=0 scene=0 speaker=monkey rows=5 offset=60\n\xD0\xFF\xE4 0 \x97 \xB8\n", 0), 0u);
}

TEST_F(ZbtoolStoryTest, SourcesThatTheGameCouldNotShowAreRefusedNamingTheLine) {
  std::string source = Source();
  // Line 5 of the source is the first row: a character without a CP1251 code, then broken UTF-8.
  for (const std::string& bad : {std::string("Ряд ★"), std::string("\xD0 broken")}) {
    std::string text = source;
    text.replace(text.find("Ряд 0 — ё"), std::string("Ряд 0 — ё").size(), bad);
    Write("bad.txt", text);
    EXPECT_EQ(Run("story-compile " + Path("bad.txt") + " " + Path("out.txt") + " 2> " + Path("err.txt")), 1);
    EXPECT_NE(Contents(Path("err.txt")).find("line 5 has a character without a CP1251 code"), std::string::npos)
        << Contents(Path("err.txt"));
  }
  Write("short.txt", source.substr(0, source.find("line=26 ")));
  EXPECT_EQ(Run("story-compile " + Path("short.txt") + " " + Path("out.txt") + " 2> " + Path("err.txt")), 1);
  EXPECT_NE(Contents(Path("err.txt")).find("26 of the 27 lines"), std::string::npos) << Contents(Path("err.txt"));
  EXPECT_FALSE(std::filesystem::exists(Path("out.txt")));
  EXPECT_EQ(Run("story-compile " + Path("none.txt") + " " + Path("out.txt") + " 2> /dev/null"), 1);
}

TEST_F(ZbtoolStoryTest, StoryReadsTheBuiltGameFolderByDefaultAndFailsOnAnUnreadableFile) {
  ASSERT_EQ(Run("story > " + Path("listing.txt")), 0);
  const std::string listing = Contents(Path("listing.txt"));
  const StoryLoadResult built = LoadStoryLines(std::filesystem::path(ZB_GAME_DIR) / kStoryFileName);
  ASSERT_TRUE(built.ok) << built.error;
  EXPECT_EQ(listing, FormatStoryLines(built.lines));

  EXPECT_EQ(Run("story " + Path("none.txt") + " > " + Path("out.txt") + " 2> " + Path("err.txt")), 1);
  EXPECT_NE(Contents(Path("err.txt")).find("cannot be opened"), std::string::npos);
  EXPECT_EQ(Contents(Path("out.txt")), "");
  Write("damaged.txt", listing.substr(0, listing.size() / 2));
  EXPECT_EQ(Run("story " + Path("damaged.txt") + " > /dev/null 2> " + Path("err.txt")), 1);
  EXPECT_NE(Contents(Path("err.txt")).find("is broken"), std::string::npos);
}

}  // namespace
}  // namespace zb
