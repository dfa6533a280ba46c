#pragma once

#include <chrono>
#include <cstdint>
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
  bool verified = false;  // a replay of the game, played again, came to this score
  // The token the submission spent, which ties the game's replay to this row; never shown, and
  // not read back by Best.
  std::string token;
  bool operator==(const StoredScore&) const = default;
};

// A stored row as a replay upload finds it by the token its submission spent.
struct ReplayRow {
  int64_t id = 0;
  StoredScore score;
  bool taken = false;  // a replay was taken for it already (being checked, or it did not verify)
};

enum class RowOutcome { Yes, No, Failed };

// What the instances behind one database must agree on besides the rows: the tokens handed
// out and the submissions counted against each address. A store on one machine keeps none.
class SharedState {
 public:
  enum class Outcome { Yes, No, Failed };
  virtual ~SharedState() = default;
  virtual bool IssueToken(const std::string& token, std::chrono::milliseconds lifetime, std::string& error) = 0;
  // Counts the submission when fewer than `limit` came from `address` within the last minute.
  virtual Outcome AllowSubmission(const std::string& address, int limit, std::string& error) = 0;
  // Spends the token and stores the score in one transaction: No when the token is unknown,
  // used or expired, and nothing is stored.
  virtual Outcome SpendAndAdd(const std::string& token, const StoredScore& score, std::string& error) = 0;
};

// The stored scores. Safe to use from several threads.
class ScoreStore {
 public:
  // A "postgresql://" URL opens PostgreSQL, anything else an SQLite file (created on first use).
  // Null, with the reason in `error`, when the database cannot be opened or set up, or is damaged.
  static std::unique_ptr<ScoreStore> Open(const std::string& where, std::string& error);
  virtual ~ScoreStore() = default;

  // False, with the reason in `error`, when the score was not stored.
  virtual bool Add(const StoredScore& score, std::string& error) = 0;
  // The best `limit` scores of a difficulty (only verified ones when asked), highest first; equal
  // scores in the order they came. Nothing when they cannot be read, with the reason in `error`.
  virtual std::optional<std::vector<StoredScore>> Best(int difficulty, int limit, bool verifiedOnly,
                                                       std::string& error) = 0;
  std::optional<std::vector<StoredScore>> Best(int difficulty, int limit, std::string& error) {
    return Best(difficulty, limit, false, error);
  }
  virtual int64_t Count() = 0;

  // The row stored with `token`: No when there is none.
  virtual RowOutcome RowOfToken(const std::string& token, ReplayRow& row, std::string& error) = 0;
  // Takes the one replay a row gets: No when one was taken already (also by another instance).
  virtual RowOutcome TakeReplay(int64_t id, std::string& error) = 0;
  // Gives the row back for another upload (its replay was never checked).
  virtual bool ReleaseReplay(int64_t id, std::string& error) = 0;
  virtual bool MarkVerified(int64_t id, std::string& error) = 0;
  // Why the store cannot go on, when it cannot (its file deleted or replaced since it was opened:
  // the scores would go to a file nobody will see again).
  virtual std::optional<std::string> Lost() { return std::nullopt; }
  // Null when tokens and rate limits may live in this process alone.
  virtual SharedState* Shared() { return nullptr; }
};

}  // namespace zb::server
