// The score server in-process on 127.0.0.1 under two starvation attacks, measuring the latency
// of the score page fetched by an honest client from 127.0.0.1 meanwhile:
//   - idle: 500 connections (from 20 loopback addresses) that connect and say nothing;
//   - slowloris: 10 connections that send one header byte every 3 s.
// Each phase fetches the page once every 50 ms for the given time. Prints figures only.
//
//   score_server_attack_bench [--seconds S]

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "server/ScoreHttpServer.h"
#include "server/ScoreService.h"
#include "server/ScoreStore.h"
#include "tests/server/RawClient.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using zb::server::testing::Fetch;
using zb::server::testing::RawClient;

constexpr const char* kPage = "/cgi/version.pl?prg=Tamarix&show&type=0";

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<size_t>(p * static_cast<double>(values.size())))];
}

// Fetches the page every 50 ms for `seconds`; prints the latencies and how many failed.
void MeasurePages(const char* phase, int port, double seconds) {
  std::vector<double> ms;
  int failed = 0;
  const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  while (Clock::now() < end) {
    const auto start = Clock::now();
    const std::string reply = Fetch(port, kPage);
    const double took = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (reply.starts_with("HTTP/1.1 200")) ms.push_back(took);
    else ++failed;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::printf("%-28s %4zu pages, %d failed: p50 %.2f ms, p99 %.2f ms, max %.2f ms\n", phase, ms.size(), failed,
              Percentile(ms, 0.5), Percentile(ms, 0.99), Percentile(ms, 1.0));
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = 15;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--seconds")) seconds = std::atof(argv[i + 1]);
  }
  const fs::path folder = fs::temp_directory_path() / ("zb-attack-bench-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  std::string error;
  auto store = zb::server::ScoreStore::Open(folder / "scores.db", error);
  if (!store) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  zb::server::ScoreService service(*store);
  zb::server::ScoreHttpServer server(service);
  const int port = server.BindAnyPort("127.0.0.1");
  if (port <= 0 || !server.Start()) {
    std::fprintf(stderr, "cannot serve on 127.0.0.1\n");
    return 1;
  }

  MeasurePages("no attack", port, seconds);
  {
    std::vector<RawClient> idle;
    for (int i = 0; i < 500; ++i) idle.emplace_back(port, "127.0.1." + std::to_string(1 + i % 20), 1);
    MeasurePages("500 idle connections", port, seconds);
  }
  {
    std::atomic<bool> done{false};
    std::thread trickle([&] {
      std::vector<RawClient> slow;
      for (int i = 0; i < 10; ++i) slow.emplace_back(port, "127.0.2." + std::to_string(1 + i), 1);
      const std::string request = "GET /cgi/version.pl?version&prg=Tamarix HTTP/1.1\r\nX-Pad: ";
      size_t sent = 0;
      while (!done) {
        // A client cut off by the server comes back at once, as an attacker's would.
        for (RawClient& client : slow) {
          if (client.ClosedByServer()) client = RawClient(port, "127.0.2.1", 1);
          client.Send(std::string(1, request[sent % request.size()]));
        }
        ++sent;
        for (int tick = 0; tick < 30 && !done; ++tick) std::this_thread::sleep_for(std::chrono::milliseconds(100));
      }
    });
    MeasurePages("10 slowloris connections", port, seconds);
    done = true;
    trickle.join();
  }
  server.Stop();
  store.reset();
  fs::remove_all(folder);
  return 0;
}
