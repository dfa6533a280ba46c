#include "persist/Settings.h"

#include "engine/Cp1251.h"

namespace zb {

THighScoreTables DefaultHighScores() {
  const std::string name = Utf8ToCp1251("Пумка");
  THighScoreTables tables;
  for (auto& table : tables) {
    for (int row = 0; row < kHighScoreRows; ++row) {
      table[static_cast<size_t>(row)] = THighScore{name, std::to_string(1000 - 100 * row)};
    }
  }
  return tables;
}

void ResetHighScores(TSettings& settings) { settings.HighScores = DefaultHighScores(); }

}  // namespace zb
