#include "game/LevelTable.h"

#include <array>

namespace zb {
namespace {

//                                 frame part  complete before after cage
constexpr std::array<LevelPlan, 25> kPlans = {{
    {0, 11, false, 0, -1, -1},   // 1
    {11, 12, false, -1, -1, -1},  // 2
    {14, 13, false, -1, 1, -1},   // 3
    {15, 0, true, -1, 2, 0},      // 4: the panda
    {0, 0, false, -1, -1, -1},    // 5
    {0, 21, false, -1, -1, -1},   // 6
    {21, 0, false, -1, -1, -1},   // 7
    {21, 22, false, -1, -1, -1},  // 8
    {24, 0, false, -1, -1, -1},   // 9
    {24, 23, false, -1, -1, -1},  // 10
    {25, 0, true, -1, 3, 1},      // 11: the lion
    {0, 0, false, -1, -1, -1},    // 12
    {0, 31, false, -1, -1, -1},   // 13
    {31, 0, false, -1, -1, -1},   // 14
    {31, 32, false, -1, -1, -1},  // 15
    {34, 0, false, -1, -1, -1},   // 16
    {34, 33, false, -1, -1, -1},  // 17
    {35, 0, true, -1, 4, 2},      // 18: the hippo
    {0, 0, false, -1, -1, -1},    // 19
    {0, 41, false, -1, -1, -1},   // 20
    {41, 0, false, -1, -1, -1},   // 21
    {41, 42, false, -1, -1, -1},  // 22
    {44, 0, false, -1, -1, -1},   // 23
    {44, 43, false, -1, -1, -1},  // 24
    {45, 0, true, -1, 5, 3},      // 25: the gorilla
}};

constexpr LevelPlan kPlainLevel{};

}  // namespace

const LevelPlan& PlanOfLevel(int levelNumber) {
  if (levelNumber < 1 || levelNumber > 25) return kPlainLevel;
  return kPlans[levelNumber - 1];
}

int32_t KeyImageAfterPart(int32_t partKind) {
  const int32_t key = partKind / 10;
  const int32_t part = partKind % 10;
  if (key < 1 || key > 4) return 0;
  // Part 1 shows that part alone; part 2 shows parts 1 and 2 joined; part 3 the whole key.
  switch (part) {
    case 1: return key * 10 + 1;
    case 2: return key * 10 + 4;
    case 3: return key * 10 + 5;
    default: return 0;
  }
}

}  // namespace zb
