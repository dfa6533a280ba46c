#pragma once

#include "gui/GuiControls.h"

namespace zb {

// A window: caption bar, client area with a stretched background picture, dragging by
// the caption bar. Focusing anything inside it raises it.
class TGuiForm : public TGuiControl {
 public:
  TGuiForm();

  void SetFocus() override;
  void DoDraw(TGuiPainter& painter) override;
  void DoMouse(TGuiPoint position, TMouseEvent type, TMouseButton button, uint32_t shift) override;

  TGuiValue GetProperty(int32_t id) const override;
  void SetProperty(int32_t id, const TGuiValue& value) override;
  TGuiFill* GetFill(int32_t id) override;
  TGuiFont* GetFont(int32_t id) override;

  std::string Caption = "TGuiForm";
  int32_t CaptSize = 20;
  int32_t CaptAdjust = 0;
  TGuiFill CaptActive;
  TGuiFill CaptUnactive;
  TGuiFont FontActive;
  TGuiFont FontUnactive;
  TGuiFill IconFill;
  int32_t IconIndex = -1;
  int32_t IconPattern = 0;
  int32_t IconWidth = 12;
  int32_t IconHeight = 12;
  int32_t ImageIndex = -1;
  int32_t ImagePattern = 0;
  int32_t ShadowSize = 4;
  uint32_t ShadowColor = 0x40000000;

  bool Dragging() const { return dragging_; }

 private:
  bool dragging_ = false;
  TGuiPoint dragOrigin_;
  TGuiPoint dragPointer_;
};

}  // namespace zb
