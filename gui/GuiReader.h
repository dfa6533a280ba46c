#pragma once

#include <istream>
#include <string>

#include "gui/GuiControls.h"

namespace zb {

// Reads one control list from `stream` and creates the controls under `parent`; false when
// anything failed, with the reason in `error`. What was created before a failure stays.
bool LoadFromStream(TGuiControl& parent, std::istream& stream, std::string* error = nullptr);

// The steps of the load, raising TGuiError.
void ReadControls(TGuiControl& parent, std::istream& stream, int depth = 0);
void ReadProperties(TGuiControl& control, std::istream& stream);

}  // namespace zb
