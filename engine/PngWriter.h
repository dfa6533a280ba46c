#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zb {

// Encodes 0xAARRGGBB rows as an 8-bit RGBA PNG.
std::vector<uint8_t> EncodePng(const uint32_t* argb, int width, int height);
bool WritePng(const std::string& path, const uint32_t* argb, int width, int height);

}  // namespace zb
