#include "server/PgScoreStore.h"

#include <arpa/inet.h>
#include <libpq-fe.h>

#include <condition_variable>
#include <cstring>
#include <initializer_list>
#include <mutex>
#include <vector>

#include "server/PgMigrations.h"

namespace zb::server {
namespace {

constexpr int kConnections = 8;  // as many as the server has workers

struct Statement {
  const char* name;
  const char* sql;
};

// The database clock in milliseconds, the one clock all instances share.
#define ZB_PG_NOW_MS "(extract(epoch FROM clock_timestamp()) * 1000)::bigint"

constexpr Statement kStatements[] = {
    {"add",
     "INSERT INTO scores (difficulty, name, country, score, submitted, token)"
     " VALUES ($1, $2, $3, $4, $5, NULLIF($6, ''))"},
    {"best",
     "SELECT difficulty, name, country, score, submitted, verified FROM scores"
     " WHERE difficulty = $1 ORDER BY score DESC, id LIMIT $2"},
    {"best_verified",
     "SELECT difficulty, name, country, score, submitted, verified FROM scores"
     " WHERE difficulty = $1 AND verified ORDER BY score DESC, id LIMIT $2"},
    {"by_token",
     "SELECT difficulty, name, country, score, submitted, verified, id, replay_taken FROM scores WHERE token = $1"},
    {"take", "UPDATE scores SET replay_taken = true WHERE id = $1 AND NOT replay_taken AND NOT verified RETURNING id"},
    {"release", "UPDATE scores SET replay_taken = false WHERE id = $1 AND NOT verified"},
    {"mark", "UPDATE scores SET verified = true WHERE id = $1"},
    {"count", "SELECT count(*) FROM scores"},
    {"issue", "INSERT INTO tokens (token, expires) VALUES ($1, now() + $2::bigint * interval '1 millisecond')"},
    // One statement, so the token is spent only with a stored row; a second instance racing on
    // the same token waits for the row lock and then finds nothing to delete.
    {"spend",
     "WITH spent AS (DELETE FROM tokens WHERE token = $1 AND expires > now() RETURNING token)"
     " INSERT INTO scores (difficulty, name, country, score, submitted, token)"
     " SELECT $2::smallint, $3::bytea, $4::bytea, $5::bigint, $6::bigint, token FROM spent RETURNING id"},
    // The conflicting row is locked and its newest version counted, so instances counting the
    // same address at once never let more than the limit through.
    {"allow",
     "INSERT INTO submission_times AS r (address, times) VALUES ($1, ARRAY[" ZB_PG_NOW_MS "])"
     " ON CONFLICT (address) DO UPDATE SET times = ARRAY(SELECT t FROM unnest(r.times) AS t"
     "   WHERE t > " ZB_PG_NOW_MS " - 60000) || " ZB_PG_NOW_MS
     " WHERE (SELECT count(*) FROM unnest(r.times) AS t WHERE t > " ZB_PG_NOW_MS " - 60000) < $2"
     " RETURNING 1"},
    {"sweep_tokens", "DELETE FROM tokens WHERE expires <= now()"},
    {"sweep_times", "DELETE FROM submission_times WHERE times[array_upper(times, 1)] <= " ZB_PG_NOW_MS " - 60000"},
};

#undef ZB_PG_NOW_MS

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

std::string Message(PGconn* db, const char* what) {
  std::string text = std::string(what) + ": " + (db ? PQerrorMessage(db) : "out of memory");
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

// One value of a statement: text, or the raw bytes of a bytea.
struct Param {
  std::string_view bytes;
  bool binary = false;
};

int64_t BigEndian(const char* bytes, int size) {
  int64_t value = 0;
  for (int i = 0; i < size; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  if (size < 8 && size > 0 && (static_cast<unsigned char>(bytes[0]) & 0x80)) value -= int64_t{1} << (8 * size);
  return value;
}

// A row of "best" or "by_token" in binary form: difficulty, name, country, score, submitted,
// verified.
StoredScore RowColumns(const PGresult* rows, int row) {
  auto bytes = [&](int column) {
    return std::string(PQgetvalue(rows, row, column), static_cast<size_t>(PQgetlength(rows, row, column)));
  };
  auto number = [&](int column) { return BigEndian(PQgetvalue(rows, row, column), PQgetlength(rows, row, column)); };
  StoredScore score{static_cast<int>(number(0)), bytes(1), bytes(2), number(3), number(4)};
  score.verified = number(5) != 0;
  return score;
}

}  // namespace

struct PgScoreStore::Pool {
  std::string url;
  std::mutex mutex;
  std::condition_variable freed;
  std::vector<PGconn*> idle;  // owned; null entries are connections to be made on first use
  std::mutex sweepMutex;
  std::chrono::steady_clock::time_point nextSweep{};

  ~Pool() {
    for (PGconn* db : idle) PQfinish(db);
  }

  // A connection with every statement prepared, or null with the reason.
  PGconn* Connect(std::string& error) {
    const char* keys[] = {"connect_timeout", "dbname", nullptr};
    const char* values[] = {"5", url.c_str(), nullptr};
    PGconn* db = PQconnectdbParams(keys, values, 1);
    if (PQstatus(db) != CONNECTION_OK) {
      error = Message(db, "the database cannot be reached");
      PQfinish(db);
      return nullptr;
    }
    for (const Statement& statement : kStatements) {
      Result prepared(PQprepare(db, statement.name, statement.sql, 0, nullptr), &PQclear);
      if (PQresultStatus(prepared.get()) != PGRES_COMMAND_OK) {
        error = Message(db, "cannot prepare a statement");
        PQfinish(db);
        return nullptr;
      }
    }
    return db;
  }

  // Lends a connection for one statement; a broken one is dropped and made again next time.
  class Lease {
   public:
    Lease(Pool& pool, std::string& error) : pool_(pool) {
      std::unique_lock lock(pool.mutex);
      pool.freed.wait(lock, [&] { return !pool.idle.empty(); });
      db_ = pool.idle.back();
      pool.idle.pop_back();
      lock.unlock();
      if (db_ && PQstatus(db_) != CONNECTION_OK) {
        PQfinish(db_);
        db_ = nullptr;
      }
      if (!db_) db_ = pool.Connect(error);
    }
    ~Lease() {
      {
        std::lock_guard lock(pool_.mutex);
        pool_.idle.push_back(db_);
      }
      pool_.freed.notify_one();
    }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    PGconn* get() const { return db_; }

    // The result of a prepared statement, or null with the reason.
    Result Run(const char* name, std::initializer_list<Param> params, bool binaryResult, std::string& error) {
      Result none(nullptr, &PQclear);
      if (!db_) return none;
      std::vector<const char*> values;
      std::vector<int> lengths, formats;
      for (const Param& param : params) {
        values.push_back(param.bytes.data());
        lengths.push_back(static_cast<int>(param.bytes.size()));
        formats.push_back(param.binary ? 1 : 0);
      }
      Result result(PQexecPrepared(db_, name, static_cast<int>(values.size()), values.data(), lengths.data(),
                                   formats.data(), binaryResult ? 1 : 0),
                    &PQclear);
      const ExecStatusType status = PQresultStatus(result.get());
      if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return result;
      error = Message(db_, "the database failed");
      return none;
    }

   private:
    Pool& pool_;
    PGconn* db_ = nullptr;
  };
};

PgScoreStore::PgScoreStore(std::unique_ptr<Pool> pool) : pool_(std::move(pool)) {}

PgScoreStore::~PgScoreStore() = default;

std::unique_ptr<ScoreStore> PgScoreStore::Open(const std::string& url, std::string& error) {
  auto pool = std::make_unique<Pool>();
  pool->url = url;
  // The schema comes first: statements cannot be prepared against tables that do not exist.
  {
    const char* keys[] = {"connect_timeout", "dbname", nullptr};
    const char* values[] = {"5", url.c_str(), nullptr};
    std::unique_ptr<PGconn, decltype(&PQfinish)> db(PQconnectdbParams(keys, values, 1), &PQfinish);
    if (PQstatus(db.get()) != CONNECTION_OK) {
      error = Message(db.get(), "the database cannot be reached");
      return nullptr;
    }
    if (!MigratePg(db.get(), error)) return nullptr;
  }
  PGconn* first = pool->Connect(error);
  if (!first) return nullptr;
  pool->idle.assign(kConnections - 1, nullptr);
  pool->idle.push_back(first);
  return std::make_unique<PgScoreStore>(std::move(pool));
}

bool PgScoreStore::Add(const StoredScore& score, std::string& error) {
  Pool::Lease db(*pool_, error);
  const std::string difficulty = std::to_string(score.difficulty), points = std::to_string(score.score),
                    time = std::to_string(score.time);
  if (db.Run("add", {{difficulty}, {score.name, true}, {score.country, true}, {points}, {time}, {score.token}}, false,
             error)) {
    return true;
  }
  error = "cannot store a score: " + error;
  return false;
}

std::optional<std::vector<StoredScore>> PgScoreStore::Best(int difficulty, int limit, bool verifiedOnly,
                                                           std::string& error) {
  Pool::Lease db(*pool_, error);
  const std::string type = std::to_string(difficulty), count = std::to_string(limit);
  const Result rows = db.Run(verifiedOnly ? "best_verified" : "best", {{type}, {count}}, true, error);
  if (!rows) {
    error = "cannot read the scores: " + error;
    return std::nullopt;
  }
  std::vector<StoredScore> best;
  for (int row = 0; row < PQntuples(rows.get()); ++row) best.push_back(RowColumns(rows.get(), row));
  return best;
}

RowOutcome PgScoreStore::RowOfToken(const std::string& token, ReplayRow& row, std::string& error) {
  Pool::Lease db(*pool_, error);
  const Result rows = db.Run("by_token", {{token}}, true, error);
  if (!rows) {
    error = "cannot find the score of a replay: " + error;
    return RowOutcome::Failed;
  }
  if (PQntuples(rows.get()) != 1) return RowOutcome::No;
  row.score = RowColumns(rows.get(), 0);
  row.id = BigEndian(PQgetvalue(rows.get(), 0, 6), PQgetlength(rows.get(), 0, 6));
  row.taken = BigEndian(PQgetvalue(rows.get(), 0, 7), PQgetlength(rows.get(), 0, 7)) != 0;
  return RowOutcome::Yes;
}

RowOutcome PgScoreStore::TakeReplay(int64_t id, std::string& error) {
  Pool::Lease db(*pool_, error);
  const Result taken = db.Run("take", {{std::to_string(id)}}, false, error);
  if (!taken) {
    error = "cannot take a replay: " + error;
    return RowOutcome::Failed;
  }
  return PQntuples(taken.get()) == 1 ? RowOutcome::Yes : RowOutcome::No;
}

bool PgScoreStore::ReleaseReplay(int64_t id, std::string& error) {
  Pool::Lease db(*pool_, error);
  if (db.Run("release", {{std::to_string(id)}}, false, error)) return true;
  error = "cannot give a replay's score back: " + error;
  return false;
}

bool PgScoreStore::MarkVerified(int64_t id, std::string& error) {
  Pool::Lease db(*pool_, error);
  if (db.Run("mark", {{std::to_string(id)}}, false, error)) return true;
  error = "cannot mark a score verified: " + error;
  return false;
}

int64_t PgScoreStore::Count() {
  std::string error;
  Pool::Lease db(*pool_, error);
  const Result count = db.Run("count", {}, false, error);
  return count && PQntuples(count.get()) == 1 ? std::stoll(PQgetvalue(count.get(), 0, 0)) : -1;
}

bool PgScoreStore::IssueToken(const std::string& token, std::chrono::milliseconds lifetime, std::string& error) {
  Pool::Lease db(*pool_, error);
  {
    // Expired tokens and quiet addresses are dropped once a minute by each instance.
    std::lock_guard lock(pool_->sweepMutex);
    const auto now = std::chrono::steady_clock::now();
    if (now >= pool_->nextSweep) {
      pool_->nextSweep = now + std::chrono::minutes(1);
      std::string ignored;
      db.Run("sweep_tokens", {}, false, ignored);
      db.Run("sweep_times", {}, false, ignored);
    }
  }
  const std::string ms = std::to_string(lifetime.count());
  if (db.Run("issue", {{token}, {ms}}, false, error)) return true;
  error = "cannot hand out a token: " + error;
  return false;
}

SharedState::Outcome PgScoreStore::AllowSubmission(const std::string& address, int limit, std::string& error) {
  if (limit <= 0) return Outcome::Yes;
  Pool::Lease db(*pool_, error);
  const std::string most = std::to_string(limit);
  const Result allowed = db.Run("allow", {{address}, {most}}, false, error);
  if (!allowed) {
    error = "cannot count a submission: " + error;
    return Outcome::Failed;
  }
  return PQntuples(allowed.get()) == 1 ? Outcome::Yes : Outcome::No;
}

SharedState::Outcome PgScoreStore::SpendAndAdd(const std::string& token, const StoredScore& score, std::string& error) {
  Pool::Lease db(*pool_, error);
  const std::string difficulty = std::to_string(score.difficulty), points = std::to_string(score.score),
                    time = std::to_string(score.time);
  const Result stored = db.Run(
      "spend", {{token}, {difficulty}, {score.name, true}, {score.country, true}, {points}, {time}}, false, error);
  if (!stored) {
    error = "cannot store a score: " + error;
    return Outcome::Failed;
  }
  return PQntuples(stored.get()) == 1 ? Outcome::Yes : Outcome::No;
}

}  // namespace zb::server
