#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "persist/ScoreLine.h"
#include "server/RateLimiter.h"
#include "server/ScoreService.h"
#include "server/ScoreStore.h"
#include "server/TokenBook.h"

namespace zb::server {
namespace {

namespace fs = std::filesystem;
using std::chrono::minutes;
using std::chrono::seconds;

TEST(TokenBookTest, ATokenIsGoodOnceWithinThirtyMinutes) {
  TokenBook book;
  const Clock::time_point start{};
  const std::string first = book.Issue(start);
  const std::string second = book.Issue(start);
  EXPECT_EQ(first.size(), 32u);
  EXPECT_NE(first, second);
  EXPECT_TRUE(book.Redeem(first, start + minutes(29)));
  EXPECT_FALSE(book.Redeem(first, start + minutes(29)));
  EXPECT_FALSE(book.Redeem(second, start + minutes(30)));
  EXPECT_FALSE(book.Redeem("", start));
  EXPECT_EQ(book.Outstanding(), 0u);
}

TEST(TokenBookTest, TooManyOutstandingTokensForgetTheOldest) {
  TokenBook book(minutes(30), 3);
  const Clock::time_point start{};
  const std::string oldest = book.Issue(start);
  const std::string kept = book.Issue(start + seconds(1));
  book.Issue(start + seconds(2));
  book.Issue(start + seconds(3));
  EXPECT_EQ(book.Outstanding(), 3u);
  EXPECT_FALSE(book.Redeem(oldest, start + seconds(4)));
  EXPECT_TRUE(book.Redeem(kept, start + seconds(4)));
}

TEST(RateLimiterTest, ThirtyAMinuteFromOneAddress) {
  RateLimiter limiter(30);
  const Clock::time_point start{};
  for (int i = 0; i < 30; ++i) EXPECT_TRUE(limiter.Allow("10.0.0.1", start + seconds(i))) << i;
  EXPECT_FALSE(limiter.Allow("10.0.0.1", start + seconds(59)));
  EXPECT_TRUE(limiter.Allow("10.0.0.2", start + seconds(59)));
  // The window slides: the first submission ages out at 60 s, the second at 61 s.
  EXPECT_TRUE(limiter.Allow("10.0.0.1", start + seconds(60)));
  EXPECT_FALSE(limiter.Allow("10.0.0.1", start + seconds(60)));
  EXPECT_TRUE(limiter.Allow("10.0.0.1", start + seconds(61)));
  RateLimiter unlimited(0);
  for (int i = 0; i < 100; ++i) EXPECT_TRUE(unlimited.Allow("10.0.0.1", start));
}

TEST(CheckScoreLineTest, KeepsToTheLimits) {
  const TScoreLine good{"2", std::string(16, 'n'), "999999999", "t", std::string(32, 'c')};
  const auto stored = CheckScoreLine(good);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->difficulty, 2);
  EXPECT_EQ(stored->score, 999999999);
  EXPECT_TRUE(CheckScoreLine({"0", "\xCF\xF3\xEC\xEA\xE0", "0", "", ""}));

  auto with = [&](auto change) {
    TScoreLine line = good;
    change(line);
    return CheckScoreLine(line).has_value();
  };
  EXPECT_FALSE(with([](TScoreLine& l) { l.Type = "3"; }));
  EXPECT_FALSE(with([](TScoreLine& l) { l.Type = "01"; }));
  EXPECT_FALSE(with([](TScoreLine& l) { l.Type = ""; }));
  EXPECT_FALSE(with([](TScoreLine& l) { l.Score = "1000000000"; }));
  EXPECT_FALSE(with([](TScoreLine& l) { l.Score = "12345678901234567890"; }));
  EXPECT_FALSE(with([](TScoreLine& l) { l.Name = ""; }));
  EXPECT_FALSE(with([](TScoreLine& l) { l.Name = std::string(17, 'n'); }));
  EXPECT_FALSE(with([](TScoreLine& l) { l.Name = "a\nb"; }));
  EXPECT_FALSE(with([](TScoreLine& l) { l.Country = std::string(33, 'c'); }));
  EXPECT_FALSE(with([](TScoreLine& l) { l.Country = std::string("a\0b", 3); }));
}

class ScoreStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("zb-store-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

TEST_F(ScoreStoreTest, BestScoresFirstEqualOnesInArrivalOrderAndKeptAcrossRestarts) {
  std::string error;
  {
    auto store = ScoreStore::Open(folder_ / "scores.db", error);
    ASSERT_TRUE(store) << error;
    EXPECT_TRUE(store->Add({1, "first", "", 500, 10}, error));
    EXPECT_TRUE(store->Add({1, "top", "X", 900, 11}, error));
    EXPECT_TRUE(store->Add({1, "second", "", 500, 12}, error));
    EXPECT_TRUE(store->Add({0, "easy", "", 9999, 13}, error));
    EXPECT_TRUE(store->Add({1, std::string("\0\xFF", 2), "", 1, 14}, error));
    EXPECT_FALSE(store->Add({3, "no such table", "", 1, 15}, error));
  }
  auto store = ScoreStore::Open(folder_ / "scores.db", error);
  ASSERT_TRUE(store) << error;
  EXPECT_EQ(store->Count(), 5);
  const auto best = *store->Best(1, 3, error);
  ASSERT_EQ(best.size(), 3u);
  EXPECT_EQ(best[0], (StoredScore{1, "top", "X", 900, 11}));
  EXPECT_EQ(best[1].name, "first");
  EXPECT_EQ(best[2].name, "second");
  EXPECT_EQ(store->Best(1, 100, error)->back().name, std::string("\0\xFF", 2));
  EXPECT_TRUE(store->Best(2, 100, error)->empty());
}

TEST_F(ScoreStoreTest, AnUnusableFileIsAnErrorNotACrash) {
  std::string error;
  EXPECT_FALSE(ScoreStore::Open(folder_ / "missing" / "scores.db", error));
  EXPECT_FALSE(error.empty());
  std::ofstream(folder_ / "junk.db") << "this is not a database, and it is long enough to be read as one";
  error.clear();
  EXPECT_FALSE(ScoreStore::Open(folder_ / "junk.db", error));
  EXPECT_FALSE(error.empty());
}

// Many pages of rows in a closed database, then every page after the second overwritten as a
// failing disk or a stray write would leave them.
void FillAndDamage(const fs::path& file, bool damage = true) {
  std::string error;
  {
    auto store = ScoreStore::Open(file, error);
    ASSERT_TRUE(store) << error;
    for (int i = 0; i < 3000; ++i) ASSERT_TRUE(store->Add({0, "player" + std::to_string(i), "Peru", i, 1}, error));
  }
  if (!damage) return;
  std::fstream bytes(file, std::ios::in | std::ios::out | std::ios::binary);
  bytes.seekg(0, std::ios::end);
  const auto size = static_cast<size_t>(bytes.tellg());
  ASSERT_GT(size, 10u * 4096);
  bytes.seekp(2 * 4096);
  bytes << std::string(size - 3 * 4096, '\x5A');
}

TEST_F(ScoreStoreTest, ADamagedDatabaseIsRefusedAtStartNotServedAsEmpty) {
  FillAndDamage(folder_ / "scores.db");
  std::string error;
  EXPECT_FALSE(ScoreStore::Open(folder_ / "scores.db", error));
  EXPECT_NE(error.find("damaged"), std::string::npos) << error;
}

TEST_F(ScoreStoreTest, PagesThatCannotBeReadLaterAnswer500AndAreLogged) {
  FillAndDamage(folder_ / "scores.db", false);
  std::string error;
  auto store = ScoreStore::Open(folder_ / "scores.db", error);
  ASSERT_TRUE(store) << error;
  std::vector<std::string> logged;
  ServiceOptions options;
  options.log = [&logged](const std::string& line) { logged.push_back(line); };
  ScoreService service(*store, options);
  const ScoreService::Params page{{"prg", "Tamarix"}, {"show", ""}, {"type", "0"}};
  FillAndDamage(folder_ / "other.db");  // the same damage, done under the running store
  fs::copy_file(folder_ / "other.db", folder_ / "scores.db", fs::copy_options::overwrite_existing);
  const Reply reply = service.Handle(page, "10.0.0.1");
  EXPECT_EQ(reply.status, 500);
  EXPECT_EQ(reply.body.find("No scores yet."), std::string::npos);
  ASSERT_EQ(logged.size(), 1u);
  EXPECT_NE(logged[0].find("cannot read the scores"), std::string::npos) << logged[0];
}

TEST_F(ScoreStoreTest, ANameThatKeepsNothingIsRefusedWithTheReason) {
  for (const char* name : {"", ":memory:", "file:scores.db?mode=memory"}) {
    std::string error;
    EXPECT_FALSE(ScoreStore::Open(name, error)) << name;
    EXPECT_NE(error.find("must be a file name"), std::string::npos) << error;
  }
}

// A deleted or replaced database would take the scores into a file nobody sees again.
TEST_F(ScoreStoreTest, ADeletedOrReplacedDatabaseStopsTheServiceAndIsLogged) {
  for (const bool replace : {false, true}) {
    const fs::path file = folder_ / "scores.db";
    std::string error;
    auto store = ScoreStore::Open(file, error);
    ASSERT_TRUE(store) << error;
    std::vector<std::string> logged, stopped;
    ServiceOptions options;
    options.log = [&logged](const std::string& line) { logged.push_back(line); };
    options.stop = [&stopped](const std::string& why) { stopped.push_back(why); };
    ScoreService service(*store, options);
    const std::string token = service.Handle({{"prg", "Tamarix"}, {"version", ""}}, "10.0.0.1").body.substr(15, 32);
    EXPECT_FALSE(store->Lost());
    if (replace) {
      std::ofstream(folder_ / "new.db") << "";
      fs::rename(folder_ / "new.db", file);
    } else {
      fs::remove(file);
    }
    const Reply page = service.Handle({{"prg", "Tamarix"}, {"show", ""}, {"type", "0"}}, "10.0.0.1");
    EXPECT_EQ(page.status, 500);
    const std::string line = EncodeScoreLine({"0", "Ann", "5", token, ""});
    EXPECT_EQ(service.Handle({{"prg", "Tamarix"}, {"hs", ""}, {"inf", line}}, "10.0.0.1").status, 500);
    ASSERT_EQ(stopped.size(), 2u);
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_NE(logged[0].find(replace ? "replaced" : "deleted"), std::string::npos) << logged[0];
    store.reset();
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
}

}  // namespace
}  // namespace zb::server
