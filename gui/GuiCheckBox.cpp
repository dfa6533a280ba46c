#include "gui/GuiCheckBox.h"

#include <cmath>

#include "gui/GuiPress.h"

namespace zb {
namespace {
enum : int32_t { kChecked = 0xA000, kCaption, kTextAdjust, kCheckColor, kHorizSpace };
}  // namespace

TGuiCheckBox::TGuiCheckBox() {
  SetType("TGuiCheckBox", "This component represents a simple checkable box");
  AddStandardProperty("bkgrnd");
  AddStandardProperty("border");
  AddStandardProperty("selected");
  AddStandardProperty("font");
  AddStandardProperty("disabledfont");
  AddProperty("Checked", pkBoolean, "Whether the box is checked", kChecked);
  AddProperty("Caption", pkString, "The text beside the box", kCaption);
  AddProperty("TextAdjust", pkInteger, "The vertical offset of the caption in pixels", kTextAdjust);
  AddProperty("CheckColor", pkColor, "The colour of the check mark", kCheckColor);
  AddProperty("HorizSpace", pkInteger, "Extra space between box and caption", kHorizSpace);

  Bkgrnd.SetColors(0xFFFFFFFF, 0xFFFCFCFC, 0xFFDEE5E6, 0xFFE6EBEC);
  Border.SetColor(0xFFB99D7F);
  Selected.SetColors(0x80FFCFDE, 0x80FB6399, 0x80F8307D, 0x80FB6395);
  Font.SetColor(0xFFC56A31);
  SetBounds(0, 0, 100, 15);
}

void TGuiCheckBox::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  if (OnChange) OnChange(*this);
}

void TGuiCheckBox::DoDraw(TGuiPainter& painter) {
  const TGuiRect r = AbsoluteRect();
  const int c = (Height() - 13) / 2;
  const TGuiRect box = TGuiRect::Sized(r.Left + c, r.Top + c, 13, 13);
  if (Bkgrnd.Visible) painter.FillRect(box, Pressed ? Reversed(Bkgrnd.Colors) : Bkgrnd.Colors, DrawFx);
  OutlineWith(painter, Border, box, DrawFx);
  if (checked_) {
    // A tick inside the 7 by 7 square three pixels in from the box's edges.
    const double l = box.Left + 3, t = box.Top + 3;
    painter.Line(l, t + 3.5, l + 2.5, t + 6.5, CheckColor, CheckColor, DrawFx);
    painter.Line(l + 2.5, t + 6.5, l + 7, t, CheckColor, CheckColor, DrawFx);
    painter.Line(l + 0.5, t + 3, l + 2.5, t + 5.5, CheckColor, CheckColor, DrawFx);
  }
  if (Pressed) {
    const int fx = DrawFx == 1 ? 1284 : DrawFx;
    OutlineWith(painter, Selected, box.Shrink(1), fx);
    OutlineWith(painter, Selected, box.Shrink(2), fx);
  }
  const TGuiFont& font = TextFont();
  if (painter.Applies(font)) {
    const int x = r.Left + c + HorizSpace + 15;
    const double y =
        std::nearbyint((r.Top + r.Bottom - painter.TextHeight(font, Caption)) / 2.0) + TextAdjust;
    painter.TextOut(font, Caption, x, y, 1284);
  }
}

void TGuiCheckBox::DoMouse(TGuiPoint position, TMouseEvent type, TMouseButton button, uint32_t /*shift*/) {
  if (TrackPress(Pressed, AbsoluteRect(), position, type, button)) SetChecked(!checked_);
}

TGuiValue TGuiCheckBox::GetProperty(int32_t id) const {
  switch (id) {
    case kChecked: return checked_;
    case kCaption: return Caption;
    case kTextAdjust: return int64_t{TextAdjust};
    case kCheckColor: return int64_t{CheckColor};
    case kHorizSpace: return int64_t{HorizSpace};
    default: return TGuiControl::GetProperty(id);
  }
}

void TGuiCheckBox::SetProperty(int32_t id, const TGuiValue& value) {
  switch (id) {
    case kChecked: SetChecked(ValueToBoolean(value)); break;
    case kCaption: Caption = ValueToString(value); break;
    case kTextAdjust: TextAdjust = ValueToInteger(value); break;
    case kCheckColor: CheckColor = ValueToColor(value); break;
    case kHorizSpace: HorizSpace = ValueToInteger(value); break;
    default: TGuiControl::SetProperty(id, value);
  }
}

}  // namespace zb
