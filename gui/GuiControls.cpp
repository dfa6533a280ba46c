#include "gui/GuiControls.h"

#include <algorithm>

namespace zb {

TGuiControl::TGuiControl() {
  SetType("TGuiControl", "TGuiControl generic class");
  AddProperty("Name", pkString, "The unique name of control", kPropName);
  AddProperty("DrawFx", pkDrawFx, "Drawing effect used with this control", kPropDrawFx);
}

TGuiControl::~TGuiControl() {
  while (!controls_.empty()) {
    std::unique_ptr<TGuiControl> child = std::move(controls_.back());
    controls_.pop_back();
    child->parent_ = nullptr;
  }
}

void TGuiControl::AppendControl(std::unique_ptr<TGuiControl> control) {
  control->parent_ = this;
  controls_.push_back(std::move(control));
  if (FocusIndex == -1) FocusIndex = ControlCount() - 1;
  controls_.back()->Attached();
}

void TGuiControl::Free() {
  TGuiControl* parent = parent_;
  if (!parent) return;  // the root belongs to its owner
  const int index = parent->IndexOfControl(this);
  if (index < 0) return;
  parent->Root()->Forget(*this);
  std::unique_ptr<TGuiControl> self = std::move(parent->controls_[index]);
  if (parent->FocusIndex == index) parent->FocusIndex = -1;
  parent->controls_.erase(parent->controls_.begin() + index);
  parent_ = nullptr;
  if (parent->FocusIndex == -1) parent->PickFocus();
  // `self` goes out of scope here, and with it this control.
}

TGuiControl* TGuiControl::GetControl(int index) const {
  if (index < 0 || index >= ControlCount()) return nullptr;
  return controls_[index].get();
}

int TGuiControl::IndexOfControl(const TGuiControl* control) const {
  for (int i = 0; i < ControlCount(); ++i) {
    if (controls_[i].get() == control) return i;
  }
  return -1;
}

TGuiControl* TGuiControl::FindControl(std::string_view name) { return FindIn(LowerAscii(name)); }

TGuiControl* TGuiControl::FindIn(const std::string& lowered) {
  if (LowerAscii(Name) == lowered) return this;
  for (const auto& child : controls_) {
    if (TGuiControl* found = child->FindIn(lowered)) return found;
  }
  return nullptr;
}

TGuiControl* TGuiControl::Root() {
  TGuiControl* c = this;
  while (c->parent_) c = c->parent_;
  return c;
}

TGuiEnvironment* TGuiControl::Environment() const {
  const TGuiControl* c = this;
  while (c->parent_) c = c->parent_;
  return const_cast<TGuiControl*>(c)->OwnEnvironment();
}

TGuiPainter* TGuiControl::Painter() const {
  TGuiEnvironment* env = Environment();
  return env ? env->Painter : nullptr;
}

void TGuiControl::SetFocus() {
  if (!parent_) return;
  parent_->FocusIndex = parent_->IndexOfControl(this);
  parent_->SetFocus();
}

bool TGuiControl::IsFocused() const {
  for (const TGuiControl* c = this; c->parent_; c = c->parent_) {
    if (c->parent_->FocusIndex != c->parent_->IndexOfControl(c)) return false;
  }
  return true;
}

void TGuiControl::PickFocus() {
  FocusIndex = -1;
  for (int i = 0; i < ControlCount(); ++i) {
    if (controls_[i]->Visible() && controls_[i]->Enabled()) {
      FocusIndex = i;
      return;
    }
  }
}

void TGuiControl::BringToFront() {
  if (!parent_) return;
  auto& siblings = parent_->controls_;
  const int index = parent_->IndexOfControl(this);
  std::rotate(siblings.begin(), siblings.begin() + index, siblings.begin() + index + 1);
  if (parent_->FocusIndex == index) parent_->FocusIndex = 0;
}

void TGuiControl::SendToBack() {
  if (!parent_) return;
  auto& siblings = parent_->controls_;
  const int index = parent_->IndexOfControl(this);
  std::rotate(siblings.begin() + index, siblings.begin() + index + 1, siblings.end());
  if (parent_->FocusIndex == index) parent_->FocusIndex = parent_->ControlCount() - 1;
}

void TGuiControl::DoShow() {
  if (parent_ && parent_->FocusIndex == -1) parent_->PickFocus();
}

void TGuiControl::DoHide() {
  if (parent_ && parent_->FocusIndex == parent_->IndexOfControl(this)) parent_->PickFocus();
}

TGuiRect TGuiControl::AbsoluteRect() const {
  if (!parent_) return BoundsRect();
  const TGuiRect origin = parent_->AbsoluteRect();
  return BoundsRect().Offset(origin.Left, origin.Top);
}

TGuiRect TGuiControl::ClipRect() const {
  if (!parent_) return BoundsRect();
  return AbsoluteRect().Intersect(parent_->ClipRect());
}

TGuiPoint TGuiControl::ScreenToLocal(TGuiPoint point) const {
  const TGuiRect r = AbsoluteRect();
  return {point.X - r.Left, point.Y - r.Top};
}

bool TGuiControl::Showing() const {
  for (const TGuiControl* c = this; c; c = c->parent_) {
    if (!c->Visible()) return false;
  }
  return true;
}

void TGuiControl::UpdateAll() {
  DoUpdate();
  for (int i = 0; i < ControlCount(); ++i) controls_[i]->UpdateAll();
}

void TGuiControl::DrawAll(TGuiPainter& painter) {
  const TGuiRect clip = ClipRect();
  if (clip.Empty()) return;
  const TGuiRect saved = painter.GetClipRect();
  painter.SetClipRect(clip);
  DoDraw(painter);
  painter.SetClipRect(saved);
  for (int i = ControlCount() - 1; i >= 0; --i) {
    if (i < ControlCount() && controls_[i]->Visible()) controls_[i]->DrawAll(painter);
  }
}

TGuiControl* TGuiControl::ControlAt(TGuiPoint point) {
  if (!Visible()) return nullptr;
  // An empty clip rectangle (a control wholly outside its parent) is hit nowhere, not at 0,0.
  const TGuiRect clip = ClipRect();
  if (clip.Empty() || !clip.Contains(point)) return nullptr;
  for (const auto& child : controls_) {
    if (TGuiControl* hit = child->ControlAt(point)) return hit;
  }
  return this;
}

void TGuiControl::MouseDispatch(TGuiPoint position, TMouseEvent type, TMouseButton button, uint32_t shift) {
  if ((type == meClick || type == meDblClick) && !Showing()) return;
  DoMouse(position, type, button, shift);
  if (OnMouse) OnMouse(*this, position, type, button, shift);
  switch (type) {
    case meClick:
      if (Enabled() && OnClick && AbsoluteRect().Contains(position)) OnClick(*this);
      break;
    case meDblClick:
      if (Enabled() && OnDblClick && AbsoluteRect().Contains(position)) OnDblClick(*this);
      break;
    case meEnter:
      MouseOver = true;
      if (OnMouseEnter) OnMouseEnter(*this);
      break;
    case meLeave:
      MouseOver = false;
      if (OnMouseLeave) OnMouseLeave(*this);
      break;
    default: break;
  }
}

void TGuiControl::KeyDispatch(uint32_t key, TKeyEvent type, uint32_t shift) {
  if (TGuiControl* focused = GetControl(FocusIndex)) {
    focused->KeyDispatch(key, type, shift);
    return;
  }
  DoKey(key, type, shift);
  if (OnKey) OnKey(*this, key, type, shift);
}

void TGuiControl::AddStandardProperty(std::string_view key) {
  if (key == "font") {
    AddProperty("Font", pkFont, "The font of the displayed text", kPropFont);
  } else if (key == "bkgrnd") {
    AddProperty("Bkgrnd", pkFill, "How to fill the background of this control", kPropBkgrnd);
  } else if (key == "border") {
    AddProperty("Border", pkFill, "The fill style of control's border", kPropBorder);
  } else if (key == "selected") {
    AddProperty("Selected", pkFill, "How to fill the control when it's selected", kPropSelected);
  } else if (key == "disabledfont") {
    AddProperty("DisabledFont", pkFont, "The text font when the control is disabled", kPropDisabledFont);
  }
}

TGuiValue TGuiControl::GetProperty(int32_t id) const {
  switch (id) {
    case kPropName: return Name;
    case kPropDrawFx: return int64_t{DrawFx};
    default: return TGuiComponent::GetProperty(id);
  }
}

void TGuiControl::SetProperty(int32_t id, const TGuiValue& value) {
  switch (id) {
    case kPropName: Name = ValueToString(value); break;
    case kPropDrawFx: DrawFx = static_cast<int32_t>(ValueToColor(value)); break;
    default: TGuiComponent::SetProperty(id, value);
  }
}

TGuiFill* TGuiControl::GetFill(int32_t id) {
  switch (id) {
    case kPropBkgrnd: return &Bkgrnd;
    case kPropBorder: return &Border;
    case kPropSelected: return &Selected;
    default: return TGuiComponent::GetFill(id);
  }
}

TGuiFont* TGuiControl::GetFont(int32_t id) {
  switch (id) {
    case kPropFont: return &Font;
    case kPropDisabledFont: return &DisabledFont;
    default: return TGuiComponent::GetFont(id);
  }
}

}  // namespace zb
