#include "server/PgMigrations.h"

#include <iterator>
#include <memory>

namespace zb::server {
namespace {

// Each entry is one version; a later change appends one (a new table, a new index), never edits
// one that has shipped.
constexpr const char* kMigrations[] = {
    // 1: the rows, the tokens handed out by version checks, the recent submissions of each
    // address (times in milliseconds of the database's clock, so instances agree).
    "CREATE TABLE scores ("
    " id bigserial PRIMARY KEY,"
    " difficulty smallint NOT NULL CHECK (difficulty BETWEEN 0 AND 2),"
    " name bytea NOT NULL,"
    " country bytea NOT NULL,"
    " score bigint NOT NULL,"
    " submitted bigint NOT NULL);"
    "CREATE INDEX scores_by_rank ON scores (difficulty, score DESC, id);"
    "CREATE TABLE tokens (token text PRIMARY KEY, expires timestamptz NOT NULL);"
    "CREATE INDEX tokens_by_expiry ON tokens (expires);"
    "CREATE TABLE submission_times (address text PRIMARY KEY, times bigint[] NOT NULL);",
    // 2: the replay of a game, tied to its row by the token the submission spent; rows stored
    // before have none and stay unverified.
    "ALTER TABLE scores ADD COLUMN token text,"
    " ADD COLUMN verified boolean NOT NULL DEFAULT false,"
    " ADD COLUMN replay_taken boolean NOT NULL DEFAULT false;"
    "CREATE UNIQUE INDEX scores_by_token ON scores (token);"
    "CREATE INDEX scores_verified_by_rank ON scores (difficulty, score DESC, id) WHERE verified;",
};

// Any number that other users of the database are unlikely to lock.
constexpr const char* kLock = "SELECT pg_advisory_xact_lock(7362616)";

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

bool Run(PGconn* db, const char* sql, std::string& error) {
  Result result(PQexec(db, sql), &PQclear);
  const ExecStatusType status = PQresultStatus(result.get());
  if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return true;
  error = std::string("cannot set up the database: ") + PQerrorMessage(db);
  while (!error.empty() && error.back() == '\n') error.pop_back();
  return false;
}

}  // namespace

bool MigratePg(PGconn* db, std::string& error) {
  for (int version = 1; version <= static_cast<int>(std::size(kMigrations)); ++version) {
    if (!Run(db, "BEGIN", error)) return false;
    auto rollback = [&] {
      Run(db, "ROLLBACK", error);
      return false;
    };
    if (!Run(db, kLock, error) ||
        !Run(db, "CREATE TABLE IF NOT EXISTS schema_migrations (version integer PRIMARY KEY,"
                 " applied timestamptz NOT NULL DEFAULT now())",
             error)) {
      return rollback();
    }
    const std::string versionText = std::to_string(version);
    const char* values[] = {versionText.c_str()};
    Result have(PQexecParams(db, "SELECT 1 FROM schema_migrations WHERE version = $1", 1, nullptr, values,
                             nullptr, nullptr, 0),
                &PQclear);
    if (PQresultStatus(have.get()) != PGRES_TUPLES_OK) {
      error = std::string("cannot read the schema version: ") + PQerrorMessage(db);
      return rollback();
    }
    if (PQntuples(have.get()) == 0) {
      Result added(PQexecParams(db, "INSERT INTO schema_migrations (version) VALUES ($1)", 1, nullptr, values,
                                nullptr, nullptr, 0),
                   &PQclear);
      if (PQresultStatus(added.get()) != PGRES_COMMAND_OK || !Run(db, kMigrations[version - 1], error)) {
        if (error.empty()) error = std::string("cannot set up the database: ") + PQerrorMessage(db);
        return rollback();
      }
    }
    if (!Run(db, "COMMIT", error)) return false;
  }
  return true;
}

}  // namespace zb::server
