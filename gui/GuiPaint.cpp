#include "gui/GuiPaint.h"

namespace zb {

TGuiPaint::TGuiPaint() {
  SetType("TGuiPaint", "This component can be used to paint on.");
  AddStandardProperty("bkgrnd");
  AddStandardProperty("border");
  Bkgrnd.SetColor(0xFFFFFFFF);
  Border.SetColor(0xFFB99D7F);
  SetBounds(0, 0, 120, 120);
}

void TGuiPaint::DoDraw(TGuiPainter& painter) {
  const TGuiRect r = AbsoluteRect();
  FillWith(painter, Bkgrnd, r, DrawFx);
  if (OnPaint) OnPaint(*this, painter, r);
  OutlineWith(painter, Border, r, DrawFx);
}

}  // namespace zb
