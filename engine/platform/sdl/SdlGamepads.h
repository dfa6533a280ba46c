#pragma once

#include <SDL_events.h>
#include <SDL_gamecontroller.h>

#include <map>
#include <optional>

#include "engine/platform/Events.h"

namespace zb::platform {

// The game controllers plugged in: each is opened as it arrives (SDL announces those present at
// start-up the same way) and closed as it goes; their SDL events become the platform's
// controller events, keyed by the controller's instance id.
class SdlGamepads {
 public:
  SdlGamepads() = default;
  ~SdlGamepads();
  SdlGamepads(const SdlGamepads&) = delete;
  SdlGamepads& operator=(const SdlGamepads&) = delete;

  // Starts SDL's controller subsystem; false when it cannot run (the game then has no pads).
  bool Start();
  // The platform event for one SDL event; nothing for events that are no controller's, for
  // a device that cannot be opened and for controls the game does not know.
  std::optional<Event> Translate(const SDL_Event& event);
  int OpenCount() const { return static_cast<int>(open_.size()); }

 private:
  void CloseAll();

  std::map<SDL_JoystickID, SDL_GameController*> open_;
  bool started_ = false;
};

std::optional<PadButton> PadButtonFor(SDL_GameControllerButton button);
std::optional<PadAxis> PadAxisFor(SDL_GameControllerAxis axis);

}  // namespace zb::platform
