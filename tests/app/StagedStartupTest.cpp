// Start-up in two parts: what the first frame shows before it, everything else between the
// frames of the logo, with the logo staying until the loading is done.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/HeadlessGame.h"
#include "screens/MenuScreens.h"
#include "screens/ScreenId.h"
#include "screens/ScreenMachine.h"
#include "tests/app/GameFolder.h"
#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

std::vector<uint8_t> SolidImage() {
  test::Bytes b;
  b.U8(5).I32(0).I32(0).I32(0).I32(0).I32(0).I32(2).I32(2).I32(1);
  for (int i = 0; i < 4; ++i) b.U32(0xFF00FF00u);
  return b.data;
}

class StagedStartupTest : public ::testing::Test {
 protected:
  // The built archives and GUI, with the songs, effects and closing page linked in.
  void InstallGame() {
    test::InstallArchives(dir_.Path());
    for (const char* folder : {"Sounds", "wdata"}) {
      std::filesystem::create_directory_symlink(std::filesystem::path(ZB_GAME_DIR) / folder, dir_.Path() / folder);
    }
  }
  static std::vector<std::string> ImageRecordKeys(const std::filesystem::path& archive) {
    TArchiveDb db(archive, TOpenModes::opReadOnly);
    std::vector<std::string> keys;
    if (!db.EnsureOpen()) return keys;
    for (int i = 0; i < db.RecordCount(); ++i) {
      if (db.RecordType(i) == kRecordImage) keys.push_back(db.RecordKey(i));
    }
    return keys;
  }

  test::TempDir dir_;
};

TEST_F(StagedStartupTest, TheFirstFrameWaitsOnlyForTheLogoAndThePointerAndTheRestFollows) {
  InstallGame();
  HeadlessGame game(dir_.Path());
  TForm1& form = game.Form();
  ASSERT_TRUE(form.FormCreate());
  EXPECT_EQ(form.CurrentScreen(), ScreenLogo);
  EXPECT_TRUE(form.Screen.Loading);

  // Every image has its place in record order from the start (the GUI names images by place),
  // but only the first frame's are loaded.
  const std::vector<std::string> keys = ImageRecordKeys(dir_.Path() / "Data/data.zbx");
  ASSERT_EQ(form.Images.Count(), static_cast<int>(keys.size()));
  std::vector<std::string> loaded;
  for (int i = 0; i < form.Images.Count(); ++i) {
    EXPECT_EQ(form.Images.ImageAt(i)->Name, keys[static_cast<size_t>(i)]);
    if (form.Images.ImageAt(i)->Created()) loaded.push_back(form.Images.ImageAt(i)->Name);
  }
  EXPECT_EQ(loaded, (std::vector<std::string>{"cursor", "logo"}));
  EXPECT_EQ(form.Fonts.Count(), 0);
  EXPECT_EQ(form.Core.Particles.TemplateCount(), 0);
  EXPECT_EQ(form.Sound.MenuSong, 0);

  int frames = 0;
  while (form.Screen.Loading && frames < 1000) {
    game.Frame();
    ++frames;
  }
  EXPECT_FALSE(form.Screen.Loading);
  EXPECT_LT(frames, kLogoTicks);
  for (int i = 0; i < form.Images.Count(); ++i) EXPECT_TRUE(form.Images.ImageAt(i)->Drawable()) << keys[i];
  EXPECT_GT(form.Fonts.Count(), 0);
  EXPECT_NE(form.Fonts.FindFont("DialogFont"), nullptr);
  EXPECT_GT(form.Core.Particles.TemplateCount(), 0);
  EXPECT_EQ(form.Core.Particles.Image, form.Images.FindImage("particles"));
  EXPECT_TRUE(game.Platform().audio.SongPlaying(form.Sound.MenuSong));
  EXPECT_TRUE(form.ShareScreen.Active);

  // The logo keeps its length: the loading did not shorten or stretch it.
  game.Frames(kLogoTicks - frames - 1);
  EXPECT_EQ(form.CurrentScreen(), ScreenLogo);
  game.Frame();
  EXPECT_EQ(form.CurrentScreen(), ScreenEnterName);  // no players yet
}

TEST_F(StagedStartupTest, TheLogoStaysUntilTheLoadingIsDone) {
  InstallGame();
  HeadlessGame game(dir_.Path());
  ASSERT_TRUE(game.Start());
  TScreenContext& screen = game.Form().Screen;
  screen.Loading = true;
  for (int tick = 0; tick < kLogoTicks + 100; ++tick) RunFrame(screen);
  EXPECT_EQ(screen.CurrentScreen, ScreenLogo);
  screen.Loading = false;
  RunFrame(screen);
  EXPECT_EQ(screen.CurrentScreen, ScreenEnterName);
}

// A record that breaks after the first frame still ends the game with the message that names
// it, and writes nothing over the player's settings.
TEST_F(StagedStartupTest, ARecordThatFailsWhileTheLogoPlaysEndsTheGameWithItsName) {
  std::filesystem::create_directories(dir_.Path() / "Data");
  dir_.Write("Data/data.zbx", test::BuildArchive({{"logo", 1, SolidImage()},
                                                  {"cursor", 1, SolidImage()},
                                                  {"TitleFont", 3, {1, 2, 3}}}));
  dir_.Write("Data/data1.zbx", test::BuildArchive({}));
  dir_.Write("Data/gfx.zbx", {0, 0, 0, 0});
  HeadlessGame game(dir_.Path());
  ASSERT_TRUE(game.Form().FormCreate());
  EXPECT_TRUE(game.Platform().desktop.messageBoxes.empty());
  game.Frames(10);
  EXPECT_TRUE(game.Form().Closed());
  const auto& boxes = game.Platform().desktop.messageBoxes;
  ASSERT_EQ(boxes.size(), 1u);
  // The font that failed first, not the device.
  EXPECT_TRUE(boxes[0].second.ends_with("\n\nFailed to initialize device!")) << boxes[0].second;
  EXPECT_LT(boxes[0].second.find("\"TitleFont\""), boxes[0].second.find("Failed to initialize")) << boxes[0].second;
  EXPECT_FALSE(game.Form().SettingsSaved());
  EXPECT_FALSE(std::filesystem::exists(dir_.Path() / "Config.cfg"));
}

}  // namespace
}  // namespace zb
