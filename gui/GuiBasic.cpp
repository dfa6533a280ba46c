#include "gui/GuiBasic.h"

namespace zb {
namespace {
constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

int ButtonCode(platform::MouseButton button) {
  switch (button) {
    case platform::MouseButton::Left: return 0;
    case platform::MouseButton::Right: return 1;
    case platform::MouseButton::Middle: return 2;
  }
  return 3;
}
}  // namespace

TGuiBase::TGuiBase() : taskbar_(std::make_unique<TGuiTaskbar>()) {
  taskbar_->SetBounds(0, 0, kScreenWidth, kScreenHeight);
}

void TGuiBase::SetPainter(std::unique_ptr<TGuiPainter> painter) {
  painter_ = std::move(painter);
  taskbar_->Env.Painter = painter_.get();
}

void TGuiBase::SetFreeKeys(std::bitset<256>* freeCharKeys, std::bitset<256>* freeSpecialKeys) {
  taskbar_->Env.FreeCharKeys = freeCharKeys;
  taskbar_->Env.FreeSpecialKeys = freeSpecialKeys;
}

void TGuiBase::Dispatch(const platform::Event& event) {
  using Type = platform::Event::Type;
  TGuiTaskbar& root = *taskbar_;
  switch (event.type) {
    case Type::KeyDown: root.KeyDown(event.key, event.shift); break;
    case Type::KeyUp: root.KeyUp(event.key, event.shift); break;
    case Type::Char: root.KeyPress(event.ch); break;
    case Type::MouseDown: root.MouseDown(ButtonCode(event.button), event.shift, event.x, event.y); break;
    case Type::MouseUp: root.MouseUp(ButtonCode(event.button), event.shift, event.x, event.y); break;
    case Type::MouseMove: root.MouseMove(event.shift, event.x, event.y); break;
    case Type::MouseClick: root.Click(); break;
    default: break;
  }
}

void TGuiBase::Draw() {
  taskbar_->SetBounds(0, 0, kScreenWidth, kScreenHeight);
  if (!painter_) return;
  const TGuiRect saved = painter_->GetClipRect();
  painter_->SetClipRect({0, 0, kScreenWidth, kScreenHeight});
  taskbar_->DrawAll(*painter_);
  focus_.DrawRing(*painter_);
  painter_->SetClipRect(saved);
}

}  // namespace zb
