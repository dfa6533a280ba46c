#pragma once

#include <filesystem>

#include "engine/platform/Platform.h"

namespace zb {

// Runs the game on a platform until its window closes; the exit status of the program. The
// content and the player's folder are chosen for the program in `programFolder` with these
// values of $XDG_DATA_HOME and $HOME (null when unset). With `screenLog` (the value of
// $ZUMBALA_SCREEN_LOG, null when unset) the number of each screen entered is appended to that file.
int RunGame(platform::Platform& platform, const std::filesystem::path& programFolder, const char* xdgDataHome,
            const char* home, const char* screenLog = nullptr);

// Shows a recorded game in the window at the game's speed, from the same folders, writing
// nothing; Escape or the close box leaves it. 1 when the file is not a replay this game reads.
int RunReplay(platform::Platform& platform, const std::filesystem::path& programFolder, const char* xdgDataHome,
              const char* home, const std::filesystem::path& replayFile);

}  // namespace zb
