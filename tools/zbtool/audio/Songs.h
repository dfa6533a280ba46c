#pragma once

#include <span>
#include <string_view>

#include "tools/zbtool/audio/XmWriter.h"

namespace zb::tool::audio {

struct SongRecipe {
  std::string_view file;  // in the Sounds folder
  XmModule (*make)();
};

// "1.xm" for the menus, "2.xm" for play, "3.xm" for the end of a game.
std::span<const SongRecipe> SongRecipes();

}  // namespace zb::tool::audio
