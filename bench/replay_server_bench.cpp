// Replays verified by the score server, measured in-process on 127.0.0.1: the bot records whole
// games (every level, from a new game), one is played again alone for the speed of one core, then
// 8 clients each submit scores with their replays as the game does (the version check, the score
// line, the replay upload, each client a libcurl session) while the server's verifier threads
// play them again. Prints a table: frames a second, seconds a whole game, verifications a minute.
//
//   replay_server_bench [--game DIR] [--verifiers N] [--rounds R] [--games G] [--difficulty D]
//
// The bot plays in a folder of links to the built game. Defaults: the built game's content, 2 verifier threads, 2 rounds of 8 uploads, 2 recorded games, medium.

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/HeadlessGame.h"
#include "app/ReplayCheck.h"
#include "engine/platform/headless/Headless.h"
#include "engine/platform/sdl/CurlHttp.h"
#include "persist/ScoreClient.h"
#include "server/ReplayVerifier.h"
#include "server/ScoreHttpServer.h"
#include "server/ScoreService.h"
#include "server/ScoreStore.h"
#include "tests/app/GameFolder.h"
#include "tools/autoplay/GameBot.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kClients = 8;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

struct Args {
  fs::path game = ZB_GAME_DIR;  // the content the server plays replays with
  int verifiers = 2;
  int rounds = 2;
  int games = 2;
  int difficulty = 1;
};

Args ParseArgs(int argc, char** argv) {
  Args args;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string key = argv[i];
    const char* value = argv[i + 1];
    if (key == "--game") args.game = value;
    else if (key == "--verifiers") args.verifiers = std::atoi(value);
    else if (key == "--rounds") args.rounds = std::atoi(value);
    else if (key == "--games") args.games = std::atoi(value);
    else if (key == "--difficulty") args.difficulty = std::atoi(value);
  }
  return args;
}

zb::TReplay WholeGame(const fs::path& folder, int difficulty, uint32_t seed) {
  zb::HeadlessGame game(folder);
  game.SetDrawing(false);
  if (!game.Start()) return {};
  zb::TGameBotOptions options;
  options.Seed = seed;
  options.Difficulty = static_cast<uint8_t>(difficulty);
  zb::TGameBot bot(game, options, [](const std::string&) {});
  bot.Run();
  return game.Screens().LastReplay.value_or(zb::TReplay{});
}

}  // namespace

int main(int argc, char** argv) {
  const Args args = ParseArgs(argc, argv);
  const fs::path work = fs::temp_directory_path() / ("zb-replay-bench-" + std::to_string(::getpid()));
  const fs::path folder = work / "game";
  zb::test::LinkWholeGame(folder);

  std::vector<zb::TReplay> games;
  for (int i = 0; i < args.games; ++i) {
    zb::TReplay replay = WholeGame(folder, args.difficulty, 100 + static_cast<uint32_t>(i));
    if (replay.Frames == 0 || replay.StartLevel != 1) {
      std::fprintf(stderr, "replay_server_bench: the bot recorded no whole game\n");
      return 1;
    }
    std::printf("game %d: %lld frames, level %d, score %d, %zu bytes\n", i, static_cast<long long>(replay.Frames),
                replay.FinalLevel, replay.FinalScore, zb::EncodeReplay(replay).size());
    games.push_back(std::move(replay));
  }

  zb::TReplayCheckOptions check;
  check.Content = args.game;
  const auto alone = Clock::now();
  const zb::TReplayVerdict verdict = zb::CheckReplay(games[0], check);
  const double aloneSeconds = Seconds(Clock::now() - alone);
  if (!verdict.Verified) {
    std::fprintf(stderr, "replay_server_bench: %s\n", verdict.Reason.c_str());
    return 1;
  }

  std::string error;
  auto store = zb::server::ScoreStore::Open(work / "scores.db", error);
  if (!store) {
    std::fprintf(stderr, "replay_server_bench: %s\n", error.c_str());
    return 1;
  }
  zb::server::VerifierOptions verifierOptions;
  verifierOptions.threads = args.verifiers;
  verifierOptions.queueCapacity = static_cast<size_t>(kClients * args.rounds);
  zb::server::ReplayVerifier verifier(
      *store,
      [check](const zb::TReplay& replay) {
        const zb::TReplayVerdict played = zb::CheckReplay(replay, check);
        return zb::server::ReplayCheckResult{played.Verified, played.Reason};
      },
      verifierOptions);
  verifier.Start();
  zb::server::ServiceOptions serviceOptions;
  serviceOptions.submissionsPerMinute = 0;  // every client comes from the same address
  serviceOptions.verifier = &verifier;
  zb::server::ScoreService service(*store, serviceOptions);
  zb::server::ScoreHttpServer server(service);
  const int port = server.BindAnyPort("127.0.0.1");
  if (port <= 0 || !server.Start()) {
    std::fprintf(stderr, "replay_server_bench: the server did not start\n");
    return 1;
  }
  const std::string base = "http://127.0.0.1:" + std::to_string(port);

  std::atomic<int> refused{0};
  const auto start = Clock::now();
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c) {
    clients.emplace_back([&, c] {
      zb::platform::CurlHttp http;
      zb::platform::HeadlessDesktop desktop;
      for (int round = 0; round < args.rounds; ++round) {
        const zb::TReplay& replay = games[static_cast<size_t>(c + round) % games.size()];
        const zb::TScoreSubmission score{replay.Difficulty, replay.Name, "Earth", replay.FinalScore};
        std::string token;
        if (zb::SubmitScore(http, desktop, base, score, zb::TLanguage(), &token) != zb::TSubmitResult::Sent ||
            !zb::SendReplay(http, base, token, replay).empty()) {
          ++refused;
        }
      }
    });
  }
  for (std::thread& client : clients) client.join();
  const double uploaded = Seconds(Clock::now() - start);
  verifier.WaitIdle();
  const double elapsed = Seconds(Clock::now() - start);
  server.Stop();

  const zb::server::ReplayVerifier::Counts done = verifier.Done();
  std::printf("\n| measure | value |\n|---|---|\n");
  std::printf("| frames a second, one core, one game played again | %.0f |\n",
              static_cast<double>(games[0].Frames) / aloneSeconds);
  std::printf("| seconds a whole game (%lld frames), alone | %.2f |\n", static_cast<long long>(games[0].Frames),
              aloneSeconds);
  std::printf("| uploads by %d clients (all answered in) | %d (%.2f s) |\n", kClients, kClients * args.rounds,
              uploaded);
  std::printf("| verified / not verified / turned away | %lld / %lld / %d |\n", static_cast<long long>(done.verified),
              static_cast<long long>(done.refused), refused.load());
  std::printf("| verifications a minute, %d verifier threads | %.1f |\n", args.verifiers,
              60.0 * static_cast<double>(done.verified) / elapsed);
  fs::remove_all(work);
  return done.refused == 0 && refused == 0 ? 0 : 1;
}
