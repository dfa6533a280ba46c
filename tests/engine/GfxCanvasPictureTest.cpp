// The canvas on the software renderer: what reaches the pixels, compared with a tolerance.

#include <gtest/gtest.h>

#include <cstdlib>
#include <numbers>

#include "engine/GfxCanvas.h"
#include "engine/platform/headless/Headless.h"
#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

class CanvasPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(device_.Initialize());
    canvas_.SetAntialias(false);
    LoadQuadrants(image_, 4);
    LoadQuadrants(large_, 16);
  }
  void TearDown() override {
    image_.ReleaseTextures();
    large_.ReleaseTextures();
  }

  // An opaque size x size texture: red, green, blue, white in its quadrants.
  void LoadQuadrants(TGfxImage& image, int size) {
    test::Bytes b;
    b.U8(5).I32(0).I32(0).I32(0).I32(0).I32(0).I32(size).I32(size).I32(1);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) b.U32(Quadrant(x / (size / 2) + 2 * (y / (size / 2))));
    }
    TMemoryStream stream(b.data);
    ASSERT_TRUE(image.LoadFromStream(stream));
    ASSERT_TRUE(image.CreateTextures(*device_.Renderer()));
  }

  static uint32_t Quadrant(int i) {
    static const uint32_t kArgb[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
    return kArgb[i];
  }

  // Renders one frame (cleared to black) with `draw` inside and keeps its pixels.
  void Frame(const std::function<void()>& draw) {
    device_.OnRender = [&](TGfxDevice&) { draw(); };
    ASSERT_TRUE(device_.Render(0xFF000000u, true));
    int w = 0, h = 0;
    ASSERT_TRUE(device_.Renderer()->ReadPixels(pixels_, w, h));
    ASSERT_EQ(w, 800);
  }
  uint32_t At(int x, int y) const { return pixels_[size_t(y) * 800 + size_t(x)] & 0x00FFFFFFu; }
  static void ExpectNear(uint32_t actual, uint32_t expected, int tolerance, const char* what) {
    for (int shift : {0, 8, 16}) {
      const int a = static_cast<int>((actual >> shift) & 0xFF);
      const int e = static_cast<int>((expected >> shift) & 0xFF);
      EXPECT_LE(std::abs(a - e), tolerance) << what << std::hex << " actual " << actual << " expected " << expected;
    }
  }

  platform::HeadlessWindow window_;
  TGfxDevice device_{window_, "picture"};
  TGfxCanvas canvas_{&device_};
  TGfxImage image_, large_;
  std::vector<uint32_t> pixels_;
};

TEST_F(CanvasPictureTest, TexelsMeetPixelsExactly) {
  Frame([&] { canvas_.DrawImage(&image_, 0, 10, 20, fxNone); });
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      ExpectNear(At(10 + x, 20 + y), Quadrant(x / 2 + 2 * (y / 2)) & 0xFFFFFF, 0, "texel");
    }
  }
  ExpectNear(At(9, 20), 0, 0, "left of the quad");
  ExpectNear(At(14, 23), 0, 0, "right of the quad");
  ExpectNear(At(10, 19), 0, 0, "above the quad");
  ExpectNear(At(13, 24), 0, 0, "below the quad");
}

TEST_F(CanvasPictureTest, ScalingWithNearestTexelsAndMirroringBothWays) {
  Frame([&] {
    canvas_.DrawPattern(&image_, 0, 100, 100, 4, 4, false, false, false, 255, 255, 255, 255, fxNone);
    canvas_.DrawPattern(&image_, 0, 200, 100, 4, 4, false, true, true, 255, 255, 255, 255, fxNone);
  });
  ExpectNear(At(101, 101), 0xFF0000, 0, "top-left red");
  ExpectNear(At(114, 101), 0x00FF00, 0, "top-right green");
  ExpectNear(At(101, 114), 0x0000FF, 0, "bottom-left blue");
  ExpectNear(At(114, 114), 0xFFFFFF, 0, "bottom-right white");
  ExpectNear(At(115, 115), 0xFFFFFF, 0, "last pixel");
  ExpectNear(At(116, 116), 0, 0, "outside");
  // Turned by 180 degrees.
  ExpectNear(At(201, 101), 0xFFFFFF, 0, "mirrored top-left");
  ExpectNear(At(214, 114), 0xFF0000, 0, "mirrored bottom-right");
}

TEST_F(CanvasPictureTest, BlendingModulationAndOpaqueCopy) {
  Frame([&] {
    canvas_.FillQuad(RectPoints(0, 0, 50, 50), Colors4(CanvasColor(0, 0, 255, 255)), fxNone);
    // Half-transparent red over the blue.
    canvas_.FillQuad(RectPoints(10, 10, 20, 20), Colors4(CanvasColor(255, 0, 0, 128)), fxBlend);
    // Alpha 0 with the opaque copy still paints.
    canvas_.FillQuad(RectPoints(30, 30, 40, 40), Colors4(CanvasColor(0, 255, 0, 0)), fxNone);
    // A textured quad of alpha 0 with the opaque copy.
    canvas_.DrawPattern(&image_, 0, 70, 0, 1, 1, false, false, false, 255, 255, 255, 0, fxNone);
    // A white texel modulated by a half-grey vertex colour.
    canvas_.DrawPattern(&image_, 0, 60, 0, 1, 1, false, false, false, 128, 128, 128, 255, fxNone);
    // Additive: red onto blue gives magenta.
    canvas_.FillQuad(RectPoints(0, 40, 10, 50), Colors4(CanvasColor(255, 0, 0, 255)), fxAdd);
  });
  ExpectNear(At(15, 15), 0x80007F, 2, "blend");
  ExpectNear(At(35, 35), 0x00FF00, 0, "opaque copy");
  ExpectNear(At(63, 3), 0x808080, 2, "modulated white");
  ExpectNear(At(73, 3), 0xFFFFFF, 0, "textured opaque copy at alpha 0");
  ExpectNear(At(61, 0), 0x800000, 2, "modulated red");
  ExpectNear(At(5, 45), 0xFF00FF, 0, "additive");
}

TEST_F(CanvasPictureTest, RotatedAndGradientQuadsGoThroughTheTriangleFiller) {
  Frame([&] {
    // 16 pixels a quadrant, turned 30 degrees clockwise. The triangle filler of the software
    // renderer may miss a texel, so the probes stay clear of the quadrant edges.
    canvas_.DrawPatternRotated(&large_, 0, 116, 116, std::numbers::pi_v<float> / 6, 2, 2, false, false,
                               Colors4(0xFFFFFFFFu), fxNone);
    canvas_.FillQuad(RectPoints(300, 0, 400, 10), {0xFF0000FFu, 0xFFFF0000u, 0xFFFF0000u, 0xFF0000FFu}, fxNone);
  });
  // Quadrant centres (+-8, +-8) turned: (x cos - y sin, x sin + y cos).
  ExpectNear(At(113, 105), 0xFF0000, 0, "red");
  ExpectNear(At(127, 113), 0x00FF00, 0, "green");
  ExpectNear(At(105, 119), 0x0000FF, 0, "blue");
  ExpectNear(At(119, 127), 0xFFFFFF, 0, "white");
  ExpectNear(At(116, 96), 0, 0, "outside the turned corner");
  ExpectNear(At(350, 5), 0x7F0080, 4, "half way along the gradient");
  ExpectNear(At(300, 5), 0xFF0000, 4, "gradient start");
}

TEST_F(CanvasPictureTest, ClipLinesPixelsAndTriangles) {
  Frame([&] {
    canvas_.SetClipRect({0, 0, 400, 300});
    canvas_.FillQuad(RectPoints(390, 290, 410, 310), Colors4(0xFFFFFFFFu), fxNone);
    canvas_.SetClipRect({0, 0, 800, 600});
    canvas_.Line(500, 10, 510, 10, 0xFFFFFFFFu, 0xFFFFFFFFu, fxNone);
    canvas_.PutPixel(520, 30, 0xFF00FFFFu, fxNone);  // yellow
    canvas_.Triangle({600, 100}, {700, 100}, {600, 200}, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, fxNone);
  });
  ExpectNear(At(399, 299), 0xFFFFFF, 0, "inside the clip");
  ExpectNear(At(400, 299), 0, 0, "right of the clip");
  ExpectNear(At(399, 300), 0, 0, "below the clip");
  for (int x = 500; x < 510; ++x) ExpectNear(At(x, 10), 0xFFFFFF, 0, "line");
  ExpectNear(At(510, 10), 0, 0, "after the line");
  ExpectNear(At(505, 9), 0, 0, "above the line");
  ExpectNear(At(505, 11), 0, 0, "below the line");
  ExpectNear(At(520, 30), 0xFFFF00, 0, "pixel");
  ExpectNear(At(521, 30), 0, 0, "beside the pixel");
  ExpectNear(At(610, 110), 0xFFFFFF, 0, "inside the triangle");
  ExpectNear(At(690, 190), 0, 0, "outside the triangle");
}

}  // namespace
}  // namespace zb
