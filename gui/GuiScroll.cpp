#include "gui/GuiScroll.h"

#include <algorithm>
#include <cmath>

namespace zb {
namespace {
constexpr TColors4 kWhite = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
}  // namespace

TGuiScroll::TGuiScroll() {
  SetType("TGuiScroll", "TGuiScroll is the scroll bar of a list box");
  ButtonFill.SetColors(0xFFFFFFFF, 0xFFFCFCFC, 0xFFE6EBEC, 0xFFDEE5E6);
  PressedFill.SetColors(0xFFDEE5E6, 0xFFE6EBEC, 0xFFFFFFFF, 0xFFFCFCFC);
  TrackFill.SetColor(0xFFEBBCB3);
  SetBounds(0, 0, 16, 100);
}

TGuiRect TGuiScroll::UpArrow() const {
  const TGuiRect r = AbsoluteRect();
  const int b = Width() - 2;
  return TGuiRect::Sized(r.Left + 1, r.Top + 1, b, b);
}

TGuiRect TGuiScroll::DownArrow() const {
  const TGuiRect r = AbsoluteRect();
  const int b = Width() - 2;
  return TGuiRect::Sized(r.Left + 1, r.Bottom - Width() + 1, b, b);
}

int TGuiScroll::Travel() const { return Height() - 3 * (Width() - 2) - 4; }

TGuiRect TGuiScroll::Thumb() const {
  const TGuiRect r = AbsoluteRect();
  const int b = Width() - 2;
  return TGuiRect::Sized(r.Left + 1, r.Top + Width() + RoundToInt(Travel() * Position), b, b);
}

void TGuiScroll::SetPosition(double value) { Position = std::clamp(value, 0.0, 1.0); }

void TGuiScroll::DoMouse(TGuiPoint p, TMouseEvent type, TMouseButton button, uint32_t /*shift*/) {
  if (type == meDown && button == mbLeft) {
    const double before = Position;
    const TGuiRect r = AbsoluteRect();
    const TGuiRect thumb = Thumb();
    UpHeld = UpArrow().Contains(p);
    DownHeld = DownArrow().Contains(p);
    ThumbHeld = thumb.Contains(p);
    const TGuiRect track{r.Left, r.Top + Width(), r.Right, r.Bottom - Width()};
    if (UpHeld) {
      SetPosition(Position - SmallStep);
    } else if (DownHeld) {
      SetPosition(Position + SmallStep);
    } else if (track.Contains(p) && !ThumbHeld) {
      SetPosition(p.Y > thumb.Bottom ? Position + BigStep : Position - BigStep);
    }
    pressPoint_ = p;
    pressPosition_ = Position;
    if (Position != before && OnChange) OnChange(*this);
  } else if (type == meMove && ThumbHeld) {
    const int travel = Travel();
    if (std::abs(p.X - pressPoint_.X) < 4 * Width() && travel > 0) {
      SetPosition(pressPosition_ + static_cast<double>(p.Y - pressPoint_.Y) / travel);
    } else {
      Position = pressPosition_;
    }
    if (OnChange) OnChange(*this);
  } else if (type == meUp && button == mbLeft) {
    UpHeld = DownHeld = ThumbHeld = false;
  }
}

void TGuiScroll::DoDraw(TGuiPainter& painter) {
  const TGuiRect r = AbsoluteRect();
  const std::optional<int64_t> tag = TagNumber();
  if (!tag || *tag != 0) {
    DrawPictures(painter, r);
    return;
  }
  FillWith(painter, TrackFill, r, DrawFx);
  if ((BorderColor >> 24) != 0)
    OutlineRect(painter, r, {BorderColor, BorderColor, BorderColor, BorderColor}, DrawFx);
  const TGuiRect up = UpArrow(), down = DownArrow(), thumb = Thumb();
  FillWith(painter, UpHeld ? PressedFill : ButtonFill, up, DrawFx);
  FillWith(painter, DownHeld ? PressedFill : ButtonFill, down, DrawFx);
  FillWith(painter, ThumbHeld ? PressedFill : ButtonFill, thumb, DrawFx);
  const double cx = (up.Left + up.Right) / 2.0, half = up.Width() / 4.0;
  const double upMid = (up.Top + up.Bottom) / 2.0, downMid = (down.Top + down.Bottom) / 2.0;
  painter.FillTriangle(cx, upMid - half, cx + half, upMid + half / 2, cx - half, upMid + half / 2, ArrowColor,
                       DrawFx);
  painter.FillTriangle(cx - half, downMid - half / 2, cx + half, downMid - half / 2, cx, downMid + half,
                       ArrowColor, DrawFx);
}

void TGuiScroll::DrawPictures(TGuiPainter& painter, const TGuiRect& r) {
  const int track = static_cast<int>(TrackFill.Colors[0]);
  const int upImage = static_cast<int>(PressedFill.Colors[0]);
  const int downImage = static_cast<int>(ButtonFill.Colors[0]);
  const int thumbImage = static_cast<int>(ArrowColor);
  auto draw = [&](int image, int pattern, int x, int y) {
    if (const std::optional<TGuiSize> size = painter.PatternSize(image)) {
      painter.DrawPattern(image, pattern, TGuiRect::Sized(x, y, size->Width, size->Height), kWhite, 1284);
    }
  };
  draw(track, 0, r.Left, r.Top);
  draw(upImage, UpHeld ? 1 : 0, r.Left, r.Top);
  const TGuiSize button = painter.PatternSize(downImage).value_or(TGuiSize{});
  draw(downImage, DownHeld ? 1 : 0, r.Left, r.Bottom - button.Height);
  const TGuiSize thumb = painter.PatternSize(thumbImage).value_or(TGuiSize{});
  const int travel = r.Height() - thumb.Height - 2 * button.Height;
  draw(thumbImage, 0, r.Left + 1, r.Top + button.Height + RoundToInt(travel * Position));
}

}  // namespace zb
