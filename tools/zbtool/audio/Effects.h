#pragma once

#include <span>
#include <string_view>

#include "tools/zbtool/audio/Dsp.h"

namespace zb::tool::audio {

struct EffectRecipe {
  std::string_view name;  // the file is "<name>.wav"
  Signal (*make)();
};

// The 22 effects of the game, each short, faded at both ends and peaking below full scale.
std::span<const EffectRecipe> EffectRecipes();

}  // namespace zb::tool::audio
