#pragma once

#include <cstdint>

namespace zb::platform {

// The virtual-key code for an SDL scancode (a key's position, so that a Cyrillic layout
// binds the same keys as a Latin one); 0 for keys the game does not know.
uint8_t VirtualKeyForScancode(int scancode);

}  // namespace zb::platform
