#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "game/LevelFile.h"

namespace zb {

// The player's own levels: `levels/SET/` in the player's folder, each level "levelNN" (the game's
// level format, NN from 01 to 25, played in that order) beside its source "levelNN.txt", and the
// set's local high scores in `levels/SET.scores`. Names here are UTF-8.
inline constexpr int kMaxSetLevels = 25;
inline constexpr int kSetScoreRows = 10;
inline constexpr size_t kMaxSetNameBytes = 40;
inline constexpr std::string_view kSetArchiveExtension = ".zlv";

std::filesystem::path LevelSetsFolder(const std::filesystem::path& userFolder);

struct TSetLevel {
  int Number = 0;           // 1..25, the NN of its file
  std::string Title;        // from its source; "NN" when it has none
  std::filesystem::path File;
};

struct TLevelSet {
  std::string Name;
  std::vector<TSetLevel> Levels;      // the playable ones, in order
  std::vector<std::string> Problems;  // one line per level file that was refused, naming it
};

// Why a name cannot name a set or a level (empty when it can): not empty, at most 40 bytes, no
// folder part, no leading dot or space.
std::string CheckLevelName(std::string_view name);

// The sets in the folder, by name.
std::vector<std::string> ListLevelSets(const std::filesystem::path& levels);
// Reads every level of a set; a damaged one is left out and named in Problems.
TLevelSet ReadLevelSet(const std::filesystem::path& levels, const std::string& name);
// The level file of a set's level; empty when the set has no such level.
std::filesystem::path SetLevelFile(const TLevelSet& set, int index);

struct TSetSaveResult {
  bool ok = false;
  int Number = 0;
  std::string error;
};
// Saves a level by its title into a set (made when missing): a level of that title is written over,
// a new one takes the first free number. Refused for a level that cannot be won, a bad name or a
// full set.
TSetSaveResult SaveSetLevel(const std::filesystem::path& levels, const std::string& set, const std::string& title,
                            const LevelImage& image);

bool RenameLevelSet(const std::filesystem::path& levels, const std::string& from, const std::string& to,
                    std::string& error);
bool DeleteLevelSet(const std::filesystem::path& levels, const std::string& name, std::string& error);

struct TSetScore {
  std::string Player;
  int32_t Score = 0;
};
// The set's table, best first; a missing or damaged file is an empty table.
std::vector<TSetScore> ReadSetScores(const std::filesystem::path& levels, const std::string& set);
// Adds a score to the table (kept to its best ten); false when the table could not be written.
bool AddSetScore(const std::filesystem::path& levels, const std::string& set, const TSetScore& score);

// Unpacks every ".zlv" file dropped into the folder into a set named after it (a name already taken
// gets " 2", " 3", ...), and removes the file once its set is written. One line per file that could
// not be imported, naming it; such a file is left where it is.
std::vector<std::string> ImportDroppedSets(const std::filesystem::path& levels);

}  // namespace zb
