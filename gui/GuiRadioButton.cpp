#include "gui/GuiRadioButton.h"

#include <cmath>

#include "gui/GuiPress.h"

namespace zb {
namespace {
enum : int32_t {
  kChecked = 0xA000,
  kCaption,
  kTextAdjust,
  kBorderColor,
  kCheckColor,
  kOverColor,
  kHorizSpace,
  kGroupIndex,
};
}  // namespace

TGuiRadioButton::TGuiRadioButton() {
  SetType("TGuiRadioButton", "This component represents a simple radio button");
  AddStandardProperty("bkgrnd");
  AddStandardProperty("font");
  AddStandardProperty("disabledfont");
  AddProperty("Checked", pkBoolean, "Whether the button is checked", kChecked);
  AddProperty("Caption", pkString, "The text beside the button", kCaption);
  AddProperty("TextAdjust", pkInteger, "The vertical offset of the caption in pixels", kTextAdjust);
  AddProperty("BorderColor", pkColor, "The colour of the circle", kBorderColor);
  AddProperty("CheckColor", pkColor, "The colour of the check mark", kCheckColor);
  AddProperty("OverColor", pkColor, "The colour of the ring while pressed", kOverColor);
  AddProperty("HorizSpace", pkInteger, "Extra space between button and caption", kHorizSpace);
  AddProperty("GroupIndex", pkInteger, "The group among the siblings", kGroupIndex);

  DrawFx = 1284;
  Bkgrnd.SetColors(0xFFFFFFFF, 0xFFFCFCFC, 0xFFDEE5E6, 0xFFE6EBEC);
  Font.SetColor(0xFFC56A31);
  SetBounds(0, 0, 120, 15);
}

void TGuiRadioButton::SetChecked(bool value) {
  if (value != checked_) {
    checked_ = value;
    if (OnChange) OnChange(*this);
  }
  if (!value || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TGuiRadioButton*>(Parent()->GetControl(i));
    if (other && other != this && other->GroupIndex == GroupIndex) other->SetChecked(false);
  }
}

void TGuiRadioButton::DoDraw(TGuiPainter& painter) {
  const TGuiRect r = AbsoluteRect();
  const int h = Height();
  const double radius = (h - 2) / 2;
  const double cx = r.Left + radius + 1, cy = r.Top + radius + 1;
  if (Bkgrnd.Visible)
    Disc(painter, cx, cy, radius, Pressed ? Reversed(Bkgrnd.Colors) : Bkgrnd.Colors, DrawFx);
  Circle(painter, cx, cy, radius, BorderColor, DrawFx);
  Circle(painter, cx, cy, radius - 0.15, BorderColor, DrawFx);
  if (Pressed && !checked_) {
    for (double d : {0.0, 0.5, 1.0, 1.5}) Circle(painter, cx, cy, 0.8 * radius - d, OverColor, DrawFx);
  }
  if (checked_) {
    const double small = static_cast<int>(radius) / 3;
    Disc(painter, cx, cy, small, {CheckColor, CheckColor, CheckColor, CheckColor}, DrawFx);
    Circle(painter, cx, cy, small, CheckColor, DrawFx);
  }
  const TGuiFont& font = TextFont();
  if (painter.Applies(font)) {
    const int x = r.Left + h + HorizSpace;
    const double y = r.Top + std::nearbyint((h - painter.TextHeight(font, Caption)) / 2.0) + TextAdjust;
    painter.TextOut(font, Caption, x, y, 1284);
  }
}

void TGuiRadioButton::DoMouse(TGuiPoint position, TMouseEvent type, TMouseButton button, uint32_t /*shift*/) {
  if (TrackPress(Pressed, AbsoluteRect(), position, type, button)) SetChecked(true);
}

TGuiValue TGuiRadioButton::GetProperty(int32_t id) const {
  switch (id) {
    case kChecked: return checked_;
    case kCaption: return Caption;
    case kTextAdjust: return int64_t{TextAdjust};
    case kBorderColor: return int64_t{BorderColor};
    case kCheckColor: return int64_t{CheckColor};
    case kOverColor: return int64_t{OverColor};
    case kHorizSpace: return int64_t{HorizSpace};
    case kGroupIndex: return int64_t{GroupIndex};
    default: return TGuiControl::GetProperty(id);
  }
}

void TGuiRadioButton::SetProperty(int32_t id, const TGuiValue& value) {
  switch (id) {
    case kChecked: SetChecked(ValueToBoolean(value)); break;
    case kCaption: Caption = ValueToString(value); break;
    case kTextAdjust: TextAdjust = ValueToInteger(value); break;
    case kBorderColor: BorderColor = ValueToColor(value); break;
    case kCheckColor: CheckColor = ValueToColor(value); break;
    case kOverColor: OverColor = ValueToColor(value); break;
    case kHorizSpace: HorizSpace = ValueToInteger(value); break;
    case kGroupIndex: GroupIndex = ValueToInteger(value); break;
    default: TGuiControl::SetProperty(id, value);
  }
}

}  // namespace zb
