#include "gui/GuiButton.h"

#include <cmath>

namespace zb {
namespace {
enum : int32_t {
  kOutFill = 0xA000,
  kCaption,
  kImageIndex,
  kNormalGlyph,
  kDisabledGlyph,
  kClickedGlyph,
  kGlyphSpacer,
  kGlyphWidth,
  kGlyphHeight,
  kGlyphPosition,
};
}  // namespace

TGuiButton::TGuiButton() {
  SetType("TGuiButton", "This component is a clickable button.");
  AddStandardProperty("bkgrnd");
  AddStandardProperty("border");
  AddStandardProperty("font");
  AddStandardProperty("disabledfont");
  AddProperty("OutFill", pkFill, "How to fill the outer part of the button", kOutFill);
  AddProperty("Caption", pkString, "The text on the button", kCaption);
  AddProperty("ImageIndex", pkInteger, "The picture of the button, -1 for none", kImageIndex);
  AddProperty("NormalGlyph", pkInteger, "The pattern shown normally", kNormalGlyph);
  AddProperty("DisabledGlyph", pkInteger, "The pattern shown while the pointer is over the button",
              kDisabledGlyph);
  AddProperty("ClickedGlyph", pkInteger, "The pattern shown while the button is pressed", kClickedGlyph);
  AddProperty("GlyphSpacer", pkInteger, "The space between glyph and caption", kGlyphSpacer);
  AddProperty("GlyphWidth", pkInteger, "The width of the glyph", kGlyphWidth);
  AddProperty("GlyphHeight", pkInteger, "The height of the glyph", kGlyphHeight);
  AddProperty("GlyphPosition", pkGlyphPos, "Where the glyph stands beside the caption", kGlyphPosition);

  OutFill.SetColors(0xFFF6DBD0, 0xFFF7DFD6, 0xFFFCF1ED, 0xFFF7DFD6);
  Font.SetColor(0xFFC65D21);
  DisabledFont.SetColor(0xFF5F6B70);
  Bkgrnd.SetColors(0xFFFCFCFC, 0xFFFBFCFC, 0xFFE1E8E9, 0xFFE5EBEB);
  Border.SetColor(0xFFB99D7F);
  SetBounds(0, 0, 90, 24);
}

int32_t TGuiButton::CurrentGlyph() const {
  if (!Enabled()) return NormalGlyph;
  if (Pressed) return ClickedGlyph;
  return MouseOver ? DisabledGlyph : NormalGlyph;
}

void TGuiButton::DoDisable() {
  // A disabled control gets no release, so a press that disables its own button must end here.
  Pressed = false;
}

void TGuiButton::DoDraw(TGuiPainter& painter) {
  const TGuiRect r = AbsoluteRect();
  const TGuiFont& font = TextFont();
  const bool hasFont = painter.Applies(font);
  const int tw = hasFont ? static_cast<int>(std::ceil(painter.TextWidth(font, Caption))) : 0;
  const int th = hasFont ? static_cast<int>(std::ceil(painter.TextHeight(font, Caption))) : 0;
  int x = (r.Left + r.Right - tw) / 2;
  int y = (r.Top + r.Bottom - th) / 2;
  if (Pressed) {
    ++x;
    ++y;
  }
  if (ImageIndex != -1 && painter.PatternSize(ImageIndex)) {
    const uint32_t tint = Enabled() ? 0xFFFFFFFF : kDisabledTint;
    painter.DrawPattern(ImageIndex, CurrentGlyph(), r, {tint, tint, tint, tint}, 1284);
  }
  if (hasFont) painter.TextOut(font, Caption, x, y, 1284);
}

void TGuiButton::DoMouse(TGuiPoint /*position*/, TMouseEvent type, TMouseButton button, uint32_t /*shift*/) {
  if (button != mbLeft) return;
  if (type == meDown) Pressed = true;
  if (type == meUp) Pressed = false;
}

TGuiValue TGuiButton::GetProperty(int32_t id) const {
  switch (id) {
    case kCaption: return Caption;
    case kImageIndex: return int64_t{ImageIndex};
    case kNormalGlyph: return int64_t{NormalGlyph};
    case kDisabledGlyph: return int64_t{DisabledGlyph};
    case kClickedGlyph: return int64_t{ClickedGlyph};
    case kGlyphSpacer: return int64_t{GlyphSpacer};
    case kGlyphWidth: return int64_t{GlyphWidth};
    case kGlyphHeight: return int64_t{GlyphHeight};
    case kGlyphPosition: return int64_t{GlyphPosition};
    default: return TGuiControl::GetProperty(id);
  }
}

void TGuiButton::SetProperty(int32_t id, const TGuiValue& value) {
  switch (id) {
    case kCaption: Caption = ValueToString(value); break;
    case kImageIndex: ImageIndex = ValueToInteger(value); break;
    case kNormalGlyph: NormalGlyph = ValueToInteger(value); break;
    case kDisabledGlyph: DisabledGlyph = ValueToInteger(value); break;
    case kClickedGlyph: ClickedGlyph = ValueToInteger(value); break;
    case kGlyphSpacer: GlyphSpacer = ValueToInteger(value); break;
    case kGlyphWidth: GlyphWidth = ValueToInteger(value); break;
    case kGlyphHeight: GlyphHeight = ValueToInteger(value); break;
    case kGlyphPosition: GlyphPosition = ValueToInteger(value); break;
    default: TGuiControl::SetProperty(id, value);
  }
}

TGuiFill* TGuiButton::GetFill(int32_t id) { return id == kOutFill ? &OutFill : TGuiControl::GetFill(id); }

}  // namespace zb
