// Sprites and particle systems drawing through the canvas onto a recording renderer.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/GfxCanvas.h"
#include "engine/GfxImages.h"
#include "engine/GfxSprite.h"
#include "engine/XParticles.h"
#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

using test::Bytes;

// An A8 image of one 32 x 16 texture cut into 16 x 16 cells, visible 12 x 10.
void AddImage(TGfxImages& images, platform::Renderer& renderer, const std::string& name) {
  Bytes b;
  b.U8(10).I32(16).I32(16).I32(12).I32(10).I32(0).I32(32).I32(16).I32(1);
  b.Raw(std::vector<uint8_t>(32 * 16, 0xFF));
  TMemoryStream stream(b.data);
  TGfxImage& image = images.Add();
  image.Name = name;
  ASSERT_TRUE(image.LoadFromStream(stream));
  ASSERT_TRUE(image.CreateTextures(renderer));
}

class SpriteDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    AddImage(images_, rig_.renderer, "ball");
    AddImage(images_, rig_.renderer, "anim3");
    engine_.Images = &images_;
    engine_.SetCanvas(&canvas_);
  }
  // The quads drawn since the last call, as their vertices.
  std::vector<platform::Vertex> Drawn() {
    canvas_.Flush();
    std::vector<platform::Vertex> all;
    for (const auto& draw : rig_.renderer.draws)
      all.insert(all.end(), draw.vertices.begin(), draw.vertices.end());
    rig_.renderer.draws.clear();
    return all;
  }

  test::RecordingDevice rig_;
  TGfxImages images_;
  TGfxCanvas canvas_{&rig_.device};
  TSpriteEngine engine_;
};

TEST_F(SpriteDraw, PlainModeTruncatesThePositionAndPacksTheColour) {
  TSprite& s = engine_.Create<TSprite>();
  s.SetImageName("BALL");  // image names ignore the case of ASCII letters
  s.X = 10.9f;
  s.Y = -3.7f;
  s.OffsetX = 1.0f;
  s.ShiftY = 2.0f;
  s.SetRed(10);
  s.SetGreen(20);
  s.SetBlue(30);
  s.SetAlpha(40);
  engine_.DrawAll();
  const auto v = Drawn();
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[0].x, 11.0f);  // Trunc(11.9)
  EXPECT_EQ(v[0].y, -1.0f);  // Trunc(-1.7), toward zero
  EXPECT_EQ(v[2].x, 23.0f);  // visible width 12
  EXPECT_EQ(v[2].y, 9.0f);
  EXPECT_EQ(v[0].r, 10);
  EXPECT_EQ(v[0].b, 30);
  EXPECT_EQ(v[0].a, 40);
  EXPECT_EQ(rig_.renderer.draws.size(), 0u);
}

TEST_F(SpriteDraw, ModesRotatedCornerColoursAndQuads) {
  TSprite& s = engine_.Create<TSprite>();
  s.SetImageName("ball");
  s.X = 100;
  s.Y = 100;
  s.SetDrawMode(1);
  s.Angle = std::numbers::pi_v<float> / 2;
  engine_.DrawAll();
  auto v = Drawn();
  ASSERT_EQ(v.size(), 4u);
  // Centred on (100, 100); a quarter turn puts the top-left corner at the top right.
  EXPECT_NEAR(v[0].x, 105.0f, 1e-4);
  EXPECT_NEAR(v[0].y, 94.0f, 1e-4);

  s.SetDrawMode(2);
  s.CornerColors = {0xFF000001u, 0xFF000002u, 0xFF000003u, 0xFF000004u};
  engine_.DrawAll();
  v = Drawn();
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[0].x, 100.0f);
  EXPECT_EQ(v[3].r, 4);

  s.SetDrawMode(4);
  s.QuadPoints = {{{1.5f, 2.5f}, {30, 2}, {30, 40}, {-0.5f, 40}}};
  s.OffsetX = 10;
  engine_.DrawAll();
  v = Drawn();
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[0].x, 11.0f) << "quad points are used without X and Y";
  EXPECT_EQ(v[0].y, 2.0f);
  EXPECT_EQ(v[3].x, 9.0f);
  EXPECT_EQ(v[1].r, 2);

  s.SetDrawMode(3);
  engine_.DrawAll();
  v = Drawn();
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[1].r, 255);

  s.SetDrawMode(-1);
  engine_.DrawAll();
  EXPECT_TRUE(Drawn().empty());
}

TEST_F(SpriteDraw, ClipBoundsAndWorldOffset) {
  TSprite& s = engine_.Create<TSprite>();
  s.SetImageName("ball");
  s.Y = 0;
  s.X = -116;  // -100 < 16 + X fails
  engine_.DrawAll();
  EXPECT_TRUE(Drawn().empty());
  s.X = -115.5f;
  engine_.DrawAll();
  EXPECT_EQ(Drawn().size(), 4u);
  s.X = 4400;
  engine_.DrawAll();
  EXPECT_TRUE(Drawn().empty());

  engine_.WorldX = 50;
  s.X = 4440;  // bounds follow the world offset; the drawn position subtracts it
  engine_.DrawAll();
  const auto v = Drawn();
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[0].x, 4390.0f);
}

TEST_F(SpriteDraw, ZoomedPathScalesFromTheTopLeft) {
  TSprite& s = engine_.Create<TSprite>();
  s.SetImageName("ball");
  s.X = 10;
  s.Y = 20;
  s.SetDrawMode(5);
  engine_.ZoomX = 2;
  engine_.ZoomY = 0.5f;
  engine_.DrawAll();
  const auto v = Drawn();
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[0].x, 20.0f);
  EXPECT_EQ(v[0].y, 10.0f);
  EXPECT_EQ(v[2].x, 44.0f);  // 12 x 2
  EXPECT_EQ(v[2].y, 15.0f);  // 10 x 0.5
}

TEST_F(SpriteDraw, ImageNameModesAndMissingImages) {
  TSprite& s = engine_.Create<TSprite>();
  s.X = s.Y = 0;
  s.SetImageName("anim");
  engine_.DrawAll();
  EXPECT_TRUE(Drawn().empty()) << "no image named anim";
  s.ImageNameMode = 0;
  s.ImageNumber = 3;
  engine_.DrawAll();
  EXPECT_EQ(Drawn().size(), 4u);
  EXPECT_EQ(s.VisibleWidth(), 0) << "the sizes read the image named exactly ImageName";
  s.ImageNameMode = 2;
  engine_.DrawAll();
  EXPECT_TRUE(Drawn().empty());
  s.ImageNameMode = 1;
  s.SetImageName("ball");
  s.Visible = false;
  engine_.DrawAll();
  EXPECT_TRUE(Drawn().empty());
  EXPECT_EQ(s.VisibleWidth(), 12);
  EXPECT_EQ(s.PatternHeight(), 16);
}

TEST_F(SpriteDraw, AnImageListThatChangesIsAskedAgain) {
  TSprite& s = engine_.Create<TSprite>();
  s.X = s.Y = 0;
  s.SetImageName("anim3");
  engine_.DrawAll();
  EXPECT_EQ(Drawn().size(), 4u);
  images_.Remove(1);  // the image the sprite found last goes
  engine_.DrawAll();
  EXPECT_TRUE(Drawn().empty());
  AddImage(images_, rig_.renderer, "ball");
  AddImage(images_, rig_.renderer, "anim3");
  engine_.DrawAll();
  EXPECT_EQ(Drawn().size(), 4u);
}

class ParticleDraw : public SpriteDraw {
 protected:
  // A system whose particles stand still near (100, 100), one emitted per step of 1.
  TXParticleSystem& Make() {
    TParticleTemplate t;
    t.EmitRate = 1;
    t.EmitDuration = 100;
    t.LifeMin = t.LifeMax = 100;
    t.SizeStart = t.SizeMiddle = t.SizeEnd = 2.0f;
    t.ColorStart = t.ColorMiddle = t.ColorEnd = 0x80402010u;
    t.MiddleTime = 0.5f;
    t.Effect = fxAdd;
    t.PatternStart = 1;
    system_.SetTemplate(t);
    system_.Image = images_.FindImage("ball");
    system_.MoveTo(100, 100, false);
    system_.Start();
    return system_;
  }
  TParticleRandom random_;
  TXParticleSystem system_{random_, 10};
};

TEST_F(ParticleDraw, DrawsEachParticleCentredScaledAndTinted) {
  TXParticleSystem& s = Make();
  s.Draw(canvas_, 0, 0);
  EXPECT_TRUE(Drawn().empty()) << "no particles yet";
  s.Update(1.0f);
  s.Draw(canvas_, 5, 0);
  canvas_.Flush();
  ASSERT_EQ(rig_.renderer.draws.size(), 1u);
  EXPECT_EQ(rig_.renderer.draws[0].effect, fxAdd);
  const auto v = Drawn();
  ASSERT_EQ(v.size(), 4u);
  const TXParticle& p = s.Particles()[0];
  EXPECT_NEAR(v[0].x, p.X + 5 - 12.0f, 1e-4);  // visible 12 x 10 at size 2
  EXPECT_NEAR(v[2].y, p.Y + 10.0f, 1e-4);
  EXPECT_EQ(v[0].r, 0x10);
  EXPECT_EQ(v[0].g, 0x20);
  EXPECT_EQ(v[0].b, 0x40);
  EXPECT_EQ(v[0].a, 0x80);
}

TEST_F(ParticleDraw, SkipsParticlesOffTheScreenByHalfACell) {
  TXParticleSystem& s = Make();
  s.Update(1.0f);
  const float x = s.Particles()[0].X;
  // The cell is 16 wide: a centre more than 8 left of 0 is off screen.
  s.Draw(canvas_, -x - 8.5f, 0);
  EXPECT_TRUE(Drawn().empty());
  s.Draw(canvas_, -x - 7.5f, 0);
  EXPECT_EQ(Drawn().size(), 4u);
  s.Draw(canvas_, 800 - x + 8.5f, 0);
  EXPECT_TRUE(Drawn().empty());
  s.Image = nullptr;
  s.Draw(canvas_, 0, 0);
  EXPECT_TRUE(Drawn().empty());
}

TEST_F(ParticleDraw, NewestFirstReversesTheOrder) {
  TXParticleSystem& s = Make();
  s.Update(1.0f);
  s.StopEmitting(false);
  s.MoveTo(300, 100, false);  // idle: no trail back to the first one
  s.Start();
  s.Update(1.0f);
  ASSERT_EQ(s.Count(), 2);
  s.Draw(canvas_, 0, 0);
  auto v = Drawn();
  ASSERT_EQ(v.size(), 8u);
  EXPECT_LT(v[0].x, v[4].x);
  TParticleTemplate t = s.Template();
  t.DrawNewestFirst = 1;
  s.SetTemplate(t);
  s.Draw(canvas_, 0, 0);
  v = Drawn();
  ASSERT_EQ(v.size(), 8u);
  EXPECT_GT(v[0].x, v[4].x);
}

TEST_F(ParticleDraw, ManagerDrawsEverySystemOnItsCanvas) {
  TXParticleManager manager;
  TParticleTemplate t = Make().Template();
  const auto bytes = t.Encode();
  manager.AddTemplate("p.pss", bytes);
  manager.Image = images_.FindImage("ball");
  manager.DrawAll(0, 0);  // no canvas: nothing, and no crash
  manager.Canvas = &canvas_;
  manager.Spawn("p.pss", 100, 100);
  manager.Spawn("p.pss", 200, 100);
  manager.UpdateAll(1.0f);
  manager.DrawAll(0, 0);
  EXPECT_EQ(Drawn().size(), 8u);
}

TEST_F(ParticleDraw, TheGameScreensPickSystemsByTheirTags) {
  TXParticleManager manager;
  const auto bytes = Make().Template().Encode();
  manager.AddTemplate("p.pss", bytes);
  manager.Image = images_.FindImage("ball");
  manager.Canvas = &canvas_;
  for (const char* tag : {"", "Bonus", "waterfall", "dontpaint", "cursortail", "salut", "bonus"}) {
    manager.Spawn("p.pss", 100, 100).SetName(tag);
  }
  manager.UpdateAll(1.0f);
  manager.DrawExcept({"Bonus", "waterfall", "dontpaint"}, 0, 0);
  EXPECT_EQ(Drawn().size(), 4u * 4) << "untagged, cursortail, salut and the differently cased bonus";
  manager.DrawExcept({"Bonus", "waterfall", "dontpaint", "cursortail"}, 0, 0);
  EXPECT_EQ(Drawn().size(), 4u * 3);
  manager.DrawNamed("salut", 0, 0);
  EXPECT_EQ(Drawn().size(), 4u);
  manager.Clear();
  EXPECT_EQ(manager.Count(), 0);
  manager.DrawAll(0, 0);
  EXPECT_TRUE(Drawn().empty());
}

}  // namespace
}  // namespace zb
