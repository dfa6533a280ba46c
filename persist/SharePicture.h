#pragma once

#include <filesystem>

#include "engine/GfxImages.h"

namespace zb {

// Loads a picture file into `image` as one pattern of `width` x `height` pixels taken from the
// picture's top-left corner; a size of 0 or less means the picture's own. Only the part that the
// picture covers is kept: the rest of the pattern would be transparent and draws nothing.
// False (and `image` emptied) when the file cannot be decoded.
bool LoadSharePicture(const std::filesystem::path& file, int width, int height, TGfxImage& image);

}  // namespace zb
