#pragma once

#include <filesystem>
#include <string>

#include "persist/ReplayFile.h"

namespace zb {

// The player's replays: "last.zbr", the game played last, and "best-easy.zbr", "best-medium.zbr",
// "best-hard.zbr", the highest score of each difficulty, in the "replays" folder of the player's
// files.
std::filesystem::path ReplayFolder(const std::filesystem::path& userFolder);
std::filesystem::path BestReplayPath(const std::filesystem::path& userFolder, int difficulty);

// Keeps a finished game: always as the last, and as the best of its difficulty when no better one
// is kept (a damaged best file counts as none). Each file is written as safely as the settings.
// Empty on success, else why a file could not be written.
std::string KeepReplay(const std::filesystem::path& userFolder, const TReplay& replay);

// Reads a replay file, refusing one larger than any game makes before reading it.
TReplayReadResult ReadReplayFile(const std::filesystem::path& path);

}  // namespace zb
