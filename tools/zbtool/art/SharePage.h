#pragma once

#include <vector>

#include "tools/zbtool/art/ArtKit.h"

namespace zb::art {

// The pictures of the game's own share page, each one cell named by its file's stem: the background
// "share" (800 x 600) and the states of its two buttons, "scores" and "scores_hover" (the score table
// link) and "exit", "exit_hover" and "exit_disabled". assets/wdata/config.ini places them; the disabled
// exit button leaves its badge empty for the countdown that the game draws there.
std::vector<Picture> SharePictures(const Words& words = Russian);

}  // namespace zb::art
