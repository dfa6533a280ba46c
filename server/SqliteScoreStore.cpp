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
  std::mutex readMutex;
  Db reader;
  Statement best;
  Statement count;
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
                       "INSERT INTO scores (difficulty, name, country, score, submitted)"
                       " VALUES (?1, ?2, ?3, ?4, ?5)",
                       error);
  if (!db->insert) return nullptr;

  db->reader = OpenConnection(file, error);
  if (!db->reader || !Execute(db->reader.get(), "PRAGMA query_only=1;", error)) return nullptr;
  db->best = Prepare(db->reader.get(),
                     "SELECT difficulty, name, country, score, submitted FROM scores"
                     " WHERE difficulty = ?1 ORDER BY score DESC, id LIMIT ?2",
                     error);
  db->count = Prepare(db->reader.get(), "SELECT COUNT(*) FROM scores", error);
  if (!db->best || !db->count) return nullptr;
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
  if (sqlite3_step(insert) == SQLITE_DONE) return true;
  error = Describe(db_->writer.get(), "cannot store a score");
  return false;
}

std::optional<std::vector<StoredScore>> SqliteScoreStore::Best(int difficulty, int limit, std::string& error) {
  std::vector<StoredScore> rows;
  std::lock_guard lock(db_->readMutex);
  sqlite3_stmt* best = db_->best.get();
  ResetOnExit reset{best};
  sqlite3_bind_int(best, 1, difficulty);
  sqlite3_bind_int(best, 2, limit);
  int rc;
  while ((rc = sqlite3_step(best)) == SQLITE_ROW) {
    StoredScore row;
    row.difficulty = sqlite3_column_int(best, 0);
    row.name = BlobColumn(best, 1);
    row.country = BlobColumn(best, 2);
    row.score = sqlite3_column_int64(best, 3);
    row.time = sqlite3_column_int64(best, 4);
    rows.push_back(std::move(row));
  }
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
