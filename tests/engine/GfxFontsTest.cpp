#include "engine/GfxFonts.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

using test::Bytes;

// Glyphs for 'A', 'B', 'C' (widths 5, 6, 7; heights 8, 9, 10) on 8 x 10 cells, spacing 1.
std::vector<uint8_t> FontRecord(uint32_t firstChar = 'A', int glyphCount = 3) {
  Bytes b;
  b.U32(firstChar).I32(1).U32(0xDEADBEEF).U32(static_cast<uint32_t>(glyphCount));
  for (int i = 0; i < glyphCount; ++i) b.I32(5 + i).I32(8 + i);
  b.U8(10).I32(8).I32(10).I32(8).I32(10).I32(glyphCount).I32(8 * glyphCount).I32(10).I32(1);
  b.Raw(std::vector<uint8_t>(size_t(80 * glyphCount), 0xFF));
  return b.data;
}

class FontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TMemoryStream stream(FontRecord());
    ASSERT_TRUE(font_.LoadFromStream(stream));
  }
  TGfxFont font_;
};

TEST_F(FontTest, RecordFieldsAreRead) {
  EXPECT_EQ(font_.FirstChar, 'A');
  EXPECT_EQ(font_.Spacing, 1);
  ASSERT_EQ(font_.Glyphs.size(), 3u);
  EXPECT_EQ(font_.Glyphs[2].Width, 7);
  EXPECT_EQ(font_.Glyphs[2].Height, 10);
  EXPECT_EQ(font_.Image.PatternCount(), 3);
  TGfxFont high;
  TMemoryStream stream(FontRecord(0x12345641u));  // only the low byte counts
  ASSERT_TRUE(high.LoadFromStream(stream));
  EXPECT_EQ(high.FirstChar, 0x41);
}

TEST_F(FontTest, ShortOrOversizedRecordsDoNotLoad) {
  std::vector<uint8_t> bytes = FontRecord();
  bytes.resize(bytes.size() - 1);
  TGfxFont font;
  TMemoryStream shortStream(bytes);
  EXPECT_FALSE(font.LoadFromStream(shortStream));
  EXPECT_FALSE(font.Loaded());
  Bytes huge;
  huge.U32(32).I32(0).U32(0).U32(0xFFFFFFFFu);
  TMemoryStream hugeStream(huge.data);
  EXPECT_FALSE(font.LoadFromStream(hugeStream));
}

TEST(GfxFontTest, HugeWidthsAndSpacingDoNotOverflowTheAdvance) {
  // Glyph ' ' of width -1629159424 with spacing -1644167068: their int sum overflowed.
  Bytes b;
  b.U32(' ').I32(-1644167068).U32(0).U32(1).I32(-1629159424).I32(5);
  b.U8(10).I32(1).I32(1).I32(1).I32(1).I32(1).I32(1).I32(1).I32(1).U8(0xFF);
  TGfxFont font;
  TMemoryStream stream(b.data);
  ASSERT_TRUE(font.LoadFromStream(stream));
  EXPECT_FLOAT_EQ(static_cast<float>(font.TextWidth("  ")), 2.0f * static_cast<float>(-3273326492LL));
}

TEST_F(FontTest, WidthsAddAdvancesAndSkipEscapes) {
  // The factors are single precision, so sums of 2.4 differ from the double in the last bits.
  EXPECT_NEAR(font_.TextWidth("AB"), 6 + 7, 1e-5);
  // A space below FirstChar, and a code past the last glyph, advance by 8 x 0.3.
  EXPECT_NEAR(font_.TextWidth("A B"), 6 + 2.4 + 7, 1e-5);
  EXPECT_NEAR(font_.TextWidth("D"), 2.4, 1e-5);
  EXPECT_NEAR(font_.TextWidth(""), 0, 1e-5);
  EXPECT_NEAR(font_.TextWidth("#$FF0000FFAB"), 13, 1e-5);
  EXPECT_NEAR(font_.TextWidth("&$FF0000FFAB"), 13, 1e-5);
  EXPECT_NEAR(font_.TextWidth("0xFF0000FFAB"), 13, 1e-5);
  EXPECT_NEAR(font_.TextWidth("#$FF0000FF&$FF00FF000xFFFFFFFFC"), 8, 1e-5);  // three in one step
  EXPECT_NEAR(font_.TextWidth("#$GGGGGGGGA"), 6, 1e-5);  // consumed even when not a number
  // Without a character after it an escape is ordinary text: ten characters of 2.4 each.
  EXPECT_NEAR(font_.TextWidth("#$FF0000FF"), 24, 1e-5);
  font_.ParseEscapes = false;
  EXPECT_NEAR(font_.TextWidth("#$FF0000FFA"), 24 + 6, 1e-5);
}

TEST_F(FontTest, ScaleAndExtraSpacing) {
  font_.Scale = 2;
  font_.ExtraSpacing = 0.5f;
  EXPECT_DOUBLE_EQ(font_.TextWidth("AB"), (5 + 1 + 0.5) * 2 + (6 + 1 + 0.5) * 2);
  EXPECT_NEAR(font_.TextWidth(" "), (8 * 0.3 + 0.5) * 2, 1e-6);
  EXPECT_DOUBLE_EQ(font_.TextHeight("AB"), 18);
}

TEST_F(FontTest, HeightIsTheTallestGlyph) {
  EXPECT_DOUBLE_EQ(font_.TextHeight("AB"), 9);
  EXPECT_DOUBLE_EQ(font_.TextHeight("CA"), 10);
  EXPECT_DOUBLE_EQ(font_.TextHeight(" "), 0);
  EXPECT_DOUBLE_EQ(font_.TextHeight(""), 0);
  TGfxFont unloaded;
  EXPECT_DOUBLE_EQ(unloaded.TextHeight("AB"), 0);
  EXPECT_DOUBLE_EQ(unloaded.TextWidth("AB"), 0);
}

TEST_F(FontTest, DrawingWithoutAListOrCanvasIsAConfigurationError) {
  try {
    font_.TextOut("A", 0xFFFFFFFFu, 0, 0);
    FAIL() << "no exception";
  } catch (const EFontConfigError& e) {
    EXPECT_STREQ(e.what(), "TGfxFont: Unassigned Owner property.");
  }
  TGfxFonts fonts;
  TGfxFont& listed = fonts.Add();
  TMemoryStream stream(FontRecord());
  ASSERT_TRUE(listed.LoadFromStream(stream));
  try {
    listed.TextOut("A", 0xFFFFFFFFu, 0, 0);
    FAIL() << "no exception";
  } catch (const EFontConfigError& e) {
    EXPECT_STREQ(e.what(), "TGfxFont: Unassigned Owner.Canvas property.");
  }
  TGfxFont unloaded;
  EXPECT_NO_THROW(unloaded.TextOut("A", 0xFFFFFFFFu, 0, 0));
}

class FontDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    font_ = &fonts_.Add();
    TMemoryStream stream(FontRecord());
    ASSERT_TRUE(font_->LoadFromStream(stream));
    ASSERT_TRUE(font_->Image.CreateTextures(rig_.renderer));
  }
  // The quads of the last text, as (left, top) of the first corner and the corner colours.
  std::vector<platform::Vertex> Vertices() {
    canvas_.Flush();
    std::vector<platform::Vertex> all;
    for (const auto& d : rig_.renderer.draws) all.insert(all.end(), d.vertices.begin(), d.vertices.end());
    rig_.renderer.draws.clear();
    return all;
  }

  test::RecordingDevice rig_;
  TGfxCanvas canvas_{&rig_.device};
  TGfxFonts fonts_{&rig_.device, &canvas_};
  TGfxFont* font_ = nullptr;
};

TEST_F(FontDrawTest, GlyphsSitAtTruncatedPenPositionsInOneBatch) {
  font_->TextOut("A BA", 0x80112233u, 10.7f, 20.9f);
  canvas_.Flush();
  ASSERT_EQ(rig_.renderer.draws.size(), 1u);
  EXPECT_EQ(rig_.renderer.draws[0].effect, fxBlend);
  const auto v = Vertices();
  ASSERT_EQ(v.size(), 12u);
  const float pens[3] = {10, 10.7f + 6 + 2.4f, 10.7f + 6 + 2.4f + 7};
  for (int q = 0; q < 3; ++q) {
    EXPECT_FLOAT_EQ(v[q * 4].x, std::trunc(pens[q])) << q;
    EXPECT_FLOAT_EQ(v[q * 4].y, 20);
    EXPECT_FLOAT_EQ(v[q * 4 + 2].x - v[q * 4].x, 8);
    EXPECT_FLOAT_EQ(v[q * 4 + 2].y - v[q * 4].y, 10);
  }
  EXPECT_EQ(v[0].r, 0x33);
  EXPECT_EQ(v[0].a, 0x80);
  // 'B' is pattern 1: the second cell.
  EXPECT_FLOAT_EQ(v[4].u, 8.0f / 24);
}

TEST_F(FontDrawTest, ColourEscapesSetTheTopTheBottomOrBoth) {
  font_->TextOutEx("#$FF0000FFAB", 0xFFFFFFFFu, fxBlend, 0xFFFFFFFFu, 0, 0);
  auto v = Vertices();
  ASSERT_EQ(v.size(), 8u);
  for (int q = 0; q < 2; ++q) {
    EXPECT_EQ(v[q * 4 + 0].r, 255);  // opaque red at the top
    EXPECT_EQ(v[q * 4 + 0].g, 0);
    EXPECT_EQ(v[q * 4 + 1].b, 0);
    EXPECT_EQ(v[q * 4 + 2].g, 255);  // fading to the white bottom
    EXPECT_EQ(v[q * 4 + 3].b, 255);
  }
  font_->TextOutEx("A&$FF00FF00B0x80FF0000C", 0xFFFFFFFFu, fxBlend, 0xFFFFFFFFu, 0, 0);
  v = Vertices();
  ASSERT_EQ(v.size(), 12u);
  EXPECT_EQ(v[2].r, 255);  // A: white bottom
  EXPECT_EQ(v[6].r, 0);    // B: green bottom
  EXPECT_EQ(v[6].g, 255);
  EXPECT_EQ(v[4].r, 255);  // B: white top
  EXPECT_EQ(v[8].b, 255);  // C: both blue, half transparent
  EXPECT_EQ(v[8].a, 0x80);
  EXPECT_EQ(v[10].b, 255);
  EXPECT_EQ(v[10].r, 0);
  // Digits that are not a number keep the colour; for 0x the bottom then becomes the top too.
  font_->TextOutEx("0xZZZZZZZZA", 0xFFFFFFFFu, fxBlend, 0xFF00FF00u, 0, 0);
  v = Vertices();
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[0].r, 0);
  EXPECT_EQ(v[0].g, 255);
}

TEST_F(FontDrawTest, StylesLayerCopiesOfEachGlyph) {
  font_->Style = fsShadow;
  font_->TextOut("A", 0xFFFFFFFFu, 10, 10);
  auto v = Vertices();
  ASSERT_EQ(v.size(), 8u);
  EXPECT_FLOAT_EQ(v[0].x, 12);  // the shadow first, (2, 2) away, black at half alpha
  EXPECT_FLOAT_EQ(v[0].y, 12);
  EXPECT_EQ(v[0].a, 128);
  EXPECT_EQ(v[0].r, 0);
  EXPECT_FLOAT_EQ(v[4].x, 10);

  font_->Style = fsShadow | fsBold;
  font_->TextOut("A", 0xFFFFFFFFu, 10, 10);
  v = Vertices();
  ASSERT_EQ(v.size(), 16u);
  EXPECT_FLOAT_EQ(v[0].x, 13);  // bold moves the shadow to (3, 2)
  EXPECT_FLOAT_EQ(v[4].x, 10);
  EXPECT_FLOAT_EQ(v[8].x, 9);
  EXPECT_FLOAT_EQ(v[12].x, 11);

  font_->Style = fsItalic;
  font_->TextOut("A", 0xFFFFFFFFu, 10, 10);
  v = Vertices();
  ASSERT_EQ(v.size(), 4u);
  EXPECT_FLOAT_EQ(v[0].x, 11);  // top corners right by 8 / 8, bottom corners left
  EXPECT_FLOAT_EQ(v[1].x, 19);
  EXPECT_FLOAT_EQ(v[2].x, 17);
  EXPECT_FLOAT_EQ(v[3].x, 9);

  font_->Style = fsEmboss;
  font_->EmbossColor = 0x00FFFFFFu;
  font_->TextOut("A", 0xFF000000u, 10, 10);
  v = Vertices();
  ASSERT_EQ(v.size(), 8u);
  EXPECT_FLOAT_EQ(v[0].x, 9);  // the glyph moved up and left
  EXPECT_FLOAT_EQ(v[0].y, 9);
  EXPECT_EQ(v[0].r, 0);
  EXPECT_FLOAT_EQ(v[4].x, 10);  // the emboss copy where the glyph was
  EXPECT_EQ(v[4].a, 204);
  EXPECT_EQ(v[4].r, 255);
}

TEST(GfxFontsTest, LoadingIsAdditiveAndTheFirstOfEqualNamesWins) {
  test::TempDir dir;
  const auto first = dir.Write("data.zbx", test::BuildArchive({{"ParamFont", 3, FontRecord('A')},
                                                               {"back", 1, {}},
                                                               {"PauseText", 3, FontRecord('B')}}));
  const auto second = dir.Write("data1.zbx", test::BuildArchive({{"paramfont", 3, FontRecord('C')},
                                                                 {"DialogFont", 3, FontRecord('D')}}));
  test::RecordingDevice rig;
  TGfxCanvas canvas(&rig.device);
  TGfxFonts fonts(&rig.device, &canvas);
  TArchiveDb a(first, TOpenModes::opReadOnly), b(second, TOpenModes::opReadOnly);
  ASSERT_TRUE(fonts.LoadFromArchive(a));
  ASSERT_TRUE(fonts.LoadFromArchive(b));
  ASSERT_EQ(fonts.Count(), 4);
  EXPECT_EQ(fonts.FindFont("PARAMFONT")->FirstChar, 'A');
  EXPECT_EQ(fonts.IndexOfFont("paramfont"), 0);
  EXPECT_EQ(fonts.FontAt(2)->Name, "paramfont");
  EXPECT_EQ(fonts.FindFont("dialogfont")->FirstChar, 'D');
  EXPECT_EQ(fonts.FontAt(4), nullptr);
  EXPECT_EQ(fonts.FindFont("sharetext"), nullptr);
  EXPECT_EQ(rig.renderer.live, 4);
}

TEST(GfxFontsTest, AFailedFontStopsTheWalkAndStaysUnloadedUnderItsRunningName) {
  test::TempDir dir;
  std::vector<uint8_t> broken = FontRecord();
  broken.resize(40);
  const auto path = dir.Write("data.zbx", test::BuildArchive({{"ParamFont", 3, FontRecord()},
                                                              {"Broken", 3, broken},
                                                              {"After", 3, FontRecord()}}));
  TGfxFonts fonts;
  TArchiveDb archive(path, TOpenModes::opReadOnly);
  EXPECT_FALSE(fonts.LoadFromArchive(archive));
  ASSERT_EQ(fonts.Count(), 2);
  EXPECT_EQ(fonts.FontAt(1)->Name, "Font01");
  EXPECT_FALSE(fonts.FontAt(1)->Loaded());
  EXPECT_EQ(fonts.FindFont("After"), nullptr);
  EXPECT_TRUE(fonts.FindFont("ParamFont")->Loaded());
}

}  // namespace
}  // namespace zb
