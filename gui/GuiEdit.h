#pragma once

#include <string>

#include "gui/GuiControls.h"

namespace zb {

// The keys a key-binding box takes: special keys on key-down, character keys (upper case)
// from typed characters; KeyName is the text shown for a bound key.
bool IsBindingSpecialKey(uint32_t code);
bool IsBindingCharKey(uint32_t character);
std::string KeyName(uint32_t code);

// A one-line text box ("Tag" 0), or a box that captures one key and shows its name ("Tag" 1).
class TGuiEdit : public TGuiControl {
 public:
  TGuiEdit();

  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  void SetMaxLength(int32_t length);
  void SetTabOrder(int32_t order);
  int32_t MaxLength() const { return maxLength_; }
  int32_t TabOrder() const { return tabOrder_; }

  // The caret block for caret position `position`, in box-local pixels; empty without a font.
  TGuiRect CaretRect(int position) const;
  bool CaretClipped() const;
  void SetScrollX(int value);
  // Whether the caret block is drawn in this frame.
  bool CaretBlinkOn() const;

  void DoUpdate() override { ++Ticks; }
  void DoDraw(TGuiPainter& painter) override;
  void DoMouse(TGuiPoint position, TMouseEvent type, TMouseButton button, uint32_t shift) override;
  void DoKey(uint32_t key, TKeyEvent type, uint32_t shift) override;

  TGuiValue GetProperty(int32_t id) const override;
  void SetProperty(int32_t id, const TGuiValue& value) override;
  TGuiFill* GetFill(int32_t id) override;

  bool ReadOnly = false;
  int32_t TextAdjust = 0;
  int32_t BlinkTicks = 8;
  TGuiFill Selector;
  int32_t Caret = 0;
  int32_t ScrollX = 0;
  int32_t Ticks = 0;
  uint32_t KeyCode = 0;
  Notify OnChange;

 protected:
  void Attached() override;

 private:
  enum class Mode { Text, Binding, None };
  Mode CurrentMode() const;
  int TextLength() const { return static_cast<int>(text_.size()); }
  void ShowCaret();
  void CaretToLeftEdge();
  void CaretToRightEdge();
  void Changed();
  void Insert(const std::string& piece);
  void CutToMaxLength();
  void Paste();
  void TabToNext();
  void TextKey(uint32_t key, TKeyEvent type, uint32_t shift);
  void BindingKey(uint32_t key, TKeyEvent type);
  void Rebind();
  void TakeKey(uint32_t code);
  void GiveKeyBack(uint32_t code);
  void DrawText(TGuiPainter& painter, bool centred);

  std::string text_;
  int32_t maxLength_ = 0;
  int32_t tabOrder_ = 0;
};

}  // namespace zb
