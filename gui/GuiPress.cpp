#include "gui/GuiPress.h"

namespace zb {

bool TrackPress(bool& pressed, const TGuiRect& bounds, TGuiPoint position, TMouseEvent type, TMouseButton button) {
  if (button != mbLeft) return false;
  if (type == meDown && bounds.Contains(position)) {
    pressed = true;
  } else if (type == meUp && pressed) {
    pressed = false;
    return bounds.Contains(position);
  }
  return false;
}

}  // namespace zb
