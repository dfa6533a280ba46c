#include "screens/Cursor.h"

namespace zb {

TCursor::TCursor(TSpriteEngine& engine, const platform::Window& window) : TSprite(engine), window_(window) {
  Name = "cursor";
  SetImageName("cursor");
  SetZ(1000);
  Collidable = false;
  Follow();
}

void TCursor::Move(float /*delta*/) { Follow(); }

void TCursor::Follow() {
  // The platform reports the pointer in the window's logical coordinates in both window modes.
  const platform::Point p = Held ? *Held : window_.PointerPosition();
  X = static_cast<float>(p.x);
  Y = static_cast<float>(p.y);
}

}  // namespace zb
