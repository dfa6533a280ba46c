// The test's PostgreSQL stopped and started again while clients submit: every request gets an
// answer, errors while the database is away, and the server serves again by itself.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "persist/ScoreClient.h"
#include "server/ScoreHttpServer.h"
#include "server/ScoreService.h"
#include "server/ScoreStore.h"
#include "tests/server/PgCluster.h"
#include "tests/server/RawClient.h"

namespace zb::server {
namespace {

using testing::Fetch;

std::string StatusOf(const std::string& reply) { return reply.substr(0, 12); }
std::string BodyOf(const std::string& reply) {
  const size_t blank = reply.find("\r\n\r\n");
  return blank == std::string::npos ? std::string() : reply.substr(blank + 4);
}

// What the clients saw; the lines of submissions that failed with a token in hand are kept to be
// sent again once the database is back.
struct Tally {
  std::mutex mutex;
  std::set<int64_t> stored;
  std::vector<TScoreLine> failed;
  std::map<std::string, int> statuses;
  std::atomic<int> ok{0}, errors{0};
};

TEST(PgOutageTest, TheDatabaseStoppedUnderLoadGivesErrorsLosesNothingAndServiceComesBack) {
  testing::PgCluster& cluster = testing::PgCluster::Get();
  ASSERT_TRUE(cluster.Ok()) << cluster.Why();
  std::string error;
  auto store = ScoreStore::Open(cluster.NewDatabase(), error);
  ASSERT_TRUE(store) << error;
  ServiceOptions options;
  options.submissionsPerMinute = 0;
  options.log = [](const std::string&) {};  // every failed request would be logged
  ScoreService service(*store, options);
  ScoreHttpServer server(service);
  const int port = server.BindAnyPort("127.0.0.1");
  ASSERT_GT(port, 0);
  ASSERT_TRUE(server.Start());

  Tally tally;
  std::atomic<bool> done{false};
  std::vector<std::thread> clients;
  for (int c = 0; c < 4; ++c) {
    clients.emplace_back([&, c] {
      for (int i = 0; !done; ++i) {
        const std::string version = Fetch(port, "/cgi/version.pl?version&prg=Tamarix");
        std::string status = StatusOf(version);
        std::optional<TScoreLine> line;
        if (status == "HTTP/1.1 200") {
          line = TScoreLine{"0", "T" + std::to_string(c), std::to_string(c * 1'000'000 + i),
                            ScoreServerToken(BodyOf(version)), ""};
          status = StatusOf(Fetch(port, "/cgi/version.pl?hs&prg=Tamarix&inf=" + EncodeScoreLine(*line)));
        }
        std::lock_guard lock(tally.mutex);
        ++tally.statuses[status];
        if (line && status == "HTTP/1.1 200") {
          tally.stored.insert(c * 1'000'000 + i);
          ++tally.ok;
        } else {
          if (line) tally.failed.push_back(*line);
          ++tally.errors;
        }
      }
    });
  }
  auto waitFor = [](auto condition) {
    for (int waited = 0; waited < 2000 && !condition(); ++waited) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
  };

  EXPECT_TRUE(waitFor([&] { return tally.ok >= 50; }));
  ASSERT_TRUE(cluster.Stop());
  const int errorsBefore = tally.errors;
  EXPECT_TRUE(waitFor([&] { return tally.errors >= errorsBefore + 50; }));
  EXPECT_EQ(StatusOf(Fetch(port, "/cgi/version.pl?prg=Tamarix&show&type=0")), "HTTP/1.1 500");
  ASSERT_TRUE(cluster.Start());
  const int okAtRestart = tally.ok;
  EXPECT_TRUE(waitFor([&] { return tally.ok >= okAtRestart + 50; })) << "no score stored after the restart";
  done = true;
  for (auto& client : clients) client.join();

  // Every request got a reply: stored, or an error of the server, never a dropped connection.
  for (const auto& [status, count] : tally.statuses) {
    EXPECT_TRUE(status == "HTTP/1.1 200" || status == "HTTP/1.1 500") << count << " times \"" << status << "\"";
  }
  // A failed submission either stored nothing and left its token unspent, so it goes through now,
  // or (its reply lost as the database went down) stored its row and spent the token together.
  for (const TScoreLine& line : tally.failed) {
    const std::string status = StatusOf(Fetch(port, "/cgi/version.pl?hs&prg=Tamarix&inf=" + EncodeScoreLine(line)));
    EXPECT_TRUE(status == "HTTP/1.1 200" || status == "HTTP/1.1 400") << status;
    tally.stored.insert(std::stoll(line.Score));
  }
  const auto rows = store->Best(0, 10'000'000, error);
  ASSERT_TRUE(rows) << error;
  std::multiset<int64_t> scores;
  for (const StoredScore& row : *rows) scores.insert(row.score);
  // Each once: no row without its token spent, no token spent without its row.
  EXPECT_EQ(scores, std::multiset<int64_t>(tally.stored.begin(), tally.stored.end()));
}

}  // namespace
}  // namespace zb::server
