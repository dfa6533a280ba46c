#include "gui/GuiFocus.h"

#include <gtest/gtest.h>

#include <bitset>
#include <string>
#include <vector>

#include "engine/platform/Keys.h"
#include "gui/GuiBasic.h"
#include "gui/GuiButton.h"
#include "gui/GuiEdit.h"
#include "gui/GuiForm.h"
#include "gui/GuiLabel.h"
#include "tests/gui/FakePainter.h"

namespace zb {
namespace {

using platform::Event;

// A GUI whose events go first to the focus ring, as the main window routes them.
struct FocusFixture {
  TGuiBase gui;
  std::bitset<256> freeChars;
  std::bitset<256> freeSpecials;
  TGuiForm* form;
  std::vector<std::string> clicks;

  FocusFixture() {
    for (int c = 65; c <= 255; ++c) freeChars.set(c);
    for (int c = 0; c < 256; ++c) {
      if (IsBindingSpecialKey(c)) freeSpecials.set(c);
    }
    gui.SetFreeKeys(&freeChars, &freeSpecials);
    form = NewForm("menu");
  }
  TGuiForm* NewForm(const char* name) {
    TGuiForm& f = TGuiControl::Create<TGuiForm>(gui.Taskbar());
    f.Name = name;
    f.SetBounds(0, 0, 800, 600);
    f.CaptSize = 0;
    f.BringToFront();
    return &f;
  }
  TGuiButton& Button(const char* name, int left, int top, TGuiControl* parent = nullptr) {
    TGuiButton& b = TGuiControl::Create<TGuiButton>(parent != nullptr ? *parent : *form);
    b.Name = name;
    b.SetBounds(left, top, 100, 30);
    b.OnClick = [this](TGuiControl& sender) { clicks.push_back(sender.Name); };
    return b;
  }
  TGuiEdit& Box(const char* name, int left, int top, int64_t tag) {
    TGuiEdit& e = TGuiControl::Create<TGuiEdit>(*form);
    e.Name = name;
    e.SetBounds(left, top, 100, 30);
    e.SetTag(tag);
    return e;
  }
  // One window event through the ring, then the GUI if the ring left it.
  void Send(Event e) {
    if (!gui.Focus().TakeEvent(e)) gui.Dispatch(e);
  }
  void Key(Event::Type type, uint8_t key, uint32_t shift = 0) {
    Event e;
    e.type = type;
    e.key = key;
    e.shift = shift;
    Send(e);
  }
  void Char(uint8_t ch) {
    Event e;
    e.type = Event::Type::Char;
    e.ch = ch;
    Send(e);
  }
  // A press as the window delivers it: key down, the character of Tab and Enter, key up.
  void Press(uint8_t key, uint32_t shift = 0) {
    Key(Event::Type::KeyDown, key, shift);
    if (key == vk::Tab || key == vk::Enter) Char(key);
    Key(Event::Type::KeyUp, key, shift);
  }
  std::string Ring() {
    TGuiControl* c = gui.Focus().Current();
    return c != nullptr ? c->Name : "";
  }
  std::vector<std::string> Order() {
    std::vector<std::string> names;
    for (TGuiControl* c : gui.Focus().Focusable()) names.push_back(c->Name);
    return names;
  }
};

TEST(GuiFocus, ReadingOrderSkipsHiddenDisabledAndNonButtons) {
  FocusFixture f;
  // Declared out of order; "right" stands 6 pixels lower than "left" but on the same line.
  f.Button("bottom", 300, 400);
  f.Button("right", 420, 206);
  f.Button("left", 300, 200);
  f.Button("top", 300, 100);
  f.Button("hidden", 300, 150).SetVisible(false);
  f.Button("disabled", 300, 300).SetEnabled(false);
  TGuiLabel& label = TGuiControl::Create<TGuiLabel>(*f.form);
  label.Name = "label";
  label.SetBounds(300, 50, 100, 30);
  // A button inside a hidden panel is not shown either.
  TGuiForm& panel = TGuiControl::Create<TGuiForm>(*f.form);
  panel.SetBounds(0, 500, 800, 100);
  f.Button("in_hidden_panel", 10, 10, &panel);
  panel.SetVisible(false);
  EXPECT_EQ(f.Order(), (std::vector<std::string>{"top", "left", "right", "bottom"}));
}

TEST(GuiFocus, StepsShowFirstThenMoveAndWrapBothWays) {
  FocusFixture f;
  f.Button("a", 300, 100);
  f.Button("b", 300, 150);
  f.Button("c", 300, 200);
  EXPECT_EQ(f.Ring(), "");  // no ring before the keyboard is used
  f.Press(vk::Down);
  EXPECT_EQ(f.Ring(), "a");
  f.Press(vk::Down);
  EXPECT_EQ(f.Ring(), "b");
  EXPECT_TRUE(f.form->GetControl(f.form->FocusIndex)->Name == "b");  // the keyboard focus follows
  f.Press(vk::Tab);
  f.Press(vk::Tab);
  EXPECT_EQ(f.Ring(), "a");  // wrapped
  f.Press(vk::Up);
  EXPECT_EQ(f.Ring(), "c");
  f.Press(vk::Tab, platform::ShiftShift);
  EXPECT_EQ(f.Ring(), "b");
  f.Press(vk::Right);
  f.Press(vk::Left);
  EXPECT_EQ(f.Ring(), "b");
  EXPECT_TRUE(f.clicks.empty());
}

TEST(GuiFocus, TheRingLeavesAButtonThatIsHiddenOrDisabledAndFollowsTheFrontForm) {
  FocusFixture f;
  f.Button("a", 300, 100);
  TGuiButton& b = f.Button("b", 300, 150);
  f.Button("c", 300, 200);
  f.Press(vk::Down);
  f.Press(vk::Down);
  ASSERT_EQ(f.Ring(), "b");
  b.SetEnabled(false);
  EXPECT_EQ(f.Ring(), "a");  // back to the start of the form, never on a dead button
  f.Press(vk::Down);
  EXPECT_EQ(f.Ring(), "c");
  b.SetEnabled(true);
  b.SetVisible(false);
  f.Press(vk::Up);
  EXPECT_EQ(f.Ring(), "a");

  // A dialog shown over the menu takes the ring; the menu's buttons are out of reach.
  TGuiForm* dialog = f.NewForm("dialog");
  f.Button("yes", 300, 300, dialog);
  f.Button("no", 420, 300, dialog);
  EXPECT_EQ(f.Ring(), "yes");
  f.Press(vk::Down);
  f.Press(vk::Down);
  EXPECT_EQ(f.Ring(), "yes");
  dialog->SetVisible(false);
  dialog->SendToBack();
  EXPECT_EQ(f.Ring(), "a");
}

TEST(GuiFocus, EnterClicksOnlyWithTheRingAndOnceAPress) {
  FocusFixture f;
  f.Button("a", 300, 100);
  f.Button("b", 300, 150);
  // Without the ring Enter is the screen's: it reaches the window and the controls.
  Event down;
  down.type = Event::Type::KeyDown;
  down.key = vk::Enter;
  EXPECT_FALSE(f.gui.Focus().TakeEvent(down));
  Event up = down;
  up.type = Event::Type::KeyUp;
  EXPECT_FALSE(f.gui.Focus().TakeEvent(up));
  EXPECT_TRUE(f.clicks.empty());

  f.Press(vk::Down);
  f.Press(vk::Down);
  EXPECT_TRUE(f.gui.Focus().TakeEvent(down));
  // Held: the repeats click nothing more, and the release is taken too, so no screen sees it.
  EXPECT_TRUE(f.gui.Focus().TakeEvent(down));
  EXPECT_TRUE(f.gui.Focus().TakeEvent(down));
  Event ch;
  ch.type = Event::Type::Char;
  ch.ch = vk::Enter;
  EXPECT_TRUE(f.gui.Focus().TakeEvent(ch));
  EXPECT_TRUE(f.gui.Focus().TakeEvent(up));
  EXPECT_FALSE(f.gui.Focus().TakeEvent(up));  // only the one release
  EXPECT_EQ(f.clicks, (std::vector<std::string>{"b"}));
  // A press whose release went to another window does not turn the next press into a repeat.
  f.Press(vk::Up);
  EXPECT_TRUE(f.gui.Focus().TakeEvent(down));
  Event lost;
  lost.type = Event::Type::FocusLost;
  EXPECT_FALSE(f.gui.Focus().TakeEvent(lost));
  EXPECT_TRUE(f.gui.Focus().TakeEvent(down));
  EXPECT_EQ(f.clicks, (std::vector<std::string>{"b", "a", "a"}));
}

TEST(GuiFocus, APressOfTheMouseHidesTheRing) {
  FocusFixture f;
  f.Button("a", 300, 100);
  f.Press(vk::Down);
  ASSERT_EQ(f.Ring(), "a");
  Event press;
  press.type = Event::Type::MouseDown;
  press.x = 5;
  press.y = 5;
  f.Send(press);
  EXPECT_EQ(f.Ring(), "");
  f.Press(vk::Enter);
  EXPECT_TRUE(f.clicks.empty());
}

TEST(GuiFocus, InactiveTakesNoKeysAndDrawsNoRing) {
  FocusFixture f;
  f.Button("a", 300, 100);
  f.Press(vk::Down);
  f.gui.Focus().SetActive(false);
  Event down;
  down.type = Event::Type::KeyDown;
  down.key = vk::Left;
  EXPECT_FALSE(f.gui.Focus().TakeEvent(down));  // the bat needs its keys during play
  EXPECT_EQ(f.gui.Focus().Current(), nullptr);
  f.gui.Focus().Move(1);
  f.gui.Focus().SetActive(true);
  EXPECT_EQ(f.Ring(), "a");
}

TEST(GuiFocus, ATextBoxKeepsItsCaretKeysAndEnterButTabLeavesIt) {
  FocusFixture f;
  TGuiEdit& name = f.Box("name", 300, 100, 0);
  TGuiEdit& other = f.Box("other", 300, 150, 0);
  f.Button("ok", 300, 200);
  name.SetFocus();
  for (char c : std::string("Kim")) f.Char(static_cast<uint8_t>(c));
  f.Press(vk::Left);
  EXPECT_EQ(name.Caret, 2);  // the caret moved; the ring did not take the key
  EXPECT_EQ(f.Ring(), "");
  f.Press(vk::Enter);
  EXPECT_TRUE(f.clicks.empty());
  // Tab moves the ring from the box (where the focus was) on; the box's own Tab stays quiet.
  f.Press(vk::Tab);
  EXPECT_EQ(f.Ring(), "name");
  f.Press(vk::Tab);
  EXPECT_EQ(f.Ring(), "other");
  EXPECT_TRUE(other.IsFocused());
  f.Char('x');
  EXPECT_EQ(other.Text(), "x");  // typing follows the ring into a text box
  f.Press(vk::Down);
  EXPECT_EQ(f.Ring(), "ok");
  f.Press(vk::Enter);
  EXPECT_EQ(f.clicks, (std::vector<std::string>{"ok"}));
}

TEST(GuiFocus, AKeyBindingBoxTakesItsKeyOnlyOnceEnterOpensIt) {
  FocusFixture f;
  TGuiEdit& right = f.Box("right", 300, 100, 1);
  f.Box("left", 300, 150, 1);
  right.SetText("Right");
  right.KeyCode = vk::Right;
  f.freeSpecials.reset(vk::Right);
  // Moving over a bound box does not bind the arrow keys that move on.
  f.Press(vk::Down);
  ASSERT_EQ(f.Ring(), "right");
  f.Press(vk::Down);
  f.Press(vk::Up);
  EXPECT_EQ(right.Text(), "Right");
  // Enter opens it as a click does: its key is free again and it waits for the next one.
  f.Press(vk::Enter);
  EXPECT_EQ(right.Text(), "");
  EXPECT_TRUE(f.freeSpecials.test(vk::Right));
  f.Press(vk::Down);  // an arrow is a key like any other here
  EXPECT_EQ(right.Text(), "Down");
  EXPECT_FALSE(f.freeSpecials.test(vk::Down));
  // The box let go of the keyboard; the arrows move the ring again.
  EXPECT_EQ(f.Ring(), "right");
  f.Press(vk::Down);
  EXPECT_EQ(f.Ring(), "left");
  EXPECT_EQ(right.Text(), "Down");
}

TEST(GuiFocus, TheRingIsDrawnAroundTheButtonOverTheForm) {
  FocusFixture f;
  f.Button("a", 300, 100);
  f.gui.SetPainter(std::make_unique<test::FakePainter>());
  auto* recorded = static_cast<test::FakePainter*>(f.gui.Painter());
  f.gui.Draw();
  const size_t plain = recorded->fills.size();
  f.Press(vk::Down);
  recorded->Clear();
  f.gui.Draw();
  ASSERT_GT(recorded->fills.size(), plain);
  // The last bands drawn lie just outside the button, whole.
  const TGuiRect button{300, 100, 400, 130};
  TGuiRect outer = recorded->fills.back().rect;
  for (size_t i = plain; i < recorded->fills.size(); ++i) {
    const TGuiRect r = recorded->fills[i].rect;
    EXPECT_FALSE(r.Left >= button.Left && r.Right <= button.Right && r.Top >= button.Top &&
                 r.Bottom <= button.Bottom)
        << "a band inside the button";
    outer = {std::min(outer.Left, r.Left), std::min(outer.Top, r.Top), std::max(outer.Right, r.Right),
             std::max(outer.Bottom, r.Bottom)};
  }
  EXPECT_EQ(outer, (TGuiRect{294, 94, 406, 136}));
}

}  // namespace
}  // namespace zb
