#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/Cp1251.h"
#include "persist/Config.h"

namespace zb {
namespace {

class ZbtoolConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("zb-tool-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  int Run(const std::string& arguments) {
    const std::string command = std::string(ZB_ZBTOOL) + " " + arguments;
    return std::system(command.c_str());
  }
  static std::string Contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::filesystem::path folder_;
};

constexpr const char* kDefaultListingHead =
    "FullScreen=false\n"
    "Antialias=true\n"
    "MusicVolume=250\n"
    "FxVolume=250\n"
    "PlayerCountry=\n"
    "PlayerName=\n"
    "HighScore.0.0=\xCF\xF3\xEC\xEA\xE0|1000\n"
    "HighScore.0.1=\xCF\xF3\xEC\xEA\xE0|900\n";

constexpr const char* kDefaultListingTail =
    "HighScore.2.9=\xCF\xF3\xEC\xEA\xE0|100\n"
    "PlayerCount=0\n"
    "CurrentPlayer=0\n"
    "KeyCount=4\n"
    "Key.0=39\n"
    "Key.1=37\n"
    "Key.2=32\n"
    "Key.3=38\n";

TEST_F(ZbtoolConfigTest, MissingFileListsTheDefaults) {
  const auto out = folder_ / "out.txt";
  ASSERT_EQ(Run("config " + (folder_ / "none.cfg").string() + " > " + out.string()), 0);
  const std::string listing = Contents(out);
  EXPECT_EQ(listing.substr(0, std::string(kDefaultListingHead).size()), kDefaultListingHead);
  const std::string tail = kDefaultListingTail;
  ASSERT_GE(listing.size(), tail.size());
  EXPECT_EQ(listing.substr(listing.size() - tail.size()), tail);
  EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 6 + 30 + 2 + 1 + 4);
}

TEST_F(ZbtoolConfigTest, WriteThenListGivesTheSameSettings) {
  const std::string listing =
      "FullScreen=true\nAntialias=false\nMusicVolume=25\nFxVolume=175\n"
      "PlayerCountry=" +
      Utf8ToCp1251("Беларусь") +
      "\nPlayerName=Ann\n"
      "HighScore.1.3=" +
      Utf8ToCp1251("Чемпион | №1") +
      "|4321\n"
      "PlayerCount=2\nCurrentPlayer=1\nPlayer.0=Ann\nPlayer.1=" +
      Utf8ToCp1251("Борис") +
      "\n"
      "KeyCount=3\nKey.0=68\nKey.1=65\nKey.2=87\n";
  std::ofstream(folder_ / "in.txt", std::ios::binary) << listing;
  const auto file = folder_ / "Config.cfg";
  ASSERT_EQ(Run("config-write " + file.string() + " < " + (folder_ / "in.txt").string()), 0);

  // The tool writes what the game's writer writes for the same settings.
  TSettings settings;
  settings.FullScreen = true;
  settings.Antialias = false;
  settings.MusicVolume = 25;
  settings.FxVolume = 175;
  settings.PlayerCountry = Utf8ToCp1251("Беларусь");
  settings.PlayerName = "Ann";
  settings.HighScores[1][3] = {Utf8ToCp1251("Чемпион | №1"), "4321"};
  settings.PlayerCount = 2;
  settings.CurrentPlayer = 1;
  settings.Players[0] = "Ann";
  settings.Players[1] = Utf8ToCp1251("Борис");
  settings.KeyCount = 3;
  settings.Keys[0] = 68;
  settings.Keys[1] = 65;
  settings.Keys[2] = 87;
  EXPECT_EQ(Contents(file), ConfigText(settings));

  const auto out = folder_ / "out.txt";
  ASSERT_EQ(Run("config " + file.string() + " > " + out.string()), 0);
  const std::string back = Contents(out);
  for (const std::string& line : std::vector<std::string>{
           "FullScreen=true\n", "MusicVolume=25\n", "PlayerCountry=" + Utf8ToCp1251("Беларусь") + "\n",
           "HighScore.1.3=" + Utf8ToCp1251("Чемпион | №1") + "|4321\n",
           "HighScore.1.4=" + Utf8ToCp1251("Пумка") + "|600\n",
           "Player.1=" + Utf8ToCp1251("Борис") +
               "\nKeyCount=3\nKey.0=68\n"
               "Key.1=65\nKey.2=87\n"}) {
    EXPECT_NE(back.find(line), std::string::npos) << line;
  }
}

TEST_F(ZbtoolConfigTest, WriteRefusesLinesItCannotUse) {
  for (const char* bad : {"Volume=3\n", "FullScreen=yes\n", "PlayerCount=11\n", "Player.10=X\n",
                          "Key.0=256\n", "HighScore.3.0=A|1\n", "HighScore.0.0=no bar\n", "KeyCount\n"}) {
    std::ofstream(folder_ / "in.txt", std::ios::binary) << bad;
    const auto file = folder_ / "Config.cfg";
    EXPECT_NE(Run("config-write " + file.string() + " < " + (folder_ / "in.txt").string() + " 2>/dev/null"),
              0)
        << bad;
    EXPECT_FALSE(std::filesystem::exists(file)) << bad;
  }
}

}  // namespace
}  // namespace zb
