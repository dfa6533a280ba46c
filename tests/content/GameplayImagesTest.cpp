// The images the ball, bat, monkey and bricks step through are in the built archive with at least
// the frames their animations reach (the bat's own sprite is never drawn nor animated).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "engine/ArchiveDb.h"
#include "engine/GfxImages.h"

namespace zb {
namespace {

TEST(GameplayImagesTest, EveryImageHasTheFramesItsSpriteReaches) {
  TArchiveDb archive(std::filesystem::path(ZB_GAME_DIR) / "Data" / "data.zbx", TOpenModes::opReadOnly);
  TGfxImages images;
  ASSERT_TRUE(images.LoadFromArchive(archive));
  const std::vector<std::pair<std::string, int>> frames = {
      {"ball", 8},      {"ball2", 8},     {"bitka1_1", 1},  {"bitka2_1", 1},   {"bitka3_1", 1},
      {"bitka4_1", 1},  {"bitka1", 7},    {"bitka4", 1},    {"m_jump", 14},    {"m_stay", 9},
      {"m_run", 9},     {"m_hit", 8},     {"m_throw", 9},   {"m_ches", 11},    {"m_vipuch", 7},
      {"m_finish", 14}, {"playerpula", 1}, {"block_n2", 8},  {"block_n22", 8},  {"block_n51", 8},
      {"block_n52", 8}, {"block_n53", 8}, {"block_n54", 8}, {"gold", 8},       {"block1", 8},
      {"block2", 8},    {"block3", 8},    {"block4", 8},    {"block5", 8},     {"block6", 8},
      {"bomb", 1}};
  for (const auto& [name, count] : frames) {
    const TGfxImage* image = images.FindImage(name);
    ASSERT_NE(image, nullptr) << name;
    EXPECT_GE(image->PatternCount(), count) << name;
  }
  // The bat sizes grow from small to big, and the overlay's frames with them.
  EXPECT_LT(images.FindImage("bitka3_1")->VisibleWidth(), images.FindImage("bitka1_1")->VisibleWidth());
  EXPECT_LT(images.FindImage("bitka1_1")->VisibleWidth(), images.FindImage("bitka2_1")->VisibleWidth());
}

}  // namespace
}  // namespace zb
