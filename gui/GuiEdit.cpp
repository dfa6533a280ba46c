#include "gui/GuiEdit.h"

#include <climits>
#include <cmath>

#include "engine/platform/Events.h"
#include "engine/platform/Platform.h"

namespace zb {
namespace {
enum : int32_t { kText = 0xA000, kReadOnly, kTextAdjust, kBlinkTicks, kSelector, kMaxLength, kTabOrder };

enum : uint32_t {
  kBackspace = 8,
  kTab = 9,
  kEnd = 35,
  kHome = 36,
  kLeft = 37,
  kRight = 39,
  kDelete = 46,
  kV = 86,
};

uint32_t Upper(uint32_t c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }

// Blanks and control characters off both ends, then every control character left inside.
std::string CleanPasted(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
  std::string out;
  for (size_t i = begin; i < end; ++i) {
    if (static_cast<unsigned char>(text[i]) >= 32) out += text[i];
  }
  return out;
}

}  // namespace

bool IsBindingSpecialKey(uint32_t code) {
  return code == 9 || code == 16 || code == 17 || (code >= 32 && code <= 40) || code == 45 || code == 46;
}

bool IsBindingCharKey(uint32_t c) {
  switch (c) {
    case '\'':
    case '*':
    case '+':
    case ',':
    case '-':
    case '.':
    case '/':
    case ';':
    case '=':
    case '[':
    case '\\':
    case ']':
    case '`': return true;
    default: return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
  }
}

std::string KeyName(uint32_t code) {
  switch (code) {
    case 9: return "Tab";
    case 16: return "Shift";
    case 17: return "Ctrl";
    case 32: return "Space";
    case 33: return "PageUp";
    case 34: return "PageDown";
    case 35: return "End";
    case 36: return "Home";
    case 37: return "Left";
    case 38: return "Up";
    case 39: return "Right";
    case 40: return "Down";
    case 45: return "Insert";
    case 46: return "Delete";
    default: break;
  }
  const uint32_t upper = Upper(code);
  return IsBindingCharKey(upper) ? std::string(1, static_cast<char>(upper)) : std::string();
}

TGuiEdit::TGuiEdit() {
  SetType("TGuiEdit", "TGuiEdit is a simple box with editable text.");
  AddStandardProperty("bkgrnd");
  AddStandardProperty("border");
  AddStandardProperty("font");
  AddStandardProperty("disabledfont");
  AddProperty("Text", pkString, "The text of the box", kText);
  AddProperty("ReadOnly", pkBoolean, "Whether the user cannot change the text", kReadOnly);
  AddProperty("TextAdjust", pkInteger, "The vertical offset of text and caret in pixels", kTextAdjust);
  AddProperty("BlinkTicks", pkInteger, "Frame ticks per caret blink, 0 for none", kBlinkTicks);
  AddProperty("Selector", pkFill, "How to fill the caret", kSelector);
  AddProperty("MaxLength", pkInteger, "The longest text in characters, 0 for no limit", kMaxLength);
  AddProperty("TabOrder", pkInteger, "The order among the edit boxes for the Tab key", kTabOrder);

  Selector.SetColor(0x80D67563);
  Bkgrnd.SetColors(0xFFF3E7E4, 0xFFF5E4DF, 0xFFFFF3EF, 0xFFFFFFFF);
  Selected.SetColors(0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFD5D5, 0xFFFFD5D5);
  Border.SetColor(0xFFB99D7F);
  Font.SetColor(0xFFC56A31);
  DisabledFont.SetColor(0xFF5F6B70);
  SetBounds(0, 0, 100, 20);
}

void TGuiEdit::Attached() {
  int32_t largest = -1;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    const auto* other = dynamic_cast<const TGuiEdit*>(Parent()->GetControl(i));
    if (other && other != this) largest = std::max(largest, other->tabOrder_);
  }
  tabOrder_ = largest + 1;
}

TGuiEdit::Mode TGuiEdit::CurrentMode() const {
  const std::optional<int64_t> tag = TagNumber();
  if (tag == 0) return Mode::Text;
  if (tag == 1) return Mode::Binding;
  return Mode::None;
}

void TGuiEdit::Changed() {
  if (OnChange) OnChange(*this);
}

TGuiRect TGuiEdit::CaretRect(int position) const {
  TGuiPainter* painter = Painter();
  const TGuiFont& font = TextFont();
  if (!painter || !painter->Applies(font)) return {};
  position = std::clamp(position, 0, TextLength());
  TGuiRect r;
  r.Left = RoundToInt(painter->TextWidth(font, std::string_view(text_).substr(0, position))) + 2;
  if (position < TextLength()) {
    r.Right =
        RoundToInt(painter->TextWidth(font, std::string_view(text_).substr(0, position + 1)) - font.Spacing) +
        2;
  } else {
    r.Right = r.Left + Height() / 2;
  }
  r.Top = 2;
  r.Bottom = Height() - 2;
  return r;
}

bool TGuiEdit::CaretClipped() const {
  const TGuiRect box = AbsoluteRect();
  const TGuiRect caret = CaretRect(Caret).Offset(box.Left - ScrollX, box.Top);
  return caret.Intersect(box).Width() != caret.Width();
}

void TGuiEdit::SetScrollX(int value) {
  TGuiPainter* painter = Painter();
  const TGuiFont& font = TextFont();
  const int textWidth = painter && painter->Applies(font) ? RoundToInt(painter->TextWidth(font, text_)) : 0;
  ScrollX = std::max(std::min(value, textWidth + Height() / 2 + 4 - Width()), 0);
}

void TGuiEdit::CaretToRightEdge() { SetScrollX(CaretRect(Caret).Right - Width() + 2); }

void TGuiEdit::CaretToLeftEdge() { SetScrollX(CaretRect(Caret).Left - 2); }

void TGuiEdit::ShowCaret() {
  if (CaretClipped()) CaretToRightEdge();
}

bool TGuiEdit::CaretBlinkOn() const { return BlinkTicks == 0 || (Ticks / BlinkTicks) % 2 == 0; }

void TGuiEdit::CutToMaxLength() {
  if (maxLength_ > 0 && TextLength() > maxLength_) text_.resize(maxLength_);
  Caret = std::clamp(Caret, 0, TextLength());
}

void TGuiEdit::SetText(std::string text) {
  const bool differs = text != text_;
  text_ = std::move(text);
  if (maxLength_ > 0 && TextLength() > maxLength_) text_.resize(maxLength_);
  Caret = TextLength();
  ShowCaret();
  if (differs) Changed();
}

void TGuiEdit::SetMaxLength(int32_t length) {
  maxLength_ = length;
  CutToMaxLength();
}

void TGuiEdit::SetTabOrder(int32_t order) {
  tabOrder_ = order;
  if (!Parent()) return;
  for (int i = Parent()->ControlCount() - 1; i >= 0; --i) {
    auto* other = dynamic_cast<TGuiEdit*>(Parent()->GetControl(i));
    if (other && other != this && other->tabOrder_ == order && order < INT32_MAX)
      other->SetTabOrder(order + 1);
  }
}

void TGuiEdit::Insert(const std::string& piece) {
  Caret = std::clamp(Caret, 0, TextLength());
  text_.insert(static_cast<size_t>(Caret), piece);
  Caret += static_cast<int32_t>(piece.size());
}

void TGuiEdit::Paste() {
  TGuiEnvironment* env = Environment();
  const std::string pasted = env && env->Desktop ? CleanPasted(env->Desktop->ClipboardText()) : std::string();
  Insert(pasted);
  CutToMaxLength();
  ShowCaret();
  Changed();
}

void TGuiEdit::TabToNext() {
  TGuiEdit* next = nullptr;
  TGuiEdit* first = nullptr;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TGuiEdit*>(Parent()->GetControl(i));
    if (!other) continue;
    if (other != this && other->tabOrder_ > tabOrder_ && (!next || other->tabOrder_ < next->tabOrder_))
      next = other;
    if (!first || other->tabOrder_ < first->tabOrder_) first = other;
  }
  if (!next) next = first;
  if (next) next->SetFocus();
}

void TGuiEdit::DoKey(uint32_t key, TKeyEvent type, uint32_t shift) {
  switch (CurrentMode()) {
    case Mode::Text: TextKey(key, type, shift); break;
    case Mode::Binding: BindingKey(key, type); break;
    case Mode::None: break;
  }
}

void TGuiEdit::TextKey(uint32_t key, TKeyEvent type, uint32_t shift) {
  if (type == keDown) {
    switch (key) {
      case kBackspace:
        if (ReadOnly) break;
        if (Caret > 0 && Caret <= TextLength()) {
          text_.erase(static_cast<size_t>(Caret - 1), 1);
          --Caret;
        }
        ShowCaret();
        Changed();
        break;
      case kEnd:
        Caret = TextLength();
        ShowCaret();
        break;
      case kHome:
        Caret = 0;
        if (CaretClipped()) CaretToLeftEdge();
        break;
      case kLeft:
        if (Caret > 0) --Caret;
        if (CaretClipped()) CaretToLeftEdge();
        break;
      case kRight:
        if (Caret < TextLength()) ++Caret;
        ShowCaret();
        break;
      case kDelete:
        if (ReadOnly) break;
        if (Caret >= 0 && Caret < TextLength()) text_.erase(static_cast<size_t>(Caret), 1);
        Changed();
        break;
      case kV:
        if ((shift & platform::ShiftCtrl) && !ReadOnly) Paste();
        break;
      default: break;
    }
  } else if (type == kePress && !ReadOnly) {
    if (key > 31 && key < 256) {
      if (maxLength_ <= 0 || TextLength() < maxLength_) {
        Insert(std::string(1, static_cast<char>(key)));
        ShowCaret();
        Changed();
      }
    } else if (key == kTab && Parent()) {
      TabToNext();
    }
  }
}

void TGuiEdit::TakeKey(uint32_t code) {
  TGuiEnvironment* env = Environment();
  if (!env || code >= 256) return;
  if (IsBindingSpecialKey(code)) {
    if (env->FreeSpecialKeys) env->FreeSpecialKeys->reset(code);
  } else if (IsBindingCharKey(Upper(code))) {
    if (env->FreeCharKeys) env->FreeCharKeys->reset(Upper(code));
  }
}

void TGuiEdit::GiveKeyBack(uint32_t code) {
  TGuiEnvironment* env = Environment();
  if (!env || code >= 256) return;
  if (IsBindingSpecialKey(code)) {
    if (env->FreeSpecialKeys) env->FreeSpecialKeys->set(code);
  } else if (IsBindingCharKey(Upper(code))) {
    if (env->FreeCharKeys) env->FreeCharKeys->set(Upper(code));
  }
}

// The parent picks its focus again, so the box lets go of the keyboard once it has a key.
void TGuiEdit::Rebind() {
  DoHide();
  DoShow();
}

void TGuiEdit::BindingKey(uint32_t key, TKeyEvent type) {
  TGuiEnvironment* env = Environment();
  if (!env) return;
  if (type == keDown) {
    if (key < 256 && env->FreeSpecialKeys && env->FreeSpecialKeys->test(key)) {
      Insert(KeyName(key));
      KeyCode = key;
      env->FreeSpecialKeys->reset(key);
      Rebind();
    }
  } else if (type == kePress && !ReadOnly) {
    const uint32_t upper = Upper(key);
    if (upper < 256 && IsBindingCharKey(upper) && env->FreeCharKeys && env->FreeCharKeys->test(upper)) {
      Insert(std::string(1, static_cast<char>(upper)));
      Changed();
      env->FreeCharKeys->reset(upper);
      KeyCode = upper;
      Rebind();
    }
  }
}

void TGuiEdit::DoMouse(TGuiPoint position, TMouseEvent type, TMouseButton button, uint32_t /*shift*/) {
  if (type != meDown || button != mbLeft) return;
  const Mode mode = CurrentMode();
  if (mode == Mode::Binding) {
    GiveKeyBack(KeyCode);
    SetText("");
    return;
  }
  if (mode != Mode::Text) return;
  TGuiPainter* painter = Painter();
  if (!painter || !painter->Applies(TextFont())) return;
  const TGuiPoint local = ScreenToLocal(position);
  Caret = TextLength();
  for (int p = 0; p <= TextLength(); ++p) {
    if (CaretRect(p).Offset(-ScrollX, 0).Contains(local)) {
      Caret = p;
      break;
    }
  }
  if (CaretClipped()) {
    if (local.X < Width() / 2) {
      CaretToLeftEdge();
    } else {
      CaretToRightEdge();
    }
  }
}

void TGuiEdit::DoDraw(TGuiPainter& painter) {
  switch (CurrentMode()) {
    case Mode::Text: DrawText(painter, false); break;
    case Mode::Binding:
      if (!IsFocused() && text_.empty()) {
        // Left without a new key: the box shows its binding again and holds that key.
        SetText(KeyName(KeyCode));
        TakeKey(KeyCode);
      }
      DrawText(painter, true);
      break;
    case Mode::None: break;
  }
}

void TGuiEdit::DrawText(TGuiPainter& painter, bool centred) {
  const TGuiRect box = AbsoluteRect();
  const TGuiRect inner = box.Shrink(2);
  const TGuiRect area = inner.Intersect(ClipRect());
  if (area.Empty()) return;
  const TGuiFont& font = TextFont();
  if (!painter.Applies(font)) return;
  const TGuiRect saved = painter.GetClipRect();
  painter.SetClipRect(area);
  const int th = RoundToInt(painter.TextHeight(font, text_));
  const int y = th == 0 ? inner.Top + TextAdjust : inner.Top + (inner.Height() - th) / 2 + TextAdjust;
  const double x = centred ? box.Left - ScrollX + (inner.Width() - painter.TextWidth(font, text_)) / 2.0
                           : box.Left - ScrollX + 2;
  painter.TextOut(font, text_, x, y, 1284);
  painter.SetClipRect(saved);

  if (!IsFocused() || !Enabled()) return;
  const TGuiRect caret = CaretRect(Caret);
  TGuiRect block{box.Left + caret.Left - ScrollX, box.Top + TextAdjust + 2, box.Left + caret.Right - ScrollX,
                 box.Bottom + TextAdjust - 2};
  TGuiRect limit = box;
  if (centred) {
    limit.Left += 4;
    limit.Right -= 4;
  }
  block = block.Intersect(limit);
  if (!block.Empty() && CaretBlinkOn()) painter.FillRect(block, Selector.Colors, 1284);
}

TGuiValue TGuiEdit::GetProperty(int32_t id) const {
  switch (id) {
    case kText: return text_;
    case kReadOnly: return ReadOnly;
    case kTextAdjust: return int64_t{TextAdjust};
    case kBlinkTicks: return int64_t{BlinkTicks};
    case kMaxLength: return int64_t{maxLength_};
    case kTabOrder: return int64_t{tabOrder_};
    default: return TGuiControl::GetProperty(id);
  }
}

void TGuiEdit::SetProperty(int32_t id, const TGuiValue& value) {
  switch (id) {
    case kText: SetText(ValueToString(value)); break;
    case kReadOnly: ReadOnly = ValueToBoolean(value); break;
    case kTextAdjust: TextAdjust = ValueToInteger(value); break;
    case kBlinkTicks: BlinkTicks = ValueToInteger(value); break;
    case kMaxLength: SetMaxLength(ValueToInteger(value)); break;
    case kTabOrder: SetTabOrder(ValueToInteger(value)); break;
    default: TGuiControl::SetProperty(id, value);
  }
}

TGuiFill* TGuiEdit::GetFill(int32_t id) { return id == kSelector ? &Selector : TGuiControl::GetFill(id); }

}  // namespace zb
