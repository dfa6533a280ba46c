#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "gui/GuiButton.h"
#include "gui/GuiEdit.h"
#include "gui/GuiForm.h"
#include "gui/GuiGauge.h"
#include "gui/GuiLabel.h"
#include "gui/GuiListBox.h"
#include "gui/GuiReader.h"
#include "gui/GuiTaskbar.h"

namespace zb {
namespace {

// Little helpers that spell out the bytes of the layout: int32 little-endian, strings
// as an int32 length and the bytes, a text property as name, kind byte and value string.
std::string I32(int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  return {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8 & 0xFF), static_cast<char>(u >> 16 & 0xFF),
          static_cast<char>(u >> 24)};
}
std::string Str(const std::string& s) { return I32(static_cast<int32_t>(s.size())) + s; }
std::string Prop(const std::string& name, uint8_t kind, const std::string& value) {
  return Str(name) + std::string(1, static_cast<char>(kind)) + Str(value);
}

bool Load(TGuiTaskbar& root, const std::string& bytes, std::string* error = nullptr) {
  std::istringstream in(bytes);
  return LoadFromStream(root, in, error);
}

TEST(GuiReader, FileOfOnlyACountOfZeroLoadsNothing) {
  TGuiTaskbar root;
  EXPECT_TRUE(Load(root, std::string("\0\0\0\0", 4)));
  EXPECT_EQ(root.ControlCount(), 0);
  EXPECT_FALSE(Load(root, ""));                        // not even the count
  EXPECT_FALSE(Load(root, std::string("\0\0\0", 3)));  // a count cut short
}

TEST(GuiReader, HandWrittenFormWithAButton) {
  // One form "scr_a" at Left 10 with one button "b_x", whose caption is Cyrillic CP1251.
  static const char kBytes[] =
      "\x01\x00\x00\x00"                                     // one control
      "\x08\x00\x00\x00" "TGuiForm"                          // class
      "\x02\x00\x00\x00"                                     // two properties
      "\x04\x00\x00\x00" "Name" "\x02" "\x05\x00\x00\x00" "scr_a"
      "\x04\x00\x00\x00" "Left" "\x00" "\x02\x00\x00\x00" "10"
      "\x01\x00\x00\x00"                                     // one child
      "\x0A\x00\x00\x00" "TGuiButton"
      "\x02\x00\x00\x00"
      "\x04\x00\x00\x00" "name" "\x02" "\x03\x00\x00\x00" "b_x"
      "\x07\x00\x00\x00" "CAPTION" "\x02" "\x02\x00\x00\x00" "\xC4\xE0"
      "\x00\x00\x00\x00";                                    // no children
  const std::string bytes(kBytes, sizeof kBytes - 1);
  TGuiTaskbar root;
  ASSERT_TRUE(Load(root, bytes));
  auto* form = dynamic_cast<TGuiForm*>(root.FindControl("scr_a"));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Left(), 10);
  EXPECT_EQ(form->Width(), 300);  // constructor default kept
  auto* button = dynamic_cast<TGuiButton*>(form->GetControl(0));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Name, "b_x");
  EXPECT_EQ(button->Caption, "\xC4\xE0");
}

TEST(GuiReader, EmptyRecordKeepsEveryDefault) {
  TGuiTaskbar root;
  ASSERT_TRUE(Load(root, I32(1) + Str("tguiedit") + I32(0) + I32(0)));
  auto* edit = dynamic_cast<TGuiEdit*>(root.GetControl(0));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->Width(), 100);
  EXPECT_EQ(edit->Height(), 20);
  EXPECT_EQ(edit->BlinkTicks, 8);
  EXPECT_EQ(edit->Selector.Colors[0], 0x80D67563u);
  EXPECT_EQ(edit->Font.Color1, 0xFFC56A31u);
  EXPECT_TRUE(edit->Visible());
}

TEST(GuiReader, FillAndFontRecordsAreReadStraightIn) {
  const std::string fill = Str("Bkgrnd") + "\x04" +
                           std::string(
                               "\x11\x22\x33\x44"
                               "\x55\x66\x77\x88"
                               "\x99\xAA\xBB\xCC"
                               "\xDD\xEE\xFF\x00"
                               "\x00",
                               17);
  // Font: index 2, colours, Scale 1.5 and Spacing -1.0 as IEEE doubles, style 4.
  const std::string font = Str("font") + "\x05" +
                           std::string(
                               "\x02\x00\x00\x00"
                               "\x01\x02\x03\xFF"
                               "\x04\x05\x06\xFF"
                               "\x00\x00\x00\x00\x00\x00\xF8\x3F"
                               "\x04"
                               "\x00\x00\x00\x00\x00\x00\xF0\xBF",
                               29);
  TGuiTaskbar root;
  ASSERT_TRUE(Load(root, I32(1) + Str("TGuiLabel") + I32(2) + fill + font + I32(0)));
  auto* label = dynamic_cast<TGuiLabel*>(root.GetControl(0));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Bkgrnd.Colors, (TColors4{0x44332211, 0x88776655, 0xCCBBAA99, 0x00FFEEDD}));
  EXPECT_FALSE(label->Bkgrnd.Visible);  // colours kept, not drawn
  EXPECT_EQ(label->Font.FontIndex, 2);
  EXPECT_EQ(label->Font.Color1, 0xFF030201u);
  EXPECT_EQ(label->Font.Color2, 0xFF060504u);
  EXPECT_DOUBLE_EQ(label->Font.Scale, 1.5);
  EXPECT_EQ(label->Font.Style, 4);
  EXPECT_DOUBLE_EQ(label->Font.Spacing, -1.0);
}

TEST(GuiReader, TextConversionsByKind) {
  TGuiTaskbar root;
  const std::string props = Prop("Theta", 0, "$1F") + Prop("MinValue", 0, "-5") +
                            Prop("ShowText", 3, "fALSE") + Prop("Visible", 3, "0") + Prop("Enabled", 3, "7") +
                            Prop("DrawFx", 6, "$0504") + Prop("Caption", 2, "") + Prop("Tag", 2, "1");
  ASSERT_TRUE(Load(root, I32(1) + Str("TGuiGauge") + I32(8) + props + I32(0)));
  auto* gauge = dynamic_cast<TGuiGauge*>(root.GetControl(0));
  ASSERT_NE(gauge, nullptr);
  EXPECT_EQ(gauge->Theta, 31);
  EXPECT_EQ(gauge->MinValue, -5);
  EXPECT_FALSE(gauge->ShowText);
  EXPECT_FALSE(gauge->Visible());
  EXPECT_TRUE(gauge->Enabled());
  EXPECT_EQ(gauge->DrawFx, 1284);
  EXPECT_EQ(gauge->Caption, "");
  EXPECT_EQ(gauge->TagNumber(), 1);  // the text "1" is the number 1

  // Colours: 64-bit decimal cut to its low 32 bits, negative 32-bit values, hexadecimal.
  TGuiTaskbar lists;
  const std::string listProps = Prop("BorderColor", 8, "4291127857") + Prop("ScrollArrow", 8, "-1") +
                                Prop("Items", 9, "one\r\ntwo\nthree\rfour") + Prop("ItemSize", 0, "$10");
  ASSERT_TRUE(Load(lists, I32(1) + Str("TGuiListBox") + I32(4) + listProps + I32(0)));
  auto* list = dynamic_cast<TGuiListBox*>(lists.GetControl(0));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->BorderColor, 0xFFC56A31u);
  EXPECT_EQ(list->Scroll().ArrowColor, 0xFFFFFFFFu);
  EXPECT_EQ(list->Items, (std::vector<std::string>{"one", "two", "three", "four"}));
  EXPECT_EQ(list->ItemSize, 16);
  TGuiTaskbar big;
  ASSERT_TRUE(
      Load(big, I32(1) + Str("TGuiListBox") + I32(1) + Prop("BorderColor", 8, "$1FFC56A31") + I32(0)));
  EXPECT_EQ(dynamic_cast<TGuiListBox*>(big.GetControl(0))->BorderColor, 0xFFC56A31u);
}

TEST(GuiReader, LaterRecordWinsAndUnknownNamesAreSkipped) {
  TGuiTaskbar root;
  const std::string props =
      Prop("caption", 2, "first") + Prop("Nonsense", 0, "zzz") + Prop("Caption", 2, "second");
  ASSERT_TRUE(Load(root, I32(1) + Str("TGuiButton") + I32(3) + props + I32(0)));
  EXPECT_EQ(dynamic_cast<TGuiButton*>(root.GetControl(0))->Caption, "second");
}

TEST(GuiReader, ChildrenOfSpec1AreButtons) {
  TGuiTaskbar root;
  const std::string child =
      Str("TGuiLabel") + I32(1) + Prop("Caption", 2, "x") + I32(1) + Str("TGuiEdit") + I32(0) + I32(0);
  ASSERT_TRUE(Load(root, I32(1) + Str("TGuiEdit") + I32(1) + Prop("Name", 2, "spec1") + I32(1) + child));
  TGuiControl* box = root.FindControl("spec1");
  ASSERT_EQ(box->ControlCount(), 1);
  auto* button = dynamic_cast<TGuiButton*>(box->GetControl(0));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Caption, "x");
  // Its own children follow the class their records name: its name is not "spec1".
  ASSERT_EQ(button->ControlCount(), 1);
  EXPECT_NE(dynamic_cast<TGuiEdit*>(button->GetControl(0)), nullptr);

  // The rule compares exactly.
  TGuiTaskbar other;
  ASSERT_TRUE(Load(other, I32(1) + Str("TGuiEdit") + I32(1) + Prop("Name", 2, "SPEC1") + I32(1) +
                              Str("TGuiLabel") + I32(0) + I32(0)));
  EXPECT_NE(dynamic_cast<TGuiLabel*>(other.GetControl(0)->GetControl(0)), nullptr);
}

TEST(GuiReader, FailuresStopTheLoadButKeepWhatWasCreated) {
  const std::string good = Str("TGuiButton") + I32(1) + Prop("Name", 2, "b_ok") + I32(0);
  struct Case {
    const char* what;
    std::string tail;
  } cases[] = {
      {"unknown class", Str("TGuiWindow") + I32(0) + I32(0)},
      {"fill record for a font",
       Str("TGuiButton") + I32(1) + Str("Font") + "\x04" + std::string(17, '\0') + I32(0)},
      {"font record for a fill",
       Str("TGuiButton") + I32(1) + Str("OutFill") + "\x05" + std::string(29, '\0') + I32(0)},
      {"fill the class lacks",
       Str("TGuiEdit") + I32(1) + Str("Selected") + "\x04" + std::string(17, '\0') + I32(0)},
      {"text that is no integer", Str("TGuiButton") + I32(1) + Prop("Left", 0, "12px") + I32(0)},
      {"integer out of range", Str("TGuiButton") + I32(1) + Prop("Left", 0, "4294967296") + I32(0)},
      {"text that is no boolean", Str("TGuiButton") + I32(1) + Prop("Visible", 3, "yes") + I32(0)},
      {"ends inside a fill", Str("TGuiButton") + I32(1) + Str("Bkgrnd") + "\x04" + std::string(10, '\0')},
      {"string longer than the file", Str("TGuiButton") + I32(1) + I32(1000000) + "abc"},
      {"negative count", Str("TGuiButton") + I32(-1)},
  };
  for (const Case& c : cases) {
    TGuiTaskbar root;
    std::string error;
    EXPECT_FALSE(Load(root, I32(2) + good + c.tail, &error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
    EXPECT_NE(root.FindControl("b_ok"), nullptr) << c.what;
  }
}

TEST(GuiReader, DeepNestingIsRefusedWithoutExhaustingTheStack) {
  std::string bytes;
  for (int i = 0; i < 10000; ++i) bytes += I32(1) + Str("TGuiPaint") + I32(0);
  bytes += I32(0);
  TGuiTaskbar root;
  EXPECT_FALSE(Load(root, bytes));
  EXPECT_EQ(root.ControlCount(), 1);
}

TEST(GuiReader, HiddenOnLoadMovesTheParentsFocus) {
  TGuiTaskbar root;
  const std::string hidden = Str("TGuiForm") + I32(1) + Prop("Visible", 3, "False") + I32(0);
  ASSERT_TRUE(Load(root, I32(2) + hidden + hidden));
  EXPECT_EQ(root.FocusIndex, -1);
}

TEST(GuiReader, LoadFromFileNeedsAReadableCompleteFile) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "zb_gui_reader_test";
  std::filesystem::create_directories(dir);
  TGuiTaskbar root;
  EXPECT_FALSE(root.LoadFromFile(dir / "missing.zbx"));
  EXPECT_FALSE(root.LoadFromFile(dir));  // a folder is no file
  const std::filesystem::path file = dir / "gfx.zbx";
  {
    std::ofstream out(file, std::ios::binary);
    out << I32(1) << Str("TGuiForm") << I32(1) << Prop("Name", 2, "scr_one") << I32(0);
  }
  EXPECT_TRUE(root.LoadFromFile(file));
  EXPECT_NE(root.FindControl("scr_one"), nullptr);
  std::filesystem::resize_file(file, std::filesystem::file_size(file) - 2);
  TGuiTaskbar cut;
  EXPECT_FALSE(cut.LoadFromFile(file));
  EXPECT_NE(cut.FindControl("scr_one"), nullptr);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zb
