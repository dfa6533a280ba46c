#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/HeadlessGame.h"
#include "engine/platform/headless/RendererWindow.h"
#include "engine/platform/Keys.h"
#include "game/GameProcedures.h"
#include "game/Scenery.h"
#include "screens/Cursor.h"
#include "screens/ScreenMachine.h"
#include "tools/autoplay/AutoPlayer.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

// A renderer that rasterises nothing: the whole game runs, only the pixels are skipped, so a
// level can be played to its end within the test's time.
class NullRenderer final : public platform::Renderer {
 public:
  int Width() const override { return 800; }
  int Height() const override { return 600; }
  platform::TextureId CreateTexture(int, int, const uint32_t*) override { return ++next_; }
  void DestroyTexture(platform::TextureId) override {}
  void DrawGeometry(platform::TextureId, const platform::Vertex*, int, const int*, int, int, bool) override {}
  void SetClip(const platform::IntRect*) override {}
  platform::IntRect Clip() const override { return {0, 0, 800, 600}; }
  void Clear(uint32_t) override {}
  void Present() override {}
  bool ReadPixels(std::vector<uint32_t>&, int&, int&) override { return false; }

 private:
  platform::TextureId next_ = 0;
};

class NullPlatform final : public platform::Platform {
 public:
  platform::Clock& GetClock() override { return clock; }
  platform::Window& GetWindow() override { return window; }
  platform::Desktop& GetDesktop() override { return desktop; }
  platform::Audio& GetAudio() override { return audio; }
  platform::HttpClient& GetHttp() override { return http; }

  platform::HeadlessClock clock;
  NullRenderer renderer;
  platform::RendererWindow window{renderer};
  platform::HeadlessDesktop desktop;
  platform::RecordingAudio audio;
  platform::ScriptedHttp http;
};

// A game folder of its own: the built content linked in, and a Data folder whose level files
// a test may replace.
class LevelPlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("zb-levels-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "Data");
    const fs::path built = ZB_GAME_DIR;
    fs::create_directory_symlink(built / "Sounds", folder_ / "Sounds");
    for (const auto& entry : fs::directory_iterator(built / "Data")) {
      fs::create_symlink(entry.path(), folder_ / "Data" / entry.path().filename());
    }
    game_ = std::make_unique<HeadlessGame>(folder_);
    ASSERT_TRUE(game_->Start());
  }
  void TearDown() override {
    game_.reset();
    fs::remove_all(folder_);
  }

  // A new game entered at `level`, as the difficulty buttons enter it.
  void EnterLevel(int level) {
    TForm1& form = game_->Form();
    form.Core.Game.SetShownScore(0);
    form.Core.Game.LevelNumber = level;
    form.Core.Game.Lives = 3;
    LeaveScreen(form.Screen, form.Screen.CurrentScreen);
    EnterScreen(form.Screen, ScreenGame);
  }

  void ReplaceLevelFile(int level, const std::string& bytes) {
    const fs::path path = folder_ / "Data" / ("data" + std::to_string(level));
    fs::remove(path);
    std::ofstream(path, std::ios::binary) << bytes;
  }

  fs::path folder_;
  std::unique_ptr<HeadlessGame> game_;
};

TEST_F(LevelPlayTest, EveryLevelLoadsWithBreakableBricks) {
  TForm1& form = game_->Form();
  for (int level = 1; level <= 25; ++level) {
    SCOPED_TRACE(level);
    EnterLevel(level);
    EXPECT_TRUE(game_->Platform().desktop.messageBoxes.empty());
    EXPECT_GT(form.Core.Game.BlocksLeft, 0);
    EXPECT_EQ(form.Screen.CurrentScreen, level == 1 ? ScreenSpeech : ScreenLevelStart);
    EXPECT_EQ(form.Core.Game.Cage != nullptr, level == 4 || level == 11 || level == 18 || level == 25);
    EXPECT_NE(form.Core.Game.KeyImage, nullptr);
    EXPECT_EQ(form.Core.Game.WaterfallCount, 5);
    game_->Frames(3);
    LeaveScreen(form.Screen, ScreenGame);
  }
}

TEST_F(LevelPlayTest, TheIntroReturnsToPlayAtTheTitlesTick236) {
  TForm1& form = game_->Form();
  EnterLevel(2);
  ASSERT_EQ(form.Screen.CurrentScreen, ScreenLevelStart);
  game_->Frames(235);
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenLevelStart);
  game_->Frames(2);
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenGame);
  EXPECT_EQ(form.Core.Game.LevelTitle, nullptr);
  // The pause holds play; F1 resumes without reloading the level.
  const int bricks = form.Core.Game.BlocksLeft;
  game_->Press(vk::P);
  game_->Frames(2);
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenPause);
  game_->Press(vk::Escape);
  game_->Frames(2);
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenPause);
  game_->Press(vk::F1);
  game_->Frames(2);
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenGame);
  // Escape asks whether to go back to the menu; Escape again answers no and play goes on.
  game_->Press(vk::Escape);
  game_->Frames(2);
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenExitToMenu);
  EXPECT_TRUE(form.Screen.Cursor->Visible);
  game_->Press(vk::Escape);
  game_->Frames(2);
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenGame);
  EXPECT_FALSE(form.Screen.Cursor->Visible);
  EXPECT_EQ(form.Core.Game.BlocksLeft, bricks);
}

TEST_F(LevelPlayTest, ABrokenLevelFileIsReportedAndTheGameGoesBackToTheMenu) {
  TForm1& form = game_->Form();
  ReplaceLevelFile(3, std::string(200, '\1'));
  EnterLevel(3);
  auto& boxes = game_->Platform().desktop.messageBoxes;
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].second.find("data3"), std::string::npos);
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenMainMenu);
  EXPECT_EQ(form.Core.Game.Bita, nullptr);
  EXPECT_EQ(form.Core.Game.BallCount, 0);
  for (int i = 0; i < form.Core.Engine.Count(); ++i) {
    EXPECT_EQ(form.Core.Engine.SpriteAt(i)->Name, "cursor");
  }
  game_->Frames(5);
  // A missing file the same way; the next level still plays.
  fs::remove(folder_ / "Data" / "data4");
  EnterLevel(4);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_NE(boxes[1].second.find("data4"), std::string::npos);
  EnterLevel(5);
  EXPECT_EQ(boxes.size(), 2u);
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenLevelStart);
}

// "Data/data3" a folder, then a level whose header holds negative sizes: each is reported and
// play goes back to the menu, through the difficulty button as the player reaches it.
TEST_F(LevelPlayTest, ALevelThatIsAFolderOrHasNegativeSizesIsRefusedFromTheButton) {
  TForm1& form = game_->Form();
  auto& boxes = game_->Platform().desktop.messageBoxes;
  fs::remove(folder_ / "Data" / "data1");
  fs::create_directory(folder_ / "Data" / "data1");
  // "Новая игра", then "Легко".
  RunButton(form.Screen, "b_mainmenu_startgame");
  RunButton(form.Screen, "b_choosedif_easy");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].second.find("data1\" cannot be opened: it is a folder"), std::string::npos) << boxes[0].second;
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenMainMenu);

  std::string negative(128 * 6, '\0');
  for (int i = 0; i < 4; ++i) negative[static_cast<size_t>(i)] = '\xFF';  // LastColumn = -1
  negative[128 * 3] = 2;
  fs::remove_all(folder_ / "Data" / "data1");
  ReplaceLevelFile(1, negative);
  RunButton(form.Screen, "b_mainmenu_startgame");
  RunButton(form.Screen, "b_choosedif_easy");
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_NE(boxes[1].second.find("negative"), std::string::npos) << boxes[1].second;
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenMainMenu);
  game_->Frames(3);
}

TEST_F(LevelPlayTest, TheAutoplayerClearsALevelWithinItsBudget) {
  NullPlatform platform;
  TForm1 form(platform, folder_);
  ASSERT_TRUE(form.FormCreate() && form.FinishLoading());
  TAutoPlayer player(
      form.Screen, [&form](const platform::Event& e) { form.HandleEvent(e); }, [&form] { form.Idle(); },
      [&form] { return form.Closed(); });
  player.StartLevel(2, 0, 5);
  player.Run(40000);
  EXPECT_EQ(player.State(), TAutoPlayer::Result::Cleared) << player.Summary();
  EXPECT_EQ(form.Core.Game.BlocksLeft, 0);
  EXPECT_GT(form.Core.Game.Score, 0);
}

TEST(AutoplayProgramTest, PrintsOneFinalLine) {
  const std::string command = std::string(ZB_AUTOPLAY) + " 2 1 300 --seed 4";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
  EXPECT_EQ(pclose(pipe), 0);
  EXPECT_EQ(out.rfind("level=2 frames=300 score=", 0), 0u) << out;
  EXPECT_NE(out.find(" lives=3 result=running\n"), std::string::npos) << out;
}

// The program in a game folder whose level 3 is a folder: a message and status 1, not a signal
// and not a lost level.
TEST(AutoplayProgramTest, ARefusedLevelFailsWithAMessage) {
  const fs::path folder = fs::temp_directory_path() /
                          ("zb-autoplay-refused-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  fs::remove_all(folder);
  fs::create_directories(folder / "Data" / "data3");
  const fs::path built = ZB_GAME_DIR;
  fs::create_directory_symlink(built / "Sounds", folder / "Sounds");
  for (const auto& entry : fs::directory_iterator(built / "Data")) {
    if (entry.path().filename() != "data3") fs::create_symlink(entry.path(), folder / "Data" / entry.path().filename());
  }
  // The program plays in its own folder when that holds Data/.
  fs::copy_file(ZB_AUTOPLAY, folder / "zumbala-autoplay");
  const std::string command = (folder / "zumbala-autoplay").string() + " 3 1 100 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
  const int status = pclose(pipe);
  fs::remove_all(folder);
  ASSERT_TRUE(WIFEXITED(status)) << out;
  EXPECT_EQ(WEXITSTATUS(status), 1) << out;
  EXPECT_NE(out.find("data3\" cannot be opened"), std::string::npos) << out;
  EXPECT_EQ(out.find("result="), std::string::npos) << out;
}

}  // namespace
}  // namespace zb
