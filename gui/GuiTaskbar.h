#pragma once

#include <filesystem>
#include <istream>

#include "gui/GuiControls.h"

namespace zb {

// The invisible root of the control tree: it turns window input into control events,
// keeps the control under the pointer and the one holding it while buttons are down.
class TGuiTaskbar : public TGuiControl {
 public:
  TGuiTaskbar();

  // Window input, in GUI coordinates. Buttons: 0 left, 1 right, 2 middle, others none.
  void MouseDown(int button, uint32_t shift, int x, int y);
  void MouseUp(int button, uint32_t shift, int x, int y);
  void MouseMove(uint32_t shift, int x, int y);
  void Click();
  void DblClick();
  void KeyDown(uint32_t key, uint32_t shift);
  void KeyUp(uint32_t key, uint32_t shift);
  void KeyPress(uint8_t character);

  // Reads a GUI file into this root; false when it cannot be opened or read to its end, with
  // the reason in `error`, worded to follow the file's name ("is broken: the file ends early").
  bool LoadFromFile(const std::filesystem::path& fileName, std::string* error = nullptr);

  TGuiControl* ControlAt(TGuiPoint point) override;
  void DoMouse(TGuiPoint position, TMouseEvent type, TMouseButton button, uint32_t shift) override;
  void DoKey(uint32_t /*key*/, TKeyEvent /*type*/, uint32_t /*shift*/) override {}

  TGuiPoint MousePos;
  TMouseButton MouseButton = mbNone;
  uint32_t MouseShift = 0;
  TGuiControl* HoverControl = nullptr;
  TGuiControl* CaptureControl = nullptr;
  int32_t ButtonsDown = 0;

  TGuiEnvironment Env;

 protected:
  TGuiEnvironment* OwnEnvironment() override { return &Env; }
  void Forget(const TGuiControl& gone) override;

 private:
  void Pointer(TMouseEvent type, TMouseButton button, uint32_t shift, int x, int y);
};

}  // namespace zb
