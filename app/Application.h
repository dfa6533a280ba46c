#pragma once

#include <filesystem>

#include "engine/platform/Platform.h"

namespace zb {

// Runs the game on a platform until its window closes; the exit status of the program.
int RunGame(platform::Platform& platform, const std::filesystem::path& gameFolder);

}  // namespace zb
