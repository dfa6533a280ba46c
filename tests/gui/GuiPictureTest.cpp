// The GUI drawn through the real canvas on the software renderer.

#include <gtest/gtest.h>

#include "engine/GfxCanvas.h"
#include "engine/GfxImages.h"
#include "engine/platform/headless/Headless.h"
#include "gui/GuiBasic.h"
#include "gui/GuiButton.h"
#include "gui/GuiCanvasPainter.h"
#include "gui/GuiForm.h"
#include "gui/GuiLabel.h"
#include "gui/GuiPaint.h"
#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

class GuiPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(device_.Initialize());
    canvas_.SetAntialias(false);
    // Image 0: two 4 x 4 patterns side by side, opaque red and opaque green.
    test::Bytes b;
    b.U8(5).I32(4).I32(4).I32(4).I32(4).I32(2).I32(8).I32(4).I32(1);
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 8; ++x) b.U32(x < 4 ? 0xFFFF0000u : 0xFF00FF00u);
    }
    TMemoryStream stream(b.data);
    TGfxImage& image = images_.Add();
    ASSERT_TRUE(image.LoadFromStream(stream));
    ASSERT_TRUE(image.CreateTextures(*device_.Renderer()));
    gui_.SetPainter(std::make_unique<TGuiCanvasPainter>(canvas_, images_, &fonts_));
  }
  void TearDown() override { images_.Clear(); }

  void Frame() {
    device_.OnRender = [&](TGfxDevice&) { gui_.Draw(); };
    ASSERT_TRUE(device_.Render(0xFF000000u, true));
    int w = 0, h = 0;
    ASSERT_TRUE(device_.Renderer()->ReadPixels(pixels_, w, h));
  }
  uint32_t At(int x, int y) const { return pixels_[size_t(y) * 800 + size_t(x)] & 0x00FFFFFFu; }

  platform::HeadlessWindow window_;
  TGfxDevice device_{window_, "gui"};
  TGfxCanvas canvas_{&device_};
  TGfxImages images_{&device_};
  TGfxFonts fonts_{&device_, &canvas_};
  TGuiBase gui_;
  std::vector<uint32_t> pixels_;
};

TEST_F(GuiPictureTest, ChildrenAreClippedToTheirParentAndPaintedBackToFront) {
  TGuiForm& form = TGuiControl::Create<TGuiForm>(gui_.Taskbar());
  form.SetBounds(100, 100, 200, 100);
  form.CaptSize = 0;
  TGuiButton& button = TGuiControl::Create<TGuiButton>(form);
  button.SetBounds(10, 10, 40, 20);
  button.ImageIndex = 0;
  button.DisabledGlyph = 1;
  TGuiPaint& panel = TGuiControl::Create<TGuiPaint>(form);
  panel.SetBounds(150, 50, 100, 100);  // half outside the form
  panel.Bkgrnd.SetColor(0xFFFF0000);   // blue
  panel.Border.Visible = false;
  Frame();
  EXPECT_EQ(At(260, 160), 0x0000FFu);  // inside the form
  EXPECT_EQ(At(299, 199), 0x0000FFu);
  EXPECT_EQ(At(305, 160), 0u);  // outside the form: clipped
  EXPECT_EQ(At(260, 205), 0u);
  EXPECT_EQ(At(115, 115), 0xFF0000u);  // the button's first pattern, stretched
  EXPECT_EQ(At(149, 129), 0xFF0000u);
  EXPECT_EQ(At(150, 130), 0u);

  gui_.Taskbar().MouseMove(0, 120, 120);  // hovered: the second pattern
  Frame();
  EXPECT_EQ(At(115, 115), 0x00FF00u);
  form.Hide();
  Frame();
  EXPECT_EQ(At(115, 115), 0u);
  EXPECT_EQ(At(260, 160), 0u);
}

TEST_F(GuiPictureTest, LabelTextGoesThroughTheFontList) {
  // One font: glyphs 'A' and 'B', 8 x 10 cells of opaque white (A8), no spacing.
  test::Bytes b;
  b.U32('A').I32(0).U32(0).U32(2).I32(8).I32(10).I32(8).I32(10);
  b.U8(10).I32(8).I32(10).I32(8).I32(10).I32(2).I32(16).I32(10).I32(1);
  b.Raw(std::vector<uint8_t>(160, 0xFF));
  TMemoryStream stream(b.data);
  TGfxFont& font = fonts_.Add();
  ASSERT_TRUE(font.LoadFromStream(stream));
  ASSERT_TRUE(font.Image.CreateTextures(*device_.Renderer()));
  font.Name = "TestFont";

  TGuiLabel& label = TGuiControl::Create<TGuiLabel>(gui_.Taskbar());
  label.SetBounds(100, 100, 100, 20);
  label.SetText("AB");
  label.Alignment = 2;
  label.Font.SetColor(0xFF00FF00);  // green
  Frame();
  // Centred: X = 100 + (100 - 16) div 2 = 142, Y = 100 + (20 - 10) div 2 = 105.
  EXPECT_EQ(At(143, 106), 0x00FF00u);
  EXPECT_EQ(At(157, 114), 0x00FF00u);
  EXPECT_EQ(At(141, 106), 0u);
  EXPECT_EQ(At(158, 106), 0u);

  label.Font.FontIndex = 1;  // no such font: no text
  Frame();
  EXPECT_EQ(At(143, 106), 0u);
}

}  // namespace
}  // namespace zb
