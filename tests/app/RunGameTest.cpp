#include "app/Application.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/Cp1251.h"
#include "engine/platform/headless/Headless.h"
#include "persist/Config.h"
#include "persist/FolderLock.h"
#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

// The whole program on the headless platform: the game folder of the build, and the player's
// folder in $XDG_DATA_HOME. Each run is ended at once, as by a signal, after its start-up.
class RunGameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(game_ / "Data");
    for (const auto& entry : fs::directory_iterator(fs::path(ZB_GAME_DIR) / "Data")) {
      fs::create_symlink(entry.path(), game_ / "Data" / entry.path().filename());
    }
    fs::create_directory_symlink(fs::path(ZB_GAME_DIR) / "Sounds", game_ / "Sounds");
    fs::create_directories(xdg_);
  }

  int Run() {
    platform_.window.SetRasterise(false);
    platform_.endRequested = true;
    return RunGame(platform_, game_, xdg_.c_str(), nullptr);
  }
  const auto& Boxes() const { return platform_.desktop.messageBoxes; }
  static std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  test::TempDir dir_;
  fs::path game_ = dir_.Path() / "game";
  fs::path xdg_ = dir_.Path() / "xdg";
  fs::path user_ = xdg_ / "zumbala";
  platform::HeadlessPlatform platform_;
};

TEST_F(RunGameTest, AnEndSignalOnTheLogoSavesTheSettingsWithoutTheClosingScreens) {
  EXPECT_EQ(Run(), 0);
  TSettings read;
  const ConfigFileResult saved = ReadConfig(read, user_ / "Config.cfg");
  ASSERT_TRUE(saved.ok) << saved.error;
  EXPECT_FALSE(saved.damaged);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(platform_.desktop.shellOpens.empty());
}

TEST_F(RunGameTest, ASecondCopyInTheSameFolderSaysSoOnceAndSavesNothing) {
  fs::create_directories(user_);
  const TFolderLock first(user_);
  ASSERT_TRUE(first.Held());
  EXPECT_EQ(Run(), 1);
  EXPECT_FALSE(fs::exists(user_ / "Config.cfg"));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_NE(Boxes()[0].second.find(Utf8ToCp1251("Игра уже запущена")), std::string::npos) << Boxes()[0].second;
}

TEST_F(RunGameTest, ADamagedFileIsKeptAsBadAndThePlayerToldOnce) {
  TSettings settings;
  settings.PlayerCount = 1;
  settings.Players[0] = "Kim";
  settings.MusicVolume = 100;
  std::string crOnly = ConfigText(settings);
  std::erase(crOnly, '\n');
  fs::create_directories(user_);
  std::ofstream(user_ / "Config.cfg", std::ios::binary) << crOnly;
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_NE(Boxes()[0].second.find("\"Config.cfg.bad\""), std::string::npos) << Boxes()[0].second;
  EXPECT_EQ(Contents(user_ / "Config.cfg.bad"), crOnly);
  TSettings read;
  const ConfigFileResult saved = ReadConfig(read, user_ / "Config.cfg");
  ASSERT_TRUE(saved.ok);
  EXPECT_FALSE(saved.damaged);
}

TEST_F(RunGameTest, APlayersFolderThatCannotBeMadeGivesOnlyTheMessageAboutTheFolder) {
  // A loop of links: the folder can be neither made nor read, whoever runs the test.
  fs::create_symlink(xdg_ / "loop", user_);
  fs::create_symlink(user_, xdg_ / "loop");
  EXPECT_EQ(Run(), 1);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_NE(Boxes()[0].second.find("cannot be saved"), std::string::npos) << Boxes()[0].second;
}

}  // namespace
}  // namespace zb
