#include "gui/GuiTaskbar.h"

#include <sstream>

#include "engine/FileRead.h"
#include "gui/GuiForm.h"
#include "gui/GuiReader.h"

namespace zb {
namespace {

TMouseButton ToButton(int button) {
  switch (button) {
    case 0: return mbLeft;
    case 1: return mbRight;
    case 2: return mbMiddle;
    default: return mbNone;
  }
}

bool Within(const TGuiControl* control, const TGuiControl& ancestor) {
  for (const TGuiControl* c = control; c; c = c->Parent()) {
    if (c == &ancestor) return true;
  }
  return false;
}

}  // namespace

TGuiTaskbar::TGuiTaskbar() = default;

void TGuiTaskbar::Pointer(TMouseEvent type, TMouseButton button, uint32_t shift, int x, int y) {
  MousePos = {x, y};
  MouseButton = button;
  MouseShift = shift;
  MouseDispatch(MousePos, type, button, shift);
}

void TGuiTaskbar::MouseDown(int button, uint32_t shift, int x, int y) {
  Pointer(meDown, ToButton(button), shift, x, y);
}

void TGuiTaskbar::MouseUp(int button, uint32_t shift, int x, int y) {
  Pointer(meUp, ToButton(button), shift, x, y);
}

void TGuiTaskbar::MouseMove(uint32_t shift, int x, int y) { Pointer(meMove, mbNone, shift, x, y); }

void TGuiTaskbar::Click() { MouseDispatch(MousePos, meClick, MouseButton, MouseShift); }

void TGuiTaskbar::DblClick() { MouseDispatch(MousePos, meDblClick, MouseButton, MouseShift); }

void TGuiTaskbar::KeyDown(uint32_t key, uint32_t shift) { KeyDispatch(key & 0xFF, keDown, shift); }

void TGuiTaskbar::KeyUp(uint32_t key, uint32_t shift) { KeyDispatch(key & 0xFF, keUp, shift); }

void TGuiTaskbar::KeyPress(uint8_t character) { KeyDispatch(character, kePress, 0); }

TGuiControl* TGuiTaskbar::ControlAt(TGuiPoint point) {
  TGuiControl* hit = TGuiControl::ControlAt(point);
  return hit == this ? nullptr : hit;
}

void TGuiTaskbar::DoMouse(TGuiPoint position, TMouseEvent type, TMouseButton button, uint32_t shift) {
  TGuiControl* target = ControlAt(position);
  TGuiControl* receiver = CaptureControl ? CaptureControl : target;
  if (type == meDown && target) {
    if (ButtonsDown <= 0) {
      target->SetFocus();
      CaptureControl = target;
    }
    if (auto* form = dynamic_cast<TGuiForm*>(CaptureControl)) form->SetFocus();
    ++ButtonsDown;
  }
  if (type == meUp) {
    // A release whose press the GUI never saw (pressed outside the window) must not leave
    // the count below zero, or the next press would not hold the pointer.
    if (ButtonsDown > 0) --ButtonsDown;
    if (ButtonsDown <= 0) CaptureControl = nullptr;
  }
  if (ButtonsDown <= 0 && target && target != HoverControl)
    target->MouseDispatch(position, meEnter, button, shift);
  if (receiver && receiver->Enabled()) receiver->MouseDispatch(position, type, button, shift);
  if (ButtonsDown <= 0 && target != HoverControl) {
    if (HoverControl) HoverControl->MouseDispatch(position, meLeave, button, shift);
    HoverControl = target;
  }
}

void TGuiTaskbar::Forget(const TGuiControl& gone) {
  if (Within(HoverControl, gone)) HoverControl = nullptr;
  if (Within(CaptureControl, gone)) {
    CaptureControl = nullptr;
    ButtonsDown = 0;
  }
}

namespace {
// Far above any layout; a larger file is not a GUI file.
constexpr size_t kMaxGuiFileBytes = size_t{16} << 20;
}  // namespace

bool TGuiTaskbar::LoadFromFile(const std::filesystem::path& fileName, std::string* error) {
  FileReadResult file = ReadFileText(fileName, kMaxGuiFileBytes);
  if (!file.ok) {
    if (error) *error = DescribeFileError(file.code);
    return false;
  }
  std::istringstream in(std::move(file.bytes));
  if (LoadFromStream(*this, in, error)) return true;
  if (error) *error = "is broken: " + *error;
  return false;
}

}  // namespace zb
