#include "engine/XParticles.h"

#include "engine/ArchiveDb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

// A template that emits slowly moving, long-lived particles without any randomness in the
// fields a test looks at.
TParticleTemplate Calm() {
  TParticleTemplate t;
  t.EmitRate = 10;
  t.EmitDuration = 100.0f;
  t.LifeMin = t.LifeMax = 100.0f;
  t.SizeStart = t.SizeMiddle = t.SizeEnd = 1.0f;
  t.ColorStart = t.ColorMiddle = t.ColorEnd = 0xFF808080u;
  t.MiddleTime = 0.5f;
  return t;
}

std::vector<uint8_t> Bytes(const TParticleTemplate& t) {
  const auto encoded = t.Encode();
  return {encoded.begin(), encoded.end()};
}

// Draw n of the generator gives (n-th seed >> 16) / 65535 on the range 0..1. The seeds, worked
// by hand from S = S * 214013 + 2531011 (mod 2^32) starting at 0:
//   S1 = 2531011               >> 16 = 38
//   S2 = 2531011 * 214014 mod 2^32 = 505908858  >> 16 = 7719
//   S3 = 505908858 * 214013 + 2531011 mod 2^32 = 3539360597  >> 16 = 54006
//   S4 = 159719620             >> 16 = 2437
//   S5 = 2727824503            >> 16 = 41623
TEST(ParticleRandom, FirstValuesOfTheSeededGenerator) {
  TParticleRandom r;
  EXPECT_FLOAT_EQ(r.Range(0, 1), 38.0f / 65535.0f);
  EXPECT_EQ(r.Seed(), 2531011u);
  EXPECT_FLOAT_EQ(r.Range(0, 65535), 7719.0f);
  EXPECT_EQ(r.Seed(), 505908858u);
  EXPECT_FLOAT_EQ(r.Range(10, -10), -10.0f + 20.0f * 54006.0f / 65535.0f) << "bounds in either order";
  EXPECT_EQ(r.Seed(), 3539360597u);
  EXPECT_FLOAT_EQ(r.Range(3, 3), 3.0f);
  EXPECT_EQ(r.Seed(), 159719620u);
  EXPECT_FLOAT_EQ(r.Range(0, 65535), 41623.0f);
}

TEST(ParticleSystem, DrawsTheGeneratorInTheGivenOrderPerParticle) {
  TParticleTemplate t = Calm();
  t.LifeMin = 0;
  t.LifeMax = 65535;  // life takes draw 1 as it is: 38
  t.EmitRate = 20;    // one particle in a step of 0.05
  TParticleRandom random;
  TXParticleSystem s(random, 10);
  s.SetTemplate(t);
  s.MoveTo(100, 50, false);
  s.Start();
  s.Update(0.05f);
  ASSERT_EQ(s.Count(), 1);
  const TXParticle& p = s.Particles()[0];
  EXPECT_FLOAT_EQ(p.Life, 38.0f);
  EXPECT_FLOAT_EQ(p.MiddleAge, 19.0f);
  // Draw 2 places it along the (empty) path; draws 3 and 4 are the X and Y jitter.
  EXPECT_FLOAT_EQ(p.X, 100.0f + (-1.0f + 2.0f * 54006.0f / 65535.0f));
  EXPECT_FLOAT_EQ(p.Y, 50.0f + (-1.0f + 2.0f * 2437.0f / 65535.0f));
  EXPECT_FLOAT_EQ(p.AnchorDX, 100.0f - p.X);
  // Thirteen draws per particle.
  TParticleRandom replay;
  for (int i = 0; i < 13; ++i) replay.Range(0, 1);
  EXPECT_EQ(random.Seed(), replay.Seed());
}

TEST(ParticleSystem, EmitsWithARoundingAccumulator) {
  TParticleTemplate t = Calm();
  t.EmitRate = 30;
  TParticleRandom random;
  TXParticleSystem s(random, 100);
  s.SetTemplate(t);
  s.Start();
  s.Update(0.05f);  // 1.5 rounds to 2 (ties to even)
  EXPECT_EQ(s.Count(), 2);
  EXPECT_FLOAT_EQ(s.EmitAccumulator(), -0.5f);
  s.Update(0.05f);  // 1.0
  EXPECT_EQ(s.Count(), 3);
  EXPECT_FLOAT_EQ(s.EmitAccumulator(), 0.0f);
  s.Update(0.05f / 3);  // 0.5 rounds to 0
  EXPECT_EQ(s.Count(), 3);
  EXPECT_NEAR(s.EmitAccumulator(), 0.5f, 1e-6);
}

TEST(ParticleSystem, EmissionStopsAtTheCapacityAndAtTheEndOfTheDuration) {
  TParticleTemplate t = Calm();
  t.EmitRate = 1000;
  t.EmitDuration = 0.1f;
  TParticleRandom random;
  TXParticleSystem s(random, 30);
  s.SetTemplate(t);
  s.Start();
  s.Update(0.05f);
  EXPECT_EQ(s.Count(), 30);
  EXPECT_TRUE(s.Emitting());
  s.Update(0.05f);  // reaches the duration: no emission in this step
  EXPECT_FALSE(s.Emitting());
}

TEST(ParticleSystem, AParticleWhoseAgeReachesItsLifeIsRemovedBeforeItMoves) {
  TParticleTemplate t = Calm();
  t.EmitRate = 2;
  t.EmitDuration = 1.0f;
  t.LifeMin = t.LifeMax = 1.0f;
  t.SpeedMin = t.SpeedMax = 10.0f;
  TParticleRandom random;
  TXParticleSystem s(random, 10);
  s.SetTemplate(t);
  s.Start();
  s.Update(0.5f);  // emits one (2 x 0.5)
  ASSERT_EQ(s.Count(), 1);
  const float y0 = s.Particles()[0].Y;
  s.Update(0.5f);  // age 0.5: moves by 10 x 0.5 down; the emitter has run out
  ASSERT_EQ(s.Count(), 1);
  EXPECT_FLOAT_EQ(s.Particles()[0].Y, y0 + 5.0f);
  s.Update(0.5f);  // age 1.0 = life
  EXPECT_EQ(s.Count(), 0);
}

TEST(ParticleSystem, RemovalKeepsTheSurvivorsPackedInEmissionOrder) {
  TParticleTemplate t = Calm();
  t.EmitRate = 1;
  t.LifeMin = 2.5f;
  t.LifeMax = 3.0f;
  TParticleRandom random;
  TXParticleSystem s(random, 100);
  s.SetTemplate(t);
  s.Start();
  for (int i = 0; i < 8; ++i) s.Update(0.5f);
  ASSERT_GE(s.Count(), 3);
  for (const TXParticle& p : s.Particles()) EXPECT_LT(p.Age, p.Life);
  // Born every other step, oldest first: ages fall along the array.
  for (size_t i = 1; i < s.Particles().size(); ++i) EXPECT_GT(s.Particles()[i - 1].Age, s.Particles()[i].Age);
}

TEST(ParticleSystem, MiddlePointSwitchesToTheEndValues) {
  TParticleTemplate t = Calm();
  t.EmitRate = 1;
  t.LifeMin = t.LifeMax = 4.0f;
  t.SizeStart = 1.0f;
  t.SizeMiddle = 3.0f;
  t.SizeEnd = 0.0f;
  t.ColorStart = 0x00000000u;
  t.ColorMiddle = 0x80402010u;
  t.ColorEnd = 0x00000000u;
  TParticleRandom random;
  TXParticleSystem s(random, 10);
  s.SetTemplate(t);
  s.Start();
  s.Update(1.0f);
  s.StopEmitting(false);
  const TXParticle* p = &s.Particles()[0];
  EXPECT_FLOAT_EQ(p->SizeSpeed, 1.0f);  // (3 - 1) / middle age 2
  s.Update(1.0f);
  EXPECT_FLOAT_EQ(p->Size, 2.0f);
  EXPECT_FLOAT_EQ(p->Color[0], 8.0f);  // 0x10 / 2 per unit
  s.Update(1.0f);  // crosses the middle: the size still moves at the old speed, then turns
  EXPECT_FLOAT_EQ(p->Size, 3.0f);
  EXPECT_FLOAT_EQ(p->SizeSpeed, -1.5f);  // (0 - 3) over the 2 left
  // The colour takes its new speed in the same step.
  EXPECT_FLOAT_EQ(p->Color[3], 64.0f - 32.0f);
}

TEST(ParticleSystem, ColoursAreClampedAlphaJustBelowTheTop) {
  TParticleTemplate t = Calm();
  t.EmitRate = 1;
  t.LifeMin = t.LifeMax = 1.0f;
  t.ColorStart = 0xC8C8C8C8u;  // 200 each
  t.ColorMiddle = 0xFFFFFFFFu;
  t.ColorEnd = 0x00FFFF00u;  // red 0, green and blue 255, alpha 0
  TParticleRandom random;
  TXParticleSystem s(random, 10);
  s.SetTemplate(t);
  s.Start();
  s.Update(1.0f);
  s.StopEmitting(false);
  s.Update(0.6f);  // crossing: speeds towards the end over 0.5; red and alpha fall, the others rise
  const TXParticle& p = s.Particles()[0];
  EXPECT_EQ(p.Color[0], 0.0f) << "below zero becomes 0";
  EXPECT_EQ(p.Color[1], 255.0f);
  EXPECT_EQ(p.Color[3], 0.0f);

  t.ColorEnd = 0xFFFFFFFFu;
  TXParticleSystem up(random, 10);
  up.SetTemplate(t);
  up.Start();
  up.Update(1.0f);
  up.Update(0.6f);  // 200 + 110 x 0.6 = 266
  EXPECT_EQ(up.Particles()[0].Color[0], 255.0f);
  EXPECT_EQ(up.Particles()[0].Color[3], 254.0f);
}

TEST(ParticleSystem, RadialAndTangentialPullFromTheAnchor) {
  TParticleTemplate t = Calm();
  t.EmitRate = 1;
  t.RadialMin = t.RadialMax = 2.0f;
  TParticleRandom random;
  TXParticleSystem s(random, 10);
  s.SetTemplate(t);
  s.MoveTo(100, 100, false);
  s.Start();
  s.Update(1.0f);
  s.StopEmitting(false);
  const TXParticle p0 = s.Particles()[0];
  // The anchor is the system mirrored through the birth point's offset, so the pull
  // points away from the system along the jitter.
  const float jx = p0.X - 100.0f;
  const float jy = p0.Y - 100.0f;
  const float len = std::hypot(jx, jy);
  s.Update(0.1f);
  const TXParticle& p = s.Particles()[0];
  EXPECT_NEAR(p.VX, jx / len * 2.0f, 1e-4);  // radial x 10 x delta
  EXPECT_NEAR(p.VY, jy / len * 2.0f, 1e-4);

  t.RadialMin = t.RadialMax = 0.0f;
  t.TangentialMin = t.TangentialMax = 1.0f;
  TParticleRandom random2;
  TXParticleSystem q(random2, 10);
  q.SetTemplate(t);
  q.MoveTo(100, 100, false);
  q.Start();
  q.Update(1.0f);
  q.StopEmitting(false);
  q.Update(0.1f);
  EXPECT_NEAR(q.Particles()[0].VX, -jy / len, 1e-4);
  EXPECT_NEAR(q.Particles()[0].VY, jx / len, 1e-4);
}

TEST(ParticleSystem, GravitySpeedAndDirection) {
  TParticleTemplate t = Calm();
  t.EmitRate = 1;
  t.Direction = std::numbers::pi_v<float> / 2;  // along +X
  t.SpeedMin = t.SpeedMax = 10.0f;
  t.GravityMin = t.GravityMax = 1.0f;
  TParticleRandom random;
  TXParticleSystem s(random, 10);
  s.SetTemplate(t);
  s.Start();
  s.Update(1.0f);
  s.StopEmitting(false);
  EXPECT_NEAR(s.Particles()[0].VX, 10.0f, 1e-4);
  EXPECT_NEAR(s.Particles()[0].VY, 0.0f, 1e-4);
  s.Update(0.5f);
  EXPECT_NEAR(s.Particles()[0].VY, 5.0f, 1e-4);  // gravity x 10 x delta
}

TEST(ParticleSystem, MovingWithAndWithoutDragging) {
  TParticleTemplate t = Calm();
  TParticleRandom random;
  TXParticleSystem s(random, 100);
  s.SetTemplate(t);
  s.MoveTo(10, 20, false);  // idle: no trail
  EXPECT_EQ(s.PrevX(), 10.0f);
  s.Start();
  s.Update(0.5f);
  const float x0 = s.Particles()[0].X;
  s.MoveBy(5, 0, false);  // emitting: the trail starts at the old place
  EXPECT_EQ(s.X, 15.0f);
  EXPECT_EQ(s.PrevX(), 10.0f);
  EXPECT_EQ(s.Particles()[0].X, x0);
  s.MoveTo(25, 20, true);
  EXPECT_EQ(s.PrevX(), 20.0f);
  EXPECT_EQ(s.Particles()[0].X, x0 + 10.0f);
  // Particles born after a move land along the path from the previous position.
  s.Update(0.5f);
  for (const TXParticle& p : s.Particles().subspan(5)) EXPECT_GE(p.X, 20.0f - 1.0f);
}

TEST(ParticleSystem, AlignToMotionTurnsTheConeBackAlongTheMove) {
  TParticleTemplate t = Calm();
  t.EmitRate = 1;
  t.AlignToMotion = 1;
  t.SpeedMin = t.SpeedMax = 1.0f;
  TParticleRandom random;
  TXParticleSystem s(random, 10);
  s.SetTemplate(t);
  s.Start();
  s.MoveBy(10, 0, false);  // moving right: particles leave towards the left
  s.Update(1.0f);
  EXPECT_NEAR(s.Particles()[0].VX, -1.0f, 1e-4);
  EXPECT_NEAR(s.Particles()[0].VY, 0.0f, 1e-4);
}

TEST(ParticleSystem, StartNeedsAnEmitterPoint) {
  TParticleRandom random;
  TXParticleSystem s(random, 10);
  s.SetTemplate(Calm());
  s.ClearEmitterPoints();
  s.Start();
  EXPECT_FALSE(s.Emitting());
  s.AddEmitterPoint({3, 4});
  s.Start();
  s.Update(1.0f);
  ASSERT_EQ(s.Count(), 10);
  EXPECT_NEAR(s.Particles()[0].X, 3.0f, 1.0f);
  EXPECT_NEAR(s.Particles()[0].Y, 4.0f, 1.0f);
}

TEST(ParticleSystem, ZeroSpansGiveNoSpeedInsteadOfInfinity) {
  TParticleTemplate t = Calm();
  t.MiddleTime = 0.0f;  // middle point at birth
  t.SizeEnd = 5.0f;
  t.PatternStart = 0;
  t.PatternEnd = 3;
  TParticleRandom random;
  TXParticleSystem s(random, 100);
  s.SetTemplate(t);
  s.Start();
  s.Update(1.0f);
  s.Update(1.0f);
  for (const TXParticle& p : s.Particles()) {
    EXPECT_TRUE(std::isfinite(p.Size));
    EXPECT_TRUE(std::isfinite(p.SizeSpeed));
    EXPECT_TRUE(std::isfinite(p.Color[0]));
  }
  t.LifeMin = t.LifeMax = 0.0f;  // dies at once
  s.SetTemplate(t);
  s.Update(1.0f);
  s.Update(1.0f);
  for (const TXParticle& p : s.Particles().last(10)) EXPECT_TRUE(std::isfinite(p.PatternSpeed));
}

TEST(ParticleTemplate, DecodesTheLittleEndianLayoutAndZeroFillsShortRecords) {
  std::vector<uint8_t> bytes(136, 0);
  bytes[0] = 2;                                                       // PatternStart 2
  bytes[4] = 0xFF, bytes[5] = 0xFF, bytes[6] = 0xFF, bytes[7] = 0xFF;  // PatternEnd -1
  bytes[12] = 0x04, bytes[13] = 0x01;                                 // Effect $0104
  bytes[16] = 30;                                                     // EmitRate
  bytes[22] = 0x80, bytes[23] = 0x3F;                                 // EmitDuration 1.0f
  bytes[40] = 1;                                                      // AlignToMotion
  bytes[108] = 0x11, bytes[109] = 0x22, bytes[110] = 0x33, bytes[111] = 0x44;  // ColorStart
  bytes[130] = 0x00, bytes[131] = 0x3F;                               // MiddleTime 0.5f
  bytes[132] = 1;                                                     // DrawNewestFirst
  bytes[8] = 0xAA;                                                    // reserved: ignored
  const TParticleTemplate t = TParticleTemplate::Decode(bytes);
  EXPECT_EQ(t.PatternStart, 2);
  EXPECT_EQ(t.PatternEnd, -1);
  EXPECT_EQ(t.Effect, 0x0104);
  EXPECT_EQ(t.EmitRate, 30);
  EXPECT_EQ(t.EmitDuration, 1.0f);
  EXPECT_EQ(t.AlignToMotion, 1);
  EXPECT_EQ(t.ColorStart, 0x44332211u);
  EXPECT_EQ(t.MiddleTime, 0.5f);
  EXPECT_EQ(t.DrawNewestFirst, 1);
  auto encoded = t.Encode();
  bytes[8] = 0;
  EXPECT_EQ(std::vector<uint8_t>(encoded.begin(), encoded.end()), bytes);

  const std::vector<uint8_t> shortRecord(bytes.begin(), bytes.begin() + 20);
  const TParticleTemplate s = TParticleTemplate::Decode(shortRecord);
  EXPECT_EQ(s.EmitRate, 30);
  EXPECT_EQ(s.EmitDuration, 0.0f);
  EXPECT_EQ(s.ColorStart, 0u);
}

class Manager : public ::testing::Test {
 protected:
  void SetUp() override {
    manager.AddTemplate("GoldExp.pss", Bytes(Calm()));
    TParticleTemplate never = Calm();
    never.EmitDuration = 0.0f;
    manager.AddTemplate("Never.pss", Bytes(never));
  }
  TXParticleManager manager;
};

TEST_F(Manager, FindsTemplatesIgnoringTheCaseOfAsciiLetters) {
  EXPECT_EQ(manager.TemplateName(0), "goldexp.pss");
  EXPECT_TRUE(manager.Spawn("GOLDEXP.PSS", 10, 20));
  EXPECT_TRUE(manager.Spawn("goldExp.pss", 10, 20));
  EXPECT_FALSE(manager.Spawn("goldexp", 10, 20));
  EXPECT_FALSE(manager.Spawn("", 10, 20));
  EXPECT_EQ(manager.Count(), 2);
  const TXParticleSystem* s = manager.SystemAt(0);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->X, 10.0f);
  EXPECT_EQ(s->PrevX(), 10.0f);
  EXPECT_TRUE(s->Emitting());
  EXPECT_TRUE(s->Name.empty());
  EXPECT_EQ(s->Capacity(), TXParticleManager::kCapacity);
  EXPECT_EQ(manager.SystemAt(2), nullptr);
  EXPECT_EQ(manager.SystemAt(-1), nullptr);
}

TEST_F(Manager, SystemsHoldTheCapacityTheManagerWasMadeWith) {
  TXParticleManager small(8);
  small.AddTemplate("goldexp.pss", Bytes(Calm()));
  TXParticleRef ref = small.Spawn("goldexp.pss", 0, 0);
  ASSERT_TRUE(ref);
  for (int frame = 0; frame < 50; ++frame) small.UpdateAll(0.05f);
  EXPECT_EQ(ref.Get()->Capacity(), 8);
  EXPECT_EQ(ref.Count(), 8);  // 25 were due: the system fills to its capacity and no further
}

TEST_F(Manager, ATemplateThatNeverEmitsIsFreedByTheFirstUpdate) {
  TXParticleRef ref = manager.Spawn("never.pss", 0, 0);
  ASSERT_TRUE(ref);
  EXPECT_FALSE(ref.Emitting());
  manager.UpdateAll(0.01f);
  EXPECT_EQ(manager.Count(), 0);
  EXPECT_FALSE(ref);
}

TEST_F(Manager, StopEmittingWithClearingFreesInTheNextUpdate) {
  TXParticleRef ref = manager.Spawn("goldexp.pss", 0, 0);
  manager.UpdateAll(1.0f);
  ASSERT_GT(ref.Count(), 0);
  ref.StopEmitting(true);
  EXPECT_EQ(ref.Count(), 0);
  EXPECT_TRUE(ref) << "freed only by the manager's update";
  manager.UpdateAll(0.01f);
  EXPECT_FALSE(ref);
  EXPECT_EQ(manager.Count(), 0);
}

TEST_F(Manager, AtMostAHundredSystemsAndAnEmptySpawnIsSafe) {
  std::vector<TXParticleRef> refs;
  for (int i = 0; i < 100; ++i) refs.push_back(manager.Spawn("goldexp.pss", 0, 0));
  TXParticleRef none = manager.Spawn("goldexp.pss", 0, 0);
  EXPECT_FALSE(none);
  EXPECT_EQ(manager.Count(), 100);
  // Everything a caller does with what it stored is harmless.
  none.MoveTo(1, 2, true);
  none.MoveBy(1, 2, false);
  none.SetPosition(5, 5);
  none.SetName("Bonus");
  none.StopEmitting(true);
  EXPECT_EQ(none.Count(), 0);
  EXPECT_FALSE(none.Emitting());
  EXPECT_EQ(none.Get(), nullptr);
  for (const TXParticleRef& r : refs) EXPECT_TRUE(r);
}

TEST_F(Manager, UpdateAllSwapsTheLastSystemIntoAFreedSlot) {
  TXParticleRef a = manager.Spawn("goldexp.pss", 1, 0);
  TXParticleRef b = manager.Spawn("goldexp.pss", 2, 0);
  TXParticleRef c = manager.Spawn("goldexp.pss", 3, 0);
  TXParticleRef d = manager.Spawn("goldexp.pss", 4, 0);
  a.SetName("a");
  b.StopEmitting(true);
  manager.UpdateAll(0.1f);
  ASSERT_EQ(manager.Count(), 3);
  EXPECT_EQ(manager.SystemAt(0), a.Get());
  EXPECT_EQ(manager.SystemAt(1), d.Get()) << "the last one fills the freed slot";
  EXPECT_EQ(manager.SystemAt(2), c.Get());
  EXPECT_EQ(manager.SystemAt(0)->Name, "a");
  EXPECT_FALSE(b);
  // The moved system was updated once in that call, like the others.
  EXPECT_EQ(d.Count(), c.Count());
}

TEST_F(Manager, ReferencesOutliveTheManagerSafely) {
  TXParticleRef ref;
  {
    TXParticleManager local;
    local.AddTemplate("x.pss", Bytes(Calm()));
    ref = local.Spawn("X.PSS", 0, 0);
    EXPECT_TRUE(ref);
  }
  EXPECT_FALSE(ref);
  ref.StopEmitting(false);
}

TEST_F(Manager, SystemsOfOneManagerShareTheSeededGenerator) {
  TXParticleManager other;
  other.AddTemplate("goldexp.pss", Bytes(Calm()));
  manager.Spawn("goldexp.pss", 0, 0);
  manager.Spawn("goldexp.pss", 0, 0);
  manager.UpdateAll(0.1f);  // one particle each, 13 draws each
  TParticleRandom replay;
  for (int i = 0; i < 26; ++i) replay.Range(0, 1);
  EXPECT_EQ(manager.Random().Seed(), replay.Seed());
  EXPECT_EQ(other.Random().Seed(), 0u);
}

TEST(ParticleManager, LoadsEveryPssRecordOfAnArchive) {
  test::TempDir dir;
  TParticleTemplate t = Calm();
  t.EmitRate = 77;
  const auto good = Bytes(t);
  test::RawRecord broken{"Broken.pss", 0, good};
  broken.digest = std::array<uint8_t, 16>{};  // fails its check: an all-zero template
  const auto file =
      dir.Write("a.zbx", test::BuildArchive({
                             {"Fire.pss", 0, good},
                             {"picture", 1, good},
                             {"Loud.PSS", 0, good},  // the extension is compared exactly
                             broken,
                             {"short.pss", 0, std::vector<uint8_t>(good.begin(), good.begin() + 20)},
                         }));
  TArchiveDb archive(file, TOpenModes::opReadOnly);
  TXParticleManager manager;
  EXPECT_EQ(manager.LoadFromArchive(archive), 3);
  ASSERT_EQ(manager.TemplateCount(), 3);
  EXPECT_EQ(manager.TemplateName(0), "fire.pss");
  EXPECT_EQ(manager.FindTemplate("FIRE.PSS")->EmitRate, 77);
  EXPECT_EQ(manager.FindTemplate("loud.pss"), nullptr);
  EXPECT_EQ(manager.FindTemplate("broken.pss")->EmitRate, 0);
  EXPECT_FALSE(manager.Spawn("broken.pss", 0, 0).Emitting());
  EXPECT_EQ(manager.FindTemplate("short.pss")->EmitRate, 77);
  EXPECT_EQ(manager.FindTemplate("short.pss")->LifeMin, 0.0f);

  TArchiveDb missing(dir.Path() / "none.zbx", TOpenModes::opReadOnly);
  EXPECT_EQ(manager.LoadFromArchive(missing), 0);
}

TEST(XObject, AngleToMeasuresLikeADirection) {
  TParticleRandom random;
  TXParticleSystem s(random, 1);
  s.X = 10;
  s.Y = 10;
  EXPECT_NEAR(s.AngleTo(10, 20), 0.0f, 1e-6);  // straight down
  EXPECT_NEAR(s.AngleTo(20, 10), std::numbers::pi / 2, 1e-6);
  EXPECT_NEAR(s.Angle, std::numbers::pi / 2, 1e-6);
}

}  // namespace
}  // namespace zb
