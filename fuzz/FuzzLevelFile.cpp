// Arbitrary bytes as a level file, loaded over an image that is already filled; a level that
// loads is written back.
#include <cstdint>
#include <span>

#include "game/LevelFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static zb::LevelImage image;
  image.words.fill(7);
  if (zb::LoadLevelBytes(std::span<const uint8_t>(data, size), "fuzz", image).ok) zb::EncodeLevelFile(image);
  return 0;
}
