#pragma once

#include <array>
#include <string_view>

#include "gui/GuiControls.h"

namespace zb {

// The class names the GUI file may create, in their fixed order.
class TGuiRegistry {
 public:
  static constexpr int kCount = 10;
  static const std::array<std::string_view, kCount>& Names();
  // Index of a registered name (ASCII letters without case), or -1.
  static int IndexOf(std::string_view className);
  // A new control of the class named `className` under `parent`, or nothing.
  static TGuiControl* CreateControl(std::string_view className, TGuiControl& parent);
};

}  // namespace zb
