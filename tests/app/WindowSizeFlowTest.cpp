// The window's size through start-up and closing: chosen for the desktop, kept beside "Config.cfg".

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/HeadlessGame.h"
#include "persist/WindowSizeSetting.h"
#include "screens/ScreenMachine.h"
#include "tests/app/GameFolder.h"
#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

namespace fs = std::filesystem;
using platform::Point;

class WindowSizeFlowTest : public ::testing::Test {
 protected:
  void SetUp() override { test::InstallArchives(dir_.Path()); }

  // Starts a game on a screen of `screen` whose usable part is `usable` high (a panel below).
  std::unique_ptr<HeadlessGame> Start(Point screen, int usableHeight, TGameFolders folders) {
    auto game = std::make_unique<HeadlessGame>(std::move(folders));
    game->Platform().window.SetRasterise(false);
    game->Platform().window.SetScreenSize(screen);
    game->Platform().window.SetUsableDesktop({0, 0, screen.x, usableHeight});
    EXPECT_TRUE(game->Start());
    return game;
  }
  std::unique_ptr<HeadlessGame> Start(Point screen, int usableHeight) {
    return Start(screen, usableHeight, TGameFolders::Portable(dir_.Path()));
  }
  static Point Opened(HeadlessGame& game) {
    const platform::WindowSettings& settings = game.Platform().window.Settings();
    // The picture keeps its logical size whatever the window's.
    EXPECT_EQ(settings.width, 800);
    EXPECT_EQ(settings.height, 600);
    EXPECT_TRUE(settings.resizable);
    return Point{settings.windowWidth, settings.windowHeight};
  }
  fs::path File() const { return dir_.Path() / kWindowSizeFileName; }
  void Put(const std::string& text) const { std::ofstream(File(), std::ios::binary) << text; }

  test::TempDir dir_;
};

TEST_F(WindowSizeFlowTest, ALargeDesktopOpensAtTwiceThePictureCentredAndTheResizedWindowIsKept) {
  {
    auto game = Start({2560, 1440}, 1400);
    EXPECT_EQ(Opened(*game), (Point{1600, 1200}));
    EXPECT_EQ(game->Platform().window.Position(), (Point{480, 120}));
    // The player makes it smaller; full screen and back centres the window of that size.
    game->Platform().window.SetWindowedSize({1000, 750});
    TForm1& form = game->Form();
    form.Device.SetByIndex(0, false);
    EnterScreen(form.Screen, ScreenGraphics);
    RunButton(form.Screen, "b_fullscreen");
    ASSERT_TRUE(form.Device.Windowed());
    EXPECT_EQ(game->Platform().window.Position(), (Point{780, 345}));
    EnterScreen(form.Screen, ScreenShare);
    ASSERT_TRUE(game->Closed());
  }
  EXPECT_EQ(ReadWindowSize(File()), (TWindowSize{1000, 750}));
  auto game = Start({2560, 1440}, 1400);
  EXPECT_EQ(Opened(*game), (Point{1000, 750}));
}

TEST_F(WindowSizeFlowTest, EveryDesktopGetsItsWholeScale) {
  for (const auto& [screen, expected] : {std::pair{Point{1366, 768}, Point{800, 600}},
                                         std::pair{Point{1920, 1080}, Point{800, 600}},
                                         std::pair{Point{3840, 2160}, Point{2400, 1800}}}) {
    auto game = Start(screen, screen.y);
    EXPECT_EQ(Opened(*game), expected) << screen.x << " x " << screen.y;
  }
  EXPECT_FALSE(fs::exists(File()));  // no game was closed
}

TEST_F(WindowSizeFlowTest, ADamagedOrUnfittingKeptSizeGivesTheDefault) {
  for (const char* kept : {"garbage\n", "1000 750 1\n", "0 0\n", "399 299\n", "3000 2000\n"}) {
    Put(kept);
    auto game = Start({2560, 1440}, 1400);
    EXPECT_EQ(Opened(*game), (Point{1600, 1200})) << kept;
  }
  // Kept on a large display, started on a small one.
  Put("2400 1800\n");
  auto game = Start({1366, 768}, 728);
  EXPECT_EQ(Opened(*game), (Point{800, 600}));
}

TEST_F(WindowSizeFlowTest, ACopyThatSavesNothingReadsTheSizeButWritesNone) {
  Put("1000 750\n");
  TGameFolders folders = TGameFolders::Portable(dir_.Path());
  folders.CanSave = false;
  folders.Problem = "read only";
  {
    auto game = Start({2560, 1440}, 1400, folders);
    EXPECT_EQ(Opened(*game), (Point{1000, 750}));
    game->Platform().window.SetWindowedSize({1200, 900});
    EXPECT_FALSE(game->Form().KeepWindowSize());
    EnterScreen(game->Form().Screen, ScreenShare);
    ASSERT_TRUE(game->Closed());
  }
  EXPECT_EQ(ReadWindowSize(File()), (TWindowSize{1000, 750}));
}

}  // namespace
}  // namespace zb
