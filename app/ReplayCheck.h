#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "persist/ReplayFile.h"

namespace zb {

class HeadlessGame;

// What a replay played through the game's rules came to. The difficulty, score, frames and name
// are the ones the replay claims; a verified replay is one whose game, played again, ended on
// its last frame with that score.
struct TReplayVerdict {
  bool Verified = false;
  int Difficulty = 0;
  int32_t Score = 0;
  int64_t Frames = 0;
  std::string Name;    // UTF-8
  std::string Reason;  // why not, when not
  uint64_t PlayedStateHash = 0;  // of the game played again, at its end
};

// The line `zumbala-scores --verify` prints: verified=yes|no difficulty=D score=S frames=F
// name=NAME, then reason=TEXT when not.
std::string VerdictLine(const TReplayVerdict& verdict);

struct TReplayCheckOptions {
  std::filesystem::path Content;  // the game's content: its levels, story and pictures
  std::chrono::steady_clock::duration TimeCap = std::chrono::seconds(60);
  // Only a game from level 1 with three lives and no score counts for a table; a tool may replay
  // a game begun anywhere.
  bool NewGameOnly = true;
  // Called after every frame of the replayed game, with the game itself (transcripts, tests).
  std::function<void(HeadlessGame&)> AfterFrame;
};

// Plays a replay headless and without drawing, through the real screens, from start-up to the end
// of its game; a continued game segment by segment, each segment's end compared with the state
// the next one starts from. Never throws on a hostile replay: every refusal is a verdict with its reason.
TReplayVerdict CheckReplay(const TReplay& replay, const TReplayCheckOptions& options);
TReplayVerdict CheckReplayBytes(const std::string& bytes, const TReplayCheckOptions& options);

// Plays the game a checkpoint carries (persist/Checkpoint.h) and checks that it comes to the
// state the checkpoint claims: empty when it does, else why not.
std::string CheckCheckpointChain(const TReplay& checkpoint, const std::filesystem::path& content);

// Starts `game` and brings it to the main menu; false when it could not start.
bool BringToMainMenu(HeadlessGame& game);

}  // namespace zb
