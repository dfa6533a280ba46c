#include "app/Form1.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/HeadlessGame.h"
#include "tests/app/GameFolder.h"
#include "engine/platform/Keys.h"
#include "screens/ScreenMachine.h"
#include "screens/ScreenTable.h"

namespace zb {
namespace {

class Form1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("zb-form-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    test::InstallArchives(folder_);
    game_ = std::make_unique<HeadlessGame>(folder_);
  }
  void TearDown() override {
    game_.reset();
    std::filesystem::remove_all(folder_);
  }

  // Records something of every frame, at its first pass.
  void OnEveryRender(std::function<void()> probe) {
    frameProbe_ = std::move(probe);
    game_->Form().Screen.OnPass = [this](RenderPass pass, bool starting) {
      const TScreenContext& screen = game_->Form().Screen;
      if (starting && pass == PassesOf(*FindScreen(screen.CurrentScreen), screen.GameFinished).front()) frameProbe_();
    };
  }
  std::function<void()> frameProbe_;

  std::filesystem::path folder_;
  std::unique_ptr<HeadlessGame> game_;
};

TEST_F(Form1Test, StartsOnTheLogoWithTheTimerRunning) {
  ASSERT_TRUE(game_->Start());
  TForm1& form = game_->Form();
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenLogo);
  EXPECT_TRUE(form.Timer.Enabled());
  EXPECT_EQ(form.Timer.MaxFPS(), 100);
  EXPECT_EQ(form.Timer.Speed(), 1200.0);
  EXPECT_FALSE(form.Timer1.Enabled());
  EXPECT_EQ(game_->Platform().window.Settings().caption, "Zumbala");
  EXPECT_EQ(game_->Platform().window.Settings().width, 800);
  EXPECT_EQ(game_->Platform().window.Settings().height, 600);
  // Centred on the 1920 x 1080 screen.
  EXPECT_EQ(game_->Platform().window.Position().x, 560);
  EXPECT_EQ(game_->Platform().window.Position().y, 240);
}

TEST_F(Form1Test, BoundKeysAreTakenOutOfTheFreeSets) {
  ASSERT_TRUE(game_->Start());
  TForm1& form = game_->Form();
  for (int code : {37, 38, 39, 32}) EXPECT_FALSE(form.Screen.FreeSpecialKeys.test(code)) << code;
  for (int code : {9, 16, 17, 33, 34, 35, 36, 40, 45, 46}) EXPECT_TRUE(form.Screen.FreeSpecialKeys.test(code)) << code;
  EXPECT_FALSE(form.Screen.FreeSpecialKeys.test(65));
  EXPECT_TRUE(form.Screen.FreeCharKeys.test(65));
  EXPECT_TRUE(form.Screen.FreeCharKeys.test(255));
  EXPECT_FALSE(form.Screen.FreeCharKeys.test(64));
}

TEST_F(Form1Test, DeviceFailureShowsTheMessageAndRunsNoFrame) {
  game_->Platform().window.FailNextOpen();
  EXPECT_FALSE(game_->Start());
  const auto& boxes = game_->Platform().desktop.messageBoxes;
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].second, "Failed to initialize device!");
  EXPECT_TRUE(game_->Form().Closed());
  EXPECT_FALSE(game_->Form().Timer.Enabled());
}

TEST_F(Form1Test, AReleasedKeyIsSeenByExactlyOneFrameAndHeldUntilThen) {
  ASSERT_TRUE(game_->Start());
  TForm1& form = game_->Form();
  std::vector<std::pair<bool, bool>> seen;  // held, released per frame
  OnEveryRender([&] { seen.emplace_back(form.KeysHeld[vk::Escape], form.Screen.KeysReleased[vk::Escape]); });
  game_->KeyDown(vk::Escape);
  game_->Frames(3);
  game_->KeyUp(vk::Escape);
  game_->Frames(3);
  ASSERT_EQ(seen.size(), 6u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(seen[i], std::make_pair(true, false)) << i;
  EXPECT_EQ(seen[3], std::make_pair(false, true));
  EXPECT_EQ(seen[4], std::make_pair(false, false));
  EXPECT_EQ(seen[5], std::make_pair(false, false));
}

TEST_F(Form1Test, CloseBoxFollowsTheScreenTable) {
  ASSERT_TRUE(game_->Start());
  TForm1& form = game_->Form();
  for (uint8_t screen : {4, 6, 7, 8, 9, 14, 19, 20, 25, 26, 27}) {
    EnterScreen(form.Screen, screen);
    game_->CloseBox();
    game_->Frame();
    EXPECT_EQ(form.Screen.CurrentScreen, ScreenExitGame) << int(screen);
    EXPECT_FALSE(form.Closed());
  }
  ResumePlay(form.Screen, form.Screen.CurrentScreen);  // play going on (entering 12 would build a level)
  game_->CloseBox();
  game_->Frame();
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenExitToMenu);

  EnterScreen(form.Screen, ScreenPause);
  game_->CloseBox();
  game_->Frame();
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenExitToMenu);

  for (uint8_t screen : {0, 1, 3, 10, 13, 15, 18, 22, 23, 24, 28, 29, 30, 31}) {
    EnterScreen(form.Screen, screen);
    game_->CloseBox();
    game_->Frame();
    EXPECT_EQ(form.Screen.CurrentScreen, screen) << int(screen);
    EXPECT_FALSE(form.Closed()) << int(screen);
  }
}

TEST_F(Form1Test, ShareScreenClosesOnlyOnceTheCountdownIsOver) {
  std::filesystem::create_directory_symlink(std::filesystem::path(ZB_GAME_DIR) / "wdata", folder_ / "wdata");
  ASSERT_TRUE(game_->Start());
  TForm1& form = game_->Form();
  EnterScreen(form.Screen, ScreenShare);
  ASSERT_FALSE(form.Closed()) << "the closing page is there";
  form.ShareScreen.Countdown = 3;
  game_->CloseBox();
  game_->Frame();
  EXPECT_FALSE(form.Closed());
  form.Timer1.SetEnabled(true, game_->Platform().clock.TickCount());
  game_->Frames(50);  // half a second of frames: the side timer counts the tenths down
  EXPECT_EQ(form.ShareScreen.Countdown, 0);
  game_->CloseBox();
  game_->Frame();
  EXPECT_TRUE(form.Closed());
}

TEST_F(Form1Test, ClosingOpensThePlayLinkWhenItExists) {
  std::ofstream(folder_ / "play.url") << "[InternetShortcut]\r\nURL=http://localhost/\r\n";
  ASSERT_TRUE(game_->Start());
  EnterScreen(game_->Form().Screen, ScreenShare);
  EXPECT_TRUE(game_->Form().Closed());
  const auto& opens = game_->Platform().desktop.shellOpens;
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(std::filesystem::path(opens[0].first).filename(), "play.url");
}

TEST_F(Form1Test, MinimisingPausesPlayOnlyDuringPlay) {
  ASSERT_TRUE(game_->Start());
  TForm1& form = game_->Form();
  EnterScreen(form.Screen, ScreenMainMenu);
  game_->Minimize();
  game_->Frame();
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenMainMenu);

  ResumePlay(form.Screen, form.Screen.CurrentScreen);  // play going on (entering 12 would build a level)
  game_->Minimize();
  game_->Frame();
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenPause);

  ResumePlay(form.Screen, form.Screen.CurrentScreen);
  form.WMSysCommand(0xF022);  // minimise with the low bits set
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenPause);
  ResumePlay(form.Screen, form.Screen.CurrentScreen);
  form.WMSysCommand(0xF030);  // maximise
  EXPECT_EQ(form.Screen.CurrentScreen, ScreenGame);
}

TEST_F(Form1Test, FramesAreCappedAtOneHundredPerSecond) {
  ASSERT_TRUE(game_->Start());
  int frames = 0;
  OnEveryRender([&] { ++frames; });
  const uint32_t start = game_->Platform().clock.TickCount();
  game_->Frames(200);
  const uint32_t elapsed = game_->Platform().clock.TickCount() - start;
  EXPECT_EQ(frames, 200);
  EXPECT_GE(elapsed, 1980u);  // 200 frames take two seconds of (fake) time
}

}  // namespace
}  // namespace zb
