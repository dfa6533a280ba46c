#pragma once

#include <memory>
#include <string>

#include "server/ScoreStore.h"

namespace zb::server {

// The scores, tokens and submission counts in PostgreSQL, shared by every instance that uses the
// same database. A small pool of connections, each with its statements prepared; a connection
// that broke is opened again on its next use, so the service comes back by itself when the
// database does.
class PgScoreStore final : public ScoreStore, public SharedState {
 public:
  // Connects once and brings the schema up to date.
  static std::unique_ptr<ScoreStore> Open(const std::string& url, std::string& error);
  struct Pool;
  explicit PgScoreStore(std::unique_ptr<Pool> pool);  // through Open
  ~PgScoreStore() override;

  bool Add(const StoredScore& score, std::string& error) override;
  using ScoreStore::Best;
  std::optional<std::vector<StoredScore>> Best(int difficulty, int limit, bool verifiedOnly,
                                               std::string& error) override;
  int64_t Count() override;
  RowOutcome RowOfToken(const std::string& token, ReplayRow& row, std::string& error) override;
  RowOutcome TakeReplay(int64_t id, std::string& error) override;
  bool ReleaseReplay(int64_t id, std::string& error) override;
  bool MarkVerified(int64_t id, std::string& error) override;
  SharedState* Shared() override { return this; }

  bool IssueToken(const std::string& token, std::chrono::milliseconds lifetime, std::string& error) override;
  Outcome AllowSubmission(const std::string& address, int limit, std::string& error) override;
  Outcome SpendAndAdd(const std::string& token, const StoredScore& score, std::string& error) override;

 private:
  std::unique_ptr<Pool> pool_;
};

}  // namespace zb::server
