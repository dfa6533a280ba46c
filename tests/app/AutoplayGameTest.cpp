#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "app/HeadlessGame.h"
#include "persist/Config.h"
#include "screens/ScreenMachine.h"
#include "tools/autoplay/GameBot.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

// A game folder of its own with the built content linked in; `withProgram` puts a copy of the
// autoplayer beside it, which then plays in this folder as the game would.
class AutoplayGameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("zb-autogame-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "Data");
    const fs::path built = ZB_GAME_DIR;
    fs::create_directory_symlink(built / "Sounds", folder_ / "Sounds");
    fs::create_directory_symlink(built / "wdata", folder_ / "wdata");
    for (const auto& entry : fs::directory_iterator(built / "Data")) {
      fs::create_symlink(entry.path(), folder_ / "Data" / entry.path().filename());
    }
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Runs the copied program with `arguments`; its output lines and exit status.
  int RunProgram(const std::string& arguments, std::vector<std::string>& lines) {
    const fs::path program = folder_ / "zumbala-autoplay";
    fs::copy_file(ZB_AUTOPLAY, program, fs::copy_options::overwrite_existing);
    FILE* pipe = popen((program.string() + " " + arguments + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return -1;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
      std::string line = buffer;
      if (!line.empty() && line.back() == '\n') line.pop_back();
      lines.push_back(line);
    }
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  static std::vector<int> Screens(const std::vector<std::string>& lines) {
    std::vector<int> screens;
    const std::regex pattern(R"(^frame=\d+ screen=(\d+) level=\d+ score=\d+ lives=\d+$)");
    std::smatch match;
    for (const std::string& line : lines) {
      if (std::regex_match(line, match, pattern)) screens.push_back(std::stoi(match[1]));
    }
    return screens;
  }

  // True when `wanted` appears in `screens` in this order (other screens may come between).
  static bool InOrder(const std::vector<int>& screens, const std::vector<int>& wanted) {
    size_t next = 0;
    for (const int screen : screens) {
      if (next < wanted.size() && screen == wanted[next]) ++next;
    }
    return next == wanted.size();
  }

  fs::path folder_;
};

TEST_F(AutoplayGameTest, AWholeGameFromLevel25EndsTheStoryThenScoresOverTheEndPicture) {
  HeadlessGame game(folder_);
  game.Platform().window.SetRasterise(false);
  ASSERT_TRUE(game.Start());
  TForm1& form = game.Form();
  TGameBotOptions options;
  options.StartLevel = 25;
  options.Seed = 1;
  options.FrameBound = 200'000;
  std::vector<std::string> lines;
  bool finishedAtScore = false;
  int scoreFormLeft = 0;
  TGameBot bot(game, options, [&](const std::string& line) {
    lines.push_back(line);
    if (form.Screen.CurrentScreen == ScreenYourScore && line.find(" screen=22 ") != std::string::npos) {
      finishedAtScore = form.Screen.GameFinished;
      scoreFormLeft = form.GuiBase.FindControl("scr_yourscoreis")->Left();
    }
  });
  ASSERT_TRUE(bot.Run()) << (lines.empty() ? "" : lines.back());
  EXPECT_TRUE(form.Closed());
  const std::vector<int> screens = Screens(lines);
  EXPECT_TRUE(InOrder(screens, {3, 1, 4, 14, 28, 12, 15, 29, 30, 22, 31, 23, 8, 4, 10, 32})) << ::testing::PrintToString(screens);
  EXPECT_TRUE(finishedAtScore);
  EXPECT_EQ(scoreFormLeft, 225);
  EXPECT_EQ(form.Core.Game.LevelNumber, 26);
  const std::regex summary(R"(^game: result=finished frames=\d+ level=26 score=(\d+) entered=yes$)");
  std::smatch match;
  const std::string last = bot.Summary();
  ASSERT_TRUE(std::regex_match(last, match, summary)) << last;
  // The game closed by its own steps: "Config.cfg" holds the new player, the country and the score.
  TSettings saved;
  ASSERT_TRUE(ReadConfig(saved, folder_ / "Config.cfg").ok);
  EXPECT_EQ(saved.PlayerName, "Bot");
  EXPECT_EQ(saved.PlayerCountry, "Earth");
  EXPECT_EQ(saved.HighScores[0][0].Name, "Bot");
  EXPECT_EQ(saved.HighScores[0][0].Score, match[1].str());
}

TEST_F(AutoplayGameTest, TheProgramPlaysAGameToGameOverAndClosesTheGame) {
  std::vector<std::string> lines;
  ASSERT_EQ(RunProgram("--game medium --idle --name Ida --country Oz --seed 1", lines), 0);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "frame=0 screen=3 level=1 score=0 lives=3");
  EXPECT_TRUE(InOrder(Screens(lines), {3, 1, 4, 14, 29, 28, 12, 24, 12, 24, 12, 13, 22, 31, 23, 10, 32}))
      << ::testing::PrintToString(Screens(lines));
  EXPECT_TRUE(std::regex_match(lines.back(),
                               std::regex(R"(^game: result=gameover frames=\d+ level=1 score=\d+ entered=(yes|no)$)")))
      << lines.back();
  TSettings saved;
  ASSERT_TRUE(ReadConfig(saved, folder_ / "Config.cfg").ok);
  EXPECT_EQ(saved.PlayerName, "Ida");
  EXPECT_EQ(saved.PlayerCountry, "Oz");
}

TEST_F(AutoplayGameTest, GivingUpAfterTheFramesOfPlayQuitsThroughTheExitQuestion) {
  std::vector<std::string> lines;
  ASSERT_EQ(RunProgram("--game easy --start-level 9 --max-frames 400", lines), 0);
  EXPECT_TRUE(InOrder(Screens(lines), {14, 28, 12, 0, 22, 31, 23, 10, 32})) << ::testing::PrintToString(Screens(lines));
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(std::regex_match(lines.back(), std::regex(R"(^game: result=quit frames=\d+ level=9 score=\d+ entered=(yes|no)$)")))
      << lines.back();
}

TEST_F(AutoplayGameTest, TheBoundOfFramesEndsTheProgramWithAFailure) {
  std::vector<std::string> lines;
  EXPECT_EQ(RunProgram("--game easy --bound 1000", lines), 1);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().rfind("game: result=", 0), 0u);
  EXPECT_EQ(RunProgram("--game easy --send maybe", lines), 2);
}

}  // namespace
}  // namespace zb
