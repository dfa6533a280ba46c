#pragma once

#include <cstdint>

namespace zb {

// Stored pixel formats of image records, by index.
enum TPixelFormat : int {
  pfR3G3B2 = 0,
  pfR5G6B5 = 1,
  pfX8R8G8B8 = 2,
  pfX1R5G5B5 = 3,
  pfX4R4G4B4 = 4,
  pfA8R8G8B8 = 5,
  pfA1R5G5B5 = 6,
  pfA4R4G4B4 = 7,
  pfA8R3G3B2 = 8,
  pfA2R2G2B2 = 9,
  pfA8 = 10,
};

struct TPixelFormatInfo {
  int bytes;
  int blueBits, greenBits, redBits, alphaBits;  // packed from the lowest bit up in this order
};

// nullptr for an unknown index.
const TPixelFormatInfo* PixelFormatInfo(int format);

// 2 and 5 share one layout, and so do 4 and 7: the spare bits are read as alpha.
bool SameLayout(int a, int b);

// Converts `count` stored pixels to 0xAARRGGBB. Rows of a format with the A8R8G8B8 layout are
// copied as they are; others expand each n-bit channel to v * 255 / (2^n - 1), rounded, a
// missing channel reading 255, and A8 giving white with that alpha.
void ConvertRowToArgb(int format, const uint8_t* source, int count, uint32_t* target);

}  // namespace zb
