#include "app/GamepadInput.h"

#include <algorithm>

namespace zb {

using platform::Event;
using platform::PadAxis;
using platform::PadButton;

namespace {

constexpr TPadCommand kSteps[4] = {TPadCommand::Up, TPadCommand::Down, TPadCommand::Left, TPadCommand::Right};

// A direction that starts to be held is one step of the menu focus.
void Steps(const std::array<bool, 4>& before, const std::array<bool, 4>& after, std::vector<TPadCommand>& out) {
  for (size_t d = 0; d < 4; ++d) {
    if (after[d] && !before[d]) out.push_back(kSteps[d]);
  }
}

int16_t Axis(const std::array<int16_t, static_cast<size_t>(PadAxis::Count)>& axes, PadAxis axis) {
  return axes[static_cast<size_t>(axis)];
}

}  // namespace

TGamepadInput::Directions TGamepadInput::Pad::Stick() const {
  const int x = Axis(axes, PadAxis::LeftX);
  const int y = Axis(axes, PadAxis::LeftY);
  return {y < -kDeadZone, y > kDeadZone, x < -kDeadZone, x > kDeadZone};
}

TGamepadInput::Directions TGamepadInput::Pad::Aim() const {
  const Directions stick = Stick();
  return {stick[0] || Held(PadButton::DpadUp), stick[1] || Held(PadButton::DpadDown),
          stick[2] || Held(PadButton::DpadLeft), stick[3] || Held(PadButton::DpadRight)};
}

TGamepadInput::Pad& TGamepadInput::Find(int32_t id) {
  const auto found = std::find_if(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; });
  if (found != pads_.end()) return *found;
  // A controller speaking before it was announced is taken as plugged in.
  pads_.push_back(Pad{.id = id});
  return pads_.back();
}

template <class Test>
bool TGamepadInput::Any(Test test) const {
  return std::any_of(pads_.begin(), pads_.end(), test);
}

bool TGamepadInput::Left() const {
  return Any([](const Pad& p) { return p.Aim()[2]; });
}

bool TGamepadInput::Right() const {
  return Any([](const Pad& p) { return p.Aim()[3]; });
}

bool TGamepadInput::Action() const {
  return Any([](const Pad& p) { return p.Held(PadButton::A); });
}

std::vector<TPadCommand> TGamepadInput::Handle(const Event& event) {
  std::vector<TPadCommand> commands;
  switch (event.type) {
    case Event::Type::PadAdded: Find(event.pad); break;
    case Event::Type::PadRemoved:
      std::erase_if(pads_, [&](const Pad& p) { return p.id == event.pad; });
      break;
    case Event::Type::PadButtonDown:
    case Event::Type::PadButtonUp: {
      if (event.control >= static_cast<uint8_t>(PadButton::Count)) break;
      Pad& pad = Find(event.pad);
      const Directions before = pad.Aim();
      const bool down = event.type == Event::Type::PadButtonDown;
      const bool was = pad.buttons.test(event.control);
      pad.buttons.set(event.control, down);
      Steps(before, pad.Aim(), commands);
      // The rest act on release, as the keys they stand for do.
      if (down || !was) break;
      switch (static_cast<PadButton>(event.control)) {
        case PadButton::A: commands.push_back(TPadCommand::Accept); break;
        case PadButton::Start: commands.push_back(TPadCommand::Pause); break;
        case PadButton::Back: commands.push_back(TPadCommand::Escape); break;
        default: break;
      }
      break;
    }
    case Event::Type::PadAxisMotion: {
      if (event.control >= static_cast<uint8_t>(PadAxis::Count)) break;
      Pad& pad = Find(event.pad);
      const Directions before = pad.Aim();
      pad.axes[event.control] = event.value;
      Steps(before, pad.Aim(), commands);
      break;
    }
    default: break;
  }
  return commands;
}

}  // namespace zb
