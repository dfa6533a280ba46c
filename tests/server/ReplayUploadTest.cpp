// A game's replay sent after its score: played again on the verifier's threads, it marks its row
// and only its row; forged, cut, foreign and repeated uploads verify nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/platform/headless/Headless.h"
#include "engine/platform/sdl/CurlHttp.h"
#include "persist/ScoreClient.h"
#include "server/ReplayVerifier.h"
#include "server/ScoreHttpServer.h"
#include "server/ScoreService.h"
#include "server/ScoreStore.h"
#include "tests/server/BotReplay.h"
#include "tests/server/PgCluster.h"

namespace zb::server {
namespace {

namespace fs = std::filesystem;

// One short game of the bot, recorded once for every test of the binary.
const TReplay& Game() {
  static const TReplay replay = testing::BotReplay(7, 300);
  return replay;
}

class ReplayUploadTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    ASSERT_GT(Game().Frames, 0) << "the bot recorded no game";
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '-');
    folder_ = fs::temp_directory_path() / ("zb-replays-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    where_ = testing::NewStore(GetParam(), folder_);
    ASSERT_FALSE(where_.empty());
  }
  void TearDown() override {
    server_.reset();
    service_.reset();
    verifier_.reset();
    store_.reset();
    fs::remove_all(folder_);
  }

  void Serve(VerifierOptions options = {}, bool start = true, ReplayChecker check = testing::GameChecker()) {
    std::string error;
    store_ = ScoreStore::Open(where_, error);
    ASSERT_TRUE(store_) << error;
    options.log = [this](const std::string& line) { Note(line); };
    verifier_ = std::make_unique<ReplayVerifier>(*store_, std::move(check), options);
    if (start) verifier_->Start();
    ServiceOptions serviceOptions;
    serviceOptions.verifier = verifier_.get();
    serviceOptions.log = [this](const std::string& line) { Note(line); };
    service_ = std::make_unique<ScoreService>(*store_, serviceOptions);
    server_ = std::make_unique<ScoreHttpServer>(*service_);
    const int port = server_->BindAnyPort("127.0.0.1");
    ASSERT_GT(port, 0);
    ASSERT_TRUE(server_->Start());
    base_ = "http://127.0.0.1:" + std::to_string(port);
  }

  void Note(const std::string& line) {
    std::lock_guard lock(logMutex_);
    log_.push_back(line);
  }
  size_t Logged(const std::string& part) {
    std::lock_guard lock(logMutex_);
    size_t n = 0;
    for (const std::string& line : log_) n += line.find(part) != std::string::npos;
    return n;
  }

  // A stored score through the game's own client; the token it spent.
  std::string StoreScore(const std::string& name, int64_t score) {
    std::string token;
    EXPECT_EQ(SubmitScore(http_, desktop_, base_, {.Difficulty = 0, .Name = name, .Country = "Earth", .Score = score},
                          TLanguage(), &token),
              TSubmitResult::Sent);
    EXPECT_FALSE(token.empty());
    return token;
  }
  long Upload(const std::string& token, const std::string& bytes) {
    return http_.Post(base_ + "/cgi/replay.pl?token=" + token, bytes, "application/octet-stream").status;
  }
  std::string Page(bool verifiedOnly) {
    const platform::HttpResponse page =
        http_.Get(base_ + "/cgi/version.pl?prg=Tamarix&show&type=0" + (verifiedOnly ? "&verified=1" : ""));
    EXPECT_TRUE(page.ok) << page.error;
    return page.body;
  }
  static std::string Row(int64_t score, bool verified) {
    return "<td class=\"score\">" + std::to_string(score) + "</td><td class=\"verified\">" +
           (verified ? "\u2713" : "") + "</td>";
  }

  fs::path folder_;
  std::string where_;
  std::unique_ptr<ScoreStore> store_;
  std::unique_ptr<ReplayVerifier> verifier_;
  std::unique_ptr<ScoreService> service_;
  std::unique_ptr<ScoreHttpServer> server_;
  std::string base_;
  platform::CurlHttp http_;
  platform::HeadlessDesktop desktop_;
  std::mutex logMutex_;
  std::vector<std::string> log_;
};

TEST_P(ReplayUploadTest, AScoreSentWithItsReplayIsMarkedOnThePage) {
  Serve();
  const int64_t score = Game().FinalScore;
  const std::string token = StoreScore("Bot", score);
  EXPECT_EQ(SendReplay(http_, base_, token, Game()), "");
  // A forged line of the same player, with a score no game of his came to and no replay.
  StoreScore("Bot", score + 5000);
  verifier_->WaitIdle();
  EXPECT_EQ(verifier_->Done().verified, 1);
  EXPECT_EQ(verifier_->Done().refused, 0);

  const std::string all = Page(false);
  EXPECT_NE(all.find(Row(score, true)), std::string::npos) << all;
  EXPECT_NE(all.find(Row(score + 5000, false)), std::string::npos) << all;
  EXPECT_NE(all.find("href=\"/cgi/version.pl?prg=Tamarix&amp;show&amp;type=0&amp;verified=1\""), std::string::npos);
  const std::string verified = Page(true);
  EXPECT_NE(verified.find(Row(score, true)), std::string::npos) << verified;
  EXPECT_EQ(verified.find(std::to_string(score + 5000)), std::string::npos) << verified;
  EXPECT_NE(verified.find(">All scores</a>"), std::string::npos);

  // The same replay again: the row has its mark.
  EXPECT_EQ(Upload(token, EncodeReplay(Game())), 409);

  // A server that lists verified games alone offers no other view.
  ServiceOptions strictOptions;
  strictOptions.verifiedOnly = true;
  ScoreService strict(*store_, strictOptions);
  const std::string page = strict.Handle({{"prg", "Tamarix"}, {"show", ""}, {"type", "0"}}, "10.0.0.1").body;
  EXPECT_NE(page.find(Row(score, true)), std::string::npos) << page;
  EXPECT_EQ(page.find(std::to_string(score + 5000)), std::string::npos);
  EXPECT_EQ(page.find("All scores"), std::string::npos);
}

TEST_P(ReplayUploadTest, ForgedCutForeignAndRepeatedReplaysVerifyNothing) {
  Serve();
  const int64_t score = Game().FinalScore;
  const std::string own = StoreScore("Bot", score);
  const std::string higher = StoreScore("Bot", score + 100);
  const std::string other = StoreScore("Eve", score);
  const std::string bytes = EncodeReplay(Game());

  EXPECT_EQ(Upload("0123456789abcdef0123456789abcdef", bytes), 404);
  EXPECT_EQ(Upload("", bytes), 400);
  EXPECT_EQ(Upload(own, ""), 400);
  EXPECT_EQ(Upload(own, std::string(5000, 'x')), 400);
  // Cut short, or the replay of another game than the row's: read on the verifier's thread,
  // refused without being played, and the row may send its own again.
  EXPECT_EQ(Upload(own, bytes.substr(0, bytes.size() / 2)), 202);
  verifier_->WaitIdle();
  EXPECT_EQ(Upload(higher, bytes), 202);
  EXPECT_EQ(Upload(other, bytes), 202);
  verifier_->WaitIdle();
  EXPECT_EQ(verifier_->Done().refused, 3);
  EXPECT_EQ(Logged("not a replay"), 1u);
  EXPECT_EQ(Logged("points, its score is"), 1u);
  EXPECT_EQ(Logged("another player"), 1u);
  // Its claim edited to fit the row: played again, and found out; the row's one replay is spent.
  TReplay boasted = Game();
  boasted.FinalScore += 100;
  EXPECT_EQ(Upload(higher, EncodeReplay(boasted)), 202);
  EXPECT_EQ(Upload(higher, EncodeReplay(boasted)), 409);
  verifier_->WaitIdle();
  EXPECT_EQ(verifier_->Done().refused, 4);
  EXPECT_EQ(verifier_->Done().verified, 0);
  EXPECT_EQ(Upload(higher, bytes), 409);

  // None of that spent the chance of the row whose game it is.
  EXPECT_EQ(Upload(own, bytes), 202);
  verifier_->WaitIdle();
  EXPECT_EQ(verifier_->Done().verified, 1);
  const std::string page = Page(false);
  EXPECT_NE(page.find(Row(score, true)), std::string::npos) << page;
  EXPECT_NE(page.find(Row(score + 100, false)), std::string::npos) << page;
  size_t marks = 0;
  for (size_t at = page.find("\u2713</td>"); at != std::string::npos; at = page.find("\u2713</td>", at + 1)) ++marks;
  EXPECT_EQ(marks, 1u) << page;
}

TEST_P(ReplayUploadTest, AFullQueueTurnsUploadsAwayAndTheirRowsMayTryAgain) {
  VerifierOptions options;
  options.threads = 1;
  options.queueCapacity = 1;
  Serve(options, /*start=*/false);
  const int64_t score = Game().FinalScore;
  const std::string first = StoreScore("Bot", score);
  const std::string second = StoreScore("Bot", score);
  const std::string bytes = EncodeReplay(Game());
  EXPECT_EQ(Upload(first, bytes), 202);
  EXPECT_EQ(Upload(second, bytes), 503);
  verifier_->Start();
  verifier_->WaitIdle();
  EXPECT_EQ(Upload(second, bytes), 202);
  verifier_->WaitIdle();
  EXPECT_EQ(verifier_->Done().verified, 2);

  // Replays still waiting when the verifier stops give their rows back.
  const std::string third = StoreScore("Bot", score);
  ReplayRow row;
  std::string error;
  ASSERT_EQ(store_->RowOfToken(third, row, error), RowOutcome::Yes) << error;
  {
    ReplayVerifier stopped(*store_, testing::GameChecker());
    ASSERT_EQ(store_->TakeReplay(row.id, error), RowOutcome::Yes);
    ASSERT_TRUE(stopped.Enqueue(row.id, row.score, EncodeReplay(Game())));
  }
  ASSERT_EQ(store_->RowOfToken(third, row, error), RowOutcome::Yes) << error;
  EXPECT_FALSE(row.taken);
  EXPECT_FALSE(row.score.verified);
}

TEST_P(ReplayUploadTest, AReplayOverItsTimeCapLeavesItsRowUnverified) {
  ASSERT_GT(Game().Frames, 1024);  // the cap is looked at every 1024 frames
  TReplayCheckOptions capped;
  capped.Content = ZB_GAME_DIR;
  capped.TimeCap = std::chrono::nanoseconds(1);
  Serve({}, true, [capped](const TReplay& replay) {
    const TReplayVerdict verdict = CheckReplay(replay, capped);
    return ReplayCheckResult{verdict.Verified, verdict.Reason};
  });
  const std::string token = StoreScore("Bot", Game().FinalScore);
  EXPECT_EQ(Upload(token, EncodeReplay(Game())), 202);
  verifier_->WaitIdle();
  EXPECT_EQ(verifier_->Done().refused, 1);
  EXPECT_EQ(Logged("took longer than its time allows"), 1u);
  EXPECT_EQ(Page(true).find("Bot"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Stores, ReplayUploadTest, ::testing::Values("sqlite", "postgresql"));

}  // namespace
}  // namespace zb::server
