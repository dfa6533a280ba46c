#include "persist/SharePicture.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/MemoryStream.h"
#include "engine/platform/ImageFile.h"

namespace zb {
namespace {

constexpr uint8_t kFormatA8R8G8B8 = 5;

void PutI32(std::vector<uint8_t>& out, int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

}  // namespace

bool LoadSharePicture(const std::filesystem::path& file, int width, int height, TGfxImage& image) {
  TMemoryStream empty;
  image.LoadFromStream(empty);  // drops what the image held
  const auto decoded = platform::DecodeImageFile(file);
  if (!decoded) return false;
  const int w = width > 0 ? std::min(width, decoded->width) : decoded->width;
  const int h = height > 0 ? std::min(height, decoded->height) : decoded->height;

  // An image record of one A8R8G8B8 texture exactly the size of the pattern.
  std::vector<uint8_t> record;
  record.reserve(TGfxImage::kHeaderSize + static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
  record.push_back(kFormatA8R8G8B8);
  for (int32_t value : {w, h, w, h, 1, w, h, 1}) PutI32(record, value);
  for (int y = 0; y < h; ++y) {
    const uint32_t* row = decoded->argb.data() + static_cast<size_t>(y) * static_cast<size_t>(decoded->width);
    for (int x = 0; x < w; ++x) PutI32(record, static_cast<int32_t>(row[x]));
  }
  TMemoryStream stream(std::move(record));
  return image.LoadFromStream(stream);
}

}  // namespace zb
