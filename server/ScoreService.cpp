#include "server/ScoreService.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "server/ReplayVerifier.h"
#include "server/ScorePage.h"

namespace zb::server {
namespace {

const std::string* Param(const ScoreService::Params& query, const std::string& key) {
  const auto found = query.find(key);
  return found == query.end() ? nullptr : &found->second;
}

constexpr std::string_view kReplayMagic = "ZBRP";

Reply Refuse(int status, std::string why) {
  return Reply{status, "text/plain; charset=utf-8", std::move(why) + "\n"};
}

bool HasControlBytes(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto b = static_cast<unsigned char>(c);
    return b < 0x20 || b == 0x7F;
  });
}

int64_t SystemSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

std::optional<StoredScore> CheckScoreLine(const TScoreLine& line) {
  if (line.Type.size() != 1 || line.Type[0] < '0' || line.Type[0] > '2') return std::nullopt;
  if (line.Score.empty() || line.Score.size() > kMaxScoreDigits) return std::nullopt;
  if (line.Name.empty() || line.Name.size() > kMaxNameBytes || HasControlBytes(line.Name)) {
    return std::nullopt;
  }
  if (line.Country.size() > kMaxCountryBytes || HasControlBytes(line.Country)) return std::nullopt;
  StoredScore score;
  score.difficulty = line.Type[0] - '0';
  score.name = line.Name;
  score.country = line.Country;
  for (char digit : line.Score) score.score = score.score * 10 + (digit - '0');
  return score;
}

ScoreService::ScoreService(ScoreStore& store, ServiceOptions options)
    : store_(store),
      options_(options),
      tokens_(options.tokenLifetime),
      submissions_(options.submissionsPerMinute) {}

Reply ScoreService::Handle(const Params& query, const std::string& address) {
  const std::string* program = Param(query, "prg");
  if (!program || *program != kScoreProgram) return Refuse(400, "unknown program");
  if (query.contains("hs")) return Submit(query, address);
  if (query.contains("version")) return Version();
  if (query.contains("show")) return Page(query);
  return Refuse(400, "unknown request");
}

Reply ScoreService::Version() {
  std::string token;
  if (SharedState* shared = store_.Shared()) {
    token = tokens_.Fresh();
    std::string error;
    if (!shared->IssueToken(token, std::chrono::duration_cast<std::chrono::milliseconds>(options_.tokenLifetime),
                            error)) {
      Log(error);
      return Refuse(500, "no token can be handed out");
    }
  } else {
    token = tokens_.Issue(Clock::now());
  }
  // The game takes the token from the fifth field, "OK" being the first.
  return Reply{200, "text/plain; charset=utf-8", "OK|" + std::string(kScoreProgram) + "|1|0|" + token + "|"};
}

Reply ScoreService::Submit(const Params& query, const std::string& address) {
  SharedState* shared = store_.Shared();
  std::string error;
  if (shared) {
    const SharedState::Outcome allowed = shared->AllowSubmission(address, options_.submissionsPerMinute, error);
    if (allowed == SharedState::Outcome::Failed) {
      Log(error);
      return Refuse(500, "the score could not be stored");
    }
    if (allowed == SharedState::Outcome::No) return Refuse(429, "too many submissions");
  } else if (!submissions_.Allow(address, Clock::now())) {
    return Refuse(429, "too many submissions");
  }
  const std::string* inf = Param(query, "inf");
  const std::optional<TScoreLine> line = inf ? DecodeScoreLine(*inf) : std::nullopt;
  if (!line) return Refuse(400, "unreadable score line");
  std::optional<StoredScore> score = CheckScoreLine(*line);
  if (!score) return Refuse(400, "score line out of bounds");
  if (StoreLost()) return Refuse(500, "the score could not be stored");
  score->time = SystemSeconds();
  // The token goes only with a line that would be stored, so a bad line does not spend it.
  if (shared) {
    const SharedState::Outcome stored = shared->SpendAndAdd(line->Token, *score, error);
    if (stored == SharedState::Outcome::No) return Refuse(400, "unknown or used token");
    if (stored == SharedState::Outcome::Yes) return Reply{200, "text/plain; charset=utf-8", "OK\n"};
    Log(error);
    return Refuse(500, "the score could not be stored");
  }
  score->token = line->Token;
  if (!tokens_.Redeem(line->Token, Clock::now())) return Refuse(400, "unknown or used token");
  if (!store_.Add(*score, error)) {
    Log(error);
    return Refuse(500, "the score could not be stored");
  }
  return Reply{200, "text/plain; charset=utf-8", "OK\n"};
}

Reply ScoreService::Page(const Params& query) {
  const std::string* type = Param(query, "type");
  if (!type || type->size() != 1 || (*type)[0] < '0' || (*type)[0] > '2') {
    return Refuse(400, "unknown difficulty");
  }
  const int difficulty = (*type)[0] - '0';
  const std::string* verified = Param(query, "verified");
  const PageView view{.verifiedOnly = options_.verifiedOnly || (verified && *verified == "1"),
                      .allShown = !options_.verifiedOnly};
  if (StoreLost()) return Refuse(500, "the scores cannot be read");
  std::string error;
  const auto rows = store_.Best(difficulty, options_.pageRows, view.verifiedOnly, error);
  if (!rows) {
    Log(error);
    return Refuse(500, "the scores cannot be read");
  }
  return Reply{200, "text/html; charset=utf-8", ScorePageHtml(difficulty, *rows, view)};
}

Reply ScoreService::TakeReplay(const Params& query, const std::string& body) {
  if (!options_.verifier) return Refuse(404, "replays are not taken here");
  const std::string* token = Param(query, "token");
  if (!token || token->empty()) return Refuse(400, "no token");
  if (StoreLost()) return Refuse(500, "the replay could not be taken");
  std::string error;
  ReplayRow row;
  const RowOutcome found = store_.RowOfToken(*token, row, error);
  if (found == RowOutcome::Failed) {
    Log(error);
    return Refuse(500, "the replay could not be taken");
  }
  if (found == RowOutcome::No) return Refuse(404, "no score was stored with this token");
  if (row.score.verified) return Refuse(409, "the score is verified already");
  if (row.taken) return Refuse(409, "the score has its replay already");
  // Reading and checking it against the row is the verifier's: a replay may decode to far more
  // than its bytes, and the threads answering requests are not to pay for that.
  if (!body.starts_with(kReplayMagic)) return Refuse(400, "not a replay");
  const RowOutcome taken = store_.TakeReplay(row.id, error);
  if (taken == RowOutcome::Failed) {
    Log(error);
    return Refuse(500, "the replay could not be taken");
  }
  if (taken == RowOutcome::No) return Refuse(409, "the score has its replay already");
  if (!options_.verifier->Enqueue(row.id, row.score, body)) {
    if (!store_.ReleaseReplay(row.id, error)) Log(error);
    return Refuse(503, "too many replays are waiting; try again later");
  }
  return Reply{202, "text/plain; charset=utf-8", "queued\n"};
}

bool ScoreService::StoreLost() {
  const std::optional<std::string> why = store_.Lost();
  if (!why) return false;
  Log(*why);
  if (options_.stop) options_.stop(*why);
  return true;
}

void ScoreService::Log(const std::string& message) const {
  if (options_.log) options_.log(message);
  else std::fprintf(stderr, "zumbala-scores: %s\n", message.c_str());
}

}  // namespace zb::server
