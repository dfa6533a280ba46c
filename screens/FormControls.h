#pragma once

#include <string>
#include <string_view>

#include "gui/GuiBasic.h"
#include "screens/ScreenContext.h"

namespace zb {

// The screens reach the controls of their forms by name; a control missing from the GUI file is
// left alone, so a damaged layout loses a control, never the game.
template <class T>
T* Find(TScreenContext& ctx, std::string_view name) {
  return dynamic_cast<T*>(ctx.GuiBase.FindControl(name));
}

void SetVisible(TScreenContext& ctx, std::string_view name, bool visible);
void SetEnabled(TScreenContext& ctx, std::string_view name, bool enabled);
// The text of a label.
void SetLabel(TScreenContext& ctx, std::string_view name, const std::string& text);
// The pointer sprite shown or hidden.
void ShowCursor(TScreenContext& ctx, bool visible);
// A form shown on top of the others, or hidden behind them.
void ShowForm(TScreenContext& ctx, std::string_view name, bool show);

}  // namespace zb
