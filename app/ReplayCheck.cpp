#include "app/ReplayCheck.h"

#include <array>
#include <cstdio>
#include <optional>
#include <vector>

#include "app/HeadlessGame.h"
#include "engine/Cp1251.h"
#include "game/RulesIdentity.h"
#include "screens/ScreenId.h"
#include "screens/ScreenMachine.h"

namespace zb {
namespace {

// The logo holds until the content has loaded; a game that does not reach its menu by then never will.
constexpr int kStartFrames = 20'000;

TReplayVerdict Claimed(const TReplay& replay) {
  return {.Verified = false, .Difficulty = replay.Difficulty, .Score = replay.FinalScore, .Frames = replay.Frames,
          .Name = Cp1251ToUtf8(replay.Name), .Reason = {}, .PlayedStateHash = 0};
}

TReplayVerdict Refused(TReplayVerdict verdict, std::string reason) {
  verdict.Reason = std::move(reason);
  return verdict;
}

}  // namespace

std::string VerdictLine(const TReplayVerdict& verdict) {
  char line[160];
  std::snprintf(line, sizeof line, "verified=%s difficulty=%d score=%d frames=%lld name=", verdict.Verified ? "yes" : "no",
                verdict.Difficulty, verdict.Score, static_cast<long long>(verdict.Frames));
  std::string text = line + verdict.Name;
  if (!verdict.Verified) text += " reason=" + verdict.Reason;
  return text;
}

bool BringToMainMenu(HeadlessGame& game) {
  if (!game.Start()) return false;
  TScreenContext& screens = game.Screens();
  for (int i = 0; i < kStartFrames && screens.CurrentScreen == ScreenLogo && !game.Closed(); ++i) game.Frame();
  // A first start asks for a name; a replay brings its own.
  return !game.Closed() && ReachMainMenu(screens);
}

namespace {

// One segment played in a game of its own: a first one from a new game, a later one from the
// state it claims, as "Продолжить" starts it. With `next`, the segment must come, on its last
// frame, to the checkpoint that `next` starts from; without, its game must end on its last frame.
// Empty when it does, else why not; `ended` is the recording of a game that ended.
std::string PlaySegment(const TReplay& segment, size_t index, const TReplay* next, const TReplayCheckOptions& options,
                        std::chrono::steady_clock::time_point deadline, std::optional<TReplay>& ended) {
  // Nothing of the player's is read or written: the game runs without a folder of its own.
  HeadlessGame game(TGameFolders{options.Content, {}, false, {}, {}});
  game.SetDrawing(false);
  if (!BringToMainMenu(game)) return "the game could not start";
  TScreenContext& screens = game.Screens();
  StartSegment(screens, segment);
  auto reached = [&] {
    const std::optional<TReplay>& cp = screens.LastCheckpoint;
    // The checkpoint that ends this segment, not the one it began from.
    return next != nullptr && cp && cp->Earlier.size() == index + 1 && cp->Earlier.back().Frames == segment.Frames;
  };
  while (!screens.LastReplay && !screens.Feed->Done() && !game.Closed() && !reached()) {
    game.Frame();
    if (options.AfterFrame) options.AfterFrame(game);
    if ((screens.Feed->Frame() & 1023) == 0 && std::chrono::steady_clock::now() > deadline) {
      return "the replay took longer than its time allows";
    }
    // The recording platform keeps every sound call; a whole game needs none of them.
    if ((screens.Feed->Frame() & 1023) == 0) game.Platform().audio.ClearCalls();
  }
  if (next != nullptr) {
    if (!reached()) return "the game before a checkpoint did not come to it on its last frame";
    const TReplay& cp = *screens.LastCheckpoint;
    if (cp.StartLevel != next->StartLevel || cp.StartLives != next->StartLives || cp.StartScore != next->StartScore) {
      return "the game before a checkpoint came to level " + std::to_string(cp.StartLevel) + " with " +
             std::to_string(cp.StartLives) + " lives and " + std::to_string(cp.StartScore) +
             " points, not the level " + std::to_string(next->StartLevel) + " with " +
             std::to_string(next->StartLives) + " lives and " + std::to_string(next->StartScore) +
             " points the checkpoint claims";
    }
    if (cp.Resume != next->Resume) return "the game before a checkpoint left its generators elsewhere than it claims";
    if (cp.Earlier.back().FinalStateHash != segment.FinalStateHash) {
      return "the game before a checkpoint was in another state than it claims";
    }
    return {};
  }
  if (!screens.LastReplay) return "the game had not ended when the replay did";
  ended = screens.LastReplay;
  return {};
}

// The segments, oldest first; the last one only claims where the game goes on when it is a checkpoint.
std::string CheckSegments(const std::vector<const TReplay*>& segments, const TReplay& claimed, bool lastIsClaimOnly,
                          const TReplayCheckOptions& options, std::optional<TReplay>& ended) {
  const TReplay& first = *segments.front();
  for (const TReplay* segment : segments) {
    if (segment->RulesVersion != kRulesVersion) {
      return "the replay was made with rules " + std::to_string(segment->RulesVersion) + ", this game plays rules " +
             std::to_string(kRulesVersion);
    }
    if (segment->Difficulty != claimed.Difficulty || segment->Name != claimed.Name) {
      return "the replay's segments are of different games";
    }
  }
  const std::array<uint8_t, 32> content = ContentDigest(options.Content);
  for (const TReplay* segment : segments) {
    if (segment->ContentHash != content) return "the replay was played with other levels or story than this game's";
  }
  if (options.NewGameOnly && (first.StartLevel != 1 || first.StartLives != 3 || first.StartScore != 0)) {
    return "the replay does not start a new game";
  }
  const auto deadline = std::chrono::steady_clock::now() + options.TimeCap;
  const size_t played = lastIsClaimOnly ? segments.size() - 1 : segments.size();
  for (size_t i = 0; i < played; ++i) {
    const TReplay* next = i + 1 < segments.size() ? segments[i + 1] : nullptr;
    if (std::string why = PlaySegment(*segments[i], i, next, options, deadline, ended); !why.empty()) {
      return segments.size() > 1 ? "segment " + std::to_string(i + 1) + ": " + why : why;
    }
  }
  return {};
}

std::vector<const TReplay*> Segments(const TReplay& replay) {
  std::vector<const TReplay*> segments;
  for (const TReplay& earlier : replay.Earlier) segments.push_back(&earlier);
  segments.push_back(&replay);
  return segments;
}

}  // namespace

TReplayVerdict CheckReplay(const TReplay& replay, const TReplayCheckOptions& options) {
  TReplayVerdict claimed = Claimed(replay);
  std::optional<TReplay> ended;
  if (std::string why = CheckSegments(Segments(replay), replay, false, options, ended); !why.empty()) {
    return Refused(claimed, std::move(why));
  }
  const TReplay& played = *ended;
  claimed.PlayedStateHash = played.FinalStateHash;
  if (played.Frames != replay.Frames) {
    return Refused(claimed, "the game ended at frame " + std::to_string(played.Frames) + ", not at frame " +
                                std::to_string(replay.Frames));
  }
  if (played.FinalScore != replay.FinalScore || played.FinalLevel != replay.FinalLevel) {
    return Refused(claimed, "the game came to " + std::to_string(played.FinalScore) + " points on level " +
                                std::to_string(played.FinalLevel) + ", not the " + std::to_string(replay.FinalScore) +
                                " points on level " + std::to_string(replay.FinalLevel) + " it claims");
  }
  TReplayVerdict verdict = claimed;
  verdict.Verified = true;
  return verdict;
}

std::string CheckCheckpointChain(const TReplay& checkpoint, const std::filesystem::path& content) {
  if (!checkpoint.Resume || checkpoint.Earlier.empty()) return "the checkpoint holds no game to continue";
  TReplayCheckOptions options;
  options.Content = content;
  std::optional<TReplay> ended;
  return CheckSegments(Segments(checkpoint), checkpoint, true, options, ended);
}

TReplayVerdict CheckReplayBytes(const std::string& bytes, const TReplayCheckOptions& options) {
  TReplayReadResult read = DecodeReplay(bytes);
  if (!read.Replay) return {.Verified = false, .Difficulty = 0, .Score = 0, .Frames = 0, .Name = {}, .Reason = read.Error, .PlayedStateHash = 0};
  return CheckReplay(*read.Replay, options);
}

}  // namespace zb
