// The form's sprite engine and particle manager in the frame loop.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "app/Form1.h"
#include "app/HeadlessGame.h"
#include "tests/app/GameFolder.h"
#include "screens/ScreenMachine.h"

namespace zb {
namespace {

class Form1Sprites : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() /
        ("zb-form-sprites-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(folder_);
    test::InstallArchives(folder_);
    game_ = std::make_unique<HeadlessGame>(folder_);
    ASSERT_TRUE(game_->Start());
  }
  void TearDown() override {
    game_.reset();
    std::filesystem::remove_all(folder_);
  }
  std::filesystem::path folder_;
  std::unique_ptr<HeadlessGame> game_;
};

struct Mover : TSprite {
  Mover(TSpriteEngine& engine, std::vector<float>* deltas) : TSprite(engine), deltas_(deltas) {}
  void Move(float delta) override { deltas_->push_back(delta); }
  std::vector<float>* deltas_;
};

TEST_F(Form1Sprites, TheFrameMovesSpritesOneStepWhateverTheClockAndRemovesTheDead) {
  TForm1& form = game_->Form();
  ASSERT_EQ(form.Screen.CurrentScreen, ScreenLogo);  // C, R, D, M, G, PU, PD, CD
  std::vector<float> deltas;
  SpriteRef<Mover> mover = &form.Core.Engine.Create<Mover>(&deltas);
  game_->Frames(2);
  game_->Platform().clock.AdvanceMillis(5000);  // a long stall
  game_->Frame();
  EXPECT_EQ(deltas, std::vector<float>(3, kTickSeconds));
  mover.Get()->Kill();
  game_->Frame();
  EXPECT_FALSE(mover) << "freed by the removal pass of the next frame";
}

TEST_F(Form1Sprites, TheFrameStepsParticlesTenTimesTheSpriteStep) {
  TForm1& form = game_->Form();
  TParticleTemplate t;
  t.EmitRate = 1000;
  t.EmitDuration = 100;
  t.LifeMin = t.LifeMax = 100;
  t.MiddleTime = 0.5f;
  const auto bytes = t.Encode();
  form.Core.Particles.AddTemplate("steady.pss", bytes);
  TXParticleRef system = form.Core.Particles.Spawn("steady.pss", 400, 300);
  game_->Frames(4);
  ASSERT_TRUE(system);
  // The emitter's clock is the sum of the steps: 10 x Delta a frame, at most 0.01.
  const float elapsed = system.Get()->EmitTimer();
  EXPECT_GT(elapsed, 0.0f);
  EXPECT_LE(elapsed, 4 * 0.01f + 1e-6f);
  EXPECT_NEAR(system.Count(), 1000.0f * elapsed, 1.0f);
  system.StopEmitting(true);
  game_->Frame();
  EXPECT_FALSE(system);
}

TEST_F(Form1Sprites, StartUpLoadsEveryTemplateTheGameSpawnsAndTheirImage) {
  TForm1& form = game_->Form();
  const TGfxImage* image = form.Core.Particles.Image;
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Name, "particles");
  EXPECT_EQ(image->PatternCount(), 16);
  EXPECT_EQ(form.Core.Particles.Canvas, &form.MyCanvas);
  for (const char* name :
       {"GoldExp.pss",     "RedExp.pss",    "GreenExp.pss",  "BlueExp.pss",  "YellowExp.pss", "BrownExp.pss",
        "MagentaExp.pss",  "2PartExp.pss",  "5PartExp.pss",  "3Balls.pss",   "Crush.pss",     "BallSuper.pss",
        "Bonus.pss",       "Bonus2Exp.pss", "Bonus3Exp.pss", "BitkaExp.pss", "FireSmall.pss", "GetLife.pss",
        "StLevelTail.pss", "Waterfall.pss", "KeyPart.pss"}) {
    const TParticleTemplate* t = form.Core.Particles.FindTemplate(name);
    ASSERT_NE(t, nullptr) << name;
    EXPECT_GT(t->EmitDuration, 0.0f) << name;
    EXPECT_GT(t->EmitRate, 0) << name;
    EXPECT_GE(t->PatternStart, 0) << name;
    EXPECT_LT(t->PatternStart, 16) << name;
  }
}

TEST_F(Form1Sprites, ABurstShowsOnTheScreenWhereItWasSpawned) {
  TForm1& form = game_->Form();
  ASSERT_EQ(form.Screen.CurrentScreen, ScreenLogo);  // its frame updates and draws every system
  auto golden = [this] {
    int lit = 0;
    for (int y = 400; y < 500; y += 2) {
      for (int x = 550; x < 650; x += 2) {
        const uint32_t argb = game_->PixelAt(x, y);
        if (((argb >> 16) & 0xFF) > 150 && ((argb >> 8) & 0xFF) > 100 && (argb & 0xFF) < 200) ++lit;
      }
    }
    return lit;
  };
  game_->Frames(8);
  const int before = golden();
  TXParticleRef burst = form.Core.Particles.Spawn("GoldExp.pss", 600, 450);
  ASSERT_TRUE(burst);
  game_->Frames(8);
  ASSERT_GT(burst.Count(), 0);
  EXPECT_GT(golden(), before + 5);
}

TEST_F(Form1Sprites, ThePointerIsDrawnOnceAFrameWhereThePointerIs) {
  ASSERT_EQ(game_->Form().Screen.CurrentScreen, ScreenLogo);  // black around the logo
  auto lit = [this](int left, int top) {
    int count = 0;
    for (int y = top; y < top + 24; ++y) {
      for (int x = left; x < left + 16; ++x) count += (game_->PixelAt(x, y) & 0x00FFFFFFu) != 0 ? 1 : 0;
    }
    return count;
  };
  game_->MouseMove(100, 520);
  game_->Frames(3);
  ASSERT_GT(lit(100, 520), 20) << "the pointer where it is";
  game_->MouseMove(600, 520);
  game_->Frame();
  EXPECT_GT(lit(600, 520), 20) << "the pointer follows in the same frame";
  EXPECT_EQ(lit(100, 520), 0) << "no second pointer where it was a frame ago";
}

}  // namespace
}  // namespace zb
