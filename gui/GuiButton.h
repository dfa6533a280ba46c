#pragma once

#include "gui/GuiControls.h"

namespace zb {

// A clickable picture with up to three states and a caption that moves while pressed.
class TGuiButton : public TGuiControl {
 public:
  TGuiButton();

  void DoDraw(TGuiPainter& painter) override;
  void DoMouse(TGuiPoint position, TMouseEvent type, TMouseButton button, uint32_t shift) override;

  TGuiValue GetProperty(int32_t id) const override;
  void SetProperty(int32_t id, const TGuiValue& value) override;
  TGuiFill* GetFill(int32_t id) override;

  void DoDisable() override;

  // The pattern the button shows in its present state; a disabled button shows its normal pattern,
  // faded and darkened by kDisabledTint, whatever the pointer does.
  int32_t CurrentGlyph() const;
  static constexpr uint32_t kDisabledTint = 0xA0909090;

  TGuiFill OutFill;
  std::string Caption = "Button1";
  int32_t ImageIndex = -1;
  int32_t NormalGlyph = 0;
  int32_t DisabledGlyph = 1;  // shown while the pointer is over the button
  int32_t ClickedGlyph = 0;
  int32_t GlyphSpacer = 4;
  int32_t GlyphWidth = 18;
  int32_t GlyphHeight = 18;
  int32_t GlyphPosition = 0;
  bool Pressed = false;
};

}  // namespace zb
