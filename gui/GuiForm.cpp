#include "gui/GuiForm.h"

namespace zb {
namespace {
enum : int32_t {
  kCaption = 0xA000,
  kCaptSize,
  kCaptAdjust,
  kCaptActive,
  kCaptUnactive,
  kFontActive,
  kFontUnactive,
  kIconFill,
  kIconIndex,
  kIconPattern,
  kIconWidth,
  kIconHeight,
  kImageIndex,
  kImagePattern,
  kShadowSize,
  kShadowColor,
};
}  // namespace

TGuiForm::TGuiForm() {
  SetType("TGuiForm", "TGuiForm represents a standard window.");
  AddStandardProperty("bkgrnd");
  AddStandardProperty("border");
  AddProperty("Caption", pkString, "The caption text of the window", kCaption);
  AddProperty("CaptSize", pkInteger, "The height of the caption bar in pixels", kCaptSize);
  AddProperty("CaptAdjust", pkInteger, "The vertical adjustment of the caption text", kCaptAdjust);
  AddProperty("CaptActive", pkFill, "How to fill the caption bar of the active window", kCaptActive);
  AddProperty("CaptUnactive", pkFill, "How to fill the caption bar of an inactive window", kCaptUnactive);
  AddProperty("FontActive", pkFont, "The caption font of the active window", kFontActive);
  AddProperty("FontUnactive", pkFont, "The caption font of an inactive window", kFontUnactive);
  AddProperty("IconFill", pkFill, "How to fill the window icon", kIconFill);
  AddProperty("IconIndex", pkInteger, "The image of the window icon", kIconIndex);
  AddProperty("IconPattern", pkInteger, "The pattern of the window icon", kIconPattern);
  AddProperty("IconWidth", pkInteger, "The width of the window icon", kIconWidth);
  AddProperty("IconHeight", pkInteger, "The height of the window icon", kIconHeight);
  AddProperty("ImageIndex", pkInteger, "The background image of the window, -1 for none", kImageIndex);
  AddProperty("ImagePattern", pkInteger, "The pattern of the background image", kImagePattern);
  AddProperty("ShadowSize", pkInteger, "The size of the window shadow in pixels", kShadowSize);
  AddProperty("ShadowColor", pkColor, "The colour of the window shadow", kShadowColor);

  CaptActive.SetColors(0xFFFFFFFF, 0xFFFFFFFF, 0xFFF7D3C6, 0xFFF7D3C6);
  CaptUnactive.SetColors(0xFFE8DFDC, 0xFFE8DFDC, 0xFFE0C2B7, 0xFFE0C2B7);
  FontActive.SetColor(0xFFCE5D29);
  FontUnactive.SetColor(0xFFB34624);
  IconFill.SetColor(0xFFE59F79);
  Bkgrnd.SetColor(0xFFF7DFD6);
  Border.SetColor(0xFFFFFFFF);
  SetBounds(0, 0, 300, 200);
}

void TGuiForm::SetFocus() {
  BringToFront();
  TGuiControl::SetFocus();
}

void TGuiForm::DoDraw(TGuiPainter& painter) {
  const TGuiRect r = AbsoluteRect();
  const int w = Width() - ShadowSize;
  const int h = Height() - ShadowSize;
  TGuiRect client = TGuiRect::Sized(r.Left, r.Top, w, h);
  if (CaptSize > 0) {
    const TGuiRect bar = TGuiRect::Sized(r.Left, r.Top, w, CaptSize);
    FillWith(painter, IsFocused() ? CaptActive : CaptUnactive, bar, 1284);
    client = TGuiRect::Sized(r.Left, bar.Bottom - 1, w, Height() - CaptSize - ShadowSize + 1);
  }
  if (ImageIndex != -1 && painter.PatternSize(ImageIndex)) {
    painter.DrawPattern(ImageIndex, ImagePattern, client, Bkgrnd.Colors, 1284);
  }
}

void TGuiForm::DoMouse(TGuiPoint position, TMouseEvent type, TMouseButton button, uint32_t /*shift*/) {
  const TGuiPoint local = ScreenToLocal(position);
  if (type == meDown && button == mbLeft && !dragging_ && local.X >= 0 && local.X < Width() && local.Y >= 0 &&
      local.Y < CaptSize) {
    dragOrigin_ = {Left(), Top()};
    dragPointer_ = local;
    dragging_ = true;
  } else if (type == meUp && button == mbLeft && dragging_) {
    dragging_ = false;
  } else if (type == meMove && dragging_) {
    SetBoundsValue(0, local.X + dragOrigin_.X - dragPointer_.X);
    SetBoundsValue(1, local.Y + dragOrigin_.Y - dragPointer_.Y);
  }
}

TGuiValue TGuiForm::GetProperty(int32_t id) const {
  switch (id) {
    case kCaption: return Caption;
    case kCaptSize: return int64_t{CaptSize};
    case kCaptAdjust: return int64_t{CaptAdjust};
    case kIconIndex: return int64_t{IconIndex};
    case kIconPattern: return int64_t{IconPattern};
    case kIconWidth: return int64_t{IconWidth};
    case kIconHeight: return int64_t{IconHeight};
    case kImageIndex: return int64_t{ImageIndex};
    case kImagePattern: return int64_t{ImagePattern};
    case kShadowSize: return int64_t{ShadowSize};
    case kShadowColor: return int64_t{ShadowColor};
    default: return TGuiControl::GetProperty(id);
  }
}

void TGuiForm::SetProperty(int32_t id, const TGuiValue& value) {
  switch (id) {
    case kCaption: Caption = ValueToString(value); break;
    case kCaptSize: CaptSize = ValueToInteger(value); break;
    case kCaptAdjust: CaptAdjust = ValueToInteger(value); break;
    case kIconIndex: IconIndex = ValueToInteger(value); break;
    case kIconPattern: IconPattern = ValueToInteger(value); break;
    case kIconWidth: IconWidth = ValueToInteger(value); break;
    case kIconHeight: IconHeight = ValueToInteger(value); break;
    case kImageIndex: ImageIndex = ValueToInteger(value); break;
    case kImagePattern: ImagePattern = ValueToInteger(value); break;
    case kShadowSize: ShadowSize = ValueToInteger(value); break;
    case kShadowColor: ShadowColor = ValueToColor(value); break;
    default: TGuiControl::SetProperty(id, value);
  }
}

TGuiFill* TGuiForm::GetFill(int32_t id) {
  switch (id) {
    case kCaptActive: return &CaptActive;
    case kCaptUnactive: return &CaptUnactive;
    case kIconFill: return &IconFill;
    default: return TGuiControl::GetFill(id);
  }
}

TGuiFont* TGuiForm::GetFont(int32_t id) {
  switch (id) {
    case kFontActive: return &FontActive;
    case kFontUnactive: return &FontUnactive;
    default: return TGuiControl::GetFont(id);
  }
}

}  // namespace zb
