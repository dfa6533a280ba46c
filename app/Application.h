#pragma once

#include <filesystem>

#include "engine/platform/Platform.h"

namespace zb {

// Runs the game on a platform until its window closes; the exit status of the program. The
// content and the player's folder are chosen for the program in `programFolder` with these
// values of $XDG_DATA_HOME and $HOME (null when unset).
int RunGame(platform::Platform& platform, const std::filesystem::path& programFolder, const char* xdgDataHome,
            const char* home);

}  // namespace zb
