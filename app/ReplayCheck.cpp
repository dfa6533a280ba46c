#include "app/ReplayCheck.h"

#include <cstdio>

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

TReplayVerdict CheckReplay(const TReplay& replay, const TReplayCheckOptions& options) {
  TReplayVerdict claimed = Claimed(replay);
  if (replay.RulesVersion != kRulesVersion) {
    return Refused(claimed, "the replay was made with rules " + std::to_string(replay.RulesVersion) +
                                ", this game plays rules " + std::to_string(kRulesVersion));
  }
  if (replay.ContentHash != ContentDigest(options.Content)) {
    return Refused(claimed, "the replay was played with other levels or story than this game's");
  }
  if (options.NewGameOnly && (replay.StartLevel != 1 || replay.StartLives != 3 || replay.StartScore != 0)) {
    return Refused(claimed, "the replay does not start a new game");
  }
  const auto deadline = std::chrono::steady_clock::now() + options.TimeCap;
  // Nothing of the player's is read or written: the game runs without a folder of its own.
  HeadlessGame game(TGameFolders{options.Content, {}, false, {}, {}});
  game.SetDrawing(false);
  if (!BringToMainMenu(game)) return Refused(claimed, "the game could not start");
  TScreenContext& screens = game.Screens();
  StartReplay(screens, replay);
  while (!screens.LastReplay && !screens.Feed->Done() && !game.Closed()) {
    game.Frame();
    if (options.AfterFrame) options.AfterFrame(game);
    if ((screens.Feed->Frame() & 1023) == 0 && std::chrono::steady_clock::now() > deadline) {
      return Refused(claimed, "the replay took longer than its time allows");
    }
    // The recording platform keeps every sound call; a whole game needs none of them.
    if ((screens.Feed->Frame() & 1023) == 0) game.Platform().audio.ClearCalls();
  }
  if (!screens.LastReplay) return Refused(claimed, "the game had not ended when the replay did");
  const TReplay& played = *screens.LastReplay;
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

TReplayVerdict CheckReplayBytes(const std::string& bytes, const TReplayCheckOptions& options) {
  TReplayReadResult read = DecodeReplay(bytes);
  if (!read.Replay) return {.Verified = false, .Difficulty = 0, .Score = 0, .Frames = 0, .Name = {}, .Reason = read.Error, .PlayedStateHash = 0};
  return CheckReplay(*read.Replay, options);
}

}  // namespace zb
