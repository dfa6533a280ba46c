#pragma once

#include <cstdint>

namespace zb::platform {

enum class MouseButton : uint8_t { Left, Right, Middle };

// Modifier state carried by key and mouse events.
enum ShiftFlags : uint32_t {
  ShiftNone = 0,
  ShiftShift = 1,
  ShiftAlt = 2,
  ShiftCtrl = 4,
  ShiftLeftButton = 8,
  ShiftRightButton = 16,
  ShiftMiddleButton = 32,
};

// The buttons and axes of a game controller, laid out as on the common twin-stick pads.
enum class PadButton : uint8_t {
  A,  // the south face button
  B,
  X,
  Y,
  Back,
  Guide,
  Start,
  LeftStick,
  RightStick,
  LeftShoulder,
  RightShoulder,
  DpadUp,
  DpadDown,
  DpadLeft,
  DpadRight,
  Count,
};
enum class PadAxis : uint8_t { LeftX, LeftY, RightX, RightY, LeftTrigger, RightTrigger, Count };

// One window event, already translated into the game's terms: virtual-key codes,
// CP1251 characters, logical 800 x 600 pointer coordinates and controller controls.
struct Event {
  enum class Type : uint8_t {
    KeyDown,     // key = virtual-key code
    KeyUp,       // key = virtual-key code
    Char,        // ch = CP1251 byte of a typed character
    MouseDown,   // button, x, y
    MouseUp,     // button, x, y
    MouseClick,  // left release inside the window: delivered before its MouseUp
    MouseMove,   // x, y
    CloseRequest,
    Minimized,
    Restored,
    FocusLost,      // the window no longer takes the keyboard
    FocusGained,
    PadAdded,       // pad = the new controller's id
    PadRemoved,     // pad
    PadButtonDown,  // pad, control = PadButton
    PadButtonUp,    // pad, control = PadButton
    PadAxisMotion,  // pad, control = PadAxis, value: sticks -32768..32767 (down and right positive)
  };

  Type type = Type::KeyDown;
  uint8_t key = 0;
  uint8_t ch = 0;
  MouseButton button = MouseButton::Left;
  uint32_t shift = ShiftNone;
  int x = 0;
  int y = 0;
  int32_t pad = 0;
  uint8_t control = 0;
  int16_t value = 0;
};

}  // namespace zb::platform
