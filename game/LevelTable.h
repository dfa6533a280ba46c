#pragma once

#include <cstdint>

namespace zb {

// What a level does with keys, cages and the story; fixed content of the game.
struct LevelPlan {
  int32_t keyImageFrame = 0;  // key image shown at the start: 0 "keyblanc", else 10 x key + image
  int32_t keyPartKind = 0;    // the part the last brick drops (10 x key + part); 0 for none
  bool keyComplete = false;   // a cage level: the finished key flies to the cage
  int32_t speechBefore = -1;  // story scene before the level, or -1
  int32_t speechAfter = -1;   // story scene after the level, or -1
  int32_t cageAnimal = -1;    // 0 panda, 1 lion, 2 begemot, 3 gorilla; -1 for no cage

  bool DropsKeyPart() const { return keyPartKind != 0; }
  bool HasCage() const { return cageAnimal >= 0; }
};

// The plan of levels 1..25; any other number gets the plan of a plain level.
const LevelPlan& PlanOfLevel(int levelNumber);

// The key image shown once a part has arrived in the indicator; 0 for a kind that is no part.
int32_t KeyImageAfterPart(int32_t partKind);

}  // namespace zb
