#include "game/LevelSets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/FileRead.h"
#include "game/LevelEditor.h"
#include "game/LevelSource.h"
#include "persist/LevelSetArchive.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

class LevelSets : public ::testing::Test {
 protected:
  void SetUp() override {
    levels_ = fs::temp_directory_path() /
              ("zb-levelsets-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(levels_);
    fs::create_directories(levels_);
  }
  void TearDown() override { fs::remove_all(levels_); }

  static LevelImage Level(int bricks) {
    TLevelEditor editor;
    for (int i = 0; i < bricks; ++i) editor.Place(i % kEditColumns, i / kEditColumns, kPaletteValues[static_cast<size_t>(i % 15)]);
    editor.Place(0, 10, 10);
    return editor.Image();
  }
  static std::string Read(const fs::path& file) { return ReadFileText(file).bytes; }

  fs::path levels_;
};

TEST_F(LevelSets, LevelsAreSavedByTitleBesideTheirSourceAndReadInOrder) {
  ASSERT_TRUE(SaveSetLevel(levels_, "Джунгли", "Первый", Level(3)).ok);
  const TSetSaveResult second = SaveSetLevel(levels_, "Джунгли", "Второй", Level(5));
  ASSERT_TRUE(second.ok) << second.error;
  EXPECT_EQ(second.Number, 2);
  // The same title again writes over its own level.
  const TSetSaveResult again = SaveSetLevel(levels_, "Джунгли", "Первый", Level(7));
  ASSERT_TRUE(again.ok);
  EXPECT_EQ(again.Number, 1);
  EXPECT_EQ(ListLevelSets(levels_), std::vector<std::string>{"Джунгли"});
  const TLevelSet set = ReadLevelSet(levels_, "Джунгли");
  ASSERT_EQ(set.Levels.size(), 2u);
  EXPECT_TRUE(set.Problems.empty());
  EXPECT_EQ(set.Levels[0].Title, "Первый");
  EXPECT_EQ(set.Levels[1].Title, "Второй");
  const fs::path file = levels_ / "Джунгли" / "level01";
  EXPECT_EQ(set.Levels[0].File, file);
  // The file is the level format of the image, and its source compiles to the same bytes.
  const std::vector<uint8_t> bytes = EncodeLevelFile(Level(7));
  EXPECT_EQ(Read(file), std::string(bytes.begin(), bytes.end()));
  const LevelSource source = CompileLevelSource(Read(levels_ / "Джунгли" / "level01.txt"));
  ASSERT_EQ(source.error, "");
  EXPECT_EQ(EncodeLevelFile(source.image), bytes);
}

TEST_F(LevelSets, ADamagedLevelIsNamedAndLeftOut) {
  for (const char* title : {"a", "b", "c"}) ASSERT_TRUE(SaveSetLevel(levels_, "s", title, Level(2)).ok);
  { std::ofstream(levels_ / "s" / "level02", std::ios::binary) << "not a level"; }
  const TLevelSet set = ReadLevelSet(levels_, "s");
  ASSERT_EQ(set.Levels.size(), 2u);
  EXPECT_EQ(set.Levels[0].Number, 1);
  EXPECT_EQ(set.Levels[1].Number, 3);
  ASSERT_EQ(set.Problems.size(), 1u);
  EXPECT_NE(set.Problems[0].find("level02"), std::string::npos) << set.Problems[0];
  EXPECT_EQ(SetLevelFile(set, 1), levels_ / "s" / "level03");
  EXPECT_EQ(SetLevelFile(set, 2), fs::path());
  // A new level does not take the damaged one's number.
  EXPECT_EQ(SaveSetLevel(levels_, "s", "d", Level(2)).Number, 4);
}

TEST_F(LevelSets, WhatCannotBeSavedIsRefusedAndWritesNothing) {
  TLevelEditor walled;
  for (const auto& [c, r] : {std::pair{1, 0}, {0, 1}}) walled.Place(c, r, 4);
  walled.Place(0, 0, 10);
  const TSetSaveResult refused = SaveSetLevel(levels_, "s", "x", walled.Image());
  EXPECT_FALSE(refused.ok);
  EXPECT_NE(refused.error.find("walled in"), std::string::npos) << refused.error;
  EXPECT_FALSE(SaveSetLevel(levels_, "s", "x", TLevelEditor().Image()).ok);
  for (const char* name : {"", "../up", "a/b", ".hidden", " space", "a\\b"}) {
    EXPECT_FALSE(SaveSetLevel(levels_, name, "x", Level(1)).ok) << name;
  }
  EXPECT_FALSE(SaveSetLevel(levels_, "s", "", Level(1)).ok);
  EXPECT_TRUE(ListLevelSets(levels_).empty());
  EXPECT_FALSE(fs::exists(levels_.parent_path() / "up"));
  for (int i = 1; i <= kMaxSetLevels; ++i) ASSERT_TRUE(SaveSetLevel(levels_, "full", std::to_string(i), Level(1)).ok);
  EXPECT_FALSE(SaveSetLevel(levels_, "full", "26", Level(1)).ok);
}

TEST_F(LevelSets, RenameAndDeleteTakeTheScoresAlong) {
  ASSERT_TRUE(SaveSetLevel(levels_, "old", "a", Level(2)).ok);
  ASSERT_TRUE(SaveSetLevel(levels_, "other", "a", Level(2)).ok);
  for (int score : {300, 100, 900, 500, 200, 800, 400, 700, 600, 1000, 50}) {
    ASSERT_TRUE(AddSetScore(levels_, "old", {"P" + std::to_string(score), score}));
  }
  std::vector<TSetScore> scores = ReadSetScores(levels_, "old");
  ASSERT_EQ(scores.size(), 10u);
  EXPECT_EQ(scores.front().Score, 1000);
  EXPECT_EQ(scores.front().Player, "P1000");
  EXPECT_EQ(scores.back().Score, 100);
  std::string error;
  EXPECT_FALSE(RenameLevelSet(levels_, "old", "other", error));
  EXPECT_FALSE(RenameLevelSet(levels_, "old", "../x", error));
  ASSERT_TRUE(RenameLevelSet(levels_, "old", "new", error)) << error;
  EXPECT_EQ(ListLevelSets(levels_), (std::vector<std::string>{"new", "other"}));
  EXPECT_EQ(ReadSetScores(levels_, "new").size(), 10u);
  EXPECT_TRUE(ReadSetScores(levels_, "old").empty());
  ASSERT_TRUE(DeleteLevelSet(levels_, "new", error)) << error;
  EXPECT_EQ(ListLevelSets(levels_), std::vector<std::string>{"other"});
  EXPECT_FALSE(fs::exists(levels_ / "new.scores"));
  EXPECT_FALSE(DeleteLevelSet(levels_, "..", error));
  EXPECT_TRUE(fs::exists(levels_));
  // A damaged table reads as what of it is whole.
  { std::ofstream(levels_ / "other.scores") << "12 Ann\nrubbish\n-5 Neg\n7 Bob\n"; }
  scores = ReadSetScores(levels_, "other");
  ASSERT_EQ(scores.size(), 2u);
  EXPECT_EQ(scores[1].Player, "Bob");
}

TEST_F(LevelSets, ArchivesDroppedIntoTheFolderBecomeSets) {
  ASSERT_TRUE(SaveSetLevel(levels_, "mine", "a", Level(4)).ok);
  std::vector<TArchivedFile> files;
  std::string error;
  ASSERT_TRUE(ReadSetFolder(levels_ / "mine", files, error));
  { std::ofstream(levels_ / "mine.zlv", std::ios::binary) << PackLevelSet(files); }
  { std::ofstream(levels_ / "broken.zlv", std::ios::binary) << "ZLV1 and nothing more"; }
  const std::vector<std::string> problems = ImportDroppedSets(levels_);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("broken.zlv"), std::string::npos) << problems[0];
  EXPECT_TRUE(fs::exists(levels_ / "broken.zlv"));
  EXPECT_FALSE(fs::exists(levels_ / "mine.zlv"));
  EXPECT_EQ(ListLevelSets(levels_), (std::vector<std::string>{"mine", "mine 2"}));
  EXPECT_EQ(Read(levels_ / "mine 2" / "level01"), Read(levels_ / "mine" / "level01"));
  EXPECT_EQ(ReadLevelSet(levels_, "mine 2").Levels.size(), 1u);
}

}  // namespace
}  // namespace zb
