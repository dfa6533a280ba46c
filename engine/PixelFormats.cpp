#include "engine/PixelFormats.h"

#include <array>
#include <bit>
#include <cstring>
#include <cstddef>

namespace zb {
namespace {

constexpr std::array<TPixelFormatInfo, 11> kFormats = {{
    {1, 2, 3, 3, 0},  // R3G3B2
    {2, 5, 6, 5, 0},  // R5G6B5
    {4, 8, 8, 8, 0},  // X8R8G8B8
    {2, 5, 5, 5, 0},  // X1R5G5B5
    {2, 4, 4, 4, 0},  // X4R4G4B4
    {4, 8, 8, 8, 8},  // A8R8G8B8
    {2, 5, 5, 5, 1},  // A1R5G5B5
    {2, 4, 4, 4, 4},  // A4R4G4B4
    {2, 2, 3, 3, 8},  // A8R3G3B2
    {1, 2, 2, 2, 2},  // A2R2G2B2
    {1, 0, 0, 0, 8},  // A8
}};

uint32_t Expand(uint32_t value, int bits) {
  if (bits == 0) return 255;
  const uint32_t max = (1u << bits) - 1;
  return (value * 510 + max) / (2 * max);
}

}  // namespace

const TPixelFormatInfo* PixelFormatInfo(int format) {
  if (format < 0 || format >= static_cast<int>(kFormats.size())) return nullptr;
  return &kFormats[static_cast<std::size_t>(format)];
}

bool SameLayout(int a, int b) {
  auto group = [](int f) { return f == pfX8R8G8B8 ? pfA8R8G8B8 : f == pfX4R4G4B4 ? pfA4R4G4B4 : f; };
  return group(a) == group(b);
}

void ConvertRowToArgb(int format, const uint8_t* source, int count, uint32_t* target) {
  const TPixelFormatInfo* info = PixelFormatInfo(format);
  if (!info || count <= 0) return;
  if (SameLayout(format, pfA8R8G8B8)) {
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(target, source, static_cast<size_t>(count) * 4);  // the stored bytes are the integers
      return;
    }
    for (int i = 0; i < count; ++i, source += 4) {
      target[i] = uint32_t{source[0]} | uint32_t{source[1]} << 8 | uint32_t{source[2]} << 16 |
                  uint32_t{source[3]} << 24;
    }
    return;
  }
  if (format == pfA8) {
    for (int i = 0; i < count; ++i) target[i] = uint32_t{source[i]} << 24 | 0x00FFFFFFu;
    return;
  }
  const int bb = info->blueBits, gb = info->greenBits, rb = info->redBits, ab = info->alphaBits;
  for (int i = 0; i < count; ++i, source += info->bytes) {
    uint32_t raw = source[0];
    if (info->bytes == 2) raw |= uint32_t{source[1]} << 8;
    auto take = [&raw](int bits) {
      const uint32_t v = raw & ((1u << bits) - 1);
      raw >>= bits;
      return v;
    };
    const uint32_t b = Expand(take(bb), bb);
    const uint32_t g = Expand(take(gb), gb);
    const uint32_t r = Expand(take(rb), rb);
    const uint32_t a = Expand(take(ab), ab);
    target[i] = a << 24 | r << 16 | g << 8 | b;
  }
}

}  // namespace zb
