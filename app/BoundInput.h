#pragma once

#include <array>

#include "app/GamepadInput.h"
#include "game/PlayContext.h"
#include "persist/Settings.h"

namespace zb {

// The bound actions (right, left, launch, up) as the held keys give them.
TPlayInput BoundInput(const TSettings& settings, const std::array<bool, 256>& held);
// The same with what the controllers hold added.
TPlayInput BoundInput(const TSettings& settings, const std::array<bool, 256>& held, const TGamepadInput& pads);

}  // namespace zb
