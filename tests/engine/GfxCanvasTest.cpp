#include "engine/GfxCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

using test::Bytes;

// An A8 image of `textures` textures of 32 x 16, cells 16 x 16, visible 12 x 10.
void LoadTestImage(TGfxImage& image, platform::Renderer& renderer, int textures = 1) {
  Bytes b;
  b.U8(10).I32(16).I32(16).I32(12).I32(10).I32(0).I32(32).I32(16).I32(textures);
  b.Raw(std::vector<uint8_t>(size_t(32 * 16 * textures), 0x80));
  TMemoryStream stream(b.data);
  ASSERT_TRUE(image.LoadFromStream(stream));
  ASSERT_TRUE(image.CreateTextures(renderer));
}

class CanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadTestImage(image_, rig_.renderer, 2);
    LoadTestImage(other_, rig_.renderer);
  }
  const std::vector<test::RecordingRenderer::Draw>& Draws() { return rig_.renderer.draws; }

  test::RecordingDevice rig_;
  TGfxCanvas canvas_{&rig_.device};
  TGfxImage image_, other_;
};

TEST_F(CanvasTest, ARunOfQuadsSharingTextureAndEffectIsOneBatch) {
  for (int i = 0; i < 3; ++i) canvas_.DrawImage(&image_, i % 2, 10.0f * i, 0, fxBlend);
  EXPECT_TRUE(Draws().empty());  // nothing drawn before the batch ends
  canvas_.Flush();
  ASSERT_EQ(Draws().size(), 1u);
  EXPECT_EQ(Draws()[0].vertices.size(), 12u);
  EXPECT_EQ(Draws()[0].indices, (std::vector<int>{0, 1, 3, 1, 2, 3, 4, 5, 7, 5, 6, 7, 8, 9, 11, 9, 10, 11}));
  EXPECT_EQ(Draws()[0].effect, fxBlend);
  EXPECT_EQ(canvas_.FlushCount(), 1u);
  canvas_.Flush();  // an empty batch is not drawn
  EXPECT_EQ(Draws().size(), 1u);
}

TEST_F(CanvasTest, ChangesOfTextureEffectOrPrimitiveStartNewBatches) {
  canvas_.DrawImage(&image_, 0, 0, 0, fxBlend);
  canvas_.DrawImage(&image_, 1, 0, 0, fxBlend);    // same texture
  canvas_.DrawImage(&image_, 2, 0, 0, fxBlend);    // the image's second texture
  canvas_.DrawImage(&image_, 3, 0, 0, fxBlend);    // still the second
  canvas_.DrawImage(&other_, 0, 0, 0, fxBlend);    // another image
  canvas_.DrawImage(&other_, 0, 0, 0, fxNone);     // another effect
  canvas_.FillQuad(RectPoints(0, 0, 5, 5), Colors4(0xFF0000FFu), fxNone);  // untextured
  canvas_.Triangle({0, 0}, {5, 0}, {0, 5}, 1, 2, 3, fxNone);               // still triangles, untextured
  canvas_.PutPixel(1, 1, 0xFFFFFFFFu, fxNone);                             // points
  canvas_.PutPixel(2, 1, 0xFFFFFFFFu, fxNone);
  canvas_.Line(0, 0, 10, 0, 0xFFFFFFFFu, 0xFFFFFFFFu, fxNone);              // lines
  canvas_.FillQuad(RectPoints(0, 0, 5, 5), Colors4(0xFF0000FFu), fxNone);  // triangles again
  canvas_.Flush();
  ASSERT_EQ(Draws().size(), 8u);
  const std::vector<size_t> vertexCounts = {8, 8, 4, 4, 7, 8, 4, 4};
  for (size_t i = 0; i < Draws().size(); ++i) EXPECT_EQ(Draws()[i].vertices.size(), vertexCounts[i]) << i;
  EXPECT_EQ(Draws()[0].texture, image_.Texture(0));
  EXPECT_EQ(Draws()[1].texture, image_.Texture(1));
  EXPECT_EQ(Draws()[2].texture, other_.Texture(0));
  EXPECT_EQ(Draws()[3].effect, fxNone);
  EXPECT_EQ(Draws()[4].texture, platform::NoTexture);
}

TEST_F(CanvasTest, AFullCacheIsDrawnBeforeItOverflows) {
  canvas_.Flush();
  TGfxCanvas small;  // sizes are fixed while a device is live
  small.SetVertexCache(500);
  EXPECT_EQ(small.VertexCache(), 512);
  small.SetPublisher(&rig_.device);
  small.SetVertexCache(4096);
  EXPECT_EQ(small.VertexCache(), 512);
  // 512 indices hold 85 quads.
  for (int i = 0; i < 200; ++i) small.DrawImage(&image_, 0, 0, 0, fxBlend);
  small.Flush();
  ASSERT_EQ(Draws().size(), 3u);
  EXPECT_EQ(Draws()[0].indices.size(), 510u);
  EXPECT_EQ(Draws()[1].indices.size(), 510u);
  EXPECT_EQ(Draws()[2].indices.size(), 30u * 6);
  EXPECT_EQ(Draws()[1].indices[0], 0);  // each batch starts its own vertices

  TGfxCanvas clamped;
  clamped.SetVertexCache(1 << 20);
  EXPECT_EQ(clamped.VertexCache(), 65536);
  clamped.SetVertexCache(4097);
  EXPECT_EQ(clamped.VertexCache(), 4100);
}

TEST_F(CanvasTest, TheEndOfASceneDrawsThePendingBatch) {
  canvas_.DrawImage(&image_, 0, 0, 0, fxNone);  // queued before the scene, as the menu background is
  rig_.device.OnRender = [this](TGfxDevice&) {
    canvas_.DrawImage(&image_, 0, 20, 20, fxNone);
    canvas_.DrawImage(&other_, 0, 40, 40, fxNone);
  };
  ASSERT_TRUE(rig_.device.Render(0, true));
  ASSERT_EQ(Draws().size(), 2u);
  EXPECT_EQ(Draws()[0].vertices.size(), 8u);
  EXPECT_FLOAT_EQ(Draws()[0].vertices[0].x, 0.0f);
}

TEST_F(CanvasTest, QuadsCarryPositionsColoursAndTexels) {
  canvas_.DrawPattern(&image_, 1, 10, 20, 1.0f, 1.0f, false, false, false, 0x11, 0x22, 0x33, 0x44, fxBlend);
  canvas_.Flush();
  ASSERT_EQ(Draws().size(), 1u);
  const auto& v = Draws()[0].vertices;
  EXPECT_FLOAT_EQ(v[0].x, 10);
  EXPECT_FLOAT_EQ(v[0].y, 20);
  EXPECT_FLOAT_EQ(v[2].x, 22);
  EXPECT_FLOAT_EQ(v[2].y, 30);
  EXPECT_FLOAT_EQ(v[1].x, 22);
  EXPECT_FLOAT_EQ(v[3].y, 30);
  EXPECT_EQ(v[0].r, 0x11);
  EXPECT_EQ(v[0].g, 0x22);
  EXPECT_EQ(v[0].b, 0x33);
  EXPECT_EQ(v[0].a, 0x44);
  EXPECT_FLOAT_EQ(v[0].u, 18.0f / 32);
  EXPECT_FLOAT_EQ(v[0].v, 3.0f / 16);
  EXPECT_FLOAT_EQ(v[2].u, 29.5f / 32);

  // Canvas colours are $AABBGGRR: red is the low byte.
  rig_.renderer.draws.clear();
  canvas_.FillQuad(RectPoints(0, 0, 1, 1), {0xFF0000FFu, 0x8000FF00u, 0x40FF0000u, 0u}, fxBlend);
  canvas_.Flush();
  const auto& f = Draws()[0].vertices;
  EXPECT_EQ(f[0].r, 255);
  EXPECT_EQ(f[0].b, 0);
  EXPECT_EQ(f[1].g, 255);
  EXPECT_EQ(f[1].a, 0x80);
  EXPECT_EQ(f[2].b, 255);
  EXPECT_EQ(f[2].r, 0);
}

TEST_F(CanvasTest, ScaledPatternsRoundTheirSizeAndCentreScaleKeepsTheCentre) {
  auto rectOf = [this](float scaleX, float scaleY, bool center) {
    rig_.renderer.draws.clear();
    canvas_.DrawPattern(&image_, 0, 100, 100, scaleX, scaleY, center, false, false, 255, 255, 255, 255, fxBlend);
    canvas_.Flush();
    const auto& v = Draws().at(0).vertices;
    return std::array<float, 4>{v[0].x, v[0].y, v[2].x, v[2].y};
  };
  rig_.renderer.draws.clear();
  canvas_.DrawImage(&image_, 0, 100, 100, fxBlend);
  canvas_.Flush();
  const auto& plain = Draws()[0].vertices;
  const std::array<float, 4> image{plain[0].x, plain[0].y, plain[2].x, plain[2].y};
  EXPECT_EQ(rectOf(1, 1, true), image);
  EXPECT_EQ(rectOf(1, 1, false), image);
  // 12 x 1.5 = 18, moved by (12 - 18) / 2 = -3; 10 x 1.5 = 15, moved by -2.5 -> -2 (ties to even).
  EXPECT_EQ(rectOf(1.5f, 1.5f, true), (std::array<float, 4>{97, 98, 115, 113}));
  EXPECT_EQ(rectOf(1.5f, 1.5f, false), (std::array<float, 4>{100, 100, 118, 115}));
  // 10 x 0.25 = 2.5 -> 2; 12 x 0.25 = 3, moved by 4.5 -> 4.
  EXPECT_EQ(rectOf(0.25f, 0.25f, true), (std::array<float, 4>{104, 104, 107, 106}));
}

TEST_F(CanvasTest, RotationTurnsClockwiseAboutTheCentre) {
  canvas_.DrawPatternRotated(&image_, 0, 100, 100, std::numbers::pi_v<float> / 2, 1, 1, false, false,
                             Colors4(0xFFFFFFFFu), fxBlend);
  canvas_.Flush();
  const auto& v = Draws()[0].vertices;
  // The top-left corner (-6, -5) goes to the top right: (105, 94).
  EXPECT_NEAR(v[0].x, 105, 1e-4);
  EXPECT_NEAR(v[0].y, 94, 1e-4);
  EXPECT_NEAR(v[2].x, 95, 1e-4);
  EXPECT_NEAR(v[2].y, 106, 1e-4);
}

TEST_F(CanvasTest, FilteringFollowsAntialias) {
  EXPECT_TRUE(canvas_.Antialias());  // the default
  canvas_.DrawImage(&image_, 0, 0, 0, fxBlend);
  canvas_.SetAntialias(false);  // draws what was queued with the old filter
  canvas_.DrawImage(&image_, 0, 0, 0, fxBlend);
  canvas_.Flush();
  ASSERT_EQ(Draws().size(), 2u);
  EXPECT_TRUE(Draws()[0].linear);
  EXPECT_FALSE(Draws()[1].linear);
}

TEST_F(CanvasTest, ClipRectangleInLogicalCoordinates) {
  TRect rect;
  canvas_.GetClipRect(rect);
  EXPECT_EQ(rect, (TRect{0, 0, 800, 600}));
  canvas_.DrawImage(&image_, 0, 0, 0, fxBlend);
  canvas_.SetClipRect({10, 20, 110, 70});
  EXPECT_EQ(Draws().size(), 1u);  // the pending batch was drawn under the old clip
  EXPECT_EQ(rig_.renderer.clip, (platform::IntRect{10, 20, 100, 50}));
  canvas_.GetClipRect(rect);
  EXPECT_EQ(rect, (TRect{10, 20, 110, 70}));

  TGfxCanvas detached;
  detached.GetClipRect(rect);
  EXPECT_EQ(rect, TRect{});
  detached.SetClipRect({1, 2, 3, 4});
  detached.DrawImage(&image_, 0, 0, 0, fxBlend);
  detached.Flush();
  EXPECT_EQ(Draws().size(), 1u);
}

TEST_F(CanvasTest, ImagesThatCannotBeDrawnAreSkipped) {
  TGfxImage empty;
  canvas_.DrawImage(&empty, 0, 0, 0, fxBlend);
  canvas_.DrawImage(nullptr, 0, 0, 0, fxBlend);
  TGfxImage noTextures;
  Bytes b;
  b.U8(10).I32(0).I32(0).I32(0).I32(0).I32(0).I32(2).I32(2).I32(1).Raw(std::vector<uint8_t>(4));
  TMemoryStream stream(b.data);
  ASSERT_TRUE(noTextures.LoadFromStream(stream));
  canvas_.DrawImage(&noTextures, 0, 0, 0, fxBlend);
  canvas_.Flush();
  EXPECT_TRUE(Draws().empty());
}

TEST_F(CanvasTest, PixelsAndLinesCoverWholePixels) {
  canvas_.PutPixel(5, 7, 0xFFFFFFFFu, fxNone);
  canvas_.Line(10, 3, 20, 3, 0xFF0000FFu, 0xFF00FF00u, fxNone);
  canvas_.Flush();
  ASSERT_EQ(Draws().size(), 2u);
  const auto& p = Draws()[0].vertices;
  EXPECT_FLOAT_EQ(p[0].x, 5);
  EXPECT_FLOAT_EQ(p[0].y, 7);
  EXPECT_FLOAT_EQ(p[2].x, 6);
  EXPECT_FLOAT_EQ(p[2].y, 8);
  const auto& l = Draws()[1].vertices;
  EXPECT_FLOAT_EQ(l[0].x, 10);
  EXPECT_FLOAT_EQ(l[0].y, 3);
  EXPECT_FLOAT_EQ(l[2].x, 20);
  EXPECT_FLOAT_EQ(l[2].y, 4);
  EXPECT_EQ(l[0].r, 255);
  EXPECT_EQ(l[1].g, 255);
}

}  // namespace
}  // namespace zb
