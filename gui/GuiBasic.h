#pragma once

#include <bitset>
#include <memory>
#include <string_view>

#include "engine/platform/Events.h"
#include "gui/GuiFocus.h"
#include "gui/GuiPainter.h"
#include "gui/GuiTaskbar.h"

namespace zb {

namespace platform {
class Desktop;
}

// Connects the toolkit to the main window: owns the root, hands it the window's input
// after the window's own handlers ran, ticks it and draws it over the whole screen.
class TGuiBase {
 public:
  TGuiBase();

  TGuiTaskbar& Taskbar() { return *taskbar_; }
  TGuiControl* FindControl(std::string_view name) { return taskbar_->FindControl(name); }
  // Keyboard and controller navigation of the shown form.
  TGuiFocus& Focus() { return focus_; }

  // What drawing, pasting and key binding use; each may stay unset.
  void SetPainter(std::unique_ptr<TGuiPainter> painter);
  TGuiPainter* Painter() const { return painter_.get(); }
  void SetDesktop(platform::Desktop* desktop) { taskbar_->Env.Desktop = desktop; }
  void SetFreeKeys(std::bitset<256>* freeCharKeys, std::bitset<256>* freeSpecialKeys);

  // One window event, delivered after the form's own handler saw it.
  void Dispatch(const platform::Event& event);
  void Update() { taskbar_->UpdateAll(); }
  // The whole GUI over the 800 x 600 screen.
  void Draw();

 private:
  std::unique_ptr<TGuiPainter> painter_;
  std::unique_ptr<TGuiTaskbar> taskbar_;
  TGuiFocus focus_{*taskbar_};
};

}  // namespace zb
