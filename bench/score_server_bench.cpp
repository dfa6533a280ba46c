// The score server measured in-process on 127.0.0.1: full game submissions (the version check
// and the score line, each client a libcurl session as the game uses) stored per second with 8
// concurrent clients, then the latency of the score page with 100,000 stored scores, from one
// client and from 8 at once. The limit of 30 submissions a minute per address is lifted, since
// every client comes from the same address. Prints figures only.
//
//   score_server_bench [--seconds S] [--rows N] [--pages P]

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "engine/platform/headless/Headless.h"
#include "engine/platform/sdl/CurlHttp.h"
#include "persist/ScoreClient.h"
#include "server/ScoreHttpServer.h"
#include "server/ScoreService.h"
#include "server/ScoreStore.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kClients = 8;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

struct Args {
  double seconds = 10;
  int rows = 100'000;
  int pages = 2000;
};

Args ParseArgs(int argc, char** argv) {
  Args args;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--seconds")) args.seconds = std::atof(argv[i + 1]);
    if (!std::strcmp(argv[i], "--rows")) args.rows = std::atoi(argv[i + 1]);
    if (!std::strcmp(argv[i], "--pages")) args.pages = std::atoi(argv[i + 1]);
  }
  return args;
}

std::string RandomName(std::mt19937& random) {
  std::string name(1 + random() % 16, 'a');
  for (char& c : name) c = static_cast<char>(random() % 2 ? 'a' + random() % 26 : 0xC0 + random() % 64);
  return name;
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<size_t>(p * static_cast<double>(values.size())))];
}

// Page latencies in milliseconds, `count` pages from each of `clients` clients at once.
std::vector<double> PageLatencies(const std::string& base, int clients, int count) {
  std::vector<std::vector<double>> perClient(static_cast<size_t>(clients));
  std::vector<std::thread> threads;
  for (int c = 0; c < clients; ++c) {
    threads.emplace_back([&, c] {
      zb::platform::CurlHttp http;
      for (int i = 0; i < count; ++i) {
        const auto start = Clock::now();
        const auto page = http.Get(zb::ScorePageUrl(base, (c + i) % 3));
        if (page.ok) perClient[static_cast<size_t>(c)].push_back(Seconds(Clock::now() - start) * 1000);
      }
    });
  }
  for (auto& t : threads) t.join();
  std::vector<double> all;
  for (auto& v : perClient) all.insert(all.end(), v.begin(), v.end());
  return all;
}

}  // namespace

int main(int argc, char** argv) {
  const Args args = ParseArgs(argc, argv);
  const fs::path folder = fs::temp_directory_path() / ("zb-score-bench-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);

  std::string error;
  auto store = zb::server::ScoreStore::Open(folder / "scores.db", error);
  if (!store) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  zb::server::ServiceOptions options;
  options.submissionsPerMinute = 0;
  zb::server::ScoreService service(*store, options);
  zb::server::ScoreHttpServer server(service);
  const int port = server.BindAnyPort("127.0.0.1");
  if (port <= 0 || !server.Start()) {
    std::fprintf(stderr, "cannot serve on 127.0.0.1\n");
    return 1;
  }
  const std::string base = "http://127.0.0.1:" + std::to_string(port);

  // 1. Submissions from 8 clients for a fixed time.
  std::atomic<long> sent{0}, failed{0};
  const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                           std::chrono::duration<double>(args.seconds));
  std::vector<std::thread> clients;
  const auto start = Clock::now();
  for (int c = 0; c < kClients; ++c) {
    clients.emplace_back([&, c] {
      zb::platform::CurlHttp http;
      zb::platform::HeadlessDesktop desktop;
      std::mt19937 random(static_cast<unsigned>(c));
      while (Clock::now() < deadline) {
        const zb::TScoreSubmission score{.Difficulty = static_cast<int>(random() % 3),
                                         .Name = RandomName(random),
                                         .Country = "Peru",
                                         .Score = static_cast<int64_t>(random() % 1'000'000)};
        if (zb::SubmitScore(http, desktop, base, score) == zb::TSubmitResult::Sent) ++sent;
        else ++failed;
      }
    });
  }
  for (auto& t : clients) t.join();
  const double elapsed = Seconds(Clock::now() - start);
  std::printf("submissions: %ld stored in %.1f s by %d clients = %.0f per second (%ld failed, %lld rows)\n",
              sent.load(), elapsed, kClients, static_cast<double>(sent.load()) / elapsed, failed.load(),
              static_cast<long long>(store->Count()));

  // 2. The page with `rows` stored scores.
  std::mt19937 random(42);
  const auto fillStart = Clock::now();
  for (long long have = store->Count(); have < args.rows; ++have) {
    const auto score = static_cast<int64_t>(random() % 1'000'000'000);
    store->Add({static_cast<int>(random() % 3), RandomName(random), "Peru", score, 0}, error);
  }
  std::printf("filled to %lld rows in %.1f s\n", static_cast<long long>(store->Count()),
              Seconds(Clock::now() - fillStart));
  for (int clientsAtOnce : {1, kClients}) {
    const auto latencies = PageLatencies(base, clientsAtOnce, args.pages / clientsAtOnce);
    std::printf("score page, %d client(s): %zu pages, p50 %.2f ms, p99 %.2f ms, max %.2f ms\n",
                clientsAtOnce, latencies.size(), Percentile(latencies, 0.50), Percentile(latencies, 0.99),
                Percentile(latencies, 1.0));
  }

  server.Stop();
  store.reset();
  fs::remove_all(folder);
  return 0;
}
