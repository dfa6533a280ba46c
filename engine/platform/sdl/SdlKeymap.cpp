#include "engine/platform/sdl/SdlKeymap.h"

#include <SDL_scancode.h>

#include "engine/platform/Keys.h"

namespace zb::platform {

uint8_t VirtualKeyForScancode(int scancode) {
  const auto code = static_cast<SDL_Scancode>(scancode);
  if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) return static_cast<uint8_t>(vk::A + (code - SDL_SCANCODE_A));
  // SDL numbers the digit row 1..9 then 0.
  if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) return static_cast<uint8_t>('1' + (code - SDL_SCANCODE_1));
  if (code == SDL_SCANCODE_0) return vk::Digit0;
  if (code >= SDL_SCANCODE_F1 && code <= SDL_SCANCODE_F12) return static_cast<uint8_t>(vk::F1 + (code - SDL_SCANCODE_F1));
  if (code >= SDL_SCANCODE_KP_1 && code <= SDL_SCANCODE_KP_9) return static_cast<uint8_t>(vk::Numpad0 + 1 + (code - SDL_SCANCODE_KP_1));
  switch (code) {
    case SDL_SCANCODE_KP_0: return vk::Numpad0;
    case SDL_SCANCODE_BACKSPACE: return vk::Backspace;
    case SDL_SCANCODE_TAB: return vk::Tab;
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_RETURN2:
    case SDL_SCANCODE_KP_ENTER: return vk::Enter;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT: return vk::Shift;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL: return vk::Control;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT: return vk::Alt;
    case SDL_SCANCODE_PAUSE: return vk::Pause;
    case SDL_SCANCODE_CAPSLOCK: return vk::CapsLock;
    case SDL_SCANCODE_ESCAPE: return vk::Escape;
    case SDL_SCANCODE_SPACE: return vk::Space;
    case SDL_SCANCODE_PAGEUP: return vk::PageUp;
    case SDL_SCANCODE_PAGEDOWN: return vk::PageDown;
    case SDL_SCANCODE_END: return vk::End;
    case SDL_SCANCODE_HOME: return vk::Home;
    case SDL_SCANCODE_LEFT: return vk::Left;
    case SDL_SCANCODE_UP: return vk::Up;
    case SDL_SCANCODE_RIGHT: return vk::Right;
    case SDL_SCANCODE_DOWN: return vk::Down;
    case SDL_SCANCODE_INSERT: return vk::Insert;
    case SDL_SCANCODE_DELETE: return vk::Delete;
    case SDL_SCANCODE_KP_MULTIPLY: return vk::Multiply;
    case SDL_SCANCODE_KP_PLUS: return vk::Add;
    case SDL_SCANCODE_KP_MINUS: return vk::Subtract;
    case SDL_SCANCODE_KP_PERIOD: return vk::Decimal;
    case SDL_SCANCODE_KP_DIVIDE: return vk::Divide;
    case SDL_SCANCODE_SEMICOLON: return vk::Semicolon;
    case SDL_SCANCODE_EQUALS: return vk::Equals;
    case SDL_SCANCODE_COMMA: return vk::Comma;
    case SDL_SCANCODE_MINUS: return vk::Minus;
    case SDL_SCANCODE_PERIOD: return vk::Period;
    case SDL_SCANCODE_SLASH: return vk::Slash;
    case SDL_SCANCODE_GRAVE: return vk::Grave;
    case SDL_SCANCODE_LEFTBRACKET: return vk::LeftBracket;
    case SDL_SCANCODE_BACKSLASH: return vk::Backslash;
    case SDL_SCANCODE_RIGHTBRACKET: return vk::RightBracket;
    case SDL_SCANCODE_APOSTROPHE: return vk::Quote;
    default: return 0;
  }
}

}  // namespace zb::platform
