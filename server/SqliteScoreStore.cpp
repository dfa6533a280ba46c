#include "server/SqliteScoreStore.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <iterator>
#include <mutex>
#include <string_view>

namespace zb::server {
namespace {

struct DbCloser {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StatementFinalizer {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// The schema, one step a version (kept in user_version); a step is applied in one transaction.
// The first one also takes up files written before versions were kept, hence IF NOT EXISTS.
constexpr const char* kMigrations[] = {
    "CREATE TABLE IF NOT EXISTS scores ("
    " id INTEGER PRIMARY KEY,"
    " difficulty INTEGER NOT NULL CHECK (difficulty BETWEEN 0 AND 2),"
    " name BLOB NOT NULL,"
    " country BLOB NOT NULL,"
    " score INTEGER NOT NULL,"
    " submitted INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS scores_by_rank ON scores (difficulty, score DESC, id);",
    // The replay of a game: the token its submission spent ties it to the row; older rows have
    // none and stay unverified.
    "ALTER TABLE scores ADD COLUMN token TEXT;"
    "ALTER TABLE scores ADD COLUMN verified INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE scores ADD COLUMN replay_taken INTEGER NOT NULL DEFAULT 0;"
    "CREATE UNIQUE INDEX scores_by_token ON scores (token) WHERE token IS NOT NULL;"
    "CREATE INDEX scores_verified_by_rank ON scores (difficulty, score DESC, id) WHERE verified = 1;",
};

std::string Describe(sqlite3* db, const char* what) {
  return std::string(what) + ": " + (db ? sqlite3_errmsg(db) : "out of memory");
}

Db OpenConnection(const std::filesystem::path& file, std::string& error) {
  sqlite3* raw = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
  const int rc = sqlite3_open_v2(file.string().c_str(), &raw, flags, nullptr);
  Db db(raw);
  if (rc != SQLITE_OK) {
    error = Describe(raw, "cannot open the database");
    return nullptr;
  }
  sqlite3_busy_timeout(db.get(), 5000);
  return db;
}

bool Execute(sqlite3* db, const char* sql, std::string& error) {
  char* message = nullptr;
  if (sqlite3_exec(db, sql, nullptr, nullptr, &message) == SQLITE_OK) return true;
  error = std::string("cannot set up the database: ") + (message ? message : sqlite3_errmsg(db));
  sqlite3_free(message);
  return false;
}

// The first problem quick_check finds, or nothing: a damaged page would otherwise read as
// missing rows, and the page would show an empty table.
bool CheckIntact(sqlite3* db, std::string& error) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db, "PRAGMA quick_check(1)", -1, &raw, nullptr) != SQLITE_OK) {
    error = Describe(db, "the database is damaged (it cannot be checked)");
    return false;
  }
  Statement check(raw);
  const int rc = sqlite3_step(check.get());
  const auto* text = rc == SQLITE_ROW ? reinterpret_cast<const char*>(sqlite3_column_text(check.get(), 0)) : nullptr;
  if (text && std::string_view(text) == "ok") return true;
  error = std::string("the database is damaged (") + (text ? text : sqlite3_errmsg(db)) +
          "); restore it from a backup or move it aside";
  return false;
}

bool Migrate(sqlite3* db, std::string& error) {
  for (int version = 1; version <= static_cast<int>(std::size(kMigrations)); ++version) {
    if (!Execute(db, "BEGIN IMMEDIATE", error)) return false;
    sqlite3_stmt* raw = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &raw, nullptr);
    Statement current(raw);
    const int have = current && sqlite3_step(current.get()) == SQLITE_ROW ? sqlite3_column_int(current.get(), 0) : -1;
    current.reset();
    const std::string step = have >= version ? std::string()
                                             : std::string(kMigrations[version - 1]) +
                                                   "; PRAGMA user_version=" + std::to_string(version) + ";";
    if (have < 0 || (!step.empty() && !Execute(db, step.c_str(), error))) {
      if (have < 0) error = Describe(db, "cannot read the schema version");
      sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
      return false;
    }
    if (!Execute(db, "COMMIT", error)) return false;
  }
  return true;
}

Statement Prepare(sqlite3* db, const char* sql, std::string& error) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &raw, nullptr) != SQLITE_OK) {
    error = Describe(db, "cannot prepare a statement");
    return nullptr;
  }
  return Statement(raw);
}

std::string BlobColumn(sqlite3_stmt* statement, int column) {
  const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
  const int size = sqlite3_column_bytes(statement, column);
  return bytes ? std::string(bytes, static_cast<size_t>(size)) : std::string();
}

// The first six columns of a row: difficulty, name, country, score, submitted, verified.
StoredScore RowColumns(sqlite3_stmt* statement) {
  StoredScore row;
  row.difficulty = sqlite3_column_int(statement, 0);
  row.name = BlobColumn(statement, 1);
  row.country = BlobColumn(statement, 2);
  row.score = sqlite3_column_int64(statement, 3);
  row.time = sqlite3_column_int64(statement, 4);
  row.verified = sqlite3_column_int(statement, 5) != 0;
  return row;
}

// Leaves a statement ready for the next use, whatever happened to it.
struct ResetOnExit {
  sqlite3_stmt* statement;
  ~ResetOnExit() {
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
  }
};

}  // namespace

struct SqliteScoreStore::Connections {
  std::filesystem::path file;
  dev_t device = 0;
  ino_t inode = 0;
  std::mutex writeMutex;
  Db writer;
  Statement insert;
  Statement take;
  Statement release;
  Statement mark;
  std::mutex readMutex;
  Db reader;
  Statement best;
  Statement bestVerified;
  Statement count;
  Statement byToken;

  // One update of the row `id` on the writer; how many rows it changed, or -1 with the reason.
  int Update(sqlite3_stmt* statement, int64_t id, const char* what, std::string& error) {
    std::lock_guard lock(writeMutex);
    ResetOnExit reset{statement};
    sqlite3_bind_int64(statement, 1, id);
    if (sqlite3_step(statement) == SQLITE_DONE) return sqlite3_changes(writer.get());
    error = Describe(writer.get(), what);
    return -1;
  }
};

SqliteScoreStore::SqliteScoreStore(std::unique_ptr<Connections> connections) : db_(std::move(connections)) {}

SqliteScoreStore::~SqliteScoreStore() = default;

std::unique_ptr<ScoreStore> SqliteScoreStore::Open(const std::filesystem::path& file, std::string& error) {
  if (file.empty() || file == ":memory:" || file.string().starts_with("file:")) {
    error = "the database must be a file name (\"" + file.string() +
            "\" would keep the scores in memory or in a temporary file, and lose them)";
    return nullptr;
  }
  auto db = std::make_unique<Connections>();
  db->file = file;
  db->writer = OpenConnection(file, error);
  if (!db->writer) return nullptr;
  // SQLite opens a file it may not write read-only without a word; every submission would fail.
  if (sqlite3_db_readonly(db->writer.get(), "main") == 1) {
    error = "the database " + file.string() + " cannot be written (check its owner and permissions)";
    return nullptr;
  }
  // Without WAL a long page read would hold up submissions; NORMAL sync keeps every commit
  // durable against a crash of the program, losing at most the last ones on a power cut.
  if (!CheckIntact(db->writer.get(), error) ||
      !Execute(db->writer.get(), "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", error) ||
      !Migrate(db->writer.get(), error)) {
    return nullptr;
  }
  db->insert = Prepare(db->writer.get(),
                       "INSERT INTO scores (difficulty, name, country, score, submitted, token)"
                       " VALUES (?1, ?2, ?3, ?4, ?5, ?6)",
                       error);
  db->take = Prepare(db->writer.get(),
                     "UPDATE scores SET replay_taken = 1 WHERE id = ?1 AND replay_taken = 0 AND verified = 0", error);
  db->release = Prepare(db->writer.get(), "UPDATE scores SET replay_taken = 0 WHERE id = ?1 AND verified = 0", error);
  db->mark = Prepare(db->writer.get(), "UPDATE scores SET verified = 1 WHERE id = ?1", error);
  if (!db->insert || !db->take || !db->release || !db->mark) return nullptr;

  db->reader = OpenConnection(file, error);
  if (!db->reader || !Execute(db->reader.get(), "PRAGMA query_only=1;", error)) return nullptr;
  db->best = Prepare(db->reader.get(),
                     "SELECT difficulty, name, country, score, submitted, verified FROM scores"
                     " WHERE difficulty = ?1 ORDER BY score DESC, id LIMIT ?2",
                     error);
  db->bestVerified = Prepare(db->reader.get(),
                             "SELECT difficulty, name, country, score, submitted, verified FROM scores"
                             " WHERE difficulty = ?1 AND verified = 1 ORDER BY score DESC, id LIMIT ?2",
                             error);
  db->count = Prepare(db->reader.get(), "SELECT COUNT(*) FROM scores", error);
  db->byToken = Prepare(db->reader.get(),
                        "SELECT difficulty, name, country, score, submitted, verified, id, replay_taken FROM scores"
                        " WHERE token = ?1",
                        error);
  if (!db->best || !db->bestVerified || !db->count || !db->byToken) return nullptr;
  struct stat status {};
  if (::stat(file.c_str(), &status) != 0) {
    error = "the database " + file.string() + " vanished while it was being opened";
    return nullptr;
  }
  db->device = status.st_dev;
  db->inode = status.st_ino;
  return std::make_unique<SqliteScoreStore>(std::move(db));
}

bool SqliteScoreStore::Add(const StoredScore& score, std::string& error) {
  std::lock_guard lock(db_->writeMutex);
  sqlite3_stmt* insert = db_->insert.get();
  ResetOnExit reset{insert};
  sqlite3_bind_int(insert, 1, score.difficulty);
  sqlite3_bind_blob(insert, 2, score.name.data(), static_cast<int>(score.name.size()), SQLITE_TRANSIENT);
  sqlite3_bind_blob(insert, 3, score.country.data(), static_cast<int>(score.country.size()),
                    SQLITE_TRANSIENT);
  sqlite3_bind_int64(insert, 4, score.score);
  sqlite3_bind_int64(insert, 5, score.time);
  if (!score.token.empty()) {
    sqlite3_bind_text(insert, 6, score.token.data(), static_cast<int>(score.token.size()), SQLITE_TRANSIENT);
  }
  if (sqlite3_step(insert) == SQLITE_DONE) return true;
  error = Describe(db_->writer.get(), "cannot store a score");
  return false;
}

std::optional<std::vector<StoredScore>> SqliteScoreStore::Best(int difficulty, int limit, bool verifiedOnly,
                                                               std::string& error) {
  std::vector<StoredScore> rows;
  std::lock_guard lock(db_->readMutex);
  sqlite3_stmt* best = verifiedOnly ? db_->bestVerified.get() : db_->best.get();
  ResetOnExit reset{best};
  sqlite3_bind_int(best, 1, difficulty);
  sqlite3_bind_int(best, 2, limit);
  int rc;
  while ((rc = sqlite3_step(best)) == SQLITE_ROW) rows.push_back(RowColumns(best));
  if (rc == SQLITE_DONE) return rows;
  error = Describe(db_->reader.get(), "cannot read the scores");
  return std::nullopt;
}

int64_t SqliteScoreStore::Count() {
  std::lock_guard lock(db_->readMutex);
  sqlite3_stmt* count = db_->count.get();
  ResetOnExit reset{count};
  return sqlite3_step(count) == SQLITE_ROW ? sqlite3_column_int64(count, 0) : -1;
}

RowOutcome SqliteScoreStore::RowOfToken(const std::string& token, ReplayRow& row, std::string& error) {
  std::lock_guard lock(db_->readMutex);
  sqlite3_stmt* find = db_->byToken.get();
  ResetOnExit reset{find};
  sqlite3_bind_text(find, 1, token.data(), static_cast<int>(token.size()), SQLITE_TRANSIENT);
  const int rc = sqlite3_step(find);
  if (rc == SQLITE_DONE) return RowOutcome::No;
  if (rc != SQLITE_ROW) {
    error = Describe(db_->reader.get(), "cannot find the score of a replay");
    return RowOutcome::Failed;
  }
  row.score = RowColumns(find);
  row.id = sqlite3_column_int64(find, 6);
  row.taken = sqlite3_column_int(find, 7) != 0;
  return RowOutcome::Yes;
}

RowOutcome SqliteScoreStore::TakeReplay(int64_t id, std::string& error) {
  const int changed = db_->Update(db_->take.get(), id, "cannot take a replay", error);
  return changed < 0 ? RowOutcome::Failed : changed == 1 ? RowOutcome::Yes : RowOutcome::No;
}

bool SqliteScoreStore::ReleaseReplay(int64_t id, std::string& error) {
  return db_->Update(db_->release.get(), id, "cannot give a replay's score back", error) >= 0;
}

bool SqliteScoreStore::MarkVerified(int64_t id, std::string& error) {
  return db_->Update(db_->mark.get(), id, "cannot mark a score verified", error) >= 0;
}

std::optional<std::string> SqliteScoreStore::Lost() {
  struct stat status {};
  if (::stat(db_->file.c_str(), &status) != 0) {
    return "the database " + db_->file.string() + " was deleted while serving; stopping";
  }
  if (status.st_dev != db_->device || status.st_ino != db_->inode) {
    return "the database " + db_->file.string() + " was replaced by another file while serving; stopping";
  }
  return std::nullopt;
}

}  // namespace zb::server
