#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zb {

// A recorded game: who played it with which rules and levels, where it began, what the player did
// frame by frame, and what it claims came out. The layout is in docs/replay-format.md.
// Version 1 holds one game from its start; version 2 a game continued from checkpoints, as the
// segments played from one checkpoint to the next. A game never continued is still written as 1.
inline constexpr uint16_t kReplayFormatVersion = 2;
inline constexpr size_t kMaxReplaySegments = 64;
// No whole game comes near these; a file past them is refused before it is read.
inline constexpr size_t kMaxReplayFileBytes = 1u << 20;
inline constexpr size_t kMaxReplayBodyBytes = 16u << 20;
inline constexpr int64_t kMaxReplayFrames = 4'000'000;  // 11 hours at 100 frames a second
inline constexpr size_t kMaxReplayName = 64;
inline constexpr size_t kMaxReplayKeys = 16;

// Something the player did between two frames that is not a held key: a button pressed with the
// pointer, the pad or the focus ring; the window hidden (which pauses play); its close box.
enum class ReplayActionKind : uint8_t { Button = 1, Pause = 2, Close = 3 };

struct TReplayAction {
  ReplayActionKind Kind = ReplayActionKind::Button;
  std::string Button;  // the control's name, for Button
  bool operator==(const TReplayAction&) const = default;
};

// The input bits of a frame, as the play core reads them.
enum ReplayInputBit : uint8_t { kInputRight = 1, kInputLeft = 2, kInputAction = 4, kInputUp = 8 };

// What changed before one frame; frames between two steps repeat the input and pointer of the
// step before and release no key.
struct TReplayStep {
  int64_t Frame = 0;  // 0 is the first frame of the game
  uint8_t Input = 0;
  std::vector<uint8_t> Released;  // keys let go since the frame before
  std::vector<TReplayAction> Actions;  // in the order they came, before the frame runs
  std::optional<std::array<int16_t, 2>> Pointer;  // where the pointer went, when it moved
  bool operator==(const TReplayStep&) const = default;
};

// Where a segment continues the game of the segment before: the generators and the bonus clock
// as the checkpoint kept them (the level, lives and score are the segment's start).
struct TResumeState {
  uint32_t RandomSeed = 0;
  uint64_t RandomDraws = 0;
  uint32_t LookSeed = 0;
  uint64_t LookDraws = 0;
  uint32_t ParticleSeed = 0;
  bool ClockRunning = false;
  int32_t ClockTicks = 0;
  int32_t SpeechLine = 0;  // the story line shown last
  bool operator==(const TResumeState&) const = default;
};

struct TReplay {
  uint32_t RulesVersion = 0;
  std::array<uint8_t, 32> ContentHash{};  // of the level and story files played with
  uint8_t Difficulty = 0;
  uint32_t Seed = 0;
  std::string Name;  // CP1251, as the settings keep it
  std::vector<uint32_t> Keys;  // the bound keys: the frames name keys released, not their meaning
  int32_t StartLevel = 1;
  int32_t StartLives = 3;
  int32_t StartScore = 0;
  // What the recording says came out.
  int64_t Frames = 0;
  int32_t FinalLevel = 0;
  int32_t FinalScore = 0;
  uint64_t FinalStateHash = 0;
  std::vector<TReplayStep> Steps;  // in frame order, at most one per frame
  // A continued game: the state this segment starts from, and the segments played before it,
  // oldest first (each without segments of its own); the first of them starts a new game.
  std::optional<TResumeState> Resume;
  std::vector<TReplay> Earlier;
  bool operator==(const TReplay&) const;
};

std::string EncodeReplay(const TReplay& replay);

struct TReplayReadResult {
  std::optional<TReplay> Replay;
  std::string Error;  // why the bytes are not a replay this build reads
};

// Never trusts the bytes: sizes, counts and frame order are checked against the caps above.
TReplayReadResult DecodeReplay(std::span<const uint8_t> bytes);
TReplayReadResult DecodeReplay(const std::string& bytes);

}  // namespace zb
