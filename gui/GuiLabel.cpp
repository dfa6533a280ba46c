#include "gui/GuiLabel.h"

#include <cmath>

namespace zb {
namespace {
enum : int32_t { kText = 0xA000, kWordWrap, kTextAdjust, kAlignment, kLineSpacing, kProgressive, kShowDelay };

bool IsSeparator(char c) { return c == 8 || c == 13 || c == 32; }

}  // namespace

TGuiLabel::TGuiLabel() {
  SetType("TGuiLabel", "TGuiLabel is an advanced component that displays text.");
  AddStandardProperty("bkgrnd");
  AddStandardProperty("border");
  AddStandardProperty("font");
  AddStandardProperty("disabledfont");
  AddProperty("Text", pkString, "The text of the label", kText);
  AddProperty("WordWrap", pkBoolean, "Whether the text is wrapped into lines", kWordWrap);
  AddProperty("TextAdjust", pkInteger, "The vertical offset of the text in pixels", kTextAdjust);
  AddProperty("Alignment", pkAlignment, "The alignment of the text", kAlignment);
  AddProperty("LineSpacing", pkInteger, "Extra pixels between lines", kLineSpacing);
  AddProperty("Progressive", pkBoolean, "Whether the text is typed out character by character", kProgressive);
  AddProperty("ShowDelay", pkInteger, "Frame ticks per typed character", kShowDelay);

  DrawFx = 1284;
  Font.SetColor(0xFFC56A31);
  DisabledFont.SetColor(0xFF5F6B70);
  Bkgrnd.SetColor(0xFFFFFFFF);
  Bkgrnd.Visible = false;
  Border.SetColor(0xFFB99D7F);
  Border.Visible = false;
  SetBounds(0, 0, 100, 20);
}

void TGuiLabel::SetText(std::string text) {
  text_ = std::move(text);
  ticks_ = 0;
  shown_ = 0;
  BuildWords();
}

std::string TGuiLabel::ShownText() const { return Progressive ? text_.substr(0, shown_) : text_; }

void TGuiLabel::BuildWords() {
  words_.clear();
  const std::string shown = ShownText();
  size_t i = 0;
  while (i < shown.size()) {
    while (i < shown.size() && IsSeparator(shown[i])) ++i;
    const size_t start = i;
    while (i < shown.size() && !IsSeparator(shown[i])) ++i;
    if (i > start) words_.push_back(shown.substr(start, i - start));
  }
}

void TGuiLabel::DoUpdate() {
  if (!Progressive) return;
  if (++ticks_ >= ShowDelay) {
    ticks_ = 0;
    if (shown_ < text_.size()) ++shown_;
    BuildWords();
  }
}

void TGuiLabel::DoDraw(TGuiPainter& painter) {
  const TGuiRect r = AbsoluteRect();
  FillWith(painter, Bkgrnd, r, DrawFx);
  const TGuiFont& font = TextFont();
  if (painter.Applies(font)) {
    if (WordWrap) {
      DrawWrapped(painter, font, r);
    } else {
      DrawSingleLine(painter, font, r);
    }
  }
  OutlineWith(painter, Border, r, DrawFx);
}

void TGuiLabel::DrawSingleLine(TGuiPainter& painter, const TGuiFont& font, const TGuiRect& r) {
  const double y = r.Top + (r.Height() - RoundToInt(painter.TextHeight(font, text_))) / 2 + TextAdjust;
  const int tw = RoundToInt(painter.TextWidth(font, text_));
  switch (Alignment) {
    case 0: painter.TextOut(font, text_, r.Left + 4, y, DrawFx); break;
    case 1: painter.TextOut(font, text_, r.Right - tw - 4, y, DrawFx); break;
    case 2: painter.TextOut(font, text_, r.Left + (r.Width() - tw) / 2, y, DrawFx); break;
    case 3: DrawJustified(painter, font, r, 0, words_.size(), y); break;
    default: break;
  }
}

void TGuiLabel::DrawJustified(TGuiPainter& painter, const TGuiFont& font, const TGuiRect& r, size_t first,
                              size_t count, double y) {
  if (count == 0) return;
  double sum = 0;
  for (size_t i = first; i < first + count; ++i) sum += painter.TextWidth(font, words_[i]);
  const double gap = count > 1 ? (r.Width() - 8 - sum) / static_cast<double>(count - 1) : 0.0;
  double x = r.Left + 4;
  for (size_t i = first; i < first + count; ++i) {
    painter.TextOut(font, words_[i], x, y, DrawFx);
    x += painter.TextWidth(font, words_[i]) + gap;
  }
}

void TGuiLabel::DrawWrapped(TGuiPainter& painter, const TGuiFont& font, const TGuiRect& r) {
  const double space = painter.TextWidth(font, " ");
  double y = r.Top + TextAdjust;
  size_t next = 0;
  while (next < words_.size() && y < r.Bottom) {
    const size_t first = next;
    double width = 0;
    bool endedAtBreak = false;
    while (next < words_.size()) {
      const double add = painter.TextWidth(font, words_[next]) + (next + 1 < words_.size() ? space : 0.0);
      if (width + add >= r.Width()) break;
      width += add;
      const bool isBreak = words_[next].find('\n') != std::string::npos && next != first;
      ++next;
      if (isBreak) {
        endedAtBreak = true;
        break;
      }
    }
    const size_t count = next - first;
    if (count == 0) break;  // a word wider than the label ends the text here
    std::string line;
    for (size_t i = first; i < next; ++i) line += (i > first ? " " : "") + words_[i];
    const int lw = RoundToInt(painter.TextWidth(font, line));
    switch (Alignment) {
      case 0: painter.TextOut(font, line, r.Left + 4, y, DrawFx); break;
      case 1: painter.TextOut(font, line, r.Right - lw - 4, y, DrawFx); break;
      case 2: painter.TextOut(font, line, r.Left + (r.Width() - lw) / 2, y, DrawFx); break;
      case 3:
        if (next < words_.size() && !endedAtBreak) {
          DrawJustified(painter, font, r, first, count, y);
        } else {
          painter.TextOut(font, line, r.Left + 4, y, DrawFx);
        }
        break;
      default: break;
    }
    y += painter.LineHeight(font) + LineSpacing;
  }
}

TGuiValue TGuiLabel::GetProperty(int32_t id) const {
  switch (id) {
    case kText: return text_;
    case kWordWrap: return WordWrap;
    case kTextAdjust: return int64_t{TextAdjust};
    case kAlignment: return int64_t{Alignment};
    case kLineSpacing: return LineSpacing;
    case kProgressive: return Progressive;
    case kShowDelay: return int64_t{ShowDelay};
    default: return TGuiControl::GetProperty(id);
  }
}

void TGuiLabel::SetProperty(int32_t id, const TGuiValue& value) {
  switch (id) {
    case kText: SetText(ValueToString(value)); break;
    case kWordWrap: WordWrap = ValueToBoolean(value); break;
    case kTextAdjust: TextAdjust = ValueToInteger(value); break;
    case kAlignment: Alignment = ValueToInteger(value); break;
    case kLineSpacing: LineSpacing = ValueToInteger(value); break;
    case kProgressive:
      Progressive = ValueToBoolean(value);
      BuildWords();
      break;
    case kShowDelay: ShowDelay = ValueToInteger(value); break;
    default: TGuiControl::SetProperty(id, value);
  }
}

}  // namespace zb
