#pragma once

#include <bitset>
#include <vector>

#include "engine/platform/Events.h"
#include "gui/GuiControls.h"

namespace zb {

// Keyboard and controller navigation of the menus: a visible ring moves between the buttons and
// boxes of the front-most shown form in reading order, and clicks the one it is on. The ring
// appears with the first step and goes away when the mouse is pressed.
class TGuiFocus {
 public:
  explicit TGuiFocus(TGuiControl& root) : root_(root) {}

  // While inactive (during play) no key is taken and no ring is drawn.
  void SetActive(bool active) { active_ = active; }
  bool Active() const { return active_; }

  // Takes the navigation keys of a window event before the window and the controls see it:
  // arrows and Tab move the ring, Enter clicks under it. A text box keeps its caret keys and
  // Enter, an opened key-binding box keeps every key until it has one. The release (and typed
  // character) of a key taken here is taken too, so no screen sees half a key press.
  bool TakeEvent(const platform::Event& event);
  // One step through the focusable controls (+1 next, -1 previous, wrapping); the first step
  // only shows the ring where the focus is.
  void Move(int step);
  // Clicks the control under the ring; false when the ring is not shown.
  bool Activate();

  // The control under the ring, or nothing while the ring is hidden or the form has none.
  TGuiControl* Current();
  // The visible, enabled buttons and boxes of the front-most shown form, in reading order:
  // rows from top to bottom, left to right within a row.
  std::vector<TGuiControl*> Focusable() const;
  // The ring around the current control, over everything the GUI drew.
  void DrawRing(TGuiPainter& painter);

 private:
  TGuiControl* Start(const std::vector<TGuiControl*>& items) const;
  TGuiControl* FocusedLeaf() const;
  void Put(TGuiControl* control);

  TGuiControl& root_;
  TGuiControl* ring_ = nullptr;  // compared with live controls only, never followed unchecked
  bool shown_ = false;
  bool active_ = true;
  std::bitset<256> taken_;  // keys whose press was taken here and whose release is still to come
};

}  // namespace zb
