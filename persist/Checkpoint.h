#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "persist/ReplayFile.h"

namespace zb {

// A checkpoint: a game stopped at the start of a level, to be continued from there. It is held as
// the segment of the replay that the continued game will be: no frames yet, its start level, lives
// and score, the generators' state (Resume), and, as Earlier, the recording of the whole game up
// to that start, which replays to exactly this state. The layout is in docs/checkpoint-format.md.
inline constexpr uint16_t kCheckpointFormatVersion = 1;
inline constexpr size_t kMaxCheckpointFileBytes = kMaxReplayFileBytes + 16;

std::string EncodeCheckpoint(const TReplay& checkpoint);

struct TCheckpointReadResult {
  std::optional<TReplay> Checkpoint;
  bool Missing = false;  // there is no file: nothing to say to the player
  std::string Error;     // why the file is not a checkpoint this build reads
};

// Never trusts the bytes: beside what a replay must be, a checkpoint must hold no frames of its
// own, continue a chain that ends where it starts, and keep one difficulty and name throughout.
TCheckpointReadResult DecodeCheckpoint(std::span<const uint8_t> bytes);
TCheckpointReadResult DecodeCheckpoint(const std::string& bytes);

// "checkpoints/NAME.zbc" in the player's files. NAME keeps a..z and 0..9 and writes every other
// byte of the name (CP1251) as "_" and two hex digits, so any name gives one safe file name and
// two names never share one, whatever case the file system ignores.
std::filesystem::path CheckpointPath(const std::filesystem::path& userFolder, std::string_view playerName);

TCheckpointReadResult ReadCheckpointFile(const std::filesystem::path& path);
// Written through a temporary file and a rename: a crash leaves the old file or the new one.
// Empty on success, else why not.
std::string WriteCheckpointFile(const std::filesystem::path& path, const TReplay& checkpoint);
// Gone for good (the end of the story, a player deleted); a missing file is no error.
void RemoveCheckpointFile(const std::filesystem::path& path);
// A checkpoint that cannot be trusted is kept beside as NAME.zbc.bad, replacing an older one.
// The new name, or empty when the rename failed.
std::filesystem::path SetCheckpointAside(const std::filesystem::path& path);

}  // namespace zb
