#pragma once

#include "engine/Language.h"
#include "game/StoryLines.h"

namespace zb {

// A story line in `language`. The catalogue keeps a line whole, its rows parted by "\n", so a
// translation breaks its rows where its own words want; a line of fewer or more rows keeps the
// middle of the bubble where the Russian line has it.
TSpeechLine InLanguage(const TSpeechLine& line, const TLanguage& language);

}  // namespace zb
