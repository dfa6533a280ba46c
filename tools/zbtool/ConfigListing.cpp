#include "tools/zbtool/ConfigListing.h"

#include <charconv>
#include <optional>

namespace zb::tool {
namespace {

std::optional<long long> Integer(std::string_view text) {
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::optional<int> IntegerIn(std::string_view text, long long low, long long high) {
  const auto value = Integer(text);
  if (!value || *value < low || *value > high) return std::nullopt;
  return static_cast<int>(*value);
}

std::optional<bool> Switch(std::string_view text) {
  if (text == "true") return true;
  if (text == "false") return false;
  return std::nullopt;
}

// "Prefix.A" or "Prefix.A.B": the indices after the prefix, each within its bound.
bool Indices(std::string_view name, std::string_view prefix, int* indices, const int* bounds, int count) {
  if (name.substr(0, prefix.size()) != prefix) return false;
  name.remove_prefix(prefix.size());
  for (int i = 0; i < count; ++i) {
    if (name.empty() || name.front() != '.') return false;
    name.remove_prefix(1);
    const size_t dot = name.find('.');
    const auto value = IntegerIn(name.substr(0, dot), 0, bounds[i] - 1);
    if (!value) return false;
    indices[i] = *value;
    name = dot == std::string_view::npos ? std::string_view() : name.substr(dot);
  }
  return name.empty();
}

bool ApplyLine(std::string_view name, std::string_view value, TSettings& s) {
  constexpr long long kInt32Min = -2147483648LL;
  constexpr long long kInt32Max = 2147483647LL;
  if (name == "FullScreen" || name == "Antialias") {
    const auto on = Switch(value);
    if (!on) return false;
    (name == "FullScreen" ? s.FullScreen : s.Antialias) = *on;
    return true;
  }
  if (name == "MusicVolume" || name == "FxVolume" || name == "CurrentPlayer") {
    const auto number = IntegerIn(value, kInt32Min, kInt32Max);
    if (!number) return false;
    (name == "MusicVolume" ? s.MusicVolume : name == "FxVolume" ? s.FxVolume : s.CurrentPlayer) = *number;
    return true;
  }
  if (name == "PlayerCountry" || name == "PlayerName") {
    (name == "PlayerCountry" ? s.PlayerCountry : s.PlayerName) = value;
    return true;
  }
  if (name == "PlayerCount" || name == "KeyCount") {
    const bool players = name == "PlayerCount";
    const auto number = IntegerIn(value, 0, players ? kMaxPlayers : kMaxKeys);
    if (!number) return false;
    (players ? s.PlayerCount : s.KeyCount) = *number;
    return true;
  }
  int index[2] = {0, 0};
  constexpr int kTableBounds[2] = {kDifficulties, kHighScoreRows};
  if (Indices(name, "HighScore", index, kTableBounds, 2)) {
    // Scores are digits, so the last bar ends the name.
    const size_t bar = value.rfind('|');
    if (bar == std::string_view::npos) return false;
    s.HighScores[static_cast<size_t>(index[0])][static_cast<size_t>(index[1])] =
        THighScore{std::string(value.substr(0, bar)), std::string(value.substr(bar + 1))};
    return true;
  }
  constexpr int kPlayerBound[1] = {kMaxPlayers};
  if (Indices(name, "Player", index, kPlayerBound, 1)) {
    s.Players[static_cast<size_t>(index[0])] = value;
    return true;
  }
  constexpr int kKeyBound[1] = {kMaxKeys};
  if (Indices(name, "Key", index, kKeyBound, 1)) {
    const auto code = IntegerIn(value, 0, 255);
    if (!code) return false;
    s.Keys[static_cast<size_t>(index[0])] = static_cast<uint32_t>(*code);
    return true;
  }
  return false;
}

}  // namespace

std::string ListSettings(const TSettings& s) {
  std::string out;
  auto line = [&out](std::string_view name, std::string_view value) {
    out.append(name).append("=").append(value).append("\n");
  };
  line("FullScreen", s.FullScreen ? "true" : "false");
  line("Antialias", s.Antialias ? "true" : "false");
  line("MusicVolume", std::to_string(s.MusicVolume));
  line("FxVolume", std::to_string(s.FxVolume));
  line("PlayerCountry", s.PlayerCountry);
  line("PlayerName", s.PlayerName);
  for (int d = 0; d < kDifficulties; ++d) {
    for (int r = 0; r < kHighScoreRows; ++r) {
      const THighScore& row = s.HighScores[static_cast<size_t>(d)][static_cast<size_t>(r)];
      line("HighScore." + std::to_string(d) + "." + std::to_string(r), row.Name + "|" + row.Score);
    }
  }
  line("PlayerCount", std::to_string(s.PlayerCount));
  line("CurrentPlayer", std::to_string(s.CurrentPlayer));
  for (int i = 0; i < s.PlayerCount && i < kMaxPlayers; ++i) {
    line("Player." + std::to_string(i), s.Players[static_cast<size_t>(i)]);
  }
  line("KeyCount", std::to_string(s.KeyCount));
  for (int i = 0; i < s.KeyCount && i < kMaxKeys; ++i) {
    line("Key." + std::to_string(i), std::to_string(s.Keys[static_cast<size_t>(i)]));
  }
  return out;
}

bool ParseSettingsListing(std::string_view listing, TSettings& settings, std::string& error) {
  int number = 0;
  while (!listing.empty()) {
    ++number;
    const size_t end = listing.find('\n');
    const std::string_view line = listing.substr(0, end);
    listing = end == std::string_view::npos ? std::string_view() : listing.substr(end + 1);
    if (line.empty()) continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos ||
        !ApplyLine(line.substr(0, equals), line.substr(equals + 1), settings)) {
      error = "line " + std::to_string(number) + ": cannot use '" + std::string(line) + "'";
      return false;
    }
  }
  return true;
}

}  // namespace zb::tool
