#pragma once

#include "engine/GfxSprite.h"
#include "engine/platform/Platform.h"

namespace zb {

// The pointer sprite; it follows the pointer in the window's logical coordinates.
class TCursor : public TSprite {
 public:
  TCursor(TSpriteEngine& engine, const platform::Window& window);
  void Move(float delta) override;

 private:
  void Follow();
  const platform::Window& window_;
};

}  // namespace zb
