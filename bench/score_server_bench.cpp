// The score server measured in-process on 127.0.0.1, for one or more store set-ups side by side:
// the database is filled to `--rows` scores with one bulk statement, then full game submissions
// (the version check and the score line, each client a libcurl session as the game uses) are
// stored per second by 8 concurrent clients, then the score page is timed from one client and
// from 8 at once. With several instances (each its own store, service and port on the same
// database) the clients are spread over them. The limit of 30 submissions a minute per address
// is lifted, since every client comes from the same address. Prints figures only.
//
//   score_server_bench [--db sqlite|postgresql://URL [--instances N]]... [--seconds S] [--rows N] [--pages P]
//
// Every `--db` adds a set-up; `sqlite` is a new file in the temporary folder (the default). A
// PostgreSQL database is emptied first: give the bench one of its own.

#include <libpq-fe.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

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

struct Setup {
  std::string db = "sqlite";
  int instances = 1;
};

struct Args {
  std::vector<Setup> setups;
  double seconds = 10;
  long rows = 1'000'000;
  int pages = 2000;
};

Args ParseArgs(int argc, char** argv) {
  Args args;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--db")) args.setups.push_back({argv[i + 1], 1});
    if (!std::strcmp(argv[i], "--instances")) {
      if (args.setups.empty()) args.setups.emplace_back();
      args.setups.back().instances = std::max(1, std::atoi(argv[i + 1]));
    }
    if (!std::strcmp(argv[i], "--seconds")) args.seconds = std::atof(argv[i + 1]);
    if (!std::strcmp(argv[i], "--rows")) args.rows = std::atol(argv[i + 1]);
    if (!std::strcmp(argv[i], "--pages")) args.pages = std::atoi(argv[i + 1]);
  }
  if (args.setups.empty()) args.setups.emplace_back();
  return args;
}

bool IsPostgres(const std::string& db) { return db.starts_with("postgres"); }

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

// Runs SQL on PostgreSQL; false with the message printed.
bool PgExec(const std::string& url, const std::string& sql) {
  const char* keys[] = {"dbname", nullptr};
  const char* values[] = {url.c_str(), nullptr};
  std::unique_ptr<PGconn, decltype(&PQfinish)> db(PQconnectdbParams(keys, values, 1), &PQfinish);
  std::unique_ptr<PGresult, decltype(&PQclear)> result(PQexec(db.get(), sql.c_str()), &PQclear);
  const ExecStatusType status = PQresultStatus(result.get());
  if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return true;
  std::fprintf(stderr, "%s\n", PQerrorMessage(db.get()));
  return false;
}

bool SqliteExec(const fs::path& file, const std::string& sql) {
  sqlite3* raw = nullptr;
  sqlite3_open(file.c_str(), &raw);
  std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db(raw, &sqlite3_close);
  char* message = nullptr;
  if (sqlite3_exec(db.get(), sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return true;
  std::fprintf(stderr, "%s\n", message ? message : "sqlite failed");
  sqlite3_free(message);
  return false;
}

// Scores spread over the three difficulties, names of 4 to 12 bytes, in one statement.
bool Fill(const std::string& db, long rows) {
  const std::string n = std::to_string(rows);
  if (IsPostgres(db)) {
    return PgExec(db,
                  "INSERT INTO scores (difficulty, name, country, score, submitted)"
                  " SELECT i % 3, substr(decode(md5(i::text), 'hex'), 1, 4 + i % 9), 'Peru'::bytea,"
                  " (random() * 999999999)::bigint, 0 FROM generate_series(1, " + n + ") AS i; ANALYZE scores");
  }
  return SqliteExec(db,
                    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + n + ")"
                    " INSERT INTO scores (difficulty, name, country, score, submitted)"
                    " SELECT i % 3, randomblob(4 + i % 9), CAST('Peru' AS BLOB), abs(random()) % 1000000000, 0 FROM n;"
                    " ANALYZE");
}

// Page latencies in milliseconds, `count` pages from each of `clients` clients at once.
std::vector<double> PageLatencies(const std::vector<std::string>& bases, int clients, int count) {
  std::vector<std::vector<double>> perClient(static_cast<size_t>(clients));
  std::vector<std::thread> threads;
  for (int c = 0; c < clients; ++c) {
    threads.emplace_back([&, c] {
      zb::platform::CurlHttp http;
      const std::string& base = bases[static_cast<size_t>(c) % bases.size()];
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

struct Figures {
  std::string name;
  double perSecond = 0;
  double p50[2] = {}, p99[2] = {};
};

// One instance: a store of its own on the shared database, its service and its port.
struct Instance {
  std::unique_ptr<zb::server::ScoreStore> store;
  std::unique_ptr<zb::server::ScoreService> service;
  std::unique_ptr<zb::server::ScoreHttpServer> server;
};

bool Measure(const Setup& setup, const Args& args, const fs::path& folder, Figures& figures) {
  const bool postgres = IsPostgres(setup.db);
  const std::string where = postgres ? setup.db : (folder / ("scores-" + std::to_string(::getpid()) + ".db")).string();
  figures.name = std::string(postgres ? "PostgreSQL" : "SQLite") + ", " + std::to_string(setup.instances) +
                 (setup.instances == 1 ? " instance" : " instances");
  std::printf("== %s\n", figures.name.c_str());
  zb::server::ServiceOptions options;
  options.submissionsPerMinute = 0;
  std::vector<Instance> instances(static_cast<size_t>(setup.instances));
  std::vector<std::string> bases;
  for (Instance& instance : instances) {
    std::string error;
    instance.store = zb::server::ScoreStore::Open(where, error);
    if (!instance.store) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return false;
    }
    if (bases.empty() && postgres && !PgExec(where, "TRUNCATE scores, tokens, submission_times")) return false;
    instance.service = std::make_unique<zb::server::ScoreService>(*instance.store, options);
    instance.server = std::make_unique<zb::server::ScoreHttpServer>(*instance.service);
    const int port = instance.server->BindAnyPort("127.0.0.1");
    if (port <= 0 || !instance.server->Start()) {
      std::fprintf(stderr, "cannot serve on 127.0.0.1\n");
      return false;
    }
    bases.push_back("http://127.0.0.1:" + std::to_string(port));
  }
  zb::server::ScoreStore& store = *instances.front().store;

  const auto fillStart = Clock::now();
  if (!Fill(where, args.rows)) return false;
  std::printf("filled to %lld rows in %.1f s\n", static_cast<long long>(store.Count()),
              Seconds(Clock::now() - fillStart));

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
      const std::string& base = bases[static_cast<size_t>(c) % bases.size()];
      while (Clock::now() < deadline) {
        const zb::TScoreSubmission score{.Difficulty = static_cast<int>(random() % 3),
                                         .Name = RandomName(random),
                                         .Country = "Peru",
                                         .Score = static_cast<int64_t>(random() % 1'000'000'000)};
        if (zb::SubmitScore(http, desktop, base, score) == zb::TSubmitResult::Sent) ++sent;
        else ++failed;
      }
    });
  }
  for (auto& t : clients) t.join();
  const double elapsed = Seconds(Clock::now() - start);
  figures.perSecond = static_cast<double>(sent.load()) / elapsed;
  std::printf("submissions: %ld stored in %.1f s by %d clients = %.0f per second (%ld failed, %lld rows)\n",
              sent.load(), elapsed, kClients, figures.perSecond, failed.load(),
              static_cast<long long>(store.Count()));

  int round = 0;
  for (int clientsAtOnce : {1, kClients}) {
    const auto latencies = PageLatencies(bases, clientsAtOnce, args.pages / clientsAtOnce);
    figures.p50[round] = Percentile(latencies, 0.50);
    figures.p99[round] = Percentile(latencies, 0.99);
    std::printf("score page, %d client(s): %zu pages, p50 %.2f ms, p99 %.2f ms, max %.2f ms\n", clientsAtOnce,
                latencies.size(), figures.p50[round], figures.p99[round], Percentile(latencies, 1.0));
    ++round;
  }
  for (Instance& instance : instances) instance.server->Stop();
  instances.clear();
  if (!postgres) {
    for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(where + suffix);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const Args args = ParseArgs(argc, argv);
  const fs::path folder = fs::temp_directory_path() / ("zb-score-bench-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  std::vector<Figures> all;
  for (const Setup& setup : args.setups) {
    Figures figures;
    if (!Measure(setup, args, folder, figures)) {
      fs::remove_all(folder);
      return 1;
    }
    all.push_back(figures);
  }
  fs::remove_all(folder);

  std::printf("\n| Measure (%ld rows) |", args.rows);
  for (const Figures& f : all) std::printf(" %s |", f.name.c_str());
  std::printf("\n|---|");
  for (size_t i = 0; i < all.size(); ++i) std::printf("---|");
  std::printf("\n| stored submissions per second, %d clients |", kClients);
  for (const Figures& f : all) std::printf(" %.0f |", f.perSecond);
  const char* rows[] = {"score page, 1 client: p50 / p99", "score page, 8 clients: p50 / p99"};
  for (int r = 0; r < 2; ++r) {
    std::printf("\n| %s |", rows[r]);
    for (const Figures& f : all) std::printf(" %.2f / %.2f ms |", f.p50[r], f.p99[r]);
  }
  std::printf("\n");
  return 0;
}
