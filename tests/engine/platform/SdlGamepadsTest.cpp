#include "engine/platform/sdl/SdlGamepads.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

namespace zb::platform {
namespace {

// SDL's virtual controller stands in for a real one plugged into the machine.
class SdlGamepadsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!pads_.Start()) GTEST_SKIP() << "no game controller subsystem: " << SDL_GetError();
  }
  // Every controller event SDL has for us now, as the platform gives them.
  std::vector<Event> Poll() {
    SDL_JoystickUpdate();
    std::vector<Event> out;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
      if (const auto ev = pads_.Translate(e)) out.push_back(*ev);
    }
    return out;
  }
  static int Attach() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1;
    desc.button_mask = (1u << desc.nbuttons) - 1;
    desc.axis_mask = (1u << desc.naxes) - 1;
    desc.name = "test pad";
    return SDL_JoystickAttachVirtualEx(&desc);
  }

  SdlGamepads pads_;
};

TEST_F(SdlGamepadsTest, APluggedControllerIsOpenedItsControlsTranslatedAndItsRemovalReported) {
  Poll();  // whatever the machine has plugged in
  const int before = pads_.OpenCount();
  const int index = Attach();
  ASSERT_GE(index, 0) << SDL_GetError();
  std::vector<Event> events = Poll();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].type, Event::Type::PadAdded);
  EXPECT_EQ(pads_.OpenCount(), before + 1);
  const int32_t id = events[0].pad;
  SDL_Joystick* joystick = SDL_JoystickFromInstanceID(id);
  ASSERT_NE(joystick, nullptr);

  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 1);
  SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, -30000);
  events = Poll();
  ASSERT_EQ(events.size(), 2u);
  for (const Event& e : events) {
    EXPECT_EQ(e.pad, id);
    if (e.type == Event::Type::PadButtonDown) {
      EXPECT_EQ(e.control, static_cast<uint8_t>(PadButton::A));
    } else {
      EXPECT_EQ(e.type, Event::Type::PadAxisMotion);
      EXPECT_EQ(e.control, static_cast<uint8_t>(PadAxis::LeftX));
      EXPECT_EQ(e.value, -30000);
    }
  }

  // Unplugged, it lets go of what it held, then goes.
  ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0);
  events = Poll();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().type, Event::Type::PadRemoved);
  EXPECT_EQ(events.back().pad, id);
  EXPECT_EQ(pads_.OpenCount(), before);
}

TEST_F(SdlGamepadsTest, EventsOfOtherKindsAndUnknownControlsGiveNothing) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  EXPECT_FALSE(pads_.Translate(e));
  e.type = SDL_CONTROLLERDEVICEREMOVED;
  e.cdevice.which = 12345;  // never opened
  EXPECT_FALSE(pads_.Translate(e));
  e.type = SDL_CONTROLLERBUTTONDOWN;
  e.cbutton.button = SDL_CONTROLLER_BUTTON_TOUCHPAD;
  EXPECT_FALSE(pads_.Translate(e));
  e.type = SDL_CONTROLLERDEVICEADDED;
  e.cdevice.which = 999;  // no such device index
  EXPECT_FALSE(pads_.Translate(e));
}

}  // namespace
}  // namespace zb::platform
