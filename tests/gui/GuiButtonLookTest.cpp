// The three looks of a picture button and its disabled look, driven through the root's pointer routing
// as the window delivers it.

#include <gtest/gtest.h>

#include "gui/GuiButton.h"
#include "gui/GuiForm.h"
#include "gui/GuiTaskbar.h"
#include "tests/gui/FakePainter.h"

namespace zb {
namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;

// A screen form holding one picture button with the game's three patterns.
struct Screen {
  TGuiTaskbar root;
  test::FakePainter painter;
  TGuiButton* button;
  int clicks = 0;

  Screen() {
    root.SetBounds(0, 0, 800, 600);
    root.Env.Painter = &painter;
    TGuiForm& form = TGuiControl::Create<TGuiForm>(root);
    form.SetBounds(0, 0, 800, 600);
    form.CaptSize = 0;
    button = &TGuiControl::Create<TGuiButton>(form);
    button->SetBounds(100, 100, 200, 40);
    button->Caption = "go";
    button->ImageIndex = 7;
    button->ClickedGlyph = 2;
    button->Font.SetColor(0xFF0A2A50);
    button->DisabledFont.SetColor(0xFF5A6A7A);
    button->OnClick = [this](TGuiControl&) { ++clicks; };
    painter.images[7] = {200, 40};
  }
  // The pattern drawn for the button, its corner colour, and the caption's position and colour.
  const test::FakePainter::Pattern& Draw() {
    painter.Clear();
    root.DrawAll(painter);
    EXPECT_EQ(painter.patterns.size(), 1u);
    EXPECT_EQ(painter.texts.size(), 1u);
    return painter.patterns.at(0);
  }
  void Press(int x, int y) { root.MouseDown(0, 0, x, y); }
  void Release(int x, int y) {
    root.MouseMove(0, x, y);
    root.Click();
    root.MouseUp(0, 0, x, y);
  }
};

TEST(GuiButtonLook, NormalUnderThePointerPressedAndBack) {
  Screen s;
  EXPECT_EQ(s.Draw().pattern, 0);
  EXPECT_EQ(s.painter.patterns[0].colors[0], kWhite);
  s.root.MouseMove(0, 150, 120);
  EXPECT_EQ(s.Draw().pattern, 1);
  s.Press(150, 120);
  EXPECT_EQ(s.Draw().pattern, 2);
  const double pressedX = s.painter.texts[0].x;
  // Dragged off while held: the press holds the pointer, so the button stays pressed.
  s.root.MouseMove(0, 500, 300);
  EXPECT_EQ(s.Draw().pattern, 2);
  EXPECT_EQ(s.painter.texts[0].x, pressedX);
  // Released away from it: no click, and the pointer has left it.
  s.Release(500, 300);
  EXPECT_EQ(s.Draw().pattern, 0);
  EXPECT_EQ(s.painter.texts[0].x, pressedX - 1);
  EXPECT_EQ(s.clicks, 0);
  // A full click on it ends under the pointer.
  s.root.MouseMove(0, 150, 120);
  s.Press(150, 120);
  s.Release(150, 120);
  EXPECT_EQ(s.clicks, 1);
  EXPECT_EQ(s.Draw().pattern, 1);
}

TEST(GuiButtonLook, ADisabledButtonIsFadedAndIgnoresThePointer) {
  Screen s;
  s.button->SetEnabled(false);
  s.root.MouseMove(0, 150, 120);
  s.Press(150, 120);
  const auto& drawn = s.Draw();
  EXPECT_EQ(drawn.pattern, 0);
  for (uint32_t c : drawn.colors) EXPECT_EQ(c, TGuiButton::kDisabledTint);
  EXPECT_EQ(s.painter.texts[0].color1, 0xFF5A6A7Au);
  s.Release(150, 120);
  EXPECT_EQ(s.clicks, 0);
  s.button->SetEnabled(true);
  EXPECT_EQ(s.Draw().pattern, 1);  // the pointer is still over it
  EXPECT_EQ(s.painter.patterns[0].colors[0], kWhite);
  EXPECT_EQ(s.painter.texts[0].color1, 0xFF0A2A50u);
}

TEST(GuiButtonLook, AClickThatDisablesItsOwnButtonDoesNotLeaveItPressed) {
  // As the volume buttons do at their last step: the release then never reaches the button.
  Screen s;
  s.button->OnClick = [&s](TGuiControl& sender) {
    ++s.clicks;
    sender.SetEnabled(false);
  };
  s.root.MouseMove(0, 150, 120);
  s.Press(150, 120);
  s.Release(150, 120);
  EXPECT_EQ(s.clicks, 1);
  EXPECT_FALSE(s.button->Pressed);
  s.button->SetEnabled(true);
  EXPECT_EQ(s.Draw().pattern, 1);
  EXPECT_EQ(s.painter.texts[0].x, (100 + 300 - 16) / 2);  // not moved as if pressed
}

}  // namespace
}  // namespace zb
