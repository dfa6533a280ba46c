#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "persist/ScoreLine.h"
#include "server/RateLimiter.h"
#include "server/ScoreStore.h"
#include "server/TokenBook.h"

namespace zb::server {

class ReplayVerifier;

struct ServiceOptions {
  int submissionsPerMinute = 30;  // per address; 0 for no limit
  Clock::duration tokenLifetime = std::chrono::minutes(30);
  int pageRows = 100;
  // Where failures to store or read go; standard error when empty.
  std::function<void(const std::string&)> log;
  // Called, after the log, when the store cannot go on; the server should stop.
  std::function<void(const std::string&)> stop;
  // Plays uploaded replays; without one, replays are not taken.
  ReplayVerifier* verifier = nullptr;
  // The pages list verified scores alone.
  bool verifiedOnly = false;
};

struct Reply {
  int status = 200;
  std::string contentType = "text/plain; charset=utf-8";
  std::string body;
};

// The limits a stored score keeps to.
inline constexpr size_t kMaxScoreDigits = 9;
inline constexpr size_t kMaxNameBytes = 16;
inline constexpr size_t kMaxCountryBytes = 32;

// The values of a decoded score line that keep to the limits; the token is not looked at.
std::optional<StoredScore> CheckScoreLine(const TScoreLine& line);

// The one script of the score server: the version check that hands out a token, the score
// submission and the public pages. Safe to call from several threads.
class ScoreService {
 public:
  using Params = std::multimap<std::string, std::string>;

  explicit ScoreService(ScoreStore& store, ServiceOptions options = {});

  Reply Handle(const Params& query, const std::string& address);
  // The replay of a stored game, tied to its row by the token its submission spent: the row
  // takes it once (202), and the verifier reads and plays it later.
  Reply TakeReplay(const Params& query, const std::string& body);

 private:
  Reply Version();
  Reply Submit(const Params& query, const std::string& address);
  Reply Page(const Params& query);
  void Log(const std::string& message) const;
  // True, after logging and asking to stop, when the store cannot go on.
  bool StoreLost();

  ScoreStore& store_;
  const ServiceOptions options_;
  TokenBook tokens_;
  RateLimiter submissions_;
};

}  // namespace zb::server
