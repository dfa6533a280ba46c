#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/HeadlessGame.h"
#include "engine/Cp1251.h"
#include "tests/app/GameFolder.h"
#include "persist/Config.h"
#include "persist/LineCode.h"
#include "screens/ScreenMachine.h"

namespace zb {
namespace {

class Form1ConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("zb-formcfg-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    test::InstallArchives(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::filesystem::path folder_;
};

TEST_F(Form1ConfigTest, StartUpReadsTheFileAndClosingWritesIt) {
  TSettings saved;
  saved.FullScreen = true;
  saved.MusicVolume = 100;
  saved.PlayerName = "Old";
  saved.PlayerCount = 2;
  saved.CurrentPlayer = 1;
  saved.Players[0] = "Ann";
  saved.Players[1] = "Bob";
  saved.Keys = {68, 65, 17, 87};
  ASSERT_TRUE(WriteConfig(saved, folder_ / "Config.cfg").ok);

  HeadlessGame game(folder_);
  ASSERT_TRUE(game.Start());
  TForm1& form = game.Form();
  EXPECT_EQ(form.Settings.MusicVolume, 100);
  // The list entry replaces the name of the file.
  EXPECT_EQ(form.Settings.PlayerName, "Bob");
  EXPECT_FALSE(form.Device.Windowed());
  EXPECT_EQ(form.Screen.PointerOffsetX, 5);
  EXPECT_FALSE(form.Screen.FreeCharKeys.test('D'));
  EXPECT_FALSE(form.Screen.FreeCharKeys.test('A'));
  EXPECT_FALSE(form.Screen.FreeSpecialKeys.test(17));
  EXPECT_TRUE(form.Screen.FreeSpecialKeys.test(39));

  // Back to a window before closing: the file takes the live mode.
  form.Device.SetByIndex(0, true);
  form.Settings.FxVolume = 50;
  EnterScreen(form.Screen, ScreenShare);
  ASSERT_TRUE(form.Closed());
  TSettings read;
  ASSERT_TRUE(ReadConfig(read, folder_ / "Config.cfg").ok);
  EXPECT_FALSE(read.FullScreen);
  EXPECT_EQ(read.FxVolume, 50);
  EXPECT_EQ(read.Players[1], "Bob");
}

TEST_F(Form1ConfigTest, CorruptedFileStartsWithWhatCouldBeRead) {
  std::ofstream(folder_ / "Config.cfg", std::ios::binary)
      << EncodeLine("false") << "\r\n" << EncodeLine("false") << "\r\n"
      << EncodeLine(PadText("50", 10)) << "\r\n" << "!!not a line at all!!\r\n";
  HeadlessGame game(folder_);
  ASSERT_TRUE(game.Start());
  TForm1& form = game.Form();
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenLogo);
  EXPECT_FALSE(form.Settings.Antialias);
  EXPECT_EQ(form.Settings.MusicVolume, 50);
  EXPECT_EQ(form.Settings.FxVolume, 250);
  EXPECT_EQ(form.Settings.KeyCount, 4);
  EXPECT_FALSE(form.Screen.FreeSpecialKeys.test(39));
}

// The temporary file cannot be made (a folder stands in its place): the options hub and the
// close both try, the player is told once, and the game plays on.
TEST_F(Form1ConfigTest, SettingsThatCannotBeSavedAreToldOnceAndTheGamePlaysOn) {
  std::filesystem::create_directories(folder_ / "Config.cfg.tmp" / "inside");
  HeadlessGame game(folder_);
  ASSERT_TRUE(game.Start());
  TForm1& form = game.Form();
  const auto& boxes = game.Platform().desktop.messageBoxes;
  EXPECT_TRUE(boxes.empty());
  EXPECT_FALSE(form.WriteConfig());
  ASSERT_EQ(boxes.size(), 1u);
  // The folder stands in place of the temporary file, and the message says so.
  EXPECT_EQ(boxes[0].second,
            Utf8ToCp1251("Не удалось сохранить настройки: на месте временного файла \"Config.cfg.tmp\" стоит папка"));
  EXPECT_FALSE(form.WriteConfig());
  EnterScreen(form.Screen, ScreenOptions);
  LeaveScreen(form.Screen, ScreenOptions);
  game.Frames(3);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_FALSE(form.Closed());
  EXPECT_FALSE(std::filesystem::exists(folder_ / "Config.cfg"));
  EnterScreen(form.Screen, ScreenShare);
  ASSERT_TRUE(form.Closed());
  EXPECT_FALSE(form.SettingsSaved());
  EXPECT_EQ(boxes.size(), 1u);
}

// A file that is there but cannot be read is told at start-up and never written over with the
// defaults.
TEST_F(Form1ConfigTest, ASettingsFileThatCannotBeReadIsNotWrittenOver) {
  std::filesystem::create_directory(folder_ / "Config.cfg");
  {
    HeadlessGame game(folder_);
    ASSERT_TRUE(game.Start());
    const auto& boxes = game.Platform().desktop.messageBoxes;
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].second, Utf8ToCp1251("Не удалось прочитать настройки: на месте файла настроек стоит папка. "
                                            "Настройки этой игры не будут сохранены."));
  }
  std::filesystem::remove(folder_ / "Config.cfg");
  const std::string big((1 << 20) + 10, 'Q');
  std::ofstream(folder_ / "Config.cfg", std::ios::binary) << big;
  HeadlessGame game(folder_);
  ASSERT_TRUE(game.Start());
  TForm1& form = game.Form();
  const auto& boxes = game.Platform().desktop.messageBoxes;
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].second.rfind(Utf8ToCp1251("Не удалось прочитать настройки: "), 0), 0u);
  EXPECT_EQ(form.Settings.MusicVolume, 250);
  EXPECT_FALSE(form.WriteConfig());
  EnterScreen(form.Screen, ScreenShare);
  ASSERT_TRUE(form.Closed());
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(std::filesystem::file_size(folder_ / "Config.cfg"), big.size());
}

TEST_F(Form1ConfigTest, SavedSettingsAreReportedAtClose) {
  HeadlessGame game(folder_);
  ASSERT_TRUE(game.Start());
  EnterScreen(game.Form().Screen, ScreenShare);
  ASSERT_TRUE(game.Form().Closed());
  EXPECT_TRUE(game.Form().SettingsSaved());
  EXPECT_TRUE(game.Platform().desktop.messageBoxes.empty());
}

}  // namespace
}  // namespace zb
