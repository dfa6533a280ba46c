#include "game/LevelTable.h"

#include <gtest/gtest.h>

namespace zb {
namespace {

TEST(LevelTable, EachGroupCollectsItsKeyAndEndsInACage) {
  // Walking the levels in order, the indicator at each level start is what the previous drops built.
  int32_t shown = 0;
  int cages = 0;
  for (int level = 1; level <= 25; ++level) {
    const LevelPlan& plan = PlanOfLevel(level);
    if (plan.keyImageFrame == 0) shown = 0;  // a new group starts with the empty key
    EXPECT_EQ(plan.keyImageFrame, shown) << "level " << level;
    if (plan.DropsKeyPart()) shown = KeyImageAfterPart(plan.keyPartKind);
    EXPECT_EQ(plan.HasCage(), plan.keyComplete) << level;
    if (plan.HasCage()) {
      EXPECT_EQ(plan.keyImageFrame % 10, 5) << "a cage level starts with the whole key, level " << level;
      EXPECT_FALSE(plan.DropsKeyPart());
      EXPECT_EQ(plan.cageAnimal, cages++);
    }
  }
  EXPECT_EQ(cages, 4);
}

TEST(LevelTable, StoryScenesAndOutOfRangeLevels) {
  EXPECT_EQ(PlanOfLevel(1).speechBefore, 0);
  EXPECT_EQ(PlanOfLevel(3).speechAfter, 1);
  EXPECT_EQ(PlanOfLevel(25).speechAfter, 5);
  EXPECT_EQ(PlanOfLevel(2).speechBefore, -1);
  EXPECT_EQ(PlanOfLevel(2).speechAfter, -1);
  EXPECT_FALSE(PlanOfLevel(0).HasCage());
  EXPECT_FALSE(PlanOfLevel(26).DropsKeyPart());
  EXPECT_EQ(KeyImageAfterPart(12), 14);
  EXPECT_EQ(KeyImageAfterPart(43), 45);
  EXPECT_EQ(KeyImageAfterPart(0), 0);
  EXPECT_EQ(KeyImageAfterPart(54), 0);
}

}  // namespace
}  // namespace zb
