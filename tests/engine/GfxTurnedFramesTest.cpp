// Swaying plants on the software renderer: patterns turned once and copied must look like the
// same patterns turned as triangles.
#include "engine/GfxTurnedFrames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <vector>

#include "engine/ArchiveDb.h"
#include "engine/GfxCanvas.h"
#include "engine/platform/headless/Headless.h"

namespace zb {
namespace {

TEST(TurnedFrames, TurnsClockwiseOnTheScreenAndTrimsToTheDrawnPixels) {
  // A 4 x 2 pattern, its left column A, the rest B; turned a quarter clockwise it stands 2 x 4,
  // with the former left column on top.
  const uint32_t A = 0xFFFF0000u, B = 0xFF00FF00u;
  const uint32_t pixels[8] = {A, B, B, B, A, B, B, B};
  int left = 0, top = 0, w = 0, h = 0;
  const std::vector<uint32_t> out =
      TTurnedFrames::Turn(pixels, 4, 4, 2, static_cast<float>(std::numbers::pi / 2), left, top, w, h);
  ASSERT_EQ(w, 2);
  ASSERT_EQ(h, 4);
  EXPECT_EQ(left, -1);
  EXPECT_EQ(top, -2);
  EXPECT_EQ(out, (std::vector<uint32_t>{A, A, B, B, B, B, B, B}));
  // Fully transparent pixels are trimmed away; nothing drawn gives an empty frame.
  const uint32_t clear[4] = {0, 0, 0, 0};
  EXPECT_TRUE(TTurnedFrames::Turn(clear, 2, 2, 2, 0.3f, left, top, w, h).empty());
  EXPECT_EQ(w, 0);
}

class TurnedLeavesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(device_.Initialize());
    ASSERT_TRUE(device_.Renderer()->PrefersCopies());
    canvas_.SetAntialias(false);
    TArchiveDb archive(std::filesystem::path(ZB_GAME_DIR) / "Data" / "data.zbx", TOpenModes::opReadOnly);
    ASSERT_TRUE(images_.LoadFromArchive(archive));
  }

  std::vector<uint32_t> Draw(const TGfxImage* image, int pattern, float angle, bool turned) {
    device_.Renderer()->Clear(0xFF406080u);
    if (turned) {
      canvas_.DrawPatternTurned(image, pattern, 400, 300, angle, 1, 1, false, false, Colors4(0xFFFFFFFFu), fxBlend);
    } else {
      canvas_.DrawPatternRotated(image, pattern, 400, 300, angle, 1, 1, false, false, Colors4(0xFFFFFFFFu), fxBlend);
    }
    canvas_.Flush();
    std::vector<uint32_t> pixels;
    int w = 0, h = 0;
    EXPECT_TRUE(device_.Renderer()->ReadPixels(pixels, w, h));
    return pixels;
  }

  platform::HeadlessWindow window_;
  TGfxDevice device_{window_, "test"};
  TGfxCanvas canvas_{&device_};
  TGfxImages images_{&device_};
};

// How far two pictures lie apart as the eye sees them: both are averaged over 7 x 7 pixels (a
// texel picked half a pixel away along a thin outline is no visible change, a turn or shift is),
// then the mean difference per channel over the pixels the plant covers.
double Distance(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, uint32_t back) {
  constexpr int r = 3;
  int x0 = 800, y0 = 600, x1 = 0, y1 = 0;
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      const size_t i = static_cast<size_t>(y * 800 + x);
      if ((a[i] & 0xFFFFFF) == back && (b[i] & 0xFFFFFF) == back) continue;
      x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
    }
  }
  auto blurred = [](const std::vector<uint32_t>& p, int x, int y, int shift) {
    int sum = 0;
    for (int dy = -r; dy <= r; ++dy) {
      for (int dx = -r; dx <= r; ++dx) {
        sum += static_cast<int>((p[static_cast<size_t>((y + dy) * 800 + x + dx)] >> shift) & 0xFF);
      }
    }
    return sum / double((2 * r + 1) * (2 * r + 1));
  };
  double total = 0;
  long covered = 0;
  for (int y = std::max(r, y0); y <= std::min(599 - r, y1); ++y) {
    for (int x = std::max(r, x0); x <= std::min(799 - r, x1); ++x) {
      const size_t i = static_cast<size_t>(y * 800 + x);
      if ((a[i] & 0xFFFFFF) == back && (b[i] & 0xFFFFFF) == back) continue;
      ++covered;
      for (int shift : {0, 8, 16}) total += std::abs(blurred(a, x, y, shift) - blurred(b, x, y, shift));
    }
  }
  return covered > 0 ? total / (3.0 * static_cast<double>(covered)) : 0.0;
}

TEST_F(TurnedLeavesTest, EveryPlantLooksAsWhenTurnedAsTriangles) {
  struct Plant {
    const char* image;
    int pattern;
    double degrees, amplitude;
  };
  const double pi = std::numbers::pi;
  const Plant plants[] = {{"leafs", 0, 60, pi / 30}, {"leafs", 1, 0, pi / 40},    {"leafs", 2, -30, pi / 20},
                          {"leafs", 3, 90, pi / 40}, {"leafs", 4, 130, pi / 40}, {"leafer", 0, 0, pi / 80}};
  for (const Plant& plant : plants) {
    const TGfxImage* image = images_.FindImage(plant.image);
    ASSERT_NE(image, nullptr);
    for (double sway : {-1.0, -0.3, 0.1, 0.55, 1.0}) {
      const auto angle = static_cast<float>(plant.degrees * pi / 180 + plant.amplitude * sway);
      const std::vector<uint32_t> filled = Draw(image, plant.pattern, angle, false);
      const std::vector<uint32_t> kept = Draw(image, plant.pattern, angle, true);
      const double same = Distance(filled, kept, 0x406080u);
      EXPECT_LT(same, 5.0) << plant.image << plant.pattern << " sway " << sway;
      // The measure sees a plant turned three degrees too far, as a wrong frame would be.
      const std::vector<uint32_t> off = Draw(image, plant.pattern, angle + static_cast<float>(pi / 60), false);
      EXPECT_GT(Distance(filled, off, 0x406080u), 2 * same) << plant.image << plant.pattern;
    }
  }
}

TEST_F(TurnedLeavesTest, ASwayComesBackToTheFramesItHasTurned) {
  const TGfxImage* image = images_.FindImage("leafs");
  ASSERT_NE(image, nullptr);
  TTurnedFrames frames;
  const double pi = std::numbers::pi;
  // The widest sway of the playfield, through many frames of its sine, twice.
  for (int round = 0; round < 2; ++round) {
    for (int phase = 0; phase < 720; ++phase) {
      const auto angle = static_cast<float>(-pi / 6 + pi / 20 * std::sin(phase * 1.7 * pi / 180));
      ASSERT_NE(frames.Find(*device_.Renderer(), *image, 2, angle), nullptr);
    }
    const size_t count = frames.Count();
    EXPECT_LE(count, 80u);
    EXPECT_GE(count, 20u);
  }
  const size_t count = frames.Count();
  frames.Find(*device_.Renderer(), *image, 2, static_cast<float>(-pi / 6));
  EXPECT_EQ(frames.Count(), count);
}

}  // namespace
}  // namespace zb
