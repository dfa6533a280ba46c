#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "persist/ReplayFile.h"
#include "server/ScoreStore.h"

namespace zb::server {

// What playing a replay again came to: whether it ended on the score it claims, and why not.
struct ReplayCheckResult {
  bool verified = false;
  std::string reason;
};
// Plays a replay through the game's rules; may take seconds and runs on a verifier thread. The
// program passes the game's headless check; the server library knows nothing of the game.
using ReplayChecker = std::function<ReplayCheckResult(const TReplay&)>;

// Why a replay cannot be of the game of `row` (difficulty, player, final score), or empty. A name
// the server cut to its limit matches the beginning of the replay's.
std::string ReplayDiffers(const StoredScore& row, const TReplay& replay);

struct VerifierOptions {
  int threads = 2;
  size_t queueCapacity = 32;  // replays waiting for a thread; beyond, uploads are turned away
  // One line for every replay that did not verify; standard error when empty.
  std::function<void(const std::string&)> log;
};

// Reads and plays uploaded replays on threads of its own, never on those that answer requests, and
// marks a row verified when its replay holds. A replay that cannot be read or is of another game
// than its row gives the row back for another upload; one played that does not hold leaves the row
// unverified for good. The queue holds the uploaded bytes (at most the front's cap each), not
// what they decode to, and is bounded: a full one refuses.
class ReplayVerifier {
 public:
  ReplayVerifier(ScoreStore& store, ReplayChecker check, VerifierOptions options = {});
  // Waits for the replays being played; those still waiting give their rows back for another upload.
  ~ReplayVerifier();
  ReplayVerifier(const ReplayVerifier&) = delete;
  ReplayVerifier& operator=(const ReplayVerifier&) = delete;

  // The threads start here, so that a server can take uploads before it plays any.
  void Start();
  // False when the queue is full; the row's replay must then be given back by the caller.
  bool Enqueue(int64_t rowId, StoredScore row, std::string bytes);
  // Returns once nothing waits and nothing is being played (at once before Start; tests, the bench).
  void WaitIdle();

  struct Counts {
    int64_t verified = 0;
    int64_t refused = 0;
  };
  Counts Done();

 private:
  struct Job {
    int64_t rowId;
    StoredScore row;
    std::string bytes;
  };
  void Work();
  void Settle(const Job& job);
  // Why the job's row is not verified, or empty once it is.
  std::string Verdict(const Job& job);
  void GiveBack(int64_t rowId);
  void Log(const std::string& message) const;

  ScoreStore& store_;
  const ReplayChecker check_;
  const VerifierOptions options_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::deque<Job> queue_;
  int busy_ = 0;
  bool stopping_ = false;
  Counts done_;
  std::vector<std::thread> threads_;
};

}  // namespace zb::server
