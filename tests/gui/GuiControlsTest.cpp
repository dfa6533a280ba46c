#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/GuiButton.h"
#include "gui/GuiCheckBox.h"
#include "gui/GuiForm.h"
#include "gui/GuiGauge.h"
#include "gui/GuiLabel.h"
#include "gui/GuiListBox.h"
#include "gui/GuiRadioButton.h"
#include "gui/GuiTaskbar.h"
#include "tests/gui/FakePainter.h"

namespace zb {
namespace {

struct Fixture {
  TGuiTaskbar root;
  test::FakePainter painter;
  Fixture() {
    root.SetBounds(0, 0, 800, 600);
    root.Env.Painter = &painter;
  }
  void Draw() {
    painter.Clear();
    root.DrawAll(painter);
  }
};

TEST(GuiControls, ButtonGlyphFollowsHoverAndPress) {
  Fixture f;
  TGuiButton& button = TGuiControl::Create<TGuiButton>(f.root);
  button.SetBounds(100, 100, 90, 24);
  button.Caption = "ab";  // 16 x 16 in the fake font
  f.Draw();
  ASSERT_TRUE(f.painter.patterns.empty());  // ImageIndex -1: caption only
  ASSERT_EQ(f.painter.texts.size(), 1u);
  EXPECT_EQ(f.painter.texts[0].x, 137);  // (100 + 190 - 16) div 2
  EXPECT_EQ(f.painter.texts[0].y, 104);

  button.ImageIndex = 3;
  button.NormalGlyph = 0;
  button.DisabledGlyph = 1;
  button.ClickedGlyph = 2;
  f.painter.images[3] = {90, 24};
  f.Draw();
  ASSERT_EQ(f.painter.patterns.size(), 1u);
  EXPECT_EQ(f.painter.patterns[0].pattern, 0);
  EXPECT_EQ(f.painter.patterns[0].dest, (TGuiRect{100, 100, 190, 124}));
  f.root.MouseMove(0, 120, 110);
  f.Draw();
  EXPECT_EQ(f.painter.patterns[0].pattern, 1);
  f.root.MouseDown(0, 0, 120, 110);
  f.Draw();
  EXPECT_EQ(f.painter.patterns[0].pattern, 2);
  EXPECT_EQ(f.painter.texts[0].x, 137 + 1);  // the caption moves while pressed
  EXPECT_EQ(f.painter.texts[0].y, 104 + 1);
}

TEST(GuiControls, LongListStartsScrolledToTheEnd) {
  Fixture f;
  TGuiListBox& list = TGuiControl::Create<TGuiListBox>(f.root);
  list.SetBounds(10, 10, 200, 2 + 18 * 4);  // four rows
  list.Items = {"p0", "p1", "p2", "p3", "p4", "p5", "p6"};
  f.Draw();
  EXPECT_TRUE(list.Scroll().Visible());
  EXPECT_EQ(list.TopIndex, 3);
  ASSERT_EQ(f.painter.texts.size(), 4u);
  EXPECT_EQ(f.painter.texts[0].text, "p3");
  EXPECT_EQ(f.painter.texts[3].text, "p6");
  EXPECT_EQ(list.Scroll().BoundsRect(), (TGuiRect{184, 0, 200, 74}));
  EXPECT_DOUBLE_EQ(list.Scroll().SmallStep, 1.0 / 3);

  // The up arrow scrolls by one row.
  f.root.MouseDown(0, 0, 10 + 186, 10 + 3);
  f.root.MouseUp(0, 0, 10 + 186, 10 + 3);
  f.Draw();
  EXPECT_EQ(list.TopIndex, 2);

  // Few items: no scroll bar and all rows from the top.
  list.Items = {"only"};
  f.Draw();
  EXPECT_FALSE(list.Scroll().Visible());
  EXPECT_EQ(list.TopIndex, 0);
}

TEST(GuiControls, ListSelectionBeyondTheItemsReadsBackAsNone) {
  Fixture f;
  TGuiListBox& list = TGuiControl::Create<TGuiListBox>(f.root);
  int changes = 0;
  list.OnChange = [&](TGuiControl&) { ++changes; };
  list.ItemIndex = 5;
  f.Draw();
  EXPECT_EQ(list.ItemIndex, -1);
  // Row 1 (items start at the top, three items fit).
  f.root.MouseDown(0, 0, 50, 1 + 18 + 5);
  EXPECT_EQ(list.ItemIndex, 1);
  EXPECT_EQ(changes, 1);
  list.ItemSize = 0;  // would divide by zero
  f.Draw();
  f.root.MouseMove(0, 50, 30);
  EXPECT_EQ(list.HotIndex, -1);
}

TEST(GuiControls, ProgressiveLabelTypesOneCharacterPerShowDelayTicks) {
  TGuiTaskbar root;
  TGuiLabel& label = TGuiControl::Create<TGuiLabel>(root);
  label.Progressive = true;
  label.ShowDelay = 2;
  label.SetText("Hi there");
  EXPECT_EQ(label.ShownText(), "");
  root.UpdateAll();
  EXPECT_EQ(label.ShownCount(), 0u);
  root.UpdateAll();
  EXPECT_EQ(label.ShownText(), "H");
  for (int i = 0; i < 6; ++i) root.UpdateAll();
  EXPECT_EQ(label.ShownText(), "Hi t");
  EXPECT_EQ(label.Words(), (std::vector<std::string>{"Hi", "t"}));
  for (int i = 0; i < 40; ++i) root.UpdateAll();
  EXPECT_EQ(label.ShownText(), "Hi there");
  label.SetText("New");  // starts over
  EXPECT_EQ(label.ShownCount(), 0u);
}

TEST(GuiControls, WrappedLabelBreaksLinesAndStopsAtAWideWord) {
  Fixture f;
  TGuiLabel& label = TGuiControl::Create<TGuiLabel>(f.root);
  label.SetBounds(0, 0, 60, 100);  // room for 7 characters
  label.WordWrap = true;
  label.SetText("aa bb cc\r dd");
  f.Draw();
  std::vector<std::string> lines;
  for (const auto& t : f.painter.texts) lines.push_back(t.text);
  EXPECT_EQ(lines, (std::vector<std::string>{"aa bb", "cc dd"}));
  EXPECT_EQ(f.painter.texts[1].y, 16);

  label.SetText("abcdefghijk and more");  // wider than the label
  f.Draw();
  EXPECT_TRUE(f.painter.texts.empty());

  // A line break inside a word ends its line, unless the word starts the line.
  label.SetBounds(0, 0, 200, 100);
  label.SetText("x y\nz w");
  f.Draw();
  lines.clear();
  for (const auto& t : f.painter.texts) lines.push_back(t.text);
  EXPECT_EQ(lines, (std::vector<std::string>{"x y\nz", "w"}));
}

TEST(GuiControls, SingleLineAlignments) {
  Fixture f;
  TGuiLabel& label = TGuiControl::Create<TGuiLabel>(f.root);
  label.SetBounds(0, 0, 100, 20);
  label.SetText("abc");  // 24 wide
  const double expected[] = {4, 100 - 24 - 4, (100 - 24) / 2};
  for (int a = 0; a < 3; ++a) {
    label.Alignment = a;
    f.Draw();
    ASSERT_EQ(f.painter.texts.size(), 1u);
    EXPECT_EQ(f.painter.texts[0].x, expected[a]) << a;
    EXPECT_EQ(f.painter.texts[0].y, 2);
  }
  label.SetText("ab cd");
  label.Alignment = 3;  // justified: words spread over the width less 8
  f.Draw();
  ASSERT_EQ(f.painter.texts.size(), 2u);
  EXPECT_EQ(f.painter.texts[1].x, 4 + 16 + (100 - 8 - 32));
  label.Alignment = 9;
  f.Draw();
  EXPECT_TRUE(f.painter.texts.empty());
}

TEST(GuiControls, GaugeWithAnEmptyRangeDrawsAnEmptyBar) {
  Fixture f;
  TGuiGauge& gauge = TGuiControl::Create<TGuiGauge>(f.root);
  gauge.SetBounds(0, 0, 102, 20);
  gauge.Theta = 25;
  EXPECT_EQ(gauge.BarWidth(), 25);
  gauge.MinValue = gauge.MaxValue = 40;
  EXPECT_EQ(gauge.BarWidth(), 0);
  f.Draw();
  for (const auto& fill : f.painter.fills) EXPECT_NE(fill.colors, gauge.Selected.Colors);
  ASSERT_EQ(f.painter.texts.size(), 1u);
  EXPECT_EQ(f.painter.texts[0].text, "Gauge: 25");

  // Picture mode: the knob stays at the left end instead of dividing by zero.
  gauge.SetTag(int64_t{1});
  gauge.Bkgrnd.Colors[0] = 4;
  gauge.Selected.Colors[0] = 5;
  f.painter.images = {{4, {102, 20}}, {5, {10, 20}}, {18, {10, 12}}};
  f.Draw();
  ASSERT_EQ(f.painter.patterns.size(), 2u);
  EXPECT_EQ(f.painter.patterns[1].dest.Left, 0);
  gauge.MinValue = 0;
  gauge.MaxValue = 100;
  gauge.Theta = 50;
  f.Draw();
  EXPECT_EQ(f.painter.patterns[1].dest.Left, 45);  // round((102 - 12) * 0.5)
}

TEST(GuiControls, CheckBoxTogglesOnReleaseInside) {
  TGuiTaskbar root;
  root.SetBounds(0, 0, 800, 600);
  TGuiCheckBox& box = TGuiControl::Create<TGuiCheckBox>(root);
  int changes = 0;
  box.OnChange = [&](TGuiControl&) { ++changes; };
  EXPECT_TRUE(box.Checked());
  root.MouseDown(0, 0, 5, 5);
  root.MouseUp(0, 0, 5, 5);
  EXPECT_FALSE(box.Checked());
  root.MouseDown(0, 0, 5, 5);
  root.MouseUp(0, 0, 300, 300);  // released outside
  EXPECT_FALSE(box.Checked());
  EXPECT_FALSE(box.Pressed);
  EXPECT_EQ(changes, 1);
}

TEST(GuiControls, RadioButtonsUncheckTheirGroup) {
  TGuiTaskbar root;
  root.SetBounds(0, 0, 800, 600);
  TGuiRadioButton& a = TGuiControl::Create<TGuiRadioButton>(root);
  TGuiRadioButton& b = TGuiControl::Create<TGuiRadioButton>(root);
  TGuiRadioButton& other = TGuiControl::Create<TGuiRadioButton>(root);
  b.SetBounds(0, 20, 120, 15);
  other.GroupIndex = 1;
  other.SetChecked(true);
  std::vector<TGuiControl*> changed;
  for (auto* r : {&a, &b, &other}) r->OnChange = [&](TGuiControl& s) { changed.push_back(&s); };
  a.SetChecked(true);
  root.MouseDown(0, 0, 5, 25);
  root.MouseUp(0, 0, 5, 25);
  EXPECT_FALSE(a.Checked());
  EXPECT_TRUE(b.Checked());
  EXPECT_TRUE(other.Checked());
  EXPECT_EQ(changed, (std::vector<TGuiControl*>{&a, &b, &a}));
  root.MouseDown(0, 0, 5, 25);  // a checked button stays checked
  root.MouseUp(0, 0, 5, 25);
  EXPECT_TRUE(b.Checked());
}

TEST(GuiControls, FormDrawsCaptionBarByFocusAndStretchesItsPicture) {
  Fixture f;
  TGuiForm& a = TGuiControl::Create<TGuiForm>(f.root);
  TGuiForm& b = TGuiControl::Create<TGuiForm>(f.root);
  b.SetBounds(400, 0, 300, 200);
  b.ImageIndex = 7;
  b.CaptSize = 0;
  f.painter.images[7] = {64, 64};
  f.Draw();
  ASSERT_EQ(f.painter.patterns.size(), 1u);
  EXPECT_EQ(f.painter.patterns[0].dest, (TGuiRect{400, 0, 696, 196}));  // less the shadow
  ASSERT_EQ(f.painter.fills.size(), 1u);
  EXPECT_EQ(f.painter.fills[0].rect, (TGuiRect{0, 0, 296, 20}));
  EXPECT_EQ(f.painter.fills[0].colors, a.CaptActive.Colors);
  b.SetFocus();
  f.Draw();
  EXPECT_EQ(f.painter.fills[0].colors, a.CaptUnactive.Colors);
}

}  // namespace
}  // namespace zb
