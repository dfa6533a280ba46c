#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "game/PlayEvents.h"

namespace zb {

inline constexpr int kBonusKinds = 9;
inline constexpr int kFlameCount = 9;

enum TBonusKind : int32_t {
  BonusBigBat = 0,
  BonusSmallBat = 1,
  BonusMagnet = 2,
  BonusMoney = 3,
  BonusLife = 4,
  BonusBigBall = 5,
  BonusThreeBalls = 6,
  BonusFireBall = 7,
  BonusBananas = 8,
};

// One row of the bonus kind table.
struct TBonusKindInfo {
  std::string_view Face;   // the image of the falling face and of the caught picture
  SoundCue Sound;          // played on the catch
  int32_t Duration;        // 100 ms steps; 0 for the kinds that are not timed
  double TargetX, TargetY;  // where the caught picture flies; unused for three balls
};

// The row of a kind 0..8; any other kind reads as money.
const TBonusKindInfo& BonusKindInfo(int32_t kind);
// The kinds whose effect lasts for a time: big, small and magnet bat, big ball, fire ball, bananas.
bool IsTimedBonus(int32_t kind);

// The kind for a draw r of 0..1799 on a difficulty (0 easy, 1 medium, 2 hard; above reads as
// hard). The life-or-money band gives a life only below the difficulty's limit of lives.
int32_t BonusKindForDraw(int r, uint8_t difficulty, int32_t lives);

// The ring of small flames around the bonus spot, index 0 first.
struct TFlamePlace {
  float X, Y;
};
inline constexpr std::array<TFlamePlace, kFlameCount> kFlamePlaces = {{
    {32, 506}, {42, 517}, {53, 526}, {67, 531}, {84, 534}, {98, 532}, {114, 527}, {128, 518}, {138, 505}}};

// What one 100 ms step of the bonus clock does to the time left: the flames 1..8 it puts out
// (flame i goes when the time left falls below (duration div 9) x (i + 1)), whether the bonus
// ends in this step (flame 0 goes with it), and the time left afterwards.
struct TBonusClockStep {
  std::array<bool, kFlameCount> FlameOut{};
  bool Ends = false;
  int32_t TimeLeft = 0;
};
TBonusClockStep StepBonusClock(int32_t timeLeft, int32_t duration);

}  // namespace zb
