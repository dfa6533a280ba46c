// zumbala-scores: the score server the game sends its final scores to.
// zumbala-scores --verify FILE [--content DIR]: plays a replay again and says whether it holds.
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "app/ReplayCheck.h"
#include "engine/FileRead.h"
#include "server/ReplayVerifier.h"
#include "server/ScoreHttpServer.h"
#include "server/ScoreService.h"
#include "server/ScoreStore.h"

namespace {

struct Options {
  std::string host = "127.0.0.1";
  int port = 8642;
  std::string db = "scores.db";
  zb::server::ConnectionLimits limits;
  std::filesystem::path content;  // of the game, for replays; beside the program when empty
  int verifiers = 2;              // 0: replays are not taken
  int replayQueue = 32;
  int replaySeconds = 30;
  bool verifiedOnly = false;
};

int Usage() {
  std::fprintf(stderr,
               "usage: zumbala-scores [--port N] [--db FILE|postgresql://URL] [--host ADDRESS]\n"
               "                      [--trusted-proxy ADDRESS[/BITS][,...]]... [--verified-only]\n"
               "                      [--content DIR] [--verifiers N] [--replay-queue N] [--replay-seconds N]\n"
               "       zumbala-scores --verify FILE [--content DIR]\n");
  return 2;
}

bool Number(std::string_view value, int low, int high, int& out) {
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), out);
  return ec == std::errc() && end == value.data() + value.size() && out >= low && out <= high;
}

bool ParseArgs(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--verified-only") {
      options.verifiedOnly = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const std::string_view value = argv[++i];
    if (arg == "--port") {
      if (!Number(value, 1, 65535, options.port)) return false;
    } else if (arg == "--verifiers") {
      if (!Number(value, 0, 64, options.verifiers)) return false;
    } else if (arg == "--replay-queue") {
      if (!Number(value, 1, 100'000, options.replayQueue)) return false;
    } else if (arg == "--replay-seconds") {
      if (!Number(value, 1, 3600, options.replaySeconds)) return false;
    } else if (arg == "--content") {
      options.content = value;
    } else if (arg == "--db") {
      options.db = value;
    } else if (arg == "--host") {
      options.host = value;
    } else if (arg == "--trusted-proxy") {
      std::string error;
      if (!options.limits.trustedProxies.Add(value, error)) {
        std::fprintf(stderr, "zumbala-scores: --trusted-proxy: %s\n", error.c_str());
        return false;
      }
    } else {
      return false;
    }
  }
  return true;
}

// The game's content for replays: beside the program, as an installed copy keeps it, or the built
// game beside the server's build folder.
std::filesystem::path ContentFolder() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
  for (const std::filesystem::path& folder : {self, self / "../share/zumbala", self / "../game"}) {
    if (std::filesystem::is_directory(folder / "Data", ec)) return folder.lexically_normal();
  }
  return self;
}

int Verify(int argc, char** argv) {
  if (argc != 3 && !(argc == 5 && std::string_view(argv[3]) == "--content")) return Usage();
  const std::filesystem::path content = argc == 5 ? std::filesystem::path(argv[4]) : ContentFolder();
  const zb::FileReadResult read = zb::ReadFileText(argv[2], zb::kMaxReplayFileBytes);
  zb::TReplayVerdict verdict;
  if (!read.ok) {
    verdict.Reason = read.error;
  } else {
    zb::TReplayCheckOptions options;
    options.Content = content;
    verdict = zb::CheckReplayBytes(read.bytes, options);
  }
  std::printf("%s\n", zb::VerdictLine(verdict).c_str());
  return verdict.Verified ? 0 : 1;
}

// Replays are played again with the game's content; without it none can verify, so none is taken.
std::unique_ptr<zb::server::ReplayVerifier> Verifier(const Options& options, zb::server::ScoreStore& store) {
  if (options.verifiers == 0) return nullptr;
  const std::filesystem::path content = options.content.empty() ? ContentFolder() : options.content;
  std::error_code ec;
  if (!std::filesystem::is_directory(content / "Data", ec)) {
    std::fprintf(stderr, "zumbala-scores: no game content in %s (--content DIR); replays are not taken\n",
                 content.string().c_str());
    return nullptr;
  }
  zb::TReplayCheckOptions check;
  check.Content = content;
  check.TimeCap = std::chrono::seconds(options.replaySeconds);
  zb::server::VerifierOptions verifierOptions;
  verifierOptions.threads = options.verifiers;
  verifierOptions.queueCapacity = static_cast<size_t>(options.replayQueue);
  return std::make_unique<zb::server::ReplayVerifier>(
      store,
      [check](const zb::TReplay& replay) {
        const zb::TReplayVerdict verdict = zb::CheckReplay(replay, check);
        return zb::server::ReplayCheckResult{verdict.Verified, verdict.Reason};
      },
      verifierOptions);
}

int Serve(int argc, char** argv) {
  Options options;
  if (!ParseArgs(argc, argv, options)) return Usage();

  // The signals are blocked before any thread starts, so only the waiter below receives them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  std::string error;
  auto store = zb::server::ScoreStore::Open(options.db, error);
  if (!store) {
    std::fprintf(stderr, "zumbala-scores: %s\n", error.c_str());
    return 1;
  }
  std::atomic<bool> lost{false};
  zb::server::ScoreHttpServer* serving = nullptr;
  zb::server::ServiceOptions serviceOptions;
  serviceOptions.verifiedOnly = options.verifiedOnly;
  const std::unique_ptr<zb::server::ReplayVerifier> verifier = Verifier(options, *store);
  serviceOptions.verifier = verifier.get();
  serviceOptions.stop = [&](const std::string&) {
    lost = true;
    if (serving) serving->Stop();
  };
  zb::server::ScoreService service(*store, serviceOptions);
  zb::server::ScoreHttpServer server(service, options.limits);
  serving = &server;
  if (!server.Bind(options.host, options.port)) {
    std::fprintf(stderr, "zumbala-scores: cannot listen on %s:%d\n", options.host.c_str(), options.port);
    return 1;
  }

  std::atomic<bool> done{false};
  std::thread waiter([&] {
    // Once a second the database file is looked at too: deleted or replaced, nothing stored
    // from then on would be seen again.
    const timespec second{1, 0};
    while (!done) {
      if (sigtimedwait(&stopSignals, nullptr, &second) > 0) break;
      if (const auto why = store->Lost()) {
        std::fprintf(stderr, "zumbala-scores: %s\n", why->c_str());
        lost = true;
        break;
      }
    }
    server.Stop();
  });
  // A URL may carry a password: it is not written to the log.
  const std::string shown = options.db.starts_with("postgres") ? std::string("PostgreSQL") : options.db;
  std::fprintf(stderr, "zumbala-scores: serving %s on %s:%d\n", shown.c_str(), options.host.c_str(), options.port);
  if (verifier) verifier->Start();
  const bool served = server.Run();
  done = true;  // Run also ends when serving failed; the waiter sees it within a second
  waiter.join();
  std::fprintf(stderr, "zumbala-scores: stopped\n");
  return served && !lost ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  // Start-up failures that throw (the database, the socket) end with a message and status 1.
  try {
    if (argc >= 2 && std::string_view(argv[1]) == "--verify") return Verify(argc, argv);
    return Serve(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zumbala-scores: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "zumbala-scores: an unknown error\n");
  }
  return 1;
}
