#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

#include "engine/platform/Events.h"

namespace zb {

// What a controller asks of the game beyond the held directions: steps of the menu focus
// (on press), a click or the action key (A), the pause (Start) and Escape (Back), on release
// as the keys act.
enum class TPadCommand : uint8_t { Up, Down, Left, Right, Accept, Pause, Escape };

// The state of every controller plugged in, from the platform's controller events. Several
// controllers may steer at once; one that goes away lets go of everything it held.
class TGamepadInput {
 public:
  // How far a stick must lean before it counts, of its 32767: a worn stick rests off centre.
  static constexpr int kDeadZone = 12000;

  // Takes one controller event; the commands it gives, in order.
  std::vector<TPadCommand> Handle(const platform::Event& event);

  // Held by the D-pad or the left stick past its dead zone, on any controller.
  bool Left() const;
  bool Right() const;
  // The A button held, on any controller.
  bool Action() const;
  int Count() const { return static_cast<int>(pads_.size()); }

 private:
  // Directions of one controller: up, down, left, right.
  using Directions = std::array<bool, 4>;
  struct Pad {
    int32_t id = 0;
    std::bitset<static_cast<size_t>(platform::PadButton::Count)> buttons;
    std::array<int16_t, static_cast<size_t>(platform::PadAxis::Count)> axes{};

    bool Held(platform::PadButton button) const { return buttons.test(static_cast<size_t>(button)); }
    Directions Stick() const;
    // The stick or the D-pad.
    Directions Aim() const;
  };

  Pad& Find(int32_t id);
  template <class Test>
  bool Any(Test test) const;

  std::vector<Pad> pads_;
};

}  // namespace zb
