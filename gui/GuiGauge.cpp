#include "gui/GuiGauge.h"

#include <cmath>

namespace zb {
namespace {
enum : int32_t { kCaption = 0xA000, kTheta, kMinValue, kMaxValue, kShowText, kAlignment };
constexpr TColors4 kWhite = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
// The slider's travel leaves room for the knob, whose size is that of this picture.
constexpr int kKnobImage = 18;
}  // namespace

TGuiGauge::TGuiGauge() {
  SetType("TGuiGauge", "This component is a simple progress bar");
  AddStandardProperty("bkgrnd");
  AddStandardProperty("border");
  AddStandardProperty("selected");
  AddStandardProperty("font");
  AddStandardProperty("disabledfont");
  AddProperty("Caption", pkString, "The label of the value", kCaption);
  AddProperty("Theta", pkInteger, "The current value", kTheta);
  AddProperty("MinValue", pkInteger, "The value at the left end", kMinValue);
  AddProperty("MaxValue", pkInteger, "The value at the right end", kMaxValue);
  AddProperty("ShowText", pkBoolean, "Whether the value is shown as text", kShowText);
  AddProperty("Alignment", pkAlignment, "The alignment of the value text", kAlignment);

  Bkgrnd.SetColors(0xFFFFEAD5, 0xFFFFEAD5, 0xFFFFFFFF, 0xFFFFFFFF);
  Selected.SetColors(0xFFFFEEDD, 0xFFFFEEDD, 0xFFFFAE5E, 0xFFFFAE5E);
  Border.SetColor(0xFFB99D7F);
  Font.SetColor(0xFFC56A31);
  DisabledFont.SetColor(0xFF5F6B70);
  SetBounds(0, 0, 120, 20);
}

int TGuiGauge::BarWidth() const {
  const int64_t range = static_cast<int64_t>(MaxValue) - MinValue;
  // An empty range would divide by zero: such a gauge shows an empty bar.
  if (range == 0) return 0;
  return static_cast<int>((static_cast<int64_t>(Theta) - MinValue) * (Width() - 2) / range);
}

std::string TGuiGauge::ValueText() const {
  return Caption.empty() ? std::to_string(Theta) : Caption + ": " + std::to_string(Theta);
}

void TGuiGauge::DoDraw(TGuiPainter& painter) {
  const TGuiRect r = AbsoluteRect();
  const std::optional<int64_t> tag = TagNumber();
  if (!tag || *tag != 0) {
    DrawPictures(painter, r);
    return;
  }
  FillWith(painter, Bkgrnd, r, DrawFx);
  if (Bkgrnd.Visible) OutlineRect(painter, r.Shrink(1), Reversed(Bkgrnd.Colors), DrawFx);
  if (Selected.Visible) {
    const int bar = BarWidth();
    if (bar > 0) {
      painter.FillRect(TGuiRect::Sized(r.Left + 1, r.Top, bar, Height()), Selected.Colors, DrawFx);
      const double right = r.Left + 1 + bar - 0.5, left = r.Left + 1.5;
      painter.Line(right, r.Top, right, r.Bottom, Selected.Colors[2], Selected.Colors[2], DrawFx);
      painter.Line(left, r.Top, left, r.Bottom, Selected.Colors[0], Selected.Colors[0], DrawFx);
    }
  }
  const TGuiFont& font = TextFont();
  if (ShowText && painter.Applies(font)) {
    const std::string text = ValueText();
    const int tw = RoundToInt(painter.TextWidth(font, text));
    int x = r.Left + 5;
    if (Alignment == 2) x = r.Left + (Width() - tw) / 2;
    if (Alignment == 1) x = r.Right - tw - 5;
    const int y = r.Top + (Height() - RoundToInt(painter.TextHeight(font, text))) / 2;
    painter.TextOut(font, text, x, y, 1284);
  }
  OutlineWith(painter, Border, r, DrawFx);
}

void TGuiGauge::DrawPictures(TGuiPainter& painter, const TGuiRect& r) {
  const int back = static_cast<int>(Bkgrnd.Colors[0]);
  const int knob = static_cast<int>(Selected.Colors[0]);
  if (painter.PatternSize(back)) painter.DrawPattern(back, 0, r, kWhite, 1284);
  const std::optional<TGuiSize> knobSize = painter.PatternSize(knob);
  if (!knobSize) return;
  const int64_t range = static_cast<int64_t>(MaxValue) - MinValue;
  int offset = 0;
  if (range != 0) {
    const int travel = Width() - painter.PatternSize(kKnobImage).value_or(TGuiSize{}).Height;
    offset = RoundToInt(static_cast<double>(travel) * (static_cast<double>(Theta) - MinValue) /
                        static_cast<double>(range));
  }
  painter.DrawPattern(knob, 0, TGuiRect::Sized(r.Left + offset, r.Top, knobSize->Width, knobSize->Height),
                      kWhite, 1284);
}

TGuiValue TGuiGauge::GetProperty(int32_t id) const {
  switch (id) {
    case kCaption: return Caption;
    case kTheta: return int64_t{Theta};
    case kMinValue: return int64_t{MinValue};
    case kMaxValue: return int64_t{MaxValue};
    case kShowText: return ShowText;
    case kAlignment: return int64_t{Alignment};
    default: return TGuiControl::GetProperty(id);
  }
}

void TGuiGauge::SetProperty(int32_t id, const TGuiValue& value) {
  switch (id) {
    case kCaption: Caption = ValueToString(value); break;
    case kTheta: Theta = ValueToInteger(value); break;
    case kMinValue: MinValue = ValueToInteger(value); break;
    case kMaxValue: MaxValue = ValueToInteger(value); break;
    case kShowText: ShowText = ValueToBoolean(value); break;
    case kAlignment: Alignment = ValueToInteger(value); break;
    default: TGuiControl::SetProperty(id, value);
  }
}

}  // namespace zb
