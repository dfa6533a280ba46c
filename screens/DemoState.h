#pragma once

#include <array>
#include <bitset>
#include <optional>
#include <vector>

#include "engine/XParticles.h"
#include "game/GameState.h"
#include "game/Pilot.h"

namespace zb {

// The demo the main menu plays by itself after a while without input, and what it puts back.
struct TDemoState {
  int IdleTicks = 0;  // frames of the main menu since the last input
  int Shown = 0;      // demos begun this run: each plays the next level
  int Ticks = 0;      // frames of the running demo
  TPilot Pilot;
  std::array<bool, 256> Held{};  // the pilot's keys; the player's stay the window's
  // While a demo runs: the record, the particle systems and the pointer as the menu had them.
  std::optional<TGameState> MenuRecord;
  std::vector<const TXParticleSystem*> MenuSystems;
  bool CursorVisible = true;
  // The press that ended a demo goes no further, and its release neither.
  std::bitset<256> KeysToSwallow;
  std::bitset<32> PadButtonsToSwallow;
  bool SwallowMouseRelease = false;
  int PointerX = -1, PointerY = -1;  // the last pointer position seen: a move must change it
};

}  // namespace zb
