#pragma once

#include <span>

namespace zb::tool {

// zbtool art OUTDIR [IMAGE...]: draws the game's pictures as PNG sprite sheets (all, or the named ones).
int RunArt(std::span<char* const> args);

}  // namespace zb::tool
