#include "gui/GuiListBox.h"

#include <algorithm>
#include <cmath>

namespace zb {
namespace {
enum : int32_t {
  kItems = 0xA000,
  kItemSize,
  kIndexed,
  kItemIndex,
  kTextAdjust,
  kIndexedFont,
  kBorderColor,
  kScrollButton,
  kScrollFill,
  kScrollPressed,
  kScrollArrow,
};
constexpr int kScrollWidth = 16;
constexpr TColors4 kWhite = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
}  // namespace

TGuiListBox::TGuiListBox() {
  SetType("TGuiListBox", "TGuiListBox is a simple set of multiple selectable strings");
  AddStandardProperty("bkgrnd");
  AddStandardProperty("selected");
  AddStandardProperty("font");
  AddProperty("Items", pkStrings, "The strings of the list, one per line", kItems);
  AddProperty("ItemSize", pkInteger, "The height of one row in pixels", kItemSize);
  AddProperty("Indexed", pkFill, "How to fill the selected row", kIndexed);
  AddProperty("ItemIndex", pkInteger, "The selected row, -1 for none", kItemIndex);
  AddProperty("TextAdjust", pkInteger, "The vertical offset of the text in pixels", kTextAdjust);
  AddProperty("IndexedFont", pkFont, "The font of the selected row", kIndexedFont);
  AddProperty("BorderColor", pkColor, "The frame colour of the list and its rows", kBorderColor);
  AddProperty("ScrollButton", pkFill, "How to fill the buttons of the scroll bar", kScrollButton);
  AddProperty("ScrollFill", pkFill, "How to fill the track of the scroll bar", kScrollFill);
  AddProperty("ScrollPressed", pkFill, "How to fill a pressed part of the scroll bar", kScrollPressed);
  AddProperty("ScrollArrow", pkColor, "The colour of the scroll bar arrows", kScrollArrow);

  Indexed.SetColor(0xFFE7C3AE);
  IndexedFont.SetColor(0xFFC65B1F);
  Bkgrnd.SetColors(0xFFF3E7E4, 0xFFF5E4DF, 0xFFFFF3EF, 0xFFFFFFFF);
  Selected.SetColor(0xFFF7DFD6);
  Font.SetColor(0xFFC56A31);
  DisabledFont.SetColor(0xFF5F6B70);
  SetBounds(0, 0, 200, 150);

  scroll_ = &TGuiControl::Create<TGuiScroll>(*this);
  scroll_->Position = 1.0;  // a long list starts at its end
  scroll_->OnChange = [this](TGuiControl&) { HotIndex = -1; };
}

int TGuiListBox::Rows() const {
  // A row height of 0 or less would divide by zero; such a list shows no rows.
  if (ItemSize <= 0) return 0;
  return std::min((Height() - 2) / ItemSize, static_cast<int>(Items.size()));
}

void TGuiListBox::Layout(int scrollWidth) {
  const int count = static_cast<int>(Items.size());
  const int rows = Rows();
  scroll_->DrawFx = DrawFx;
  scroll_->SetVisible(rows < count);
  if (scroll_->Visible() && count > rows) {
    scroll_->SmallStep = 1.0 / (count - rows);
    scroll_->BigStep = 4.0 / (count - rows);
    TopIndex = RoundToInt((count - rows) * scroll_->Position);
  }
  if (count < rows + TopIndex) TopIndex = std::max(count - rows, 0);
  if (ItemIndex >= count) ItemIndex = -1;
  scroll_->SetBoundsValue(2, scrollWidth);
}

void TGuiListBox::DoDraw(TGuiPainter& painter) {
  const std::optional<int64_t> tag = TagNumber();
  const bool pictures = !tag || *tag != 0;
  if (pictures && tag != 1) return;
  const TGuiRect r = AbsoluteRect();
  int scrollWidth = kScrollWidth;
  if (pictures) {
    scroll_->SetTag(Tag());
    scrollWidth =
        painter.PatternSize(static_cast<int>(scroll_->TrackFill.Colors[0])).value_or(TGuiSize{}).Width;
  }
  Layout(scrollWidth);
  TGuiRect area = r;
  if (scroll_->Visible()) area.Right -= scroll_->Width() - 1;
  if (pictures) {
    const int image = static_cast<int>(Bkgrnd.Colors[0]);
    if (const std::optional<TGuiSize> size = painter.PatternSize(image)) {
      painter.DrawPattern(image, 0, TGuiRect::Sized(area.Left, area.Top, size->Width, size->Height), kWhite,
                          1284);
    }
  } else {
    FillWith(painter, Bkgrnd, area, DrawFx);
  }
  if (BorderColor > 0x00FFFFFF)
    OutlineRect(painter, area, {BorderColor, BorderColor, BorderColor, BorderColor}, DrawFx);
  DrawRows(painter, area, pictures);
  scroll_->SetBoundsValue(0, Width() - scroll_->Width());
  scroll_->SetBoundsValue(1, 0);
  scroll_->SetBoundsValue(3, Height());
}

void TGuiListBox::DrawRows(TGuiPainter& painter, const TGuiRect& area, bool pictures) {
  const bool border = BorderColor > 0x00FFFFFF;
  const TColors4 frame = {BorderColor, BorderColor, BorderColor, BorderColor};
  const int pattern = scroll_->Visible() ? 1 : 0;
  auto picture = [&](int image, const TGuiRect& at) {
    if (const std::optional<TGuiSize> size = painter.PatternSize(image)) {
      painter.DrawPattern(image, pattern, TGuiRect::Sized(at.Left, at.Top, size->Width, size->Height), kWhite,
                          1284);
    }
  };
  const int rows = Rows();
  for (int t = 0; t < rows; ++t) {
    const int item = TopIndex + t;
    if (item < 0 || item >= static_cast<int>(Items.size())) break;
    const TGuiRect row =
        TGuiRect::Sized(area.Left + 1, area.Top + 1 + t * ItemSize, area.Width() - 2, ItemSize);
    const TGuiRect inner = row.Shrink(1);
    const bool selected = item == ItemIndex;
    if (item == HotIndex && !selected) {
      if (pictures) {
        if (Selected.Visible) picture(static_cast<int>(Indexed.Colors[0]), inner);
      } else {
        FillWith(painter, Selected, inner, DrawFx);
        if (border && Selected.Visible) OutlineRect(painter, inner, frame, DrawFx);
      }
    }
    if (selected && Enabled()) {
      if (pictures) {
        if (Indexed.Visible) picture(static_cast<int>(Selected.Colors[0]), inner);
      } else {
        FillWith(painter, Indexed, inner, DrawFx);
        if (Indexed.Visible) OutlineRect(painter, inner, frame, DrawFx);
      }
    }
    const TGuiFont& font = !Enabled() ? DisabledFont : (selected ? IndexedFont : Font);
    if (!painter.Applies(font)) continue;
    const std::string& text = Items[item];
    const double x =
        row.Left + RoundToInt(row.Width() / 2.0) - RoundToInt(painter.TextWidth(font, text) / 2.0);
    const double y =
        inner.Top + (inner.Height() - RoundToInt(painter.TextHeight(font, text))) / 2 + TextAdjust;
    painter.TextOut(font, text, x, y, 1284);
  }
}

void TGuiListBox::DoMouse(TGuiPoint position, TMouseEvent type, TMouseButton button, uint32_t /*shift*/) {
  if (type == meLeave || !Enabled() || ItemSize <= 0) {
    HotIndex = -1;
    return;
  }
  const int index = (position.Y - AbsoluteRect().Top - 1) / ItemSize + TopIndex;
  HotIndex = index >= 0 && index < static_cast<int>(Items.size()) ? index : -1;
  if (type == meDown && button == mbLeft && HotIndex != -1) {
    ItemIndex = HotIndex;
    if (OnChange) OnChange(*this);
  }
}

TGuiValue TGuiListBox::GetProperty(int32_t id) const {
  switch (id) {
    case kItems: return Items;
    case kItemSize: return int64_t{ItemSize};
    case kItemIndex: return int64_t{ItemIndex};
    case kTextAdjust: return int64_t{TextAdjust};
    case kBorderColor: return int64_t{BorderColor};
    case kScrollArrow: return int64_t{scroll_->ArrowColor};
    default: return TGuiControl::GetProperty(id);
  }
}

void TGuiListBox::SetProperty(int32_t id, const TGuiValue& value) {
  switch (id) {
    case kItems: Items = ValueToStrings(value); break;
    case kItemSize: ItemSize = ValueToInteger(value); break;
    case kItemIndex: ItemIndex = ValueToInteger(value); break;
    case kTextAdjust: TextAdjust = ValueToInteger(value); break;
    case kBorderColor:
      BorderColor = ValueToColor(value);
      scroll_->BorderColor = BorderColor;
      break;
    case kScrollArrow: scroll_->ArrowColor = ValueToColor(value); break;
    default: TGuiControl::SetProperty(id, value);
  }
}

TGuiFill* TGuiListBox::GetFill(int32_t id) {
  switch (id) {
    case kIndexed: return &Indexed;
    case kScrollButton: return &scroll_->ButtonFill;
    case kScrollFill: return &scroll_->TrackFill;
    case kScrollPressed: return &scroll_->PressedFill;
    default: return TGuiControl::GetFill(id);
  }
}

TGuiFont* TGuiListBox::GetFont(int32_t id) {
  return id == kIndexedFont ? &IndexedFont : TGuiControl::GetFont(id);
}

}  // namespace zb
