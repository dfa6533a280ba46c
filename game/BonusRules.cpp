#include "game/BonusRules.h"

namespace zb {
namespace {

constexpr std::array<TBonusKindInfo, kBonusKinds> kKinds = {{
    {"bon_big", SoundCue::Big, 130, 83, 475},
    {"bon_small", SoundCue::Small, 140, 83, 475},
    {"bon_magnit", SoundCue::Magnet, 150, 83, 475},
    {"bon_money", SoundCue::Money, 0, 80, 285},
    {"bon_life", SoundCue::ExtraLife, 0, 80, 370},
    {"bon_bigball", SoundCue::BigBall, 150, 83, 475},
    {"bon_3ball", SoundCue::ThreeBalls, 0, 83, 475},
    {"bon_superball", SoundCue::FireBall, 100, 83, 475},
    {"bon_banan", SoundCue::Bananas, 100, 83, 475},
}};

// The upper ends (inclusive) of the bands of one difficulty, in the order big bat, small bat,
// magnet, money, life or money, big ball, three balls, fire ball, bananas; and the life limit.
struct TDrawTable {
  std::array<int, 9> UpperEnds;
  int32_t LifeBelow;
};
constexpr std::array<TDrawTable, 3> kTables = {{
    {{400, 500, 700, 800, 810, 1200, 1400, 1600, 1799}, 4},
    {{200, 600, 800, 1200, 1205, 1400, 1700, 1750, 1799}, 2},
    {{100, 600, 800, 1400, 1402, 1550, 1680, 1760, 1799}, 2},
}};
constexpr std::array<int32_t, 9> kBandKinds = {BonusBigBat,   BonusSmallBat,   BonusMagnet,
                                               BonusMoney,    BonusLife,       BonusBigBall,
                                               BonusThreeBalls, BonusFireBall, BonusBananas};

}  // namespace

const TBonusKindInfo& BonusKindInfo(int32_t kind) {
  if (kind < 0 || kind >= kBonusKinds) return kKinds[BonusMoney];
  return kKinds[static_cast<size_t>(kind)];
}

bool IsTimedBonus(int32_t kind) { return kind >= 0 && kind < kBonusKinds && BonusKindInfo(kind).Duration > 0; }

int32_t BonusKindForDraw(int r, uint8_t difficulty, int32_t lives) {
  const TDrawTable& table = kTables[difficulty > 2 ? 2 : difficulty];
  for (size_t band = 0; band < table.UpperEnds.size(); ++band) {
    if (r > table.UpperEnds[band]) continue;
    if (kBandKinds[band] == BonusLife) return lives < table.LifeBelow ? BonusLife : BonusMoney;
    return kBandKinds[band];
  }
  return BonusBananas;
}

TBonusClockStep StepBonusClock(int32_t timeLeft, int32_t duration) {
  TBonusClockStep step;
  for (int i = 1; i < kFlameCount; ++i) {
    step.FlameOut[static_cast<size_t>(i)] = timeLeft < (duration / 9) * (i + 1);
  }
  step.TimeLeft = timeLeft;
  if (timeLeft > 1) {
    step.TimeLeft = timeLeft - 1;
  } else if (timeLeft == 1) {
    step.Ends = true;
    step.FlameOut[0] = true;
    step.TimeLeft = 0;
  }
  return step;
}

}  // namespace zb
