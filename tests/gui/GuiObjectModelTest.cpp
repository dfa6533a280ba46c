#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/GuiButton.h"
#include "gui/GuiEdit.h"
#include "gui/GuiForm.h"
#include "gui/GuiLabel.h"
#include "gui/GuiListBox.h"
#include "gui/GuiRegistry.h"
#include "gui/GuiTaskbar.h"
#include "tests/gui/FakePainter.h"

namespace zb {
namespace {

std::vector<std::string> PropertyNames(const TGuiObject& object) {
  std::vector<std::string> names;
  for (const TPropertyRec& rec : object.Properties()) names.emplace_back(rec.Name);
  return names;
}

TEST(GuiObjectModel, DescriptorsOfCommonAndClassProperties) {
  TGuiTaskbar root;
  TGuiButton& button = TGuiControl::Create<TGuiButton>(root);
  const auto& props = button.Properties();
  ASSERT_GE(props.size(), 13u);
  EXPECT_EQ(props[0].Name, "Left");
  EXPECT_EQ(props[0].Id, 0x70000);
  EXPECT_EQ(props[0].Description, "The horizontal position of component in pixels");
  EXPECT_EQ(props[4].Name, "Tag");
  EXPECT_EQ(props[4].Kind, pkString);
  EXPECT_EQ(props[6].Description, "Whether this component can receive and respond to events");
  EXPECT_EQ(props[7].Name, "Name");
  EXPECT_EQ(props[7].Id, 0x80000);
  EXPECT_EQ(props[8].Name, "DrawFx");
  EXPECT_EQ(props[8].Kind, pkDrawFx);
  // Standard properties by key, then the class's own from 0xA000.
  const std::vector<std::string> names = PropertyNames(button);
  EXPECT_EQ(std::vector<std::string>(names.begin() + 9, names.begin() + 14),
            (std::vector<std::string>{"Bkgrnd", "Border", "Font", "DisabledFont", "OutFill"}));
  EXPECT_EQ(props[13].Id, 0xA000);
  EXPECT_EQ(button.PropertyByName("glyphposition")->Kind, pkGlyphPos);
  EXPECT_EQ(button.TypeName(), "TGuiButton");
  EXPECT_EQ(button.TypeDesc(), "This component is a clickable button.");

  // A list box registers no "Border" and no "DisabledFont": records naming them are not its fills.
  TGuiListBox& list = TGuiControl::Create<TGuiListBox>(root);
  EXPECT_EQ(list.IndexOfProperty("Border"), -1);
  EXPECT_EQ(list.FillByName("Border"), nullptr);
  EXPECT_EQ(list.FillByName("SCROLLFILL"), &list.Scroll().TrackFill);
  EXPECT_EQ(list.FontByName("Bkgrnd"), nullptr);
  EXPECT_EQ(root.TypeName(), "TGuiControl");
}

TEST(GuiObjectModel, BoundsValuesKeepSizeOrMoveTheFarEdge) {
  TGuiTaskbar root;
  TGuiControl& c = TGuiControl::Create<TGuiControl>(root);
  c.SetBounds(10, 20, 30, 40);
  c.SetPropertyByName("left", std::string("100"));
  EXPECT_EQ(c.BoundsRect(), (TGuiRect{100, 20, 130, 60}));
  c.SetBoundsValue(3, 5);
  EXPECT_EQ(c.BoundsRect(), (TGuiRect{100, 20, 130, 25}));
  c.SetBoundsValue(7, 99);
  EXPECT_EQ(c.BoundsRect(), (TGuiRect{100, 20, 130, 25}));
  EXPECT_EQ(std::get<int64_t>(c.GetPropertyByName("Width")), 30);
  c.SetPropertyByName("NoSuchProperty", std::string("x"));  // ignored

  // Sizes from a file cannot overflow the rectangle arithmetic, however deep the nesting.
  TGuiControl* deepest = &c;
  for (int i = 0; i < 8; ++i) {
    deepest = &TGuiControl::Create<TGuiControl>(*deepest);
    deepest->SetPropertyByName("Left", std::string("2147483647"));
    deepest->SetPropertyByName("Width", std::string("2147483647"));
  }
  EXPECT_EQ(deepest->Left(), 1 << 29);
  EXPECT_GE(deepest->Width(), 0);
  EXPECT_GE(deepest->AbsoluteRect().Width(), 0);
  EXPECT_TRUE(deepest->ClipRect().Empty());
}

TEST(GuiObjectModel, FindControlIsCaseInsensitiveAndPreOrder) {
  TGuiTaskbar root;
  TGuiForm& a = TGuiControl::Create<TGuiForm>(root);
  a.Name = "scr_exitgame";
  TGuiControl& deep = TGuiControl::Create<TGuiButton>(TGuiControl::Create<TGuiForm>(a));
  deep.Name = "twin";
  TGuiForm& b = TGuiControl::Create<TGuiForm>(root);
  TGuiButton& yes = TGuiControl::Create<TGuiButton>(b);
  yes.Name = "b_exit_yes";
  TGuiButton& twin = TGuiControl::Create<TGuiButton>(b);
  twin.Name = "TWIN";
  EXPECT_EQ(root.FindControl("B_EXIT_YES"), &yes);
  EXPECT_EQ(root.FindControl("Scr_ExitGame"), &a);
  // The subtree of the first form is searched before its later siblings.
  EXPECT_EQ(root.FindControl("twin"), &deep);
  EXPECT_EQ(root.FindControl("missing"), nullptr);
}

TEST(GuiObjectModel, ShowAndHideStepsRunInOrder) {
  TGuiTaskbar root;
  TGuiControl& c = TGuiControl::Create<TGuiControl>(root);
  std::vector<std::string> log;
  c.OnShow = [&](TGuiComponent&) { log.push_back("show"); };
  c.OnHide = [&](TGuiComponent&) { log.push_back(root.FocusIndex == 0 ? "hide, still focused" : "hide"); };
  c.SetVisible(true);  // unchanged: nothing
  c.Hide();
  c.Hide();
  c.Show();
  EXPECT_EQ(log, (std::vector<std::string>{"hide, still focused", "show"}));
}

TEST(GuiObjectModel, FocusFollowsHidingAndShowing) {
  TGuiTaskbar root;
  TGuiForm& a = TGuiControl::Create<TGuiForm>(root);
  TGuiForm& b = TGuiControl::Create<TGuiForm>(root);
  TGuiForm& c = TGuiControl::Create<TGuiForm>(root);
  EXPECT_EQ(root.FocusIndex, 0);  // the first child added
  b.SetEnabled(false);
  a.Hide();
  EXPECT_EQ(root.FocusIndex, 2);  // first visible and enabled
  EXPECT_TRUE(c.IsFocused());
  c.Hide();
  EXPECT_EQ(root.FocusIndex, -1);
  a.Show();  // a parent without focus takes one
  EXPECT_EQ(root.FocusIndex, 0);
  EXPECT_TRUE(a.IsFocused());
  EXPECT_FALSE(b.IsFocused());
}

TEST(GuiObjectModel, BringToFrontAndSendToBackMoveFocusByPosition) {
  TGuiTaskbar root;
  TGuiForm& a = TGuiControl::Create<TGuiForm>(root);
  TGuiForm& b = TGuiControl::Create<TGuiForm>(root);
  TGuiForm& c = TGuiControl::Create<TGuiForm>(root);
  ASSERT_EQ(root.FocusIndex, 0);
  // Not focused, but the focus index 0 is where it lands: it becomes the focused one.
  c.BringToFront();
  EXPECT_EQ(root.GetControl(0), &c);
  EXPECT_EQ(root.GetControl(1), &a);
  EXPECT_TRUE(c.IsFocused());
  c.SendToBack();
  EXPECT_EQ(root.GetControl(2), &c);
  EXPECT_EQ(root.FocusIndex, 2);
  EXPECT_TRUE(c.IsFocused());
  a.SendToBack();  // not focused: the index stays and now names a
  EXPECT_EQ(root.GetControl(0), &b);
  EXPECT_TRUE(a.IsFocused());
}

TEST(GuiObjectModel, FocusInsideAFormRaisesIt) {
  TGuiTaskbar root;
  TGuiForm& a = TGuiControl::Create<TGuiForm>(root);
  TGuiForm& b = TGuiControl::Create<TGuiForm>(root);
  TGuiControl::Create<TGuiButton>(b);
  TGuiButton& second = TGuiControl::Create<TGuiButton>(b);
  second.SetFocus();
  EXPECT_EQ(root.GetControl(0), &b);
  EXPECT_EQ(root.GetControl(1), &a);
  EXPECT_EQ(b.FocusIndex, 1);
  EXPECT_TRUE(second.IsFocused());
  EXPECT_FALSE(a.IsFocused());
}

TEST(GuiObjectModel, ChildPartlyOutsideIsClippedAndHitOnlyInside) {
  TGuiTaskbar root;
  root.SetBounds(0, 0, 800, 600);
  TGuiForm& form = TGuiControl::Create<TGuiForm>(root);
  form.SetBounds(100, 100, 200, 100);
  TGuiButton& button = TGuiControl::Create<TGuiButton>(form);
  button.SetBounds(150, 50, 100, 30);
  EXPECT_EQ(button.AbsoluteRect(), (TGuiRect{250, 150, 350, 180}));
  EXPECT_EQ(button.ClipRect(), (TGuiRect{250, 150, 300, 180}));
  EXPECT_EQ(root.ControlAt({260, 160}), &button);
  EXPECT_EQ(root.ControlAt({300, 160}), &button);  // edges are inclusive
  EXPECT_EQ(root.ControlAt({320, 160}), nullptr);
  EXPECT_EQ(root.ControlAt({120, 120}), &form);
  EXPECT_EQ(form.ScreenToLocal({120, 130}), (TGuiPoint{20, 30}));

  // Wholly outside its parent: hit nowhere, not even at the origin its empty clip collapses to.
  TGuiForm& corner = TGuiControl::Create<TGuiForm>(root);
  corner.SetBounds(0, 0, 50, 50);
  TGuiButton& away = TGuiControl::Create<TGuiButton>(corner);
  away.SetBounds(-500, -500, 10, 10);
  EXPECT_TRUE(away.ClipRect().Empty());
  EXPECT_EQ(root.ControlAt({0, 0}), &corner);

  form.Hide();
  EXPECT_EQ(root.ControlAt({260, 160}), nullptr);  // hidden ancestors hide their children
}

TEST(GuiObjectModel, LowerIndexIsDrawnOnTopAndHitFirst) {
  TGuiTaskbar root;
  root.SetBounds(0, 0, 800, 600);
  TGuiLabel& front = TGuiControl::Create<TGuiLabel>(root);
  front.SetBounds(0, 0, 100, 100);
  front.SetText("front");
  TGuiLabel& back = TGuiControl::Create<TGuiLabel>(root);
  back.SetBounds(50, 50, 100, 100);
  back.SetText("back");
  EXPECT_EQ(root.ControlAt({60, 60}), &front);
  EXPECT_EQ(root.ControlAt({140, 140}), &back);

  test::FakePainter painter;
  root.DrawAll(painter);
  ASSERT_EQ(painter.texts.size(), 2u);
  EXPECT_EQ(painter.texts[0].text, "back");
  EXPECT_EQ(painter.texts[1].text, "front");
  EXPECT_EQ(painter.texts[1].clip, (TGuiRect{0, 0, 100, 100}));
  EXPECT_EQ(painter.clip, (TGuiRect{0, 0, 800, 600}));  // restored

  back.Hide();
  painter.Clear();
  root.DrawAll(painter);
  ASSERT_EQ(painter.texts.size(), 1u);
}

TEST(GuiObjectModel, RegistryCreatesTheTenNames) {
  TGuiTaskbar root;
  const char* expected[] = {"TGuiForm",     "TGuiEdit",   "TGuiLabel", "TGuiListBox", "TGuiRadioButton",
                            "TGuiCheckBox", "TGuiButton", "TGuiGauge", "TGuiPaint",   "TGuiButton"};
  for (int i = 0; i < TGuiRegistry::kCount; ++i) {
    TGuiControl* c = TGuiRegistry::CreateControl(LowerAscii(TGuiRegistry::Names()[i]), root);
    ASSERT_NE(c, nullptr) << i;
    EXPECT_EQ(c->TypeName(), expected[i]);
    EXPECT_EQ(c->Parent(), &root);
  }
  EXPECT_EQ(TGuiRegistry::CreateControl("TGuiScroll", root), nullptr);
  EXPECT_EQ(TGuiRegistry::CreateControl("TGuiTaskbar", root), nullptr);
  EXPECT_EQ(root.ControlCount(), 10);
}

TEST(GuiObjectModel, FreeingAControlForgetsHoverAndFocus) {
  TGuiTaskbar root;
  root.SetBounds(0, 0, 800, 600);
  TGuiButton& a = TGuiControl::Create<TGuiButton>(root);
  TGuiButton& b = TGuiControl::Create<TGuiButton>(root);
  b.SetBounds(200, 0, 50, 50);
  root.MouseMove(0, 10, 10);
  root.MouseDown(0, 0, 10, 10);
  ASSERT_EQ(root.HoverControl, &a);
  ASSERT_EQ(root.CaptureControl, &a);
  a.Free();
  EXPECT_EQ(root.HoverControl, nullptr);
  EXPECT_EQ(root.CaptureControl, nullptr);
  EXPECT_EQ(root.ControlCount(), 1);
  EXPECT_EQ(root.FocusIndex, 0);
  EXPECT_TRUE(b.IsFocused());
  root.MouseMove(0, 210, 10);  // no dangling hover to send a leave to
  EXPECT_EQ(root.HoverControl, &b);
}

}  // namespace
}  // namespace zb
