#pragma once

#include "gui/GuiControls.h"

namespace zb {

// A box that a click checks or unchecks, with a caption beside it.
class TGuiCheckBox : public TGuiControl {
 public:
  TGuiCheckBox();

  void SetChecked(bool value);
  bool Checked() const { return checked_; }

  void DoDraw(TGuiPainter& painter) override;
  void DoMouse(TGuiPoint position, TMouseEvent type, TMouseButton button, uint32_t shift) override;

  TGuiValue GetProperty(int32_t id) const override;
  void SetProperty(int32_t id, const TGuiValue& value) override;

  std::string Caption = "TGuiCheckBox";
  int32_t TextAdjust = 0;
  uint32_t CheckColor = 0xFFBD4F62;
  int32_t HorizSpace = 0;
  bool Pressed = false;
  Notify OnChange;

 private:
  bool checked_ = true;
};

}  // namespace zb
