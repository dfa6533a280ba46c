#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "engine/platform/headless/Headless.h"
#include "tests/game/TestPlayfield.h"

namespace zb {

// A playfield whose sprite engine and particle manager take the sprites of a test, without images
// (sizes read as 0) and without particle templates (spawns give nothing).
class PlayfieldTest : public ::testing::Test {
 protected:
  TPlayContext& Play() { return field_.play; }
  TGameState& Game() { return field_.game; }
  TGfxImages& Images() { return field_.images; }
  TSpriteEngine& Engine() { return field_.engine; }
  // One move pass of the engine, then the removal of the dead.
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) {
      field_.engine.MoveAll(0.001f);
      field_.engine.RemoveDead();
    }
  }

  platform::HeadlessPlatform platform_;
  test::TestPlayfield field_;
};

}  // namespace zb
