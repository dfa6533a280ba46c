#include "persist/Settings.h"

#include <charconv>

#include "engine/Cp1251.h"

namespace zb {

THighScoreTables DefaultHighScores() {
  // Made once: every set of settings starts from these, reading "Config.cfg" among them.
  static const THighScoreTables kDefaults = [] {
    const std::string name = Utf8ToCp1251("Пумка");  // a name: the same in every language
    THighScoreTables tables;
    for (auto& table : tables) {
      for (int row = 0; row < kHighScoreRows; ++row) {
        table[static_cast<size_t>(row)] = THighScore{name, std::to_string(1000 - 100 * row)};
      }
    }
    return tables;
  }();
  return kDefaults;
}

void ResetHighScores(TSettings& settings) { settings.HighScores = DefaultHighScores(); }

namespace {

// A stored score as a number; a damaged entry reads as 0, so any score can take its place.
int64_t StoredScore(const std::string& text) {
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() ? value : 0;
}

}  // namespace

bool InsertHighScore(TSettings& settings, int difficulty, int32_t score) {
  if (difficulty < 0 || difficulty >= kDifficulties) return false;
  auto& table = settings.HighScores[static_cast<size_t>(difficulty)];
  for (size_t row = 0; row < table.size(); ++row) {
    if (StoredScore(table[row].Score) > score) continue;
    for (size_t below = table.size() - 1; below > row; --below) table[below] = table[below - 1];
    table[row] = THighScore{settings.PlayerName, std::to_string(score)};
    return true;
  }
  return false;
}

}  // namespace zb
