// Databases written before replays were kept open, keep their rows (unverified) and take the
// token link from then on; a row takes one replay, once.
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "server/ScoreStore.h"
#include "tests/server/PgCluster.h"

namespace zb::server {
namespace {

namespace fs = std::filesystem;

// What the first schema of each store kind held: one row of an old game.
constexpr const char* kOldSqlite =
    "CREATE TABLE scores (id INTEGER PRIMARY KEY, difficulty INTEGER NOT NULL CHECK (difficulty BETWEEN 0 AND 2),"
    " name BLOB NOT NULL, country BLOB NOT NULL, score INTEGER NOT NULL, submitted INTEGER NOT NULL);"
    "CREATE INDEX scores_by_rank ON scores (difficulty, score DESC, id);"
    "INSERT INTO scores (difficulty, name, country, score, submitted) VALUES (0, 'Old', 'Peru', 700, 5);";
constexpr const char* kOldPg =
    "CREATE TABLE schema_migrations (version integer PRIMARY KEY, applied timestamptz NOT NULL DEFAULT now());"
    "INSERT INTO schema_migrations (version) VALUES (1);"
    "CREATE TABLE scores (id bigserial PRIMARY KEY, difficulty smallint NOT NULL CHECK (difficulty BETWEEN 0 AND 2),"
    " name bytea NOT NULL, country bytea NOT NULL, score bigint NOT NULL, submitted bigint NOT NULL);"
    "CREATE INDEX scores_by_rank ON scores (difficulty, score DESC, id);"
    "CREATE TABLE tokens (token text PRIMARY KEY, expires timestamptz NOT NULL);"
    "CREATE INDEX tokens_by_expiry ON tokens (expires);"
    "CREATE TABLE submission_times (address text PRIMARY KEY, times bigint[] NOT NULL);"
    "INSERT INTO scores (difficulty, name, country, score, submitted) VALUES (0, 'Old', 'Peru', 700, 5);";

// The old row is there and unverified; a new row is found by its token and takes one replay.
void ExpectOldRowAndTokenLink(ScoreStore& store, const std::string& token) {
  std::string error;
  const auto old = store.Best(0, 10, error);
  ASSERT_TRUE(old) << error;
  ASSERT_EQ(old->size(), 1u);
  EXPECT_EQ((*old)[0], (StoredScore{0, "Old", "Peru", 700, 5}));
  EXPECT_TRUE(store.Best(0, 10, true, error)->empty());

  StoredScore fresh{0, "New", "", 900, 6};
  fresh.token = token;
  ASSERT_TRUE(store.Add(fresh, error)) << error;
  ASSERT_TRUE(store.Add({0, "Tokenless", "", 800, 7}, error)) << error;
  ReplayRow row;
  ASSERT_EQ(store.RowOfToken(token, row, error), RowOutcome::Yes) << error;
  EXPECT_EQ(row.score.name, "New");
  EXPECT_EQ(row.score.score, 900);
  EXPECT_FALSE(row.taken);
  EXPECT_FALSE(row.score.verified);
  EXPECT_EQ(store.RowOfToken("other", row, error), RowOutcome::No);
  EXPECT_EQ(store.RowOfToken("", row, error), RowOutcome::No);  // the tokenless rows are not found

  ASSERT_EQ(store.RowOfToken(token, row, error), RowOutcome::Yes);
  EXPECT_EQ(store.TakeReplay(row.id, error), RowOutcome::Yes);
  EXPECT_EQ(store.TakeReplay(row.id, error), RowOutcome::No);
  EXPECT_TRUE(store.ReleaseReplay(row.id, error));
  EXPECT_EQ(store.TakeReplay(row.id, error), RowOutcome::Yes);
  EXPECT_TRUE(store.MarkVerified(row.id, error));
  // A verified row is not given back, nor taken again.
  EXPECT_TRUE(store.ReleaseReplay(row.id, error));
  EXPECT_EQ(store.TakeReplay(row.id, error), RowOutcome::No);
  const auto verified = store.Best(0, 10, true, error);
  ASSERT_TRUE(verified) << error;
  ASSERT_EQ(verified->size(), 1u);
  EXPECT_EQ((*verified)[0].name, "New");
  EXPECT_TRUE((*verified)[0].verified);
  EXPECT_TRUE((*verified)[0].token.empty());  // never read back for a page
  EXPECT_EQ(store.Best(0, 10, error)->size(), 3u);
}

TEST(ReplayStoreTest, AnSqliteFileOfTheFirstSchemaIsBroughtUpAndKeepsItsRows) {
  const fs::path folder = fs::temp_directory_path() / ("zb-oldsqlite-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path file = folder / "scores.db";
  for (const int version : {1, 0}) {  // 0: a file from before versions were kept
    fs::remove(file);
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &raw), SQLITE_OK);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db(raw, &sqlite3_close);
    const std::string old = std::string(kOldSqlite) + "PRAGMA user_version=" + std::to_string(version) + ";";
    ASSERT_EQ(sqlite3_exec(db.get(), old.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    std::string error;
    auto store = ScoreStore::Open(file, error);
    ASSERT_TRUE(store) << error;
    ExpectOldRowAndTokenLink(*store, "token" + std::to_string(version));
    store.reset();
    // Opened again, the schema is already new.
    store = ScoreStore::Open(file, error);
    ASSERT_TRUE(store) << error;
    EXPECT_EQ(store->Count(), 3);
  }
  fs::remove_all(folder);
}

TEST(ReplayStoreTest, APostgresqlDatabaseOfTheFirstSchemaIsBroughtUpAndKeepsItsRows) {
  testing::PgCluster& cluster = testing::PgCluster::Get();
  ASSERT_TRUE(cluster.Ok()) << cluster.Why();
  const std::string url = cluster.NewDatabase();
  {
    const std::unique_ptr<PGconn, decltype(&PQfinish)> db(PQconnectdb(url.c_str()), &PQfinish);
    ASSERT_EQ(PQstatus(db.get()), CONNECTION_OK) << PQerrorMessage(db.get());
    const std::unique_ptr<PGresult, decltype(&PQclear)> made(PQexec(db.get(), kOldPg), &PQclear);
    ASSERT_EQ(PQresultStatus(made.get()), PGRES_COMMAND_OK) << PQerrorMessage(db.get());
  }
  std::string error;
  auto store = ScoreStore::Open(url, error);
  ASSERT_TRUE(store) << error;
  ExpectOldRowAndTokenLink(*store, "pgtoken");
  // A second instance opening the same database finds it up to date.
  auto second = ScoreStore::Open(url, error);
  ASSERT_TRUE(second) << error;
  EXPECT_EQ(second->Count(), 3);
}

}  // namespace
}  // namespace zb::server
