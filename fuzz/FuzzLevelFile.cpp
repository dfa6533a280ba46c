// Arbitrary bytes as a level file, loaded over an image that is already filled.
#include <cstdint>
#include <vector>

#include "game/LevelFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zb::LevelImage image;
  image.words.fill(7);
  const std::vector<uint8_t> bytes(data, data + size);
  if (zb::LoadLevelBytes(bytes, "fuzz", image).ok) zb::EncodeLevelFile(image);
  return 0;
}
