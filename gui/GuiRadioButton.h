#pragma once

#include "gui/GuiControls.h"

namespace zb {

// A round button; checking it unchecks the others of its group under the same parent.
class TGuiRadioButton : public TGuiControl {
 public:
  TGuiRadioButton();

  void SetChecked(bool value);
  bool Checked() const { return checked_; }

  void DoDraw(TGuiPainter& painter) override;
  void DoMouse(TGuiPoint position, TMouseEvent type, TMouseButton button, uint32_t shift) override;

  TGuiValue GetProperty(int32_t id) const override;
  void SetProperty(int32_t id, const TGuiValue& value) override;

  std::string Caption = "TGuiRadioButton";
  int32_t TextAdjust = 0;
  uint32_t BorderColor = 0xFFB99D7F;
  uint32_t CheckColor = 0xFFD82F3A;
  uint32_t OverColor = 0x80FC97B2;
  int32_t HorizSpace = 2;
  int32_t GroupIndex = 0;
  bool Pressed = false;
  Notify OnChange;

 private:
  bool checked_ = false;
};

}  // namespace zb
