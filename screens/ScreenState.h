#pragma once

#include <cstdint>
#include <vector>

#include <string>

#include "engine/GfxSprite.h"
#include "game/LevelEditor.h"
#include "game/LevelSets.h"
#include "game/StoryLines.h"
#include "screens/DemoState.h"

namespace zb {

// The level editor's work, kept while its level is test-played.
struct TEditorState {
  TLevelEditor Level;
  int32_t Brush = kPaletteValues[0];
  uint8_t Difficulty = 0;
  bool TestPlaying = false;
  bool Painting = false;   // a mouse button is held since a press on the grid
  int32_t PaintValue = 0;  // what the held button paints: the brush, or 0 that erases
  std::string Message;     // under the grid, in the language shown
};

// A set of the player's own levels: the one chosen on the set screen, and whether it is in play.
struct TOwnPlay {
  bool Active = false;
  TLevelSet Set;
  bool DeleteAsked = false;  // the delete button was pressed once for this set
};

// What the menu screens keep between their steps.
struct TScreenState {
  SpriteRef<> LogoSprite;
  int HelpPage = 0;
  int HelpLastPage = 4;
  uint8_t ScoreViewDifficulty = 0;  // the table shown on the high-score screen
  bool CountedUp = false;           // the stage score's count-up reached the score this frame
  std::vector<TSpeechLine> Story;   // the 27 lines of the story; empty when they could not be read
  TEditorState Editor;
  TOwnPlay Own;
  TDemoState Demo;
};

}  // namespace zb
