#include "app/GamepadInput.h"

#include <gtest/gtest.h>

namespace zb {
namespace {

using platform::Event;
using platform::PadAxis;
using platform::PadButton;
using Commands = std::vector<TPadCommand>;

Event Button(int32_t pad, PadButton button, bool down) {
  Event e;
  e.type = down ? Event::Type::PadButtonDown : Event::Type::PadButtonUp;
  e.pad = pad;
  e.control = static_cast<uint8_t>(button);
  return e;
}

Event Axis(int32_t pad, PadAxis axis, int16_t value) {
  Event e;
  e.type = Event::Type::PadAxisMotion;
  e.pad = pad;
  e.control = static_cast<uint8_t>(axis);
  e.value = value;
  return e;
}

Event Removed(int32_t pad) {
  Event e;
  e.type = Event::Type::PadRemoved;
  e.pad = pad;
  return e;
}

TEST(GamepadInput, TheDeadZoneAndOneStepPerLean) {
  TGamepadInput pads;
  EXPECT_EQ(pads.Handle(Axis(1, PadAxis::LeftX, TGamepadInput::kDeadZone)), Commands{});
  EXPECT_FALSE(pads.Right());
  EXPECT_EQ(pads.Handle(Axis(1, PadAxis::LeftX, TGamepadInput::kDeadZone + 1)), Commands{TPadCommand::Right});
  EXPECT_TRUE(pads.Right());
  EXPECT_EQ(pads.Handle(Axis(1, PadAxis::LeftX, 32767)), Commands{});  // leaning further is the same step
  // The D-pad in the same direction while the stick is held gives no second step.
  EXPECT_EQ(pads.Handle(Button(1, PadButton::DpadRight, true)), Commands{});
  EXPECT_EQ(pads.Handle(Axis(1, PadAxis::LeftX, 0)), Commands{});
  EXPECT_TRUE(pads.Right());  // the D-pad still holds it
  pads.Handle(Button(1, PadButton::DpadRight, false));
  EXPECT_FALSE(pads.Right());
  EXPECT_EQ(pads.Handle(Axis(1, PadAxis::LeftY, -20000)), Commands{TPadCommand::Up});
  EXPECT_EQ(pads.Handle(Axis(1, PadAxis::RightX, -32768)), Commands{});  // the right stick steers nothing
  EXPECT_FALSE(pads.Left());
}

TEST(GamepadInput, ButtonsActOnTheirRelease) {
  TGamepadInput pads;
  EXPECT_EQ(pads.Handle(Button(1, PadButton::A, true)), Commands{});
  EXPECT_TRUE(pads.Action());
  EXPECT_EQ(pads.Handle(Button(1, PadButton::A, false)), Commands{TPadCommand::Accept});
  EXPECT_FALSE(pads.Action());
  // A release whose press was never seen (held while the game started) is no click.
  EXPECT_EQ(pads.Handle(Button(1, PadButton::Start, false)), Commands{});
  pads.Handle(Button(1, PadButton::Start, true));
  EXPECT_EQ(pads.Handle(Button(1, PadButton::Start, false)), Commands{TPadCommand::Pause});
  pads.Handle(Button(1, PadButton::Back, true));
  EXPECT_EQ(pads.Handle(Button(1, PadButton::Back, false)), Commands{TPadCommand::Escape});
  Event bad = Button(1, PadButton::A, true);
  bad.control = 200;  // a control no controller has
  EXPECT_EQ(pads.Handle(bad), Commands{});
  bad.type = Event::Type::PadAxisMotion;
  EXPECT_EQ(pads.Handle(bad), Commands{});
}

TEST(GamepadInput, EachControllerHoldsForItselfAndLetsGoWhenUnplugged) {
  TGamepadInput pads;
  pads.Handle(Axis(1, PadAxis::LeftX, -30000));
  pads.Handle(Button(2, PadButton::DpadLeft, true));
  pads.Handle(Button(2, PadButton::A, true));
  EXPECT_EQ(pads.Count(), 2);
  pads.Handle(Axis(1, PadAxis::LeftX, 0));
  EXPECT_TRUE(pads.Left());  // the second controller still holds left
  pads.Handle(Removed(2));
  EXPECT_FALSE(pads.Left());
  EXPECT_FALSE(pads.Action());
  EXPECT_EQ(pads.Count(), 1);
  pads.Handle(Removed(2));  // twice, or one never seen: nothing
  EXPECT_EQ(pads.Count(), 1);
}

}  // namespace
}  // namespace zb
