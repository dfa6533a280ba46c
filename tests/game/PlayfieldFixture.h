#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/Form1.h"
#include "engine/platform/Headless.h"

namespace zb {

// A main window that is not started: its sprite engine and particle manager take the sprites of
// a test, without images (sizes read as 0) and without particle templates (spawns give nothing).
class PlayfieldTest : public ::testing::Test {
 protected:
  PlayfieldTest() : form_(platform_, std::filesystem::temp_directory_path()) {}

  TForm1& Form() { return form_; }
  TSpriteEngine& Engine() { return form_.GameEngine; }
  // One move pass of the engine, then the removal of the dead.
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) {
      form_.GameEngine.MoveAll(0.001f);
      form_.GameEngine.RemoveDead();
    }
  }

  platform::HeadlessPlatform platform_;
  TForm1 form_;
};

}  // namespace zb
