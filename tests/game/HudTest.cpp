#include "game/Hud.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

// Digits '0'..'9', each glyph `width` wide and 10 high on 8 x 10 cells, spacing 1.
std::vector<uint8_t> DigitFont(int width) {
  test::Bytes b;
  b.U32('0').I32(1).U32(0).U32(10);
  for (int i = 0; i < 10; ++i) b.I32(width).I32(10);
  b.U8(10).I32(8).I32(10).I32(8).I32(10).I32(10).I32(80).I32(10).I32(1);
  b.Raw(std::vector<uint8_t>(800, 0xFF));
  return b.data;
}

class HudTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AddFont("ParamFont", 5);   // advance 6 per digit
    AddFont("ParamFont2", 7);  // advance 8 per digit
  }
  void AddFont(const char* name, int width) {
    TGfxFont& font = fonts_.Add();
    TMemoryStream stream(DigitFont(width));
    ASSERT_TRUE(font.LoadFromStream(stream));
    font.Name = name;
    ASSERT_TRUE(font.Image.CreateTextures(rig_.renderer));
  }
  // The first corner of every glyph quad drawn, with the colour of the first glyph.
  std::vector<platform::Vertex> Corners() {
    canvas_.Flush();
    std::vector<platform::Vertex> corners;
    for (const auto& d : rig_.renderer.draws) {
      for (size_t i = 0; i < d.vertices.size(); i += 4) corners.push_back(d.vertices[i]);
    }
    rig_.renderer.draws.clear();
    return corners;
  }

  test::RecordingDevice rig_;
  TGfxCanvas canvas_{&rig_.device};
  TGfxFonts fonts_{&rig_.device, &canvas_};
};

TEST_F(HudTest, ThreeNumbersCentredOnTheirColumns) {
  TGameState game;
  game.LevelNumber = 7;
  game.Lives = 12;
  game.SetShownScore(1234);
  game.Score = 1234;
  DrawHud(game, fonts_);
  const auto corners = Corners();
  ASSERT_EQ(corners.size(), 1u + 4u + 2u);
  // Each number starts half its width left of its column.
  const double levelWidth = fonts_.FindFont("ParamFont")->TextWidth("7");
  EXPECT_FLOAT_EQ(corners[0].x, std::trunc(80 - levelWidth / 2));
  EXPECT_FLOAT_EQ(corners[0].y, 195);
  const double scoreWidth = fonts_.FindFont("ParamFont2")->TextWidth("1234");
  EXPECT_FLOAT_EQ(corners[1].x, std::trunc(80 - scoreWidth / 2));
  EXPECT_FLOAT_EQ(corners[1].y, 277);
  const double livesWidth = fonts_.FindFont("ParamFont")->TextWidth("12");
  EXPECT_FLOAT_EQ(corners[5].x, std::trunc(82 - livesWidth / 2));
  EXPECT_FLOAT_EQ(corners[5].y, 357);
  // $FF30C3FF: red FF, green C3, blue 30.
  EXPECT_EQ(corners[0].r, 0xFF);
  EXPECT_EQ(corners[0].g, 0xC3);
  EXPECT_EQ(corners[0].b, 0x30);
  EXPECT_EQ(corners[0].a, 0xFF);
}

TEST_F(HudTest, DrawingLeavesTheShownScoreWhereThePlayStepPutIt) {
  TGameState game;
  game.SetShownScore(0);
  game.Score = 5000;
  DrawHud(game, fonts_);
  DrawHud(game, fonts_);
  EXPECT_EQ(game.GetShownScore(), 0);
  game.CountUpShownScore();
  EXPECT_EQ(game.GetShownScore(), 100);
  Corners();
  DrawHud(game, fonts_);
  EXPECT_EQ(Corners().size(), 1u + 3u + 1u);  // "1", "100", "3"
}

TEST_F(HudTest, MissingFontsDrawNothing) {
  TGfxFonts none{&rig_.device, &canvas_};
  TGameState game;
  game.SetShownScore(0);
  DrawHud(game, none);
  EXPECT_TRUE(Corners().empty());
}

}  // namespace
}  // namespace zb
