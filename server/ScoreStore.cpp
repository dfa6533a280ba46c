#include "server/ScoreStore.h"

#include "server/PgScoreStore.h"
#include "server/SqliteScoreStore.h"

namespace zb::server {

std::unique_ptr<ScoreStore> ScoreStore::Open(const std::string& where, std::string& error) {
  if (where.starts_with("postgresql://") || where.starts_with("postgres://")) {
    return PgScoreStore::Open(where, error);
  }
  return SqliteScoreStore::Open(where, error);
}

}  // namespace zb::server
