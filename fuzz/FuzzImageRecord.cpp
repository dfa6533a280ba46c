// Arbitrary bytes as the stream of an image record, then every pattern placed.
#include <cstdint>
#include <vector>

#include "engine/GfxImages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zb::TMemoryStream stream(std::vector<uint8_t>(data, data + size));
  zb::TGfxImage image;
  if (!image.LoadFromStream(stream)) return 0;
  zb::TPatternPlacement placement;
  for (int pattern : {-1, 0, 1, image.PatternCount() - 1, image.PatternCount(), 1 << 30}) {
    zb::TPatternSource source;
    source.Pattern = pattern;
    image.Place(source, placement);
    image.Pixels(placement.Texture);
  }
  return 0;
}
