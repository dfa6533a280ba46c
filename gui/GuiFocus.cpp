#include "gui/GuiFocus.h"

#include <algorithm>

#include "engine/platform/Keys.h"
#include "gui/GuiButton.h"
#include "gui/GuiEdit.h"

namespace zb {
namespace {

// A white ring between two dark bands shows on the bright buttons and on the dark panels alike.
constexpr uint32_t kRingInk = 0xF0102030;
constexpr uint32_t kRingLight = 0xFFFFFFFF;
constexpr int kFxBlend = 1284;

bool IsBindingBox(const TGuiControl* control) {
  const auto* edit = dynamic_cast<const TGuiEdit*>(control);
  return edit != nullptr && edit->TagNumber() == 1;
}

// A binding box that was opened (cleared by a click or Enter) and has the keyboard waits for its key.
bool IsWaitingBindingBox(const TGuiControl* control) {
  return IsBindingBox(control) && static_cast<const TGuiEdit*>(control)->Text().empty();
}

bool IsTextBox(const TGuiControl* control) {
  const auto* edit = dynamic_cast<const TGuiEdit*>(control);
  return edit != nullptr && edit->TagNumber() == 0;
}

bool CanFocus(const TGuiControl& control) {
  const bool kind = dynamic_cast<const TGuiButton*>(&control) != nullptr || IsTextBox(&control) ||
                    IsBindingBox(&control);
  return kind && control.Enabled() && control.Showing() && !control.ClipRect().Empty();
}

void Collect(TGuiControl& control, std::vector<TGuiControl*>& out) {
  for (int i = 0; i < control.ControlCount(); ++i) {
    TGuiControl* child = control.GetControl(i);
    if (child == nullptr || !child->Visible()) continue;
    if (CanFocus(*child)) out.push_back(child);
    Collect(*child, out);
  }
}

// Rows first: a control whose middle lies within the height of the row's first control joins
// that row, so buttons of one line whose tops differ a little still read left to right.
void ReadingOrder(std::vector<TGuiControl*>& items) {
  std::stable_sort(items.begin(), items.end(), [](const TGuiControl* a, const TGuiControl* b) {
    return a->AbsoluteRect().Top < b->AbsoluteRect().Top;
  });
  auto row = items.begin();
  while (row != items.end()) {
    const TGuiRect first = (*row)->AbsoluteRect();
    auto end = std::find_if(row, items.end(), [&](const TGuiControl* c) {
      const TGuiRect r = c->AbsoluteRect();
      return (r.Top + r.Bottom) / 2 > first.Bottom;
    });
    std::stable_sort(row, end, [](const TGuiControl* a, const TGuiControl* b) {
      return a->AbsoluteRect().Left < b->AbsoluteRect().Left;
    });
    row = end;
  }
}

TGuiPoint Middle(const TGuiControl& control) {
  const TGuiRect r = control.AbsoluteRect();
  return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

}  // namespace

std::vector<TGuiControl*> TGuiFocus::Focusable() const {
  std::vector<TGuiControl*> items;
  for (int i = 0; i < root_.ControlCount(); ++i) {
    TGuiControl* form = root_.GetControl(i);
    if (form == nullptr || !form->Visible()) continue;
    // Only the front-most shown form: what lies under it cannot be reached by the pointer either.
    Collect(*form, items);
    break;
  }
  ReadingOrder(items);
  return items;
}

TGuiControl* TGuiFocus::FocusedLeaf() const {
  TGuiControl* control = &root_;
  while (TGuiControl* child = control->GetControl(control->FocusIndex)) control = child;
  return control;
}

// Where the ring appears on a form: on the focused control when it can take the ring (a text
// box the screen focused for typing), else on the first in reading order.
TGuiControl* TGuiFocus::Start(const std::vector<TGuiControl*>& items) const {
  if (items.empty()) return nullptr;
  TGuiControl* focused = FocusedLeaf();
  if (std::find(items.begin(), items.end(), focused) != items.end()) return focused;
  return items.front();
}

TGuiControl* TGuiFocus::Current() {
  if (!active_ || !shown_) return nullptr;
  const std::vector<TGuiControl*> items = Focusable();
  if (std::find(items.begin(), items.end(), ring_) == items.end()) ring_ = Start(items);
  return ring_;
}

// A button or a text box takes the keyboard focus with the ring, so typing follows it; a
// key-binding box does not, or it would bind the next arrow key pressed to move on.
void TGuiFocus::Put(TGuiControl* control) {
  ring_ = control;
  if (control != nullptr && !IsBindingBox(control)) control->SetFocus();
}

void TGuiFocus::Move(int step) {
  if (!active_) return;
  const std::vector<TGuiControl*> items = Focusable();
  if (items.empty()) return;
  TGuiControl* current = Current();
  if (!shown_ || current == nullptr) {
    shown_ = true;
    Put(Start(items));
    return;
  }
  const auto count = static_cast<int>(items.size());
  const auto at = static_cast<int>(std::find(items.begin(), items.end(), current) - items.begin());
  Put(items[static_cast<size_t>(((at + step) % count + count) % count)]);
}

bool TGuiFocus::Activate() {
  TGuiControl* control = Current();
  if (control == nullptr) return false;
  if (IsBindingBox(control)) {
    // As a click does: the box lets go of its key and waits for a new one.
    control->MouseDispatch(Middle(*control), meDown, mbLeft, 0);
    control->SetFocus();
    return true;
  }
  if (IsTextBox(control)) {
    control->SetFocus();
    return true;
  }
  control->MouseDispatch(Middle(*control), meClick, mbLeft, 0);
  return true;
}

bool TGuiFocus::TakeEvent(const platform::Event& event) {
  using Type = platform::Event::Type;
  switch (event.type) {
    case Type::KeyUp:
      if (!taken_.test(event.key)) return false;
      taken_.reset(event.key);
      return true;
    case Type::Char:
      // Tab and Enter come as characters too, right after their key-down.
      return (event.ch == vk::Tab || event.ch == vk::Enter) && taken_.test(event.ch);
    case Type::MouseDown:
      shown_ = false;
      return false;
    case Type::FocusLost:
      // The releases of keys held now go to another window.
      taken_.reset();
      return false;
    case Type::KeyDown: break;
    default: return false;
  }
  const uint8_t key = event.key;
  const bool arrow = key == vk::Up || key == vk::Down || key == vk::Left || key == vk::Right;
  if (!active_ || !(arrow || key == vk::Tab || key == vk::Enter)) return false;
  if (Focusable().empty()) return false;
  const TGuiControl* focused = FocusedLeaf();
  if (IsWaitingBindingBox(focused)) return false;
  if (IsTextBox(focused) && (key == vk::Left || key == vk::Right || key == vk::Enter)) return false;
  if (key == vk::Enter) {
    // A held Enter repeats; one press clicks once, not through the forms that follow.
    if (taken_.test(key)) return true;
    // Without the ring Enter keeps the meaning each screen gives it.
    if (!shown_ || !Activate()) return false;
  } else if (key == vk::Tab) {
    Move((event.shift & platform::ShiftShift) != 0 ? -1 : 1);
  } else {
    Move(key == vk::Up || key == vk::Left ? -1 : 1);
  }
  taken_.set(key);
  return true;
}

void TGuiFocus::DrawRing(TGuiPainter& painter) {
  const TGuiControl* control = Current();
  if (control == nullptr) return;
  const TGuiRect r = control->AbsoluteRect();
  for (int band = 1; band <= 6; ++band) {
    const uint32_t colour = band == 1 || band >= 5 ? kRingInk : kRingLight;
    OutlineRect(painter, r.Shrink(-band), {colour, colour, colour, colour}, kFxBlend);
  }
}

}  // namespace zb
