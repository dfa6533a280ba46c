#include "engine/GfxImages.h"

#include <gtest/gtest.h>

#include "engine/PixelFormats.h"
#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

using test::Bytes;

Bytes ImageHeader(int format, int pw, int ph, int vw, int vh, int count, int tw, int th, int tc) {
  Bytes b;
  b.U8(static_cast<uint8_t>(format)).I32(pw).I32(ph).I32(vw).I32(vh).I32(count).I32(tw).I32(th).I32(tc);
  return b;
}

bool Load(TGfxImage& image, const std::vector<uint8_t>& bytes) {
  TMemoryStream stream(bytes);
  return image.LoadFromStream(stream);
}

// Two pixels of every stored format, against values worked out by hand.
TEST(GfxImageTest, EveryPixelFormatConvertsToArgb) {
  struct Case {
    int format;
    std::vector<uint8_t> pixels;  // two pixels
    uint32_t first, second;
  };
  const std::vector<Case> cases = {
      // b=1 g=2 r=7 -> 85, round(2*255/7)=73, 255
      {0, {0xE9, 0x00}, 0xFFFF4955u, 0xFF000000u},
      // r=31 g=0 b=31; r=1 g=2 b=1 -> 8, round(2*255/63)=8, 8
      {1, {0x1F, 0xF8, 0x41, 0x08}, 0xFFFF00FFu, 0xFF080808u},
      // the spare byte is copied into alpha as it stands
      {2, {0x10, 0x20, 0x30, 0x00, 0x01, 0x02, 0x03, 0xFF}, 0x00302010u, 0xFF030201u},
      // the spare top bit is ignored, alpha reads 255
      {3, {0x00, 0x7C, 0xE0, 0x83}, 0xFFFF0000u, 0xFF00FF00u},
      {4, {0x84, 0x0F, 0x23, 0xA1}, 0xFFFF8844u, 0xFF112233u},
      {5, {0x01, 0x02, 0x03, 0x04, 0xFF, 0xFF, 0xFF, 0x00}, 0x04030201u, 0x00FFFFFFu},
      // a=1 r=16 g=8 b=1 -> 255, 132, 66, 8; a=0 and all colour bits set
      {6, {0x01, 0xC1, 0xFF, 0x7F}, 0xFF844208u, 0x00FFFFFFu},
      {7, {0x05, 0x7F, 0x00, 0xF0}, 0x77FF0055u, 0xFF000000u},
      // low byte b=2 g=5 r=3, high byte alpha 0x80 -> 128, 109, 182, 170
      {8, {0x76, 0x80, 0xFF, 0x00}, 0x806DB6AAu, 0x00FFFFFFu},
      // b=1 g=2 r=3 a=1 -> 85 alpha, 255, 170, 85
      {9, {0x79, 0xFF}, 0x55FFAA55u, 0xFFFFFFFFu},
      // alpha only: white
      {10, {0x40, 0x00}, 0x40FFFFFFu, 0x00FFFFFFu},
  };
  for (const Case& c : cases) {
    TGfxImage image;
    ASSERT_TRUE(Load(image, ImageHeader(c.format, 0, 0, 0, 0, 0, 2, 1, 1).Raw(c.pixels).data)) << c.format;
    ASSERT_EQ(image.Pixels(0).size(), 2u);
    EXPECT_EQ(image.Pixels(0)[0], c.first) << "format " << c.format;
    EXPECT_EQ(image.Pixels(0)[1], c.second) << "format " << c.format;
  }
}

TEST(GfxImageTest, ExpansionRoundsEveryChannelWidth) {
  // 5 bits: 15 -> 123.4 -> 123, 16 -> 131.6 -> 132; 6 bits: 32 -> 129.5 -> 130, 31 -> 125.5 -> 125
  const uint16_t value = static_cast<uint16_t>(16 << 11 | 32 << 5 | 15);
  const uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
  uint32_t argb = 0;
  ConvertRowToArgb(pfR5G6B5, bytes, 1, &argb);
  EXPECT_EQ(argb, 0xFF84827Bu);
}

TEST(GfxImageTest, RecordsAreValidatedBeforeUse) {
  const std::vector<uint8_t> pixels(4 * 16 * 8, 0xFF);
  TGfxImage image;
  // Zero sizes default to the texture (pattern) and to the cell (visible).
  ASSERT_TRUE(Load(image, ImageHeader(5, 0, 4, 0, 0, 0, 16, 8, 1).Raw(pixels).data));
  EXPECT_EQ(image.PatternWidth(), 16);
  EXPECT_EQ(image.PatternHeight(), 4);
  EXPECT_EQ(image.VisibleWidth(), 16);
  EXPECT_EQ(image.VisibleHeight(), 4);
  EXPECT_EQ(image.PatternCount(), 2);  // patterns per texture x textures

  EXPECT_FALSE(Load(image, ImageHeader(5, 32, 8, 0, 0, 0, 16, 8, 1).Raw(pixels).data));  // wider than texture
  EXPECT_FALSE(Load(image, ImageHeader(5, 8, 8, 9, 8, 0, 16, 8, 1).Raw(pixels).data));   // visible > cell
  EXPECT_FALSE(Load(image, ImageHeader(5, 8, 8, 8, 8, 0, 0, 8, 1).Raw(pixels).data));    // no texture
  EXPECT_FALSE(Load(image, ImageHeader(11, 8, 8, 8, 8, 0, 16, 8, 1).Raw(pixels).data));  // unknown format
  EXPECT_FALSE(image.Created());
  // Short pixel data, and sizes that would need more bytes than there are.
  EXPECT_FALSE(Load(image, ImageHeader(5, 8, 8, 8, 8, 0, 16, 8, 2).Raw(pixels).data));
  EXPECT_FALSE(Load(image, ImageHeader(5, 0, 0, 0, 0, 0, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF).Raw(pixels).data));
  EXPECT_FALSE(Load(image, std::vector<uint8_t>(20, 0)));  // short header

  ASSERT_TRUE(Load(image, ImageHeader(5, 8, 8, 8, 8, 3, 16, 8, 1).Raw(pixels).data));
  EXPECT_EQ(image.PatternCount(), 3);  // a stored count stands even beyond the cells
}

TEST(GfxImageTest, TextureSizesBeyondIntArithmeticAreRefusedEvenWithoutTextures) {
  // 977 x 16777216 cells of one pixel and no texture: counting the patterns overflowed an int.
  TGfxImage image;
  EXPECT_FALSE(Load(image, ImageHeader(5, 1, 1, 0, 0, 0, 977, 1 << 24, 0).data));
  EXPECT_FALSE(Load(image, ImageHeader(5, 0, 0, 0, 0, 0, 0x10000, 0x8000, 0).data));  // exactly 2^31 pixels
  EXPECT_FALSE(image.Created());
  ASSERT_TRUE(Load(image, ImageHeader(5, 1, 1, 0, 0, 0, 0x7FFF, 0x10000, 0).data));  // just below: no pixels needed
  EXPECT_EQ(image.PatternCount(), 0);
}

class PlacementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Two 64 x 32 textures of 16 x 16 cells (4 per row, 2 rows), visible 12 x 10, 10 patterns.
    std::vector<uint8_t> pixels(64 * 32 * 4 * 2, 0);
    ASSERT_TRUE(Load(image_, ImageHeader(5, 16, 16, 12, 10, 10, 64, 32, 2).Raw(pixels).data));
  }
  TPatternPlacement Place(const TPatternSource& source) {
    TPatternPlacement p;
    EXPECT_TRUE(image_.Place(source, p));
    return p;
  }
  static void ExpectRect(const TPatternPlacement& p, int texture, float left, float top, float w, float h) {
    EXPECT_EQ(p.Texture, texture);
    EXPECT_FLOAT_EQ(p.U[0], left / 64);
    EXPECT_FLOAT_EQ(p.V[0], top / 32);
    EXPECT_FLOAT_EQ(p.U[2], (left + w - 0.5f) / 64);
    EXPECT_FLOAT_EQ(p.V[2], (top + h - 0.5f) / 32);
    EXPECT_FLOAT_EQ(p.U[1], p.U[2]);
    EXPECT_FLOAT_EQ(p.V[1], p.V[0]);
    EXPECT_FLOAT_EQ(p.U[3], p.U[0]);
    EXPECT_FLOAT_EQ(p.V[3], p.V[2]);
  }
  TGfxImage image_;
};

TEST_F(PlacementTest, CellsAreFoundAcrossRowsAndTexturesWithTheVisibleAreaCentred) {
  ExpectRect(Place({0}), 0, 2, 3, 12, 10);
  ExpectRect(Place({5}), 0, 18, 19, 12, 10);
  ExpectRect(Place({7}), 0, 50, 19, 12, 10);
  ExpectRect(Place({9}), 1, 18, 3, 12, 10);
}

TEST_F(PlacementTest, PatternIndicesAreClamped) {
  ExpectRect(Place({100}), 1, 18, 3, 12, 10);  // the last pattern
  ExpectRect(Place({-3}), 0, 2, 3, 12, 10);
}

TEST_F(PlacementTest, ASourceRectangleIsInsideTheVisibleArea) {
  TPatternSource source{5, 1, 2, 4, 3};
  ExpectRect(Place(source), 0, 19, 21, 4, 3);
  source.Width = 0;  // a zero size means the visible size
  ExpectRect(Place(source), 0, 19, 21, 12, 3);
}

TEST_F(PlacementTest, MirroringSwapsTheEdges) {
  const TPatternPlacement plain = Place({0});
  TPatternSource both{0};
  both.MirrorX = both.MirrorY = true;
  const TPatternPlacement turned = Place(both);
  // Both mirrors turn the pattern by 180 degrees: each corner takes the opposite one.
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(turned.U[i], plain.U[(i + 2) % 4]);
    EXPECT_FLOAT_EQ(turned.V[i], plain.V[(i + 2) % 4]);
  }
  TPatternSource x{0};
  x.MirrorX = true;
  const TPatternPlacement mx = Place(x);
  EXPECT_FLOAT_EQ(mx.U[0], plain.U[1]);
  EXPECT_FLOAT_EQ(mx.V[0], plain.V[0]);
}

TEST(GfxImageTest, AnOddMarginRoundsTowardTheCellOrigin) {
  TGfxImage image;
  ASSERT_TRUE(Load(image, ImageHeader(10, 16, 16, 11, 16, 0, 32, 16, 1).Raw(std::vector<uint8_t>(512)).data));
  TPatternPlacement p;
  ASSERT_TRUE(image.Place({1}, p));
  EXPECT_FLOAT_EQ(p.U[0], (16 + 2) / 32.0f);  // (16 - 11) div 2 = 2
}

TEST(GfxImageTest, AnImageWithoutPatternsIsNotPlaced) {
  TGfxImage image;
  TPatternPlacement p;
  EXPECT_FALSE(image.Place({0}, p));
  ASSERT_TRUE(Load(image, ImageHeader(5, 4, 4, 4, 4, 0, 4, 4, 0).data));  // no textures at all
  EXPECT_EQ(image.PatternCount(), 0);
  EXPECT_FALSE(image.Place({0}, p));
}

std::vector<uint8_t> SolidImage(uint8_t value, int size = 2) {
  return ImageHeader(10, 0, 0, 0, 0, 0, size, size, 1).Raw(std::vector<uint8_t>(size_t(size * size), value)).data;
}

TEST(GfxImagesTest, LoadsImageRecordsInOrderAndStopsAtTheFirstFailure) {
  test::TempDir dir;
  std::vector<uint8_t> broken = SolidImage(1);
  broken.resize(broken.size() - 1);
  const auto path = dir.Write("a.zbx", test::BuildArchive({{"Ball", 1, SolidImage(1)},
                                                           {"font", 3, {1, 2, 3}},  // not an image
                                                           {"back", 1, SolidImage(2)},
                                                           {"broken", 1, broken},
                                                           {"after", 1, SolidImage(3)}}));
  test::RecordingDevice rig;
  TGfxImages images(&rig.device);
  TArchiveDb archive(path, TOpenModes::opReadOnly);
  EXPECT_FALSE(images.LoadFromArchive(archive));
  ASSERT_EQ(images.Count(), 2);
  EXPECT_EQ(images.ImageAt(0)->Name, "Ball");
  EXPECT_EQ(images.ImageAt(1)->Name, "back");
  EXPECT_EQ(images.FindImage("BALL"), images.ImageAt(0));
  EXPECT_EQ(images.IndexOfImage("bAcK"), 1);
  EXPECT_EQ(images.IndexOfImage("after"), -1);
  EXPECT_EQ(images.FindImage("broken"), nullptr);
  EXPECT_EQ(images.ImageAt(2), nullptr);
  EXPECT_EQ(images.ImageAt(-1), nullptr);
  EXPECT_EQ(rig.renderer.live, 2);
  EXPECT_EQ(rig.renderer.textures[1].argb[0], 0x02FFFFFFu);

  TArchiveDb missing(dir.Path() / "none.zbx", TOpenModes::opReadOnly);
  EXPECT_FALSE(images.LoadFromArchive(missing));
}

TEST(GfxImagesTest, TexturesFollowTheDevice) {
  test::TempDir dir;
  const auto path = dir.Write("a.zbx", test::BuildArchive({{"one", 1, SolidImage(9)}, {"two", 1, SolidImage(8)}}));
  test::RecordingDevice rig;
  TGfxImages images(&rig.device);
  TArchiveDb archive(path, TOpenModes::opReadOnly);
  ASSERT_TRUE(images.LoadFromArchive(archive));
  EXPECT_EQ(rig.renderer.live, 2);
  ASSERT_TRUE(rig.device.Reset());  // lost, then reset: rebuilt from the kept pixels
  EXPECT_EQ(rig.renderer.live, 2);
  EXPECT_EQ(rig.renderer.textures.size(), 4u);
  EXPECT_EQ(rig.renderer.textures[3].argb[0], 0x08FFFFFFu);
  EXPECT_TRUE(images.ImageAt(0)->HasTextures());
  rig.device.Finalize();  // the list frees its images
  EXPECT_EQ(images.Count(), 0);
  EXPECT_EQ(rig.renderer.live, 0);
}

}  // namespace
}  // namespace zb
