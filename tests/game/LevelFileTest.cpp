#include "game/LevelFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace zb {
namespace {

// One 128-byte record whose words are given; the rest of the window is `fill`.
std::vector<uint8_t> Record(std::initializer_list<int32_t> words, int32_t fill = 0) {
  std::vector<uint8_t> bytes;
  std::vector<int32_t> all(words);
  all.resize(32, fill);
  for (int32_t w : all) {
    const auto v = static_cast<uint32_t>(w);
    bytes.insert(bytes.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
  }
  return bytes;
}

std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(LevelFile, NamesLevelsOneToTwentyFiveOnly) {
  EXPECT_EQ(LevelFileName(1), "Data/data1");
  EXPECT_EQ(LevelFileName(25), "Data/data25");
  EXPECT_EQ(LevelFileName(0), "");
  EXPECT_EQ(LevelFileName(26), "");
}

TEST(LevelFile, OneCellLevelIsSixRecordsAndTheHeaderWindowsOverlap) {
  // Record 0 -> word 0, record 1 -> word 4, record 2 -> word 2; the last window wins.
  const auto bytes = Concat({Record({0, 0, 99, 99, 99}), Record({7}), Record({12, 34, 8}),
                             Record({2}), Record({6}), Record({-3})});
  ASSERT_EQ(bytes.size(), 768u);
  LevelImage image;
  const auto result = LoadLevelBytes(bytes, "Data/data1", image);
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(image.LastColumn(), 0);
  EXPECT_EQ(image.LastRow(), 0);
  EXPECT_EQ(image.OffsetX(), 12);
  EXPECT_EQ(image.OffsetY(), 34);
  EXPECT_EQ(image.LevelWord4(), 8);  // record 2's third word overwrote record 1's
  EXPECT_EQ(image.BlockGrid(0, 0), 2);
  EXPECT_EQ(image.words[kLevelGridBWord], 6);
  EXPECT_EQ(image.words[kLevelGridCWord], -3);
}

TEST(LevelFile, WindowsThatDisagreeLeaveTheLastOneThatCoveredAWord) {
  // A 1 x 2 grid: the window of cell (0, 0) spills into cell (0, 1), whose own record comes later.
  const auto bytes = Concat({Record({0, 1}), Record({0}), Record({0, 0, 0}), Record({2, 111}), Record({3})});
  LevelImage image;
  ASSERT_TRUE(LoadLevelBytes(bytes, "x", image).ok);
  EXPECT_EQ(image.BlockGrid(0, 0), 2);
  EXPECT_EQ(image.BlockGrid(0, 1), 3);
}

TEST(LevelFile, AShortGridKeepsThePreviousCellsAndATrailingPieceIsTheEnd) {
  LevelImage image;
  for (auto& w : image.words) w = 77;
  // A 2 x 2 level that stops after the first grid cell, plus 100 stray bytes.
  auto bytes = Concat({Record({1, 1}), Record({0}), Record({0, 0, 0}), Record({2}, 77)});
  bytes.resize(bytes.size() + 100, 0xEE);
  ASSERT_TRUE(LoadLevelBytes(bytes, "x", image).ok);
  EXPECT_EQ(image.BlockGrid(0, 0), 2);
  EXPECT_EQ(image.BlockGrid(1, 0), 77);
  EXPECT_EQ(image.BlockGrid(1, 1), 77);
}

TEST(LevelFile, RefusesShortHeadersAndOversizedGridsWithoutTouchingTheImage) {
  LevelImage image;
  image.words[0] = 5;
  image.words[6] = 9;
  auto twoAndAHalf = Concat({Record({0, 0}), Record({0})});
  twoAndAHalf.resize(twoAndAHalf.size() + 64);
  auto result = LoadLevelBytes(twoAndAHalf, "Data/data3", image);
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.error.find("Data/data3"), std::string::npos);

  for (auto header : {Record({41, 0}), Record({0, 41}), Record({1000000, 1000000})}) {
    result = LoadLevelBytes(Concat({header, Record({0}), Record({0, 0, 0}), Record({1})}), "x", image);
    EXPECT_FALSE(result.ok);
  }
  EXPECT_EQ(image.words[0], 5);
  EXPECT_EQ(image.words[6], 9);

  // The largest grid the image holds: its last window spills exactly into the overflow words.
  LevelImage big;
  big.words[0] = 40;
  big.words[1] = 40;
  big.words[LevelImage::CellWord(kBlockGridWord, 0, 0)] = 2;
  const auto bytes = EncodeLevelFile(big);
  EXPECT_EQ(bytes.size(), 128u * (3 + 3 * 41 * 41));
  EXPECT_TRUE(LoadLevelBytes(bytes, "x", big).ok);
}

// A level that could never be cleared is refused as broken, and the image stays as it was: a
// negative size (no grid at all), no brick that counts, or such a brick out of every ball's reach.
TEST(LevelFile, LevelsThatCouldNeverBeClearedAreRefused) {
  LevelImage image;
  image.words.fill(9);
  const LevelImage before = image;
  const auto header = [](int32_t columns, int32_t rows, int32_t x, int32_t y) {
    return Concat({Record({columns, rows}), Record({0}), Record({x, y, 0})});
  };
  const struct {
    std::vector<uint8_t> bytes;
    const char* reason;
  } cases[] = {
      {Concat({header(-1, 3, 0, 0), Record({2})}), "negative"},
      {Concat({header(2, -7, 0, 0), Record({2})}), "negative"},
      {Concat({header(-2147483647 - 1, -1, 0, 0)}), "negative"},
      {Concat({header(0, 0, 0, 0), Record({0})}), "no brick"},
      {Concat({header(1, 0, 0, 0), Record({4}), Record({-5})}), "no brick"},      // gold only
      {Concat({header(0, 0, 0, 0), Record({99})}), "no brick"},                  // a kind without a row
      {Concat({header(0, 0, 700, 0), Record({2})}), "outside the playfield"},    // right of the wall
      {Concat({header(0, 0, -300, 0), Record({2})}), "outside the playfield"},   // left of it
      {Concat({header(0, 0, 0, 2000000), Record({2})}), "outside the playfield"},  // below the bat
  };
  for (const auto& c : cases) {
    const auto result = LoadLevelBytes(c.bytes, "Data/data7", image);
    EXPECT_FALSE(result.ok) << c.reason;
    EXPECT_NE(result.error.find("\"Data/data7\" is broken"), std::string::npos) << result.error;
    EXPECT_NE(result.error.find(c.reason), std::string::npos) << result.error;
    EXPECT_EQ(image.words, before.words) << c.reason;
  }
  // One counted brick beside gold is enough.
  EXPECT_TRUE(LoadLevelBytes(Concat({header(1, 0, 0, 0), Record({4}), Record({2})}), "x", image).ok);
}

// What is not a readable file is an error, never an exception, and never a wait.
TEST(LevelFile, FilesThatCannotBeReadAreErrors) {
  LevelImage image;
  const auto missing = LoadLevelFile("/nonexistent/Data/data9", image);
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.find("data9\" cannot be opened"), std::string::npos) << missing.error;

  const auto folder = std::filesystem::temp_directory_path() / "zb-level-folder";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder / "data3");
  const auto directory = LoadLevelFile(folder / "data3", image);
  EXPECT_FALSE(directory.ok);
  EXPECT_NE(directory.error.find("it is a folder"), std::string::npos) << directory.error;
  // A pipe would block a plain open until someone writes to it.
  ASSERT_EQ(mkfifo((folder / "data4").c_str(), 0600), 0);
  const auto pipe = LoadLevelFile(folder / "data4", image);
  EXPECT_FALSE(pipe.ok);
  EXPECT_NE(pipe.error.find("not a regular file"), std::string::npos) << pipe.error;
  std::filesystem::remove_all(folder);
}

TEST(LevelFile, ConsistentImageReadsBackExactly) {
  LevelImage image;
  image.words[0] = 14;
  image.words[1] = 9;
  image.words[2] = 36;
  image.words[3] = 60;
  for (int c = 0; c <= 14; ++c) {
    for (int r = 0; r <= 9; ++r) image.words[LevelImage::CellWord(kBlockGridWord, c, r)] = (c * 7 + r) % 26;
  }
  LevelImage back;
  ASSERT_TRUE(LoadLevelBytes(EncodeLevelFile(image), "x", back).ok);
  for (int c = 0; c <= 14; ++c) {
    for (int r = 0; r <= 9; ++r) EXPECT_EQ(back.BlockGrid(c, r), image.BlockGrid(c, r));
  }
}

// The 25 levels the build compiled into the game folder.
TEST(Levels, EveryLevelLoadsFitsTheFieldAndTheCageLevelsLeaveTheCageFree) {
  std::set<int> kinds;
  for (int level = 1; level <= 25; ++level) {
    LevelImage image;
    const auto result = LoadLevelFile(std::filesystem::path(ZB_GAME_DIR) / LevelFileName(level), image);
    ASSERT_TRUE(result.ok) << result.error;
    int breakable = 0;
    for (int c = 0; c <= image.LastColumn(); ++c) {
      for (int r = 0; r <= image.LastRow(); ++r) {
        const int v = image.BlockGrid(c, r);
        if (v <= 0) continue;
        kinds.insert(v - 1);
        if (v - 1 != 3) ++breakable;
        const int x = 172 + image.OffsetX() + 37 * c;
        const int y = image.OffsetY() + 20 * r;
        EXPECT_GE(x, 172) << level;
        EXPECT_LE(x + 37, 800) << level;
        EXPECT_LE(y + 20, 420) << level;
        const bool cageLevel = level == 4 || level == 11 || level == 18 || level == 25;
        if (cageLevel) {
          EXPECT_FALSE(x + 37 > 400 && x < 602 && y < 295) << "level " << level << " cell " << c << "," << r;
        }
      }
    }
    EXPECT_GT(breakable, 20) << level;
  }
  EXPECT_EQ(kinds, (std::set<int>{1, 2, 3, 9, 10, 11, 12, 13, 14, 19, 20, 21, 22, 23, 24}));
}

// In a low gap between the top wall and a wide gold roof, a ball going nearly straight up and
// down meets the gold at the same depth every time and hangs there for good (the anti-stall turn
// only sends it back and forth): such a roof stands at the wall or leaves a tall gap.
TEST(Levels, NoWideGoldRoofLeavesALowGapUnderTheTopWall) {
  constexpr int kGold = 4;  // kind 3, stored plus one
  constexpr int kWideRun = 4;
  constexpr int kBallHeight = 12;
  constexpr int kTallGap = 60;
  for (int level = 1; level <= 25; ++level) {
    LevelImage image;
    ASSERT_TRUE(LoadLevelFile(std::filesystem::path(ZB_GAME_DIR) / LevelFileName(level), image).ok) << level;
    for (int r = 0; r <= image.LastRow(); ++r) {
      int run = 0;
      for (int c = 0; c <= image.LastColumn() + 1; ++c) {
        if (c <= image.LastColumn() && image.BlockGrid(c, r) == kGold) {
          ++run;
          continue;
        }
        if (run >= kWideRun) {
          const int gap = image.OffsetY() + 20 * r;
          EXPECT_TRUE(gap < kBallHeight || gap >= kTallGap) << "level " << level << " row " << r;
        }
        run = 0;
      }
    }
  }
}

// Between two lone gold bricks one close above the other a ball going nearly straight up and down
// is held for good: leaving past their edges it meets their corners, which turn it back.
TEST(Levels, NoBallCanHangBetweenTwoLoneGoldBricksOneAboveTheOther) {
  constexpr int kGold = 4;  // kind 3, stored plus one
  for (int level = 1; level <= 25; ++level) {
    LevelImage image;
    ASSERT_TRUE(LoadLevelFile(std::filesystem::path(ZB_GAME_DIR) / LevelFileName(level), image).ok) << level;
    const auto gold = [&image](int c, int r) {
      return c >= 0 && c <= image.LastColumn() && r >= 0 && r <= image.LastRow() && image.BlockGrid(c, r) == kGold;
    };
    const auto lone = [&gold](int c, int r) { return gold(c, r) && !gold(c - 1, r) && !gold(c + 1, r); };
    for (int c = 0; c <= image.LastColumn(); ++c) {
      for (int r = 0; r <= image.LastRow(); ++r) {
        for (int gap = 1; gap <= 2; ++gap) {
          bool open = true;
          for (int k = 1; k <= gap; ++k) open = open && !gold(c, r + k);
          EXPECT_FALSE(open && lone(c, r) && lone(c, r + gap + 1))
              << "level " << level << " column " << c << " rows " << r << " and " << r + gap + 1;
        }
      }
    }
  }
}

TEST(Levels, InspectorPrintsTheHeaderAndTheGrid) {
  const auto path = std::filesystem::temp_directory_path() / "zb-level-inspect";
  {
    const auto bytes = Concat({Record({1, 0}), Record({0}), Record({5, 6, 7}), Record({2}), Record({-1})});
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  const std::string command = std::string(ZB_ZBTOOL) + " level " + path.string() + " 2>&1";
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string out;
  std::array<char, 256> buf{};
  while (std::fgets(buf.data(), buf.size(), pipe.get())) out += buf.data();
  EXPECT_EQ(out, "1 0 5 6 7\n2 -1\n");
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace zb
