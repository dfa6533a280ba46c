#include "engine/platform/sdl/SdlGamepads.h"

#include <SDL.h>

namespace zb::platform {

std::optional<PadButton> PadButtonFor(SDL_GameControllerButton button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A: return PadButton::A;
    case SDL_CONTROLLER_BUTTON_B: return PadButton::B;
    case SDL_CONTROLLER_BUTTON_X: return PadButton::X;
    case SDL_CONTROLLER_BUTTON_Y: return PadButton::Y;
    case SDL_CONTROLLER_BUTTON_BACK: return PadButton::Back;
    case SDL_CONTROLLER_BUTTON_GUIDE: return PadButton::Guide;
    case SDL_CONTROLLER_BUTTON_START: return PadButton::Start;
    case SDL_CONTROLLER_BUTTON_LEFTSTICK: return PadButton::LeftStick;
    case SDL_CONTROLLER_BUTTON_RIGHTSTICK: return PadButton::RightStick;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: return PadButton::LeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: return PadButton::RightShoulder;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return PadButton::DpadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return PadButton::DpadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return PadButton::DpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return PadButton::DpadRight;
    default: return std::nullopt;
  }
}

std::optional<PadAxis> PadAxisFor(SDL_GameControllerAxis axis) {
  switch (axis) {
    case SDL_CONTROLLER_AXIS_LEFTX: return PadAxis::LeftX;
    case SDL_CONTROLLER_AXIS_LEFTY: return PadAxis::LeftY;
    case SDL_CONTROLLER_AXIS_RIGHTX: return PadAxis::RightX;
    case SDL_CONTROLLER_AXIS_RIGHTY: return PadAxis::RightY;
    case SDL_CONTROLLER_AXIS_TRIGGERLEFT: return PadAxis::LeftTrigger;
    case SDL_CONTROLLER_AXIS_TRIGGERRIGHT: return PadAxis::RightTrigger;
    default: return std::nullopt;
  }
}

SdlGamepads::~SdlGamepads() {
  CloseAll();
  if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool SdlGamepads::Start() {
  if (!started_) started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  return started_;
}

void SdlGamepads::CloseAll() {
  for (auto& [id, controller] : open_) SDL_GameControllerClose(controller);
  open_.clear();
}

std::optional<Event> SdlGamepads::Translate(const SDL_Event& e) {
  Event ev;
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED: {
      // `which` is a device index here; everything after speaks of the instance id.
      SDL_GameController* controller = SDL_GameControllerOpen(e.cdevice.which);
      if (controller == nullptr) return std::nullopt;
      const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
      if (open_.count(id) != 0) {
        // Announced twice (present at start-up and reported again): keep the one handle.
        SDL_GameControllerClose(controller);
        return std::nullopt;
      }
      open_[id] = controller;
      ev.type = Event::Type::PadAdded;
      ev.pad = id;
      return ev;
    }
    case SDL_CONTROLLERDEVICEREMOVED: {
      const auto found = open_.find(e.cdevice.which);
      if (found == open_.end()) return std::nullopt;
      SDL_GameControllerClose(found->second);
      open_.erase(found);
      ev.type = Event::Type::PadRemoved;
      ev.pad = e.cdevice.which;
      return ev;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      const auto button = PadButtonFor(static_cast<SDL_GameControllerButton>(e.cbutton.button));
      if (!button) return std::nullopt;
      ev.type = e.type == SDL_CONTROLLERBUTTONDOWN ? Event::Type::PadButtonDown : Event::Type::PadButtonUp;
      ev.pad = e.cbutton.which;
      ev.control = static_cast<uint8_t>(*button);
      return ev;
    }
    case SDL_CONTROLLERAXISMOTION: {
      const auto axis = PadAxisFor(static_cast<SDL_GameControllerAxis>(e.caxis.axis));
      if (!axis) return std::nullopt;
      ev.type = Event::Type::PadAxisMotion;
      ev.pad = e.caxis.which;
      ev.control = static_cast<uint8_t>(*axis);
      ev.value = e.caxis.value;
      return ev;
    }
    default: return std::nullopt;
  }
}

}  // namespace zb::platform
