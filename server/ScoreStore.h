#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zb::server {

// One stored submission; name and country are the CP1251 bytes the game sent.
struct StoredScore {
  int difficulty = 0;
  std::string name;
  std::string country;
  int64_t score = 0;
  int64_t time = 0;  // seconds since 1970, UTC
  bool operator==(const StoredScore&) const = default;
};

// The scores in an SQLite database in WAL mode, created on first use. Writes and reads go
// through separate connections, so pages are served while a submission is written. Safe to use
// from several threads.
class ScoreStore {
 public:
  // Null, with the reason in `error`, when the database cannot be opened or set up, or is damaged.
  static std::unique_ptr<ScoreStore> Open(const std::filesystem::path& file, std::string& error);
  struct Connections;
  explicit ScoreStore(std::unique_ptr<Connections> connections);  // through Open
  ~ScoreStore();
  ScoreStore(const ScoreStore&) = delete;
  ScoreStore& operator=(const ScoreStore&) = delete;

  // False, with the reason in `error`, when the score was not stored.
  bool Add(const StoredScore& score, std::string& error);
  // The best `limit` scores of a difficulty, highest first; equal scores in the order they came.
  // Nothing when they cannot be read, with the reason in `error`.
  std::optional<std::vector<StoredScore>> Best(int difficulty, int limit, std::string& error);
  int64_t Count();
  // Why the store cannot go on, when its file was deleted or replaced since it was opened: the
  // scores would go to a file nobody will see again.
  std::optional<std::string> Lost();

 private:
  std::unique_ptr<Connections> db_;
};

}  // namespace zb::server
