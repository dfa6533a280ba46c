// Arbitrary bytes as a level file, loaded over an image that is already filled. A refused level
// must leave the image as it was; a level given whole is written back, and what is written must
// load to the same image.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "game/LevelFile.h"

namespace {

zb::LevelImage Filled() {
  zb::LevelImage image;
  image.words.fill(7);
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const zb::LevelImage filled = Filled();
  static zb::LevelImage image;
  image = filled;
  if (!zb::LoadLevelBytes(std::span<const uint8_t>(data, size), "fuzz", image).ok) {
    if (image.words != filled.words) std::abort();
    return 0;
  }
  // The writer's output grows with the grid, not with the input: a short file over a large grid
  // would spend every execution in the writer (a 41 x 41 grid is 645,888 bytes). Written back only
  // when the input holds every window of its grid.
  const size_t cells = static_cast<size_t>(image.LastColumn() + 1) * static_cast<size_t>(image.LastRow() + 1);
  if (size / zb::kLevelRecordBytes < 3 + 3 * cells) return 0;
  const std::vector<uint8_t> written = zb::EncodeLevelFile(image);
  static zb::LevelImage again;
  again = filled;
  if (!zb::LoadLevelBytes(written, "written", again).ok || again.words != image.words) std::abort();
  return 0;
}
