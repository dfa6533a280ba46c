#pragma once

#include <filesystem>

#include "server/ScoreStore.h"

namespace zb::server {

// The scores in an SQLite database in WAL mode, created on first use. Writes and reads go
// through separate connections, so pages are served while a submission is written.
class SqliteScoreStore final : public ScoreStore {
 public:
  static std::unique_ptr<ScoreStore> Open(const std::filesystem::path& file, std::string& error);
  struct Connections;
  explicit SqliteScoreStore(std::unique_ptr<Connections> connections);  // through Open
  ~SqliteScoreStore() override;

  bool Add(const StoredScore& score, std::string& error) override;
  using ScoreStore::Best;
  std::optional<std::vector<StoredScore>> Best(int difficulty, int limit, bool verifiedOnly,
                                               std::string& error) override;
  int64_t Count() override;
  RowOutcome RowOfToken(const std::string& token, ReplayRow& row, std::string& error) override;
  RowOutcome TakeReplay(int64_t id, std::string& error) override;
  bool ReleaseReplay(int64_t id, std::string& error) override;
  bool MarkVerified(int64_t id, std::string& error) override;
  std::optional<std::string> Lost() override;

 private:
  std::unique_ptr<Connections> db_;
};

}  // namespace zb::server
