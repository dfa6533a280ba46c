#pragma once

#include <string>
#include <vector>

#include "gui/GuiControls.h"
#include "gui/GuiScroll.h"

namespace zb {

// Rows of selectable strings with a scroll bar that shows when they do not all fit.
class TGuiListBox : public TGuiControl {
 public:
  TGuiListBox();

  void DoDraw(TGuiPainter& painter) override;
  void DoMouse(TGuiPoint position, TMouseEvent type, TMouseButton button, uint32_t shift) override;

  TGuiValue GetProperty(int32_t id) const override;
  void SetProperty(int32_t id, const TGuiValue& value) override;
  TGuiFill* GetFill(int32_t id) override;
  TGuiFont* GetFont(int32_t id) override;

  TGuiScroll& Scroll() { return *scroll_; }
  // The rows that fit, at most the number of items (0 for a row height of 0 or less).
  int Rows() const;

  std::vector<std::string> Items = {"Item 1", "Item 2", "Item 3"};
  int32_t ItemSize = 18;
  TGuiFill Indexed;
  int32_t ItemIndex = -1;
  int32_t TextAdjust = 0;
  TGuiFont IndexedFont;
  uint32_t BorderColor = 0xFFB99D7F;
  int32_t TopIndex = 0;
  int32_t HotIndex = -1;
  Notify OnChange;

 private:
  void Layout(int scrollWidth);
  void DrawRows(TGuiPainter& painter, const TGuiRect& area, bool pictures);

  TGuiScroll* scroll_ = nullptr;
};

}  // namespace zb
