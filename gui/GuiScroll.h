#pragma once

#include "gui/GuiControls.h"

namespace zb {

// The vertical scroll bar of a list box: two arrow squares and a thumb on a track.
class TGuiScroll : public TGuiControl {
 public:
  TGuiScroll();

  void DoDraw(TGuiPainter& painter) override;
  void DoMouse(TGuiPoint position, TMouseEvent type, TMouseButton button, uint32_t shift) override;

  // The parts in GUI space.
  TGuiRect UpArrow() const;
  TGuiRect DownArrow() const;
  TGuiRect Thumb() const;
  int Travel() const;  // how far the thumb moves

  double Position = 0.5;
  double SmallStep = 0.1;
  double BigStep = 0.25;
  TGuiFill ButtonFill;
  TGuiFill PressedFill;
  TGuiFill TrackFill;
  uint32_t ArrowColor = 0xFFC56A31;
  uint32_t BorderColor = 0xFFB99D7F;
  bool UpHeld = false;
  bool DownHeld = false;
  bool ThumbHeld = false;
  Notify OnChange;

 private:
  void DrawPictures(TGuiPainter& painter, const TGuiRect& r);
  void SetPosition(double value);

  TGuiPoint pressPoint_;
  double pressPosition_ = 0;
};

}  // namespace zb
