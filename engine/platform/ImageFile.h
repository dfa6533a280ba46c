#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace zb::platform {

// A picture decoded from a file: rows of 0xAARRGGBB, top row first.
struct DecodedImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;
};

// Decodes a picture file (PNG, and whatever else the image library reads); nothing when the
// file is missing, unreadable or not a picture.
std::optional<DecodedImage> DecodeImageFile(const std::filesystem::path& file);

}  // namespace zb::platform
