#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace zb {

struct TScreenContext;

// A button whose click leaves one screen for another, with the click sound.
struct TButtonRoute {
  std::string_view Button;
  uint8_t From;
  uint8_t To;
};

// Attaches the click action of every menu button of the loaded GUI, found by name; a button the
// GUI file lacks is skipped.
void BindButtons(TScreenContext& ctx);
// The buttons that only lead from one screen to another.
std::span<const TButtonRoute> ButtonRoutes();

}  // namespace zb
