#pragma once

#include "screens/ScreenContext.h"

namespace zb {

// Start-up step 8: the settings from "Config.cfg" over the defaults, when there is one. A file
// that cannot be read is not written over; one that is damaged is kept as "Config.cfg.bad"
// before the game writes a new one. The player is told either, once.
void ReadSettingsAtStart(TScreenContext& ctx);

}  // namespace zb
