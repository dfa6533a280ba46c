// "Yes" on the send-score question: the score goes to the server, then the replay of the same
// game, which the server plays again and marks; a score the server refused sends no replay.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/HeadlessGame.h"
#include "engine/platform/sdl/CurlHttp.h"
#include "server/ReplayVerifier.h"
#include "server/ScoreHttpServer.h"
#include "server/ScoreService.h"
#include "server/ScoreStore.h"
#include "tests/app/GameFolder.h"
#include "tests/server/BotReplay.h"
#include "tools/autoplay/GameBot.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

class SendScoreReplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("zb-sendreplay-" + std::to_string(::getpid()));
    test::LinkWholeGame(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // The bot's short game on easy, answered "yes" at the end.
  const TReplay* PlayAndSend(HeadlessGame& game) {
    game.SetDrawing(false);
    if (!game.Start()) return nullptr;
    TGameBotOptions options;
    options.Seed = 5;
    options.MaxFrames = 300;
    options.FrameBound = 200'000;
    options.Send = true;
    TGameBot bot(game, options, [](const std::string&) {});
    bot.Run();
    return game.Screens().LastReplay ? &*game.Screens().LastReplay : nullptr;
  }

  fs::path folder_;
};

TEST_F(SendScoreReplayTest, TheReplayFollowsAnAcceptedScoreAndVerifiesItsRow) {
  std::string error;
  auto store = server::ScoreStore::Open(folder_ / "scores.db", error);
  ASSERT_TRUE(store) << error;
  server::ReplayVerifier verifier(*store, server::testing::GameChecker());
  verifier.Start();
  server::ServiceOptions options;
  options.verifier = &verifier;
  server::ScoreService service(*store, options);
  server::ScoreHttpServer http(service);
  const int port = http.BindAnyPort("127.0.0.1");
  ASSERT_GT(port, 0);
  ASSERT_TRUE(http.Start());
  std::ofstream(folder_ / "scores.url") << "[InternetShortcut]\r\nURL=http://127.0.0.1:" << port << "/\r\n";

  HeadlessGame game(folder_);
  platform::CurlHttp curl;
  game.Platform().httpOverride = &curl;
  const TReplay* replay = PlayAndSend(game);
  ASSERT_NE(replay, nullptr);
  verifier.WaitIdle();
  EXPECT_EQ(verifier.Done().verified, 1);
  const auto rows = store->Best(0, 10, true, error);
  ASSERT_TRUE(rows) << error;
  ASSERT_EQ(rows->size(), 1u);
  EXPECT_EQ((*rows)[0].name, "Bot");
  EXPECT_EQ((*rows)[0].score, replay->FinalScore);
  EXPECT_TRUE(game.Platform().desktop.messageBoxes.empty());
}

TEST_F(SendScoreReplayTest, OnlyAStoredScoreIsFollowedByItsReplay) {
  {
    HeadlessGame game(folder_);
    game.Platform().http.Reply("OK|Tamarix|1|0|abc|");
    game.Platform().http.Reply("OK\n");
    game.Platform().http.Reply("queued\n", 202);
    const TReplay* replay = PlayAndSend(game);
    ASSERT_NE(replay, nullptr);
    const auto& requests = game.Platform().http.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_TRUE(requests[2].starts_with("POST ") && requests[2].ends_with("/cgi/replay.pl?token=abc")) << requests[2];
    const TReplayReadResult sent = DecodeReplay(game.Platform().http.Bodies().at(0));
    ASSERT_TRUE(sent.Replay) << sent.Error;
    EXPECT_EQ(*sent.Replay, *replay);
    // The server's word on the replay is not the player's concern.
    EXPECT_TRUE(game.Platform().desktop.messageBoxes.empty());
  }
  HeadlessGame refused(folder_);
  refused.Platform().http.Reply("OK|Tamarix|1|0|abc|");
  refused.Platform().http.Reply("unknown or used token\n", 400);
  ASSERT_NE(PlayAndSend(refused), nullptr);
  EXPECT_EQ(refused.Platform().http.Requests().size(), 2u);
  EXPECT_TRUE(refused.Platform().http.Bodies().empty());
}

}  // namespace
}  // namespace zb
