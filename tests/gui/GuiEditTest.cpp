#include <gtest/gtest.h>

#include <bitset>
#include <string>

#include "engine/platform/headless/Headless.h"
#include "gui/GuiButton.h"
#include "gui/GuiEdit.h"
#include "gui/GuiForm.h"
#include "gui/GuiTaskbar.h"
#include "tests/gui/FakePainter.h"

namespace zb {
namespace {

constexpr uint32_t kCtrl = platform::ShiftCtrl;

struct Fixture {
  TGuiTaskbar root;
  test::FakePainter painter;
  platform::HeadlessDesktop desktop;
  std::bitset<256> freeChars;
  std::bitset<256> freeSpecials;
  TGuiForm* form;

  Fixture() {
    root.SetBounds(0, 0, 800, 600);
    root.Env = {&painter, &desktop, &freeChars, &freeSpecials};
    for (int c = 65; c <= 255; ++c) freeChars.set(c);
    for (int c = 0; c < 256; ++c) {
      if (IsBindingSpecialKey(c)) freeSpecials.set(c);
    }
    form = &TGuiControl::Create<TGuiForm>(root);
    form->SetBounds(0, 0, 800, 600);
    form->CaptSize = 0;
  }
  TGuiEdit& Edit(int left = 100, int top = 100) {
    TGuiEdit& edit = TGuiControl::Create<TGuiEdit>(*form);
    edit.SetBounds(left, top, 100, 20);
    return edit;
  }
  void Type(const std::string& text) {
    for (char c : text) root.KeyPress(static_cast<uint8_t>(c));
  }
  void Draw() {
    painter.Clear();
    root.DrawAll(painter);
  }
  int Carets() {
    int n = 0;
    for (const auto& f : painter.fills) n += f.colors[0] == 0x80D67563u;
    return n;
  }
};

TEST(GuiEdit, TypingEditingKeysAndOnChange) {
  Fixture f;
  TGuiEdit& edit = f.Edit();
  int changes = 0;
  edit.OnChange = [&](TGuiControl&) { ++changes; };
  edit.SetFocus();
  f.Type("abd");
  f.root.KeyDown(37, 0);  // Left
  f.Type("c");
  EXPECT_EQ(edit.Text(), "abcd");
  EXPECT_EQ(edit.Caret, 3);
  f.root.KeyDown(36, 0);  // Home
  f.root.KeyDown(8, 0);   // Backspace at 0: nothing deleted, OnChange all the same
  EXPECT_EQ(edit.Text(), "abcd");
  EXPECT_EQ(changes, 5);
  f.root.KeyDown(46, 0);  // Delete
  EXPECT_EQ(edit.Text(), "bcd");
  f.root.KeyDown(35, 0);  // End
  f.root.KeyDown(8, 0);
  EXPECT_EQ(edit.Text(), "bc");
  EXPECT_EQ(edit.Caret, 2);
  f.root.KeyDown(39, 0);  // Right at the end stays
  EXPECT_EQ(edit.Caret, 2);
  f.Type("\r\x1b");  // control characters are not typed
  EXPECT_EQ(edit.Text(), "bc");

  edit.ReadOnly = true;
  f.Type("x");
  f.root.KeyDown(8, 0);
  EXPECT_EQ(edit.Text(), "bc");
}

TEST(GuiEdit, MaxLengthStopsTypingAndCutsText) {
  Fixture f;
  TGuiEdit& edit = f.Edit();
  edit.SetFocus();
  edit.SetMaxLength(10);
  edit.SetText("0123456789");
  f.Type("x");
  EXPECT_EQ(edit.Text(), "0123456789");
  edit.SetText("0123456789ABC");
  EXPECT_EQ(edit.Text(), "0123456789");
  EXPECT_EQ(edit.Caret, 10);
  edit.SetMaxLength(4);
  EXPECT_EQ(edit.Text(), "0123");
  EXPECT_EQ(edit.Caret, 4);
}

TEST(GuiEdit, PasteTrimsAndDropsLineBreaks) {
  Fixture f;
  TGuiEdit& edit = f.Edit();
  edit.SetFocus();
  edit.SetText("[]");
  f.root.KeyDown(37, 0);
  f.desktop.clipboard = "  \t Mon\r\nkey\x01 \r\n";
  f.root.KeyDown(86, 0);  // V without Ctrl does nothing
  EXPECT_EQ(edit.Text(), "[]");
  f.root.KeyDown(86, kCtrl);
  EXPECT_EQ(edit.Text(), "[Monkey]");
  EXPECT_EQ(edit.Caret, 7);
  edit.SetMaxLength(9);
  f.desktop.clipboard = "abc";
  f.root.KeyDown(86, kCtrl);
  EXPECT_EQ(edit.Text(), "[Monkeyab");
  EXPECT_EQ(edit.Caret, 9);
}

TEST(GuiEdit, CaretBlinksEightTicksOnEightOff) {
  Fixture f;
  TGuiEdit& edit = f.Edit();
  edit.SetFocus();
  edit.SetText("ab");
  std::string pattern;
  for (int tick = 0; tick < 32; ++tick) {
    f.Draw();
    pattern += f.Carets() == 1 ? '#' : '.';
    f.root.UpdateAll();
  }
  EXPECT_EQ(pattern, "########........########........");
  // The block after the last character is half the box height wide.
  f.Draw();
  ASSERT_EQ(f.Carets(), 1);
  EXPECT_EQ(f.painter.fills.back().rect, (TGuiRect{100 + 18, 102, 100 + 28, 118}));
  edit.BlinkTicks = 0;
  edit.Ticks = 8;
  f.Draw();
  EXPECT_EQ(f.Carets(), 1);
  f.form->GetControl(0)->Hide();  // no focus, no caret
  f.Draw();
  EXPECT_EQ(f.Carets(), 0);
}

TEST(GuiEdit, LongTextScrollsToKeepTheCaretInView) {
  Fixture f;
  TGuiEdit& edit = f.Edit();
  edit.SetFocus();
  f.Type("0123456789012345");  // 128 pixels in a 100-pixel box
  EXPECT_GT(edit.ScrollX, 0);
  EXPECT_FALSE(edit.CaretClipped());
  f.root.KeyDown(36, 0);
  EXPECT_EQ(edit.ScrollX, 0);
  f.root.MouseDown(0, 0, 100 + 2 + 8 * 5 + 3, 110);  // inside the sixth character
  EXPECT_EQ(edit.Caret, 5);
}

TEST(GuiEdit, TabMovesByTabOrderAndWraps) {
  Fixture f;
  TGuiEdit& a = f.Edit(0, 0);
  TGuiEdit& b = f.Edit(0, 30);
  TGuiControl::Create<TGuiButton>(*f.form);
  TGuiEdit& c = f.Edit(0, 60);
  EXPECT_EQ(a.TabOrder(), 0);
  EXPECT_EQ(b.TabOrder(), 1);
  EXPECT_EQ(c.TabOrder(), 2);
  c.SetTabOrder(1);  // equal numbers are pushed upwards
  EXPECT_EQ(b.TabOrder(), 2);
  a.SetFocus();
  f.root.KeyPress(9);
  EXPECT_TRUE(c.IsFocused());
  f.root.KeyPress(9);
  EXPECT_TRUE(b.IsFocused());
  f.root.KeyPress(9);  // the last one wraps to the smallest
  EXPECT_TRUE(a.IsFocused());
}

TEST(GuiEdit, KeyNames) {
  EXPECT_EQ(KeyName(32), "Space");
  EXPECT_EQ(KeyName(34), "PageDown");
  EXPECT_EQ(KeyName(46), "Delete");
  EXPECT_EQ(KeyName('a'), "A");
  EXPECT_EQ(KeyName('['), "[");
  EXPECT_EQ(KeyName('7'), "7");
  EXPECT_EQ(KeyName(13), "");
  EXPECT_EQ(KeyName(0xE0), "");
  EXPECT_EQ(KeyName(0x10041), "");
}

struct BindingFixture : Fixture {
  TGuiEdit* spec1;
  TGuiEdit* spec2;
  BindingFixture() {
    spec1 = &Edit(100, 100);
    spec2 = &Edit(100, 200);
    spec1->SetTag(std::string("1"));
    spec2->SetTag(int64_t{1});
    spec1->Name = "spec1";
    spec2->Name = "spec2";
  }
  void ClickBox(TGuiEdit& box) {
    const TGuiRect r = box.AbsoluteRect();
    root.MouseDown(0, 0, r.Left + 10, r.Top + 10);
    root.Click();
    root.MouseUp(0, 0, r.Left + 10, r.Top + 10);
  }
};

TEST(GuiEdit, BindingSpaceAndALetter) {
  BindingFixture f;
  f.ClickBox(*f.spec1);
  ASSERT_TRUE(f.spec1->IsFocused());
  f.root.KeyDown(32, 0);
  EXPECT_EQ(f.spec1->Text(), "Space");
  EXPECT_EQ(f.spec1->KeyCode, 32u);
  EXPECT_FALSE(f.freeSpecials.test(32));

  f.ClickBox(*f.spec2);
  f.root.KeyDown('A', 0);  // a letter binds from its character, not its key-down
  EXPECT_EQ(f.spec2->Text(), "");
  f.root.KeyPress('a');
  EXPECT_EQ(f.spec2->Text(), "A");
  EXPECT_EQ(f.spec2->KeyCode, static_cast<uint32_t>('A'));
  EXPECT_FALSE(f.freeChars.test('A'));
  // Bound, the box lets its parent pick the focus again: the first box of the form.
  EXPECT_TRUE(f.spec1->IsFocused());
}

TEST(GuiEdit, TakenKeysAndOthersAreIgnored) {
  BindingFixture f;
  f.ClickBox(*f.spec1);
  f.root.KeyDown(37, 0);
  ASSERT_EQ(f.spec1->Text(), "Left");
  f.ClickBox(*f.spec2);
  f.root.KeyDown(37, 0);  // bound in the other box
  f.root.KeyPress(0xE0);  // not a character key
  f.root.KeyDown(13, 0);  // not a special key
  EXPECT_EQ(f.spec2->Text(), "");
  EXPECT_TRUE(f.spec2->IsFocused());
}

TEST(GuiEdit, ClickFreesTheKeyAndLeavingRestoresTheBinding) {
  BindingFixture f;
  f.spec1->KeyCode = 39;  // set by the controls screen
  f.freeSpecials.reset(39);
  f.spec2->SetFocus();
  f.Draw();
  EXPECT_EQ(f.spec1->Text(), "Right");
  f.ClickBox(*f.spec1);
  EXPECT_EQ(f.spec1->Text(), "");
  EXPECT_TRUE(f.freeSpecials.test(39));
  EXPECT_EQ(f.spec1->KeyCode, 39u);
  f.ClickBox(*f.spec2);  // leaving without a key
  f.Draw();
  EXPECT_EQ(f.spec1->Text(), "Right");
  EXPECT_FALSE(f.freeSpecials.test(39));

  f.spec2->KeyCode = 'w';
  f.freeChars.reset('W');
  f.ClickBox(*f.spec2);
  EXPECT_TRUE(f.freeChars.test('W'));
  f.spec2->KeyCode = 0x12345;  // never a bit of the sets
  f.ClickBox(*f.spec2);
}

TEST(GuiEdit, OtherTagsIgnoreEverything) {
  Fixture f;
  TGuiEdit& edit = f.Edit();
  edit.SetTag(std::string("x"));
  edit.SetFocus();
  f.Type("abc");
  f.Draw();
  EXPECT_EQ(edit.Text(), "");
  EXPECT_TRUE(f.painter.texts.empty());
}

}  // namespace
}  // namespace zb
