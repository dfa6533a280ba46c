#pragma once

#include <cstdint>
#include <vector>

#include "engine/GfxSprite.h"
#include "game/StoryLines.h"
#include "screens/DemoState.h"

namespace zb {

// What the menu screens keep between their steps.
struct TScreenState {
  SpriteRef<> LogoSprite;
  int HelpPage = 0;
  int HelpLastPage = 4;
  uint8_t ScoreViewDifficulty = 0;  // the table shown on the high-score screen
  bool CountedUp = false;           // the stage score's count-up reached the score this frame
  std::vector<TSpeechLine> Story;   // the 27 lines of the story; empty when they could not be read
  TDemoState Demo;
};

}  // namespace zb
