// The same seed and inputs give the same game, whether frames are drawn or not and however fast
// the machine's clock runs: the state hash of the play core is compared after every frame of a
// whole game played through the real screens.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/HeadlessGame.h"
#include "tests/app/GameFolder.h"
#include "screens/ScreenId.h"
#include "tools/autoplay/GameBot.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

class DeterminismTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("zb-determinism-" + std::to_string(::getpid()));
    fs::remove_all(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  struct Run {
    std::vector<uint64_t> hashes;
    std::string summary;
    int32_t score = 0;
  };

  // A whole game from level 25 (its story scenes and the end included) in a fresh folder.
  // `drawn`: frames are rasterised; `stall`: milliseconds the clock jumps after frame N.
  Run Play(bool drawn, const std::function<uint32_t(int64_t)>& stall) {
    test::LinkWholeGame(folder_);
    HeadlessGame game(folder_);
    game.Platform().window.SetRasterise(drawn);
    game.SetDrawing(drawn);
    EXPECT_TRUE(game.Start());
    TGameBotOptions options;
    options.StartLevel = 25;
    options.Seed = 4;
    options.Difficulty = 2;
    options.FrameBound = 200'000;
    TGameBot bot(game, options, [](const std::string&) {});
    Run run;
    bot.AfterFrame = [&] {
      // The closing page counts down on the side timer, in the machine's time: it is no game.
      if (game.Screens().CurrentScreen != ScreenShare) run.hashes.push_back(game.Core().StateHash());
      if (const uint32_t ms = stall(bot.Frames())) game.Platform().clock.AdvanceMillis(ms);
    };
    EXPECT_TRUE(bot.Run());
    run.summary = bot.Summary();
    run.score = game.Core().Game.GetShownScore();
    return run;
  }

  static void ExpectSame(const Run& a, const Run& b, const char* what) {
    EXPECT_EQ(a.score, b.score) << what;
    ASSERT_EQ(a.hashes.size(), b.hashes.size()) << what;
    for (size_t i = 0; i < a.hashes.size(); ++i) ASSERT_EQ(a.hashes[i], b.hashes[i]) << what << ", frame " << i;
  }

  fs::path folder_;
};

TEST_F(DeterminismTest, AGameIsTheSameDrawnOrNotAndAtAnyClockSpeed) {
  const auto steady = [](int64_t) { return 0u; };
  const Run plain = Play(false, steady);
  ASSERT_GT(plain.hashes.size(), 1000u);
  EXPECT_NE(plain.summary.find("result=finished"), std::string::npos) << plain.summary;
  // Every frame a frame late: the machine cannot keep up with 100 frames a second.
  ExpectSame(plain, Play(false, [](int64_t) { return 40u; }), "racing clock");
  // Long stalls now and then: the machine stops for a quarter of a second.
  ExpectSame(plain, Play(false, [](int64_t frame) { return frame % 97 == 0 ? 250u : 0u; }), "stuttering clock");
  ExpectSame(plain, Play(true, steady), "every frame drawn");
}

}  // namespace
}  // namespace zb
