#pragma once

#include <string>

namespace zb::platform {

// SDL's video for the life of the game. Without a display SDL would fall back on its offscreen
// driver and the game would run where nobody sees it: that is refused (std::runtime_error with
// the reason) unless the offscreen or dummy driver was asked for in $SDL_VIDEODRIVER.
class VideoSession {
 public:
  VideoSession();
  ~VideoSession();
  VideoSession(const VideoSession&) = delete;
  VideoSession& operator=(const VideoSession&) = delete;
};

// Why the video driver SDL chose is no display for the player; empty when it is one. `requested`
// is $SDL_VIDEODRIVER (null when unset), `chosen` the driver SDL started (null when none started),
// `display` and `wayland` the values of $DISPLAY and $WAYLAND_DISPLAY (null when unset).
std::string DisplayProblem(const char* requested, const char* chosen, const char* display, const char* wayland);

}  // namespace zb::platform
