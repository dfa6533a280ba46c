#pragma once

#include <bitset>
#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gui/GuiComponents.h"
#include "gui/GuiPainter.h"

namespace zb {

namespace platform {
class Desktop;
}

enum TMouseEvent : uint8_t { meDown, meUp, meMove, meClick, meDblClick, meEnter, meLeave };
enum TKeyEvent : uint8_t { keDown, keUp, kePress };
enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle, mbNone };

enum : int32_t {
  kPropName = 0x80000,
  kPropDrawFx = 0x80001,
  kPropFont = 0x80002,
  kPropBkgrnd = 0x80003,
  kPropBorder = 0x80004,
  kPropSelected = 0x80005,
  kPropDisabledFont = 0x80006,
};

// What the root offers every control of its tree: drawing, the desktop's clipboard and the
// main window's sets of keys that no binding has taken yet. Any of them may be missing.
struct TGuiEnvironment {
  TGuiPainter* Painter = nullptr;
  platform::Desktop* Desktop = nullptr;
  std::bitset<256>* FreeCharKeys = nullptr;
  std::bitset<256>* FreeSpecialKeys = nullptr;
};

// A node of the control tree. Children are owned; index 0 is the front-most child.
class TGuiControl : public TGuiComponent {
 public:
  using MouseHandler = std::function<void(TGuiControl& sender, TGuiPoint position, TMouseEvent type,
                                          TMouseButton button, uint32_t shift)>;
  using KeyHandler = std::function<void(TGuiControl& sender, uint32_t key, TKeyEvent type, uint32_t shift)>;
  using Notify = std::function<void(TGuiControl& sender)>;

  TGuiControl();
  ~TGuiControl() override;
  TGuiControl(const TGuiControl&) = delete;
  TGuiControl& operator=(const TGuiControl&) = delete;

  // Creates a control of class T as the last child of `parent`.
  template <class T>
  static T& Create(TGuiControl& parent) {
    auto control = std::make_unique<T>();
    T& created = *control;
    parent.AppendControl(std::move(control));
    return created;
  }
  // Removes this control from its parent and destroys it with its subtree.
  void Free();

  TGuiControl* Parent() const { return parent_; }
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TGuiControl* GetControl(int index) const;
  int IndexOfControl(const TGuiControl* control) const;
  // Depth-first, pre-order, names compared without the case of ASCII letters.
  TGuiControl* FindControl(std::string_view name);

  virtual void SetFocus();
  bool IsFocused() const;
  void PickFocus();
  void BringToFront();
  void SendToBack();

  TGuiRect AbsoluteRect() const;
  TGuiRect ClipRect() const;
  TGuiPoint ScreenToLocal(TGuiPoint point) const;
  // This control and all its ancestors are visible.
  bool Showing() const;

  void UpdateAll();
  void DrawAll(TGuiPainter& painter);
  void MouseDispatch(TGuiPoint position, TMouseEvent type, TMouseButton button, uint32_t shift);
  void KeyDispatch(uint32_t key, TKeyEvent type, uint32_t shift);
  virtual TGuiControl* ControlAt(TGuiPoint point);

  // Per-frame tick, painting and input of the control itself.
  virtual void DoUpdate() {}
  virtual void DoDraw(TGuiPainter& /*painter*/) {}
  virtual void DoMouse(TGuiPoint /*position*/, TMouseEvent /*type*/, TMouseButton /*button*/,
                       uint32_t /*shift*/) {}
  virtual void DoKey(uint32_t /*key*/, TKeyEvent /*type*/, uint32_t /*shift*/) {}

  void DoShow() override;
  void DoHide() override;

  // Registers "Font", "Bkgrnd", "Border", "Selected" or "DisabledFont" by lower-case key.
  void AddStandardProperty(std::string_view key);

  TGuiValue GetProperty(int32_t id) const override;
  void SetProperty(int32_t id, const TGuiValue& value) override;
  TGuiFill* GetFill(int32_t id) override;
  TGuiFont* GetFont(int32_t id) override;

  // The root's offer, or nothing for a tree without a root.
  TGuiEnvironment* Environment() const;
  TGuiPainter* Painter() const;
  // The font for text: "Font" while enabled, "DisabledFont" otherwise.
  const TGuiFont& TextFont() const { return Enabled() ? Font : DisabledFont; }

  std::string Name;
  int32_t DrawFx = 1;
  TGuiFont Font;
  TGuiFont DisabledFont;
  TGuiFill Bkgrnd;
  TGuiFill Border;
  TGuiFill Selected;
  int32_t FocusIndex = -1;
  bool MouseOver = false;

  MouseHandler OnMouse;
  KeyHandler OnKey;
  Notify OnClick;
  Notify OnDblClick;
  Notify OnMouseEnter;
  Notify OnMouseLeave;

 protected:
  // Runs once the control has joined its parent's children.
  virtual void Attached() {}
  virtual TGuiEnvironment* OwnEnvironment() { return nullptr; }
  // The root forgets hover and capture of controls that go away.
  virtual void Forget(const TGuiControl& /*gone*/) {}

 private:
  void AppendControl(std::unique_ptr<TGuiControl> control);
  TGuiControl* Root();
  TGuiControl* FindIn(const std::string& lowered);

  TGuiControl* parent_ = nullptr;
  std::vector<std::unique_ptr<TGuiControl>> controls_;
};

}  // namespace zb
