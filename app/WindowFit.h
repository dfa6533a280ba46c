#pragma once

#include <optional>

#include "engine/platform/Platform.h"

namespace zb {

// The largest whole scale of `picture` whose window fits within 90 % of the `usable` desktop
// both ways; 1 on a desktop too small even for that.
int WholeScale(platform::Point usable, platform::Point picture);

// The window's size at start: the one `kept` from the last run while it still fits the usable
// desktop and is not below half the picture (the least the window lets the player make);
// otherwise the picture at its whole scale.
platform::Point StartWindowSize(std::optional<platform::Point> kept, platform::Point usable,
                                platform::Point picture);

}  // namespace zb
