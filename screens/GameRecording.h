#pragma once

#include <array>
#include <filesystem>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "persist/ReplayFile.h"

namespace zb {

struct TPlayInput;
struct TScreenContext;

// Writes down a game while it is played: what the player did before every frame, from the
// difficulty's choice to the final score. The frames are counted here, so a replay runs in
// frames, never in time.
class TGameRecorder {
 public:
  void Begin(TReplay header);
  bool Active() const { return active_; }

  // Something the player did between frames; the clicks a screen makes itself are not noted.
  void NoteAction(TReplayAction action);
  void NoteButton(std::string_view name);
  // What the frame about to run is given: the play input, the keys let go, the pointer.
  void NoteFrame(uint8_t input, std::span<const bool, 256> released, std::array<int16_t, 2> pointer);
  // The recording so far, ending with the actions still waiting for their frame.
  TReplay Snapshot() const;
  // The game ended; the recording, with what came out.
  TReplay Finish(int32_t finalLevel, int32_t finalScore, uint64_t stateHash);

  // Clicks made while one lives are the screens' own, not the player's.
  class TOwnClicks {
   public:
    explicit TOwnClicks(TGameRecorder& recorder) : recorder_(recorder) { ++recorder_.ownClicks_; }
    ~TOwnClicks() { --recorder_.ownClicks_; }
    TOwnClicks(const TOwnClicks&) = delete;
    TOwnClicks& operator=(const TOwnClicks&) = delete;

   private:
    TGameRecorder& recorder_;
  };

 private:
  bool active_ = false;
  int ownClicks_ = 0;
  TReplay replay_;
  int64_t frames_ = 0;
  uint8_t input_ = 0;
  std::optional<std::array<int16_t, 2>> pointer_;
  std::vector<TReplayAction> pending_;
};

// Plays a recording back into the screens: before each frame, the player's actions of that frame
// run and the frame is given the recorded input.
class TReplayFeed {
 public:
  explicit TReplayFeed(TReplay replay) : replay_(std::move(replay)) {}
  const TReplay& Replay() const { return replay_; }
  // Every recorded frame has been fed.
  bool Done() const { return frame_ >= replay_.Frames; }
  int64_t Frame() const { return frame_; }
  void BeforeFrame(TScreenContext& ctx);

 private:
  TReplay replay_;
  size_t next_ = 0;
  int64_t frame_ = 0;
  uint8_t input_ = 0;
};

// The bits a frame's play input is recorded as.
uint8_t InputBits(const TPlayInput& input);

// Before a frame: a replay being played gives the frame its input, and the recorder notes it.
void FeedAndNoteFrame(TScreenContext& ctx);

// The new game the difficulty buttons start: a fresh generator seed (the one asked for, when a
// tool or a replay asks), and the recording of it.
void BeginRecordedGame(TScreenContext& ctx);
// The recording ends with the final score, or with a way back to the menu; it is kept as the
// last replay and, when it is the best of its difficulty, as that too.
void FinishRecordedGame(TScreenContext& ctx);
// Once the logo has passed, the main menu, whatever screen a first start would show next; false
// while the logo is still on.
bool ReachMainMenu(TScreenContext& ctx);
// From the main menu, the recorded game starts as its player started it.
void StartReplay(TScreenContext& ctx, TReplay replay);
// From the main menu, a recorded segment of a continued game starts from the state it claims.
void StartContinuedReplay(TScreenContext& ctx, TReplay segment);
// Either, as the segment begins: a new game, or a game continued.
void StartSegment(TScreenContext& ctx, TReplay segment);

// At the start of every level of the game's own levels: the checkpoint of the game is taken
// (ctx.LastCheckpoint) and, for the player's own game, written to the player's checkpoint file.
void KeepCheckpoint(TScreenContext& ctx);
// The game reached the end of the story: nothing is left to continue.
void DropCheckpoint(TScreenContext& ctx);
// The checkpoint file of the current player.
std::filesystem::path CurrentCheckpointPath(const TScreenContext& ctx);
// The game goes on from `checkpoint` (a segment without frames, see persist/Checkpoint.h): its
// level starts as the straight game's did, its recording carries the game before it.
void ContinueGame(TScreenContext& ctx, TReplay checkpoint);

}  // namespace zb
