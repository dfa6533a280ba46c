#include "gui/GuiComponents.h"

namespace zb {

TGuiComponent::TGuiComponent() {
  SetType("TGuiComponent", "TGuiComponent generic class");
  AddProperty("Left", pkInteger, "The horizontal position of component in pixels", kPropLeft);
  AddProperty("Top", pkInteger, "The vertical position of component in pixels", kPropTop);
  AddProperty("Width", pkInteger, "The horizontal size of component in pixels", kPropWidth);
  AddProperty("Height", pkInteger, "The vertical size of component in pixels", kPropHeight);
  AddProperty("Tag", pkString, "User-defined attribute", kPropTag);
  AddProperty("Visible", pkBoolean, "Whether this component is visible or not", kPropVisible);
  AddProperty("Enabled", pkBoolean, "Whether this component can receive and respond to events", kPropEnabled);
}

namespace {
// Coordinates stay within +-2^29, so that every width, height and sum of them fits an int.
int Coordinate(int64_t value) { return TGuiRect::Clamp(value); }
}  // namespace

void TGuiComponent::SetBoundsValue(int index, int value) {
  TGuiRect r = bounds_;
  switch (index) {
    case 0:
      r.Right = Coordinate(int64_t{value} + r.Width());
      r.Left = Coordinate(value);
      break;
    case 1:
      r.Bottom = Coordinate(int64_t{value} + r.Height());
      r.Top = Coordinate(value);
      break;
    case 2: r.Right = Coordinate(int64_t{r.Left} + value); break;
    case 3: r.Bottom = Coordinate(int64_t{r.Top} + value); break;
    default: return;
  }
  BoundsChanging(r);
  bounds_ = r;
}

int TGuiComponent::GetSize(int index) const {
  switch (index) {
    case 0: return bounds_.Left;
    case 1: return bounds_.Top;
    case 2: return bounds_.Width();
    case 3: return bounds_.Height();
    default: return 0;
  }
}

void TGuiComponent::SetBounds(int left, int top, int width, int height) {
  SetBoundsValue(0, left);
  SetBoundsValue(1, top);
  SetBoundsValue(2, width);
  SetBoundsValue(3, height);
}

void TGuiComponent::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  if (value) {
    DoShow();
    if (OnShow) OnShow(*this);
  } else {
    if (OnHide) OnHide(*this);
    DoHide();
  }
}

void TGuiComponent::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  if (value) {
    DoEnable();
  } else {
    DoDisable();
  }
}

TGuiValue TGuiComponent::GetProperty(int32_t id) const {
  switch (id) {
    case kPropLeft: return int64_t{bounds_.Left};
    case kPropTop: return int64_t{bounds_.Top};
    case kPropWidth: return int64_t{bounds_.Width()};
    case kPropHeight: return int64_t{bounds_.Height()};
    case kPropTag: return tag_;
    case kPropVisible: return visible_;
    case kPropEnabled: return enabled_;
    default: return TGuiObject::GetProperty(id);
  }
}

void TGuiComponent::SetProperty(int32_t id, const TGuiValue& value) {
  switch (id) {
    case kPropLeft: SetBoundsValue(0, ValueToInteger(value)); break;
    case kPropTop: SetBoundsValue(1, ValueToInteger(value)); break;
    case kPropWidth: SetBoundsValue(2, ValueToInteger(value)); break;
    case kPropHeight: SetBoundsValue(3, ValueToInteger(value)); break;
    case kPropTag: tag_ = value; break;
    case kPropVisible: SetVisible(ValueToBoolean(value)); break;
    case kPropEnabled: SetEnabled(ValueToBoolean(value)); break;
    default: TGuiObject::SetProperty(id, value);
  }
}

}  // namespace zb
