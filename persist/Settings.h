#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zb {

inline constexpr int kMaxPlayers = 10;
inline constexpr int kMaxKeys = 4;
inline constexpr int kDifficulties = 3;
inline constexpr int kHighScoreRows = 10;

// One row of a high-score table; both are texts as the file keeps them.
struct THighScore {
  std::string Name;
  std::string Score;
  bool operator==(const THighScore&) const = default;
};

// Easy, medium and hard, ten rows each from the top.
using THighScoreTables = std::array<std::array<THighScore, kHighScoreRows>, kDifficulties>;

// The default tables: "Пумка" with 1000 down to 100 in every table.
THighScoreTables DefaultHighScores();

// The persistent settings kept in "Config.cfg", with their first-run defaults.
// Texts are CP1251 bytes.
struct TSettings {
  bool FullScreen = false;
  bool Antialias = true;
  int MusicVolume = 250;
  int FxVolume = 250;
  std::string PlayerName;
  std::string PlayerCountry;
  THighScoreTables HighScores = DefaultHighScores();
  int CurrentPlayer = 0;
  int PlayerCount = 0;
  std::array<std::string, kMaxPlayers> Players;
  // Bindings in action order: right, left, launch, up.
  int KeyCount = kMaxKeys;
  std::array<uint32_t, kMaxKeys> Keys = {39, 37, 32, 38};
  std::array<uint32_t, kMaxKeys> DefaultKeys = {39, 37, 32, 38};
};

// Puts the default tables back into all three difficulties.
void ResetHighScores(TSettings& settings);

// Enters `score` for the current player into the table of `difficulty` above the first row it
// equals or beats; the last row drops out. False when it beats no row.
bool InsertHighScore(TSettings& settings, int difficulty, int32_t score);

}  // namespace zb
