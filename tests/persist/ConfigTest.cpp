#include "persist/Config.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/Cp1251.h"
#include "persist/LineCode.h"

namespace zb {
namespace {

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start) + "<no CR LF>");
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// A file built line by line from plain texts (already padded as wanted).
std::string FileOf(const std::vector<std::string>& texts) {
  std::string out;
  for (const auto& text : texts) out += EncodeLine(text) + "\r\n";
  return out;
}

// The plain texts of the default file, to be corrupted by the tests.
std::vector<std::string> DefaultTexts() {
  std::vector<std::string> texts = {"false", "true", "250%%%%%%%", "250%%%%%%%", "", ""};
  for (int d = 0; d < 3; ++d) {
    for (int r = 0; r < 10; ++r) {
      texts.push_back("\xCF\xF3\xEC\xEA\xE0");
      texts.push_back(PadText(std::to_string(1000 - 100 * r), 5));
    }
  }
  for (const char* number : {"0", "0", "4", "39", "37", "32", "38"}) texts.push_back(PadText(number, 10));
  return texts;
}

TEST(ConfigTest, DefaultFileLineByLine) {
  TSettings settings;
  const std::vector<std::string> lines = SplitCrLf(ConfigText(settings));
  ASSERT_EQ(lines.size(), 73u);
  EXPECT_EQ(lines[0], "MZQWY43F");          // false
  EXPECT_EQ(lines[1], "B2HE5LF");           // true
  EXPECT_EQ(lines[2], "GI2TAJJFEUSSKJJF");  // 250%%%%%%%
  EXPECT_EQ(lines[3], "GI2TAJJFEUSSKJJF");
  EXPECT_EQ(lines[4], "");  // no country
  EXPECT_EQ(lines[5], "");  // no name
  for (int d = 0; d < 3; ++d) {
    EXPECT_EQ(lines[6 + 20 * d], "Z7Z6Z2XA");   // Пумка
    EXPECT_EQ(lines[7 + 20 * d], "GEYDAMBF");   // 1000%
    EXPECT_EQ(lines[9 + 20 * d], "HEYDAJJF");   // 900%%
    EXPECT_EQ(lines[25 + 20 * d], "GEYDAJJF");  // 100%%
  }
  EXPECT_EQ(lines[66], "GASSKJJFEUSSKJJF");  // PlayerCount 0
  EXPECT_EQ(lines[67], "GASSKJJFEUSSKJJF");  // CurrentPlayer 0
  // With no players the key count follows at once.
  EXPECT_EQ(lines[68], "GQSSKJJFEUSSKJJF");  // 4
  EXPECT_EQ(lines[69], "GM4SKJJFEUSSKJJF");  // 39
  EXPECT_EQ(lines[70], "GM3SKJJFEUSSKJJF");  // 37
  EXPECT_EQ(lines[71], "GMZCKJJFEUSSKJJF");  // 32
  EXPECT_EQ(lines[72], "GM4CKJJFEUSSKJJF");  // 38
}

TEST(ConfigTest, PlayerNamesArePaddedToTen) {
  TSettings settings;
  settings.PlayerCount = 1;
  settings.Players[0] = "Bob";
  const std::vector<std::string> lines = SplitCrLf(ConfigText(settings));
  ASSERT_EQ(lines.size(), 74u);
  EXPECT_EQ(lines[68], "IJXWEJJFEUSSKJJF");  // Bob%%%%%%%
}

TEST(ConfigTest, EverySettingSurvivesTheRoundTrip) {
  TSettings written;
  written.FullScreen = true;
  written.Antialias = false;
  written.MusicVolume = 75;
  written.FxVolume = 0;
  written.PlayerCountry = Utf8ToCp1251("Россия");
  written.PlayerName = Utf8ToCp1251("Ёжик в тумане");
  for (int d = 0; d < 3; ++d) {
    for (int r = 0; r < 10; ++r) {
      written.HighScores[d][r] = {Utf8ToCp1251("Игрок ") + std::to_string(d * 10 + r),
                                  std::to_string(123456 - d * 1000 - r)};
    }
  }
  written.HighScores[1][4].Name = "abcde";  // already a multiple of five: no "%"
  written.PlayerCount = 10;
  written.CurrentPlayer = 9;
  for (int i = 0; i < 10; ++i) written.Players[i] = Utf8ToCp1251("Мартышка №") + std::to_string(i);
  written.Players[3] = "1234567890";
  written.KeyCount = 4;
  written.Keys = {68, 65, 17, 87};
  TSettings copy = written;
  const std::string text = ConfigText(copy);
  EXPECT_EQ(SplitCrLf(text).size(), 83u);

  TSettings read;
  read.HighScores = {};
  ReadConfigText(read, text);
  EXPECT_EQ(read.FullScreen, true);
  EXPECT_EQ(read.Antialias, false);
  EXPECT_EQ(read.MusicVolume, 75);
  EXPECT_EQ(read.FxVolume, 0);
  EXPECT_EQ(read.PlayerCountry, written.PlayerCountry);
  EXPECT_EQ(read.PlayerName, written.PlayerName);
  EXPECT_EQ(read.HighScores, written.HighScores);
  EXPECT_EQ(read.PlayerCount, 10);
  EXPECT_EQ(read.CurrentPlayer, 9);
  EXPECT_EQ(read.Players, written.Players);
  EXPECT_EQ(read.KeyCount, 4);
  EXPECT_EQ(read.Keys, written.Keys);
}

TEST(ConfigTest, TrailingPercentSignsAreLost) {
  TSettings settings;
  settings.PlayerCountry = "100%";
  settings.PlayerName = Utf8ToCp1251("Ура%%");
  settings.PlayerCount = 1;
  settings.Players[0] = "Max%";
  settings.HighScores[0][0].Name = "a%b%";
  const std::string text = ConfigText(settings);
  // The country and the current name lose theirs already when written.
  EXPECT_EQ(settings.PlayerCountry, "100");
  EXPECT_EQ(settings.PlayerName, Utf8ToCp1251("Ура"));
  EXPECT_EQ(settings.Players[0], "Max%");

  TSettings read;
  ReadConfigText(read, text);
  EXPECT_EQ(read.PlayerCountry, "100");
  EXPECT_EQ(read.PlayerName, Utf8ToCp1251("Ура"));
  EXPECT_EQ(read.Players[0], "Max");
  EXPECT_EQ(read.HighScores[0][0].Name, "a%b");
}

TEST(ConfigTest, EmptyHighScoreLinesKeepTheRowDefault) {
  std::vector<std::string> texts = DefaultTexts();
  texts[6] = "Zed%%";
  texts[7] = "";
  texts[8] = "";
  texts[9] = "5%%%%";
  TSettings read;
  ReadConfigText(read, FileOf(texts));
  EXPECT_EQ(read.HighScores[0][0], (THighScore{"Zed", "1000"}));
  EXPECT_EQ(read.HighScores[0][1], (THighScore{"\xCF\xF3\xEC\xEA\xE0", "5"}));
}

TEST(ConfigTest, TruncatedFileKeepsTheDefaultsOfTheMissingLines) {
  std::vector<std::string> texts = DefaultTexts();
  texts[0] = "true";
  texts[2] = PadText("100", 10);
  texts[4] = PadText("Peru", 5);
  texts[10] = PadText("Ann", 5);
  texts.resize(11);  // ends inside the first table
  const TSettings defaults;
  TSettings read;
  ReadConfigText(read, FileOf(texts));
  EXPECT_TRUE(read.FullScreen);
  EXPECT_EQ(read.MusicVolume, 100);
  EXPECT_EQ(read.PlayerCountry, "Peru");
  EXPECT_EQ(read.HighScores[0][2].Name, "Ann");
  EXPECT_EQ(read.HighScores[0][3], defaults.HighScores[0][3]);
  EXPECT_EQ(read.PlayerCount, 0);
  EXPECT_EQ(read.KeyCount, 4);
  EXPECT_EQ(read.Keys, defaults.Keys);

  // A last line without its CR LF still counts; an empty file changes nothing.
  TSettings partial;
  ReadConfigText(partial, EncodeLine("true") + "\r\n" + EncodeLine("false"));
  EXPECT_TRUE(partial.FullScreen);
  EXPECT_FALSE(partial.Antialias);
  TSettings empty;
  ReadConfigText(empty, "");
  EXPECT_EQ(empty.MusicVolume, 250);
  EXPECT_EQ(empty.HighScores, defaults.HighScores);
}

TEST(ConfigTest, NumbersThatCannotBeUsedKeepTheirDefaults) {
  std::vector<std::string> texts = DefaultTexts();
  texts[2] = PadText("loud", 10);
  texts[3] = PadText("9999", 10);
  texts[69] = PadText("3x", 10);     // first binding not a number
  texts[70] = PadText("300", 10);    // outside the 256 key states
  texts[71] = PadText("-1", 10);
  texts[72] = PadText("65", 10);
  TSettings read;
  ReadConfigText(read, FileOf(texts));
  EXPECT_EQ(read.MusicVolume, 250);
  EXPECT_EQ(read.FxVolume, 250);
  EXPECT_EQ(read.Keys, (std::array<uint32_t, 4>{39, 37, 32, 65}));
}

TEST(ConfigTest, PlayerCountIsHeldToTheCapacity) {
  // Twelve names on file: the first ten are kept, and the key lines are found after all twelve.
  std::vector<std::string> texts = DefaultTexts();
  texts[66] = PadText("12", 10);
  texts[67] = PadText("11", 10);  // outside the kept list
  std::vector<std::string> names;
  for (int i = 0; i < 12; ++i) names.push_back(PadText("P" + std::to_string(i), 10));
  texts.insert(texts.begin() + 68, names.begin(), names.end());
  texts[80 + 1] = PadText("90", 10);
  TSettings read;
  ReadConfigText(read, FileOf(texts));
  EXPECT_EQ(read.PlayerCount, 10);
  EXPECT_EQ(read.Players[9], "P9");
  EXPECT_EQ(read.CurrentPlayer, 0);
  EXPECT_EQ(read.KeyCount, 4);
  EXPECT_EQ(read.Keys[0], 90u);
}

TEST(ConfigTest, NegativeOrBrokenPlayerCountLeavesListAndKeys) {
  for (const char* count : {"-1", "two"}) {
    std::vector<std::string> texts = DefaultTexts();
    texts[66] = PadText(count, 10);
    texts[68] = PadText("2", 10);
    TSettings read;
    ReadConfigText(read, FileOf(texts));
    EXPECT_EQ(read.PlayerCount, 0) << count;
    EXPECT_EQ(read.KeyCount, 4) << count;
    EXPECT_EQ(read.Keys[0], 39u) << count;
  }
}

TEST(ConfigTest, CurrentPlayerMustBeInTheList) {
  std::vector<std::string> texts = DefaultTexts();
  texts[66] = PadText("2", 10);
  texts.insert(texts.begin() + 68, {PadText("A", 10), PadText("B", 10)});
  for (const auto& [current, expected] : std::vector<std::pair<std::string, int>>{
           {"1", 1}, {"2", 0}, {"-1", 0}, {"", 0}}) {
    texts[67] = PadText(current, 10);
    TSettings read;
    ReadConfigText(read, FileOf(texts));
    EXPECT_EQ(read.CurrentPlayer, expected) << current;
    EXPECT_EQ(read.Players[1], "B");
  }
}

TEST(ConfigTest, KeyCountOutsideZeroToFour) {
  std::vector<std::string> texts = DefaultTexts();
  // Seven bindings on file: four are taken.
  texts[68] = PadText("7", 10);
  texts.resize(69);
  for (int code : {65, 66, 67, 68, 69, 70, 71}) texts.push_back(PadText(std::to_string(code), 10));
  TSettings seven;
  ReadConfigText(seven, FileOf(texts));
  EXPECT_EQ(seven.KeyCount, 4);
  EXPECT_EQ(seven.Keys, (std::array<uint32_t, 4>{65, 66, 67, 68}));

  texts[68] = PadText("-3", 10);
  TSettings negative;
  ReadConfigText(negative, FileOf(texts));
  EXPECT_EQ(negative.KeyCount, 4);
  EXPECT_EQ(negative.Keys, (std::array<uint32_t, 4>{39, 37, 32, 38}));

  texts[68] = PadText("2", 10);
  TSettings two;
  ReadConfigText(two, FileOf(texts));
  EXPECT_EQ(two.KeyCount, 2);
  EXPECT_EQ(two.Keys, (std::array<uint32_t, 4>{65, 66, 32, 38}));
}

TEST(ConfigTest, GarbageReadsWithoutHarm) {
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  TSettings read;
  ReadConfigText(read, garbage);
  EXPECT_GE(read.PlayerCount, 0);
  EXPECT_LE(read.PlayerCount, 10);
  EXPECT_GE(read.KeyCount, 0);
  EXPECT_LE(read.KeyCount, 4);
  EXPECT_GE(read.CurrentPlayer, 0);
  EXPECT_LT(read.CurrentPlayer, std::max(read.PlayerCount, 1));
}

class ConfigFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("zb-config-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  static std::string Contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::filesystem::path folder_;
};

TEST_F(ConfigFileTest, MissingFileIsTheFirstStart) {
  TSettings settings;
  settings.MusicVolume = 50;
  EXPECT_FALSE(ReadConfig(settings, folder_ / "Config.cfg").ok);
  EXPECT_EQ(settings.MusicVolume, 50);
}

TEST_F(ConfigFileTest, WriteReplacesTheFileAndLeavesNoTemporary) {
  const auto file = folder_ / "Config.cfg";
  TSettings settings;
  settings.FxVolume = 125;
  ASSERT_TRUE(WriteConfig(settings, file).ok);
  settings.FxVolume = 25;
  ASSERT_TRUE(WriteConfig(settings, file).ok);
  TSettings read;
  EXPECT_TRUE(ReadConfig(read, file).ok);
  EXPECT_EQ(read.FxVolume, 25);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
}

TEST_F(ConfigFileTest, FailedWriteKeepsTheOldFile) {
  const auto file = folder_ / "Config.cfg";
  TSettings settings;
  settings.MusicVolume = 200;
  ASSERT_TRUE(WriteConfig(settings, file).ok);
  const std::string before = Contents(file);
  // The temporary file cannot be created.
  std::filesystem::create_directory(folder_ / "Config.cfg.tmp");
  settings.MusicVolume = 0;
  EXPECT_FALSE(WriteConfig(settings, file).ok);
  EXPECT_EQ(Contents(file), before);
}

TEST_F(ConfigFileTest, FailedRenameRemovesTheTemporary) {
  // "Config.cfg" is a folder with something inside, which a file cannot replace.
  const auto file = folder_ / "Config.cfg";
  std::filesystem::create_directories(file / "inside");
  TSettings settings;
  EXPECT_FALSE(WriteConfig(settings, file).ok);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "Config.cfg.tmp"));
}

}  // namespace
}  // namespace zb
