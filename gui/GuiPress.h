#pragma once

#include "gui/GuiComponents.h"
#include "gui/GuiControls.h"

namespace zb {

// The press-and-release behaviour of the clickable controls: a left press inside `bounds` holds
// the control down, the next left release lets it go, and that release inside `bounds` is the
// click. Returns true for the release that clicks.
bool TrackPress(bool& pressed, const TGuiRect& bounds, TGuiPoint position, TMouseEvent type, TMouseButton button);

}  // namespace zb
