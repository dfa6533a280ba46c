#pragma once

#include "game/Scenery.h"

namespace zb {

// A shadow's tick, done by its owner: the owner's position plus (2, 2), image and frame.
inline void FollowOwner(TShadow& shadow, const TSprite& owner) {
  shadow.X = owner.X + 2;
  shadow.Y = owner.Y + 2;
  if (shadow.ImageName != owner.ImageName) shadow.SetImageName(owner.ImageName);
  shadow.SetPatternIndex(owner.PatternIndex);
}

}  // namespace zb
