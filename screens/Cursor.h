#pragma once

#include <optional>

#include "engine/GfxSprite.h"
#include "engine/platform/Platform.h"

namespace zb {

// The pointer sprite; it follows the pointer in the window's logical coordinates.
class TCursor : public TSprite {
 public:
  TCursor(TSpriteEngine& engine, const platform::Window& window);
  void Move(float delta) override;
  // The engine's drawing pass leaves the pointer out: that pass runs before the pointer has
  // followed the mouse and under the GUI, so it would leave a second, lagging pointer.
  void Draw() override {}
  // Draws the pointer; the frame calls it last, over everything else.
  void DrawPointer() { TSprite::Draw(); }
  // Takes the pointer's place in the window.
  void Follow();

  // Where the pointer stands while a replay shows the recorded one instead of the mouse.
  std::optional<platform::Point> Held;

 private:
  const platform::Window& window_;
};

}  // namespace zb
