#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zb {

inline constexpr int kMaxPlayers = 10;
inline constexpr int kMaxKeys = 4;

// The persistent settings kept in "Config.cfg", with their first-run defaults.
// Texts are CP1251 bytes.
struct TSettings {
  bool FullScreen = false;
  bool Antialias = true;
  int MusicVolume = 250;
  int FxVolume = 250;
  std::string PlayerName;
  std::string PlayerCountry;
  int CurrentPlayer = 0;
  int PlayerCount = 0;
  std::array<std::string, kMaxPlayers> Players;
  // Bindings in action order: right, left, launch, up.
  int KeyCount = kMaxKeys;
  std::array<uint32_t, kMaxKeys> Keys = {39, 37, 32, 38};
  std::array<uint32_t, kMaxKeys> DefaultKeys = {39, 37, 32, 38};
};

}  // namespace zb
