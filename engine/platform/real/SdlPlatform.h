#pragma once

#include <memory>

#include "engine/platform/Platform.h"

namespace zb::platform {

// The platform of a desktop session: an SDL window, its renderer, the system clock and shell.
std::unique_ptr<Platform> CreateSdlPlatform();

}  // namespace zb::platform
