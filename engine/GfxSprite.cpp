#include "engine/GfxSprite.h"

#include <algorithm>
#include <cmath>

namespace zb {

// Counts the passes running so that RemoveDead cannot free a sprite under one of them.
class TSpriteEngine::PassGuard {
 public:
  explicit PassGuard(TSpriteEngine& engine) : engine_(engine) { ++engine_.passDepth_; }
  ~PassGuard() { --engine_.passDepth_; }
  PassGuard(const PassGuard&) = delete;
  PassGuard& operator=(const PassGuard&) = delete;

 private:
  TSpriteEngine& engine_;
};

// ---- TSprite ------------------------------------------------------------------------------

TSprite::TSprite(TSpriteEngine& engine) : engine_(engine) { engine_.InsertSorted(this); }

TSprite::~TSprite() { engine_.Unlink(this); }

void TSprite::SetZ(int value) {
  if (value == z_) return;
  z_ = value;
  engine_.RemoveSprite(this);
  engine_.InsertSorted(this);
}

void TSprite::Assign(const TSprite& source) {
  if (&source == this) return;
  Name = source.Name;
  X = source.X;
  Y = source.Y;
  QuadPoints = source.QuadPoints;
  OffsetX = source.OffsetX;
  OffsetY = source.OffsetY;
  Visible = source.Visible;
  DrawEffect = source.DrawEffect;
  MirrorX = source.MirrorX;
  MirrorY = source.MirrorY;
  UserScaleX = source.UserScaleX;
  UserScaleY = source.UserScaleY;
  CenterScale = source.CenterScale;
  CornerColors = source.CornerColors;
  Red = source.Red;
  Green = source.Green;
  Blue = source.Blue;
  Alpha = source.Alpha;
  Collidable = source.Collidable;
  Collided = source.Collided;
  Angle = source.Angle;
  ImageName = source.ImageName;
  PatternIndex = source.PatternIndex;
  ImageNumber = source.ImageNumber;
  ScaleX = source.ScaleX;
  ScaleY = source.ScaleY;
  ShiftX = source.ShiftX;
  ShiftY = source.ShiftY;
  CanMove = source.CanMove;
  drawMode_ = source.drawMode_;
  ClipBounds = source.ClipBounds;
  CollideCenterX = source.CollideCenterX;
  CollideCenterY = source.CollideCenterY;
  CollideRadius = source.CollideRadius;
  CollideRect = source.CollideRect;
  CollideQuad = source.CollideQuad;
  CollideMode = source.CollideMode;
  ImageNameMode = source.ImageNameMode;
  // The list stays sorted and the dead queue stays true to Dead: a copied depth re-inserts,
  // a copied death queues this sprite (once), and a queued sprite cannot come back to life.
  SetZ(source.z_);
  if (source.dead_) TSprite::Kill();
}

namespace {

// The four edge products of the quad test, each rounded to Single as the comparison sees it.
bool PointInSpriteQuad(const TSpriteQuad& p, const TSpritePoint& q) {
  auto product = [&q](const TSpritePoint& from, const TSpritePoint& to, const TSpritePoint& base) {
    const double ex = double{to.X} - from.X;
    const double ey = double{to.Y} - from.Y;
    return static_cast<float>(ex * (double{q.X} - base.X) + ey * (double{q.Y} - base.Y));
  };
  return product(p[1], p[2], p[0]) >= 0.0f && product(p[2], p[3], p[1]) >= 0.0f &&
         product(p[3], p[0], p[2]) >= 0.0f && product(p[0], p[1], p[3]) >= 0.0f;
}

}  // namespace

bool TSprite::Hits(const TSprite& other) const {
  if (!Collidable || !other.Collidable || dead_ || other.dead_) return false;
  switch (CollideMode) {
    case 0: {
      // 64-bit so that large radii cannot overflow.
      const int64_t sum = int64_t{CollideRadius} + other.CollideRadius;
      const long double dx = static_cast<long double>(CollideCenterX) - other.CollideCenterX;
      const long double dy = static_cast<long double>(CollideCenterY) - other.CollideCenterY;
      return static_cast<long double>(sum * sum) > dx * dx + dy * dy;
    }
    case 1: {
      const TSpriteRect& a = CollideRect;
      const TSpriteRect& b = other.CollideRect;
      return a.Left < b.Right && a.Right > b.Left && a.Top < b.Bottom && a.Bottom > b.Top;
    }
    case 2:
      return std::any_of(other.CollideQuad.begin(), other.CollideQuad.end(),
                         [this](const TSpritePoint& q) { return PointInSpriteQuad(CollideQuad, q); });
    default:
      return false;
  }
}

void TSprite::TestCollision(TSprite& other) {
  Collided = false;
  Collided = Hits(other);
}

void TSprite::Collide(TSprite& other) {
  TestCollision(other);
  if (!Collided) return;
  OnCollide(other);
  other.OnCollide(*this);
}

void TSprite::CollideAll() {
  for (int i = engine_.Count() - 1; i >= 0; --i) {
    TSprite* other = engine_.SpriteAt(i);
    if (other != nullptr && other != this) Collide(*other);
  }
}

void TSprite::Kill() {
  if (dead_) return;
  dead_ = true;
  engine_.dead_.push_back(this);
}

uint32_t TSprite::PackedColor() const {
  return (static_cast<uint32_t>(Alpha) & 0xFF) << 24 | (static_cast<uint32_t>(Blue) & 0xFF) << 16 |
         (static_cast<uint32_t>(Green) & 0xFF) << 8 | (static_cast<uint32_t>(Red) & 0xFF);
}

// ---- TAnimatedSprite ----------------------------------------------------------------------

void TAnimatedSprite::Assign(const TSprite& source) {
  if (const auto* animated = dynamic_cast<const TAnimatedSprite*>(&source)) {
    Animating = animated->Animating;
    SetAnimStart(animated->AnimStart);
    AnimCount = animated->AnimCount;
    AnimSpeed = animated->AnimSpeed;
    Looped = animated->Looped;
  }
  TSprite::Assign(source);
}

void TAnimatedSprite::SetAnimStart(int value) {
  if (value == AnimStart) return;
  AnimStart = value;
  AnimPos = static_cast<float>(value);
}

void TAnimatedSprite::SetAnimation(const std::string& imageName, int animStart, int animCount,
                                   float animSpeed, bool looped, bool mirrorX, bool animating,
                                   uint8_t playMode) {
  SetImageName(imageName);
  AnimStart = animStart;
  AnimCount = animCount;
  AnimSpeed = animSpeed;
  Looped = looped;
  MirrorX = mirrorX;
  Animating = animating;
  PlayMode = playMode;
}

void TAnimatedSprite::SetAnimation(const std::string& imageName, int animStart, int animCount,
                                   float animSpeed, bool looped, uint8_t playMode) {
  SetAnimation(imageName, animStart, animCount, animSpeed, looped, MirrorX, Animating, playMode);
}

void TAnimatedSprite::Move(float delta) {
  if (!CanMove || !Animating) return;
  const int end = AnimStart + AnimCount;
  const auto endF = static_cast<float>(end);
  const auto startF = static_cast<float>(AnimStart);
  switch (PlayMode) {
    case 0:
      AnimPos += AnimSpeed * delta;
      if (AnimPos > endF) {
        if (SpriteTrunc(AnimPos) == end) AnimEnded = true;
        if (Looped) {
          AnimPos = startF;
        } else {
          AnimPos = static_cast<float>(end - 1);
          Animating = false;
        }
      }
      break;
    case 1:
      AnimPos -= AnimSpeed * delta;
      if (AnimPos < startF) {
        if (Looped) {
          AnimPos = static_cast<float>(end - 1);
        } else {
          AnimPos = startF;
          Animating = false;
        }
      }
      break;
    case 2:
      AnimPos += AnimSpeed * delta;
      if (Looped) {
        if (AnimPos > static_cast<float>(end - 1) || AnimPos < startF) AnimSpeed = -AnimSpeed;
      } else {
        if (AnimPos > endF || AnimPos < startF) AnimSpeed = -AnimSpeed;
        if (SpriteTrunc(AnimPos) == end) PingPongTop = true;
        if (SpriteTrunc(AnimPos) == AnimStart && PingPongTop) PingPongBottom = true;
        if (PingPongTop && PingPongBottom) {
          PingPongTop = false;
          PingPongBottom = false;
          Animating = false;
        }
      }
      break;
    default:
      break;
  }
  PatternIndex = SpriteTrunc(AnimPos);
  ImageNumber = SpriteTrunc(AnimPos);
}

// ---- TSpriteEngine ------------------------------------------------------------------------

TSpriteEngine::TSpriteEngine() = default;

TSpriteEngine::~TSpriteEngine() {
  dead_.clear();
  while (!sprites_.empty()) {
    TSprite* last = sprites_.back();
    if (last->ownerSlot_ >= 0) {
      Free(last);
    } else {
      sprites_.pop_back();  // not ours to free (never adopted)
    }
  }
  dead_.clear();
}

TSprite* TSpriteEngine::SpriteAt(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return sprites_[static_cast<size_t>(index)];
}

TSprite* TSpriteEngine::DeadAt(int index) const {
  if (index < 0 || index >= DeadCount()) return nullptr;
  return dead_[static_cast<size_t>(index)];
}

void TSpriteEngine::Adopt(std::unique_ptr<TSprite> sprite) {
  sprite->ownerSlot_ = static_cast<int>(owned_.size());
  owned_.push_back(std::move(sprite));
}

void TSpriteEngine::Free(TSprite* sprite) {
  const auto slot = static_cast<size_t>(sprite->ownerSlot_);
  std::unique_ptr<TSprite> owned = std::move(owned_[slot]);
  if (slot + 1 != owned_.size()) {
    owned_[slot] = std::move(owned_.back());
    owned_[slot]->ownerSlot_ = static_cast<int>(slot);
  }
  owned_.pop_back();
  owned->ownerSlot_ = -1;
  // The destructor leaves both lists; the tables above are already consistent if it
  // creates or kills other sprites.
  owned.reset();
}

void TSpriteEngine::InsertSorted(TSprite* sprite) {
  int low = 0;
  int high = Count() - 1;
  while (high >= low) {
    const int middle = (low + high) / 2;
    // 64-bit: the difference of two extreme depths must not overflow.
    if (int64_t{sprites_[static_cast<size_t>(middle)]->z_} - sprite->z_ < 0) {
      low = middle + 1;
    } else {
      high = middle - 1;
    }
  }
  sprites_.insert(sprites_.begin() + low, sprite);
}

void TSpriteEngine::RemoveSprite(TSprite* sprite) {
  const auto it = std::find(sprites_.begin(), sprites_.end(), sprite);
  if (it != sprites_.end()) sprites_.erase(it);
}

void TSpriteEngine::Unlink(TSprite* sprite) {
  RemoveSprite(sprite);
  dead_.erase(std::remove(dead_.begin(), dead_.end(), sprite), dead_.end());
}

void TSpriteEngine::MoveAll(float delta) {
  PassGuard guard(*this);
  const int count = Count();
  for (int i = 0; i < count && i < Count(); ++i) sprites_[static_cast<size_t>(i)]->Move(delta);
}

void TSpriteEngine::DrawAll() {
  PassGuard guard(*this);
  const int count = Count();
  for (int i = 0; i < count && i < Count(); ++i) sprites_[static_cast<size_t>(i)]->Draw();
}

void TSpriteEngine::CheckCollisions() {
  PassGuard guard(*this);
  const int count = Count();
  for (int i = 0; i < count && i < Count(); ++i) {
    // A pair is tested only when both are collidable; skipping a non-collidable tester early
    // keeps the pass linear in the number of sprites.
    if (!sprites_[static_cast<size_t>(i)]->Collidable) continue;
    for (int j = i + 1; j < Count(); ++j) {
      TSprite* tester = sprites_[static_cast<size_t>(i)];
      TSprite* other = sprites_[static_cast<size_t>(j)];
      if (tester->Collidable && other->Collidable) tester->Collide(*other);
    }
  }
}

void TSpriteEngine::RemoveDead() {
  if (passDepth_ > 0) return;
  while (!dead_.empty()) {
    TSprite* last = dead_.back();
    if (last->ownerSlot_ >= 0) {
      Free(last);
    } else {
      dead_.pop_back();
    }
  }
}

}  // namespace zb
