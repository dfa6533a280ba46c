#pragma once

#include <functional>

#include "gui/GuiControls.h"

namespace zb {

// A surface that the program paints on through OnPaint.
class TGuiPaint : public TGuiControl {
 public:
  TGuiPaint();

  void DoDraw(TGuiPainter& painter) override;

  std::function<void(TGuiPaint& sender, TGuiPainter& painter, const TGuiRect& rect)> OnPaint;
};

}  // namespace zb
