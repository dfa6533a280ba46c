#include "engine/platform/real/VideoSession.h"

#include <SDL.h>

#include <cstdlib>
#include <stdexcept>
#include <string_view>

namespace zb::platform {
namespace {

bool Set(const char* value) { return value != nullptr && *value != '\0'; }

bool Invisible(std::string_view driver) { return driver == "offscreen" || driver == "dummy"; }

}  // namespace

std::string DisplayProblem(const char* requested, const char* chosen, const char* display, const char* wayland) {
  // Whoever names a driver gets it, the invisible ones included (tests, recordings).
  if (Set(requested) && Set(chosen)) return {};
  if (Set(chosen) && !Invisible(chosen)) return {};
  std::string where;
  if (Set(display)) {
    where = "the X display \"" + std::string(display) + "\" cannot be opened";
  } else if (Set(wayland)) {
    where = "DISPLAY is not set and the Wayland display \"" + std::string(wayland) + "\" cannot be opened";
  } else {
    where = "neither DISPLAY nor WAYLAND_DISPLAY is set";
  }
  if (Set(requested)) where = "the video driver \"" + std::string(requested) + "\" cannot start";
  return "Zumbala needs a display to show its window, but " + where +
         ". (SDL_VIDEODRIVER=offscreen runs it without one, unseen.)";
}

VideoSession::VideoSession() {
  // The game notes the end signals itself and ends in order (EndSignals).
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  const bool started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  const std::string problem = DisplayProblem(std::getenv("SDL_VIDEODRIVER"),
                                             started ? SDL_GetCurrentVideoDriver() : nullptr,
                                             std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
  if (problem.empty()) return;
  if (started) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  throw std::runtime_error(problem);
}

VideoSession::~VideoSession() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

}  // namespace zb::platform
