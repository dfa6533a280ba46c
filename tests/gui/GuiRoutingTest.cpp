#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/GuiButton.h"
#include "gui/GuiForm.h"
#include "gui/GuiTaskbar.h"

namespace zb {
namespace {

const char* EventName(TMouseEvent type) {
  static const char* kNames[] = {"down", "up", "move", "click", "dblclick", "enter", "leave"};
  return kNames[type];
}

// A screen form with two buttons side by side, each logging its events and clicks.
struct Screen {
  TGuiTaskbar root;
  TGuiForm* form;
  TGuiButton* a;
  TGuiButton* b;
  std::vector<std::string> log;

  Screen() {
    root.SetBounds(0, 0, 800, 600);
    form = &TGuiControl::Create<TGuiForm>(root);
    form->SetBounds(0, 0, 800, 600);
    form->CaptSize = 0;
    a = &TGuiControl::Create<TGuiButton>(*form);
    a->Name = "A";
    a->SetBounds(100, 100, 100, 40);
    b = &TGuiControl::Create<TGuiButton>(*form);
    b->Name = "B";
    b->SetBounds(300, 100, 100, 40);
    for (TGuiButton* button : {a, b}) {
      button->OnMouse = [this](TGuiControl& s, TGuiPoint, TMouseEvent type, TMouseButton, uint32_t) {
        if (type != meMove) log.push_back(s.Name + " " + EventName(type));
      };
      button->OnClick = [this](TGuiControl& s) { log.push_back(s.Name + " OnClick"); };
    }
  }
  // A left click as the window reports it: press, then click and release.
  void Press(int x, int y) { root.MouseDown(0, 0, x, y); }
  void Release(int x, int y) {
    root.MouseMove(0, x, y);
    root.Click();
    root.MouseUp(0, 0, x, y);
  }
};

TEST(GuiRouting, ClickComesBeforeTheReleaseAndFiresOnClick) {
  Screen s;
  s.root.MouseMove(0, 150, 120);
  s.Press(150, 120);
  EXPECT_TRUE(s.a->Pressed);
  s.Release(160, 125);
  EXPECT_FALSE(s.a->Pressed);
  EXPECT_EQ(s.log, (std::vector<std::string>{"A enter", "A down", "A click", "A OnClick", "A up"}));
  EXPECT_EQ(s.root.ButtonsDown, 0);
  EXPECT_EQ(s.root.CaptureControl, nullptr);
}

TEST(GuiRouting, PressOnOneButtonAndReleaseOnAnotherClicksNeither) {
  Screen s;
  s.root.MouseMove(0, 150, 120);
  s.Press(150, 120);
  s.root.MouseMove(0, 350, 120);
  EXPECT_TRUE(s.a->MouseOver);  // hover waits while the button is held
  EXPECT_FALSE(s.b->MouseOver);
  s.root.Click();
  s.root.MouseUp(0, 0, 350, 120);
  EXPECT_EQ(s.log, (std::vector<std::string>{"A enter", "A down", "A click", "B enter", "A up", "A leave"}));
  EXPECT_TRUE(s.b->MouseOver);
  EXPECT_FALSE(s.a->Pressed);
}

TEST(GuiRouting, ButtonsOfAHiddenFormNeverClick) {
  Screen s;
  s.form->Hide();
  s.Press(150, 120);
  s.Release(150, 120);
  EXPECT_TRUE(s.log.empty());
  // Even a click handed straight to the button is dropped: an ancestor is hidden.
  s.a->MouseDispatch({150, 120}, meClick, mbLeft, 0);
  EXPECT_TRUE(s.log.empty());
}

TEST(GuiRouting, DisabledButtonGetsNoEvents) {
  Screen s;
  s.a->SetEnabled(false);
  s.Press(150, 120);
  s.Release(150, 120);
  // Entering is no event of the button's own: it still holds the hover, but no press or click.
  EXPECT_EQ(s.log, (std::vector<std::string>{"A enter"}));
  EXPECT_EQ(s.root.HoverControl, s.a);
  EXPECT_FALSE(s.a->Pressed);
}

TEST(GuiRouting, AStrayReleaseDoesNotBreakTheNextPress) {
  Screen s;
  s.root.MouseUp(0, 0, 700, 500);  // pressed outside the window
  EXPECT_EQ(s.root.ButtonsDown, 0);
  s.Press(150, 120);
  s.root.MouseMove(0, 350, 120);
  EXPECT_EQ(s.root.CaptureControl, s.a);
  EXPECT_FALSE(s.b->MouseOver);
}

TEST(GuiRouting, PressFocusesTheControlAndRaisesItsForm) {
  Screen s;
  TGuiForm& other = TGuiControl::Create<TGuiForm>(s.root);
  other.SetBounds(500, 400, 100, 100);
  other.SetFocus();
  ASSERT_EQ(s.root.GetControl(0), &other);
  s.Press(350, 120);
  EXPECT_TRUE(s.b->IsFocused());
  EXPECT_EQ(s.root.GetControl(0), s.form);
  EXPECT_EQ(s.root.CaptureControl, s.b);
}

TEST(GuiRouting, FormDragsByItsCaptionBarOnly) {
  TGuiTaskbar root;
  root.SetBounds(0, 0, 800, 600);
  TGuiForm& form = TGuiControl::Create<TGuiForm>(root);
  form.SetBounds(100, 100, 300, 200);
  root.MouseDown(0, 0, 110, 105);
  root.MouseMove(0, 160, 135);
  root.MouseUp(0, 0, 160, 135);
  EXPECT_EQ(form.BoundsRect(), (TGuiRect{150, 130, 450, 330}));
  root.MouseMove(0, 200, 200);
  EXPECT_EQ(form.Left(), 150);
  root.MouseDown(0, 0, 200, 200);  // below the bar
  root.MouseMove(0, 250, 250);
  root.MouseUp(0, 0, 250, 250);
  EXPECT_EQ(form.Left(), 150);
  EXPECT_FALSE(form.Dragging());
}

// Records the keys it sees.
class KeyLog : public TGuiControl {
 public:
  explicit KeyLog(std::vector<std::string>* log = nullptr) : log_(log) {}
  void DoKey(uint32_t key, TKeyEvent type, uint32_t) override {
    if (log_) log_->push_back(Name + ":" + std::to_string(key) + "/" + std::to_string(type));
  }
  std::vector<std::string>* log_ = nullptr;
};

TEST(GuiRouting, KeysReachOnlyTheDeepestFocusedControl) {
  std::vector<std::string> log;
  TGuiTaskbar root;
  TGuiForm& form = TGuiControl::Create<TGuiForm>(root);
  KeyLog& first = TGuiControl::Create<KeyLog>(form);
  KeyLog& second = TGuiControl::Create<KeyLog>(form);
  KeyLog& grandchild = TGuiControl::Create<KeyLog>(second);
  first.Name = "first";
  second.Name = "second";
  grandchild.Name = "grandchild";
  for (KeyLog* c : {&first, &second, &grandchild}) c->log_ = &log;
  int formKeys = 0;
  form.OnKey = [&](TGuiControl&, uint32_t, TKeyEvent, uint32_t) { ++formKeys; };

  second.SetFocus();
  root.KeyDown(0x141, 0);  // reduced to its low byte
  root.KeyPress('x');
  EXPECT_EQ(log, (std::vector<std::string>{"grandchild:65/0", "grandchild:120/2"}));
  EXPECT_EQ(formKeys, 0);

  log.clear();
  grandchild.SetVisible(false);
  EXPECT_EQ(second.FocusIndex, -1);  // hiding passed the focus on, and nothing qualified
  root.KeyUp(13, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"second:13/1"}));
  // The chain is followed without looking at Visible: a hidden child named by FocusIndex gets keys.
  log.clear();
  second.FocusIndex = 0;
  root.KeyUp(13, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"grandchild:13/1"}));
}

}  // namespace
}  // namespace zb
