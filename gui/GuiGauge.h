#pragma once

#include "gui/GuiControls.h"

namespace zb {

// A progress bar, or with a non-zero tag a slider drawn from two pictures.
class TGuiGauge : public TGuiControl {
 public:
  TGuiGauge();

  void DoDraw(TGuiPainter& painter) override;

  TGuiValue GetProperty(int32_t id) const override;
  void SetProperty(int32_t id, const TGuiValue& value) override;

  // Width of the filled bar in normal mode; 0 when MinValue equals MaxValue.
  int BarWidth() const;
  std::string ValueText() const;

  std::string Caption = "Gauge";
  int32_t Theta = 50;
  int32_t MinValue = 0;
  int32_t MaxValue = 100;
  bool ShowText = true;
  int32_t Alignment = 0;

 private:
  void DrawPictures(TGuiPainter& painter, const TGuiRect& r);
};

}  // namespace zb
