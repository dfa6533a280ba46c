#include "screens/FormControls.h"

#include "gui/GuiLabel.h"
#include "screens/Cursor.h"

namespace zb {

void SetVisible(TScreenContext& ctx, std::string_view name, bool visible) {
  if (TGuiControl* control = ctx.GuiBase.FindControl(name)) control->SetVisible(visible);
}

void SetEnabled(TScreenContext& ctx, std::string_view name, bool enabled) {
  if (TGuiControl* control = ctx.GuiBase.FindControl(name)) control->SetEnabled(enabled);
}

void SetLabel(TScreenContext& ctx, std::string_view name, const std::string& text) {
  if (TGuiLabel* label = Find<TGuiLabel>(ctx, name)) label->SetText(text);
}

void ShowCursor(TScreenContext& ctx, bool visible) {
  if (ctx.Cursor != nullptr) ctx.Cursor->Visible = visible;
}

void ShowForm(TScreenContext& ctx, std::string_view name, bool show) {
  TGuiControl* control = ctx.GuiBase.FindControl(name);
  if (control == nullptr) return;
  control->SetVisible(show);
  if (show) {
    control->BringToFront();
  } else {
    control->SendToBack();
  }
}

}  // namespace zb
