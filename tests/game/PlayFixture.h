#pragma once

// A playfield whose sprite engine has images of known sizes and whose particle manager has
// templates that tell which one a spawned system came from.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/GfxImages.h"
#include "engine/GfxSprite.h"
#include "engine/MemoryStream.h"
#include "engine/XParticles.h"
#include "tests/game/TestPlayfield.h"
#include "tests/engine/EngineTestSupport.h"

namespace zb::test {

class PlayFixture : public ::testing::Test {
 protected:
  PlayFixture() {
    Image("ball", 16, 16, 8);
    Image("ball2", 24, 24, 8);
    Image("ballcrash", 20, 20, 9);
    Image("ball2crash", 28, 28, 9);
    Image("bitka1_1", 80, 16, 5);
    Image("bitka2_1", 110, 16, 5);
    Image("bitka3_1", 50, 16, 5);
    Image("bitka4_1", 80, 16, 5);
    Image("bitka1", 110, 24, 7);
    Image("bitka4", 80, 24, 1);
    for (const char* face :
         {"m_jump", "m_stay", "m_run", "m_hit", "m_throw", "m_ches", "m_vipuch", "m_finish"}) {
      Image(face, 60, 60, 14);
    }
    Image("playerpula", 20, 20, 1);
    for (const char* block : {"block_n2", "block_n22", "block_n51", "block_n52", "block_n53", "block_n54",
                              "gold", "block1", "block2", "block3", "block4", "block5", "block6"}) {
      Image(block, 36, 18, 8);
    }
    Image("bomb", 16, 16, 1);
    engine.Images = &images;
    for (size_t i = 0; i < kTemplates.size(); ++i) {
      std::vector<uint8_t> bytes(136, 0);
      bytes[0] = static_cast<uint8_t>(i);  // PatternStart tells the template
      particles.AddTemplate(kTemplates[i], bytes);
    }
    game.Random.Seed(1);
  }

  // An A8 image of `frames` cells in one row.
  void Image(const std::string& name, int width, int height, int frames) {
    Bytes b;
    b.U8(10).I32(width).I32(height).I32(width).I32(height).I32(frames).I32(width * frames).I32(height).I32(1);
    b.Raw(std::vector<uint8_t>(static_cast<size_t>(width * frames * height), 0xFF));
    TMemoryStream stream(b.data);
    TGfxImage& image = images.Add();
    image.Name = name;
    ASSERT_TRUE(image.LoadFromStream(stream));
  }

  // One frame's move pass and the removal of the dead, as the game screen runs them.
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) {
      engine.RemoveDead();
      engine.MoveAll(0.001f);
    }
  }

  // The templates of the live systems, in spawn order.
  std::vector<std::string> Spawned() const {
    std::vector<std::string> names;
    for (int i = 0; i < particles.Count(); ++i) {
      names.push_back(kTemplates[static_cast<size_t>(particles.SystemAt(i)->Template().PatternStart)]);
    }
    return names;
  }

  static constexpr std::array<const char*, 14> kTemplates = {
      "2PartExp.pss", "5PartExp.pss",  "GoldExp.pss",  "RedExp.pss",     "GreenExp.pss",
      "BlueExp.pss",  "YellowExp.pss", "BrownExp.pss", "MagentaExp.pss", "3Balls.pss",
      "Crush.pss",    "BallSuper.pss", "GetLife.pss",  "Bonus.pss"};

  TestPlayfield field;
  TGfxImages& images = field.images;
  TPlayContext& play = field.play;
  TSpriteEngine& engine = field.engine;
  TXParticleManager& particles = field.particles;
  TGameState& game = field.game;
  PlayPhase& phase = field.play.Phase;
  TPlayInput& input = field.play.Input;
};

}  // namespace zb::test
