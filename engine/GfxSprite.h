#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/WeakRef.h"

namespace zb {

class TGfxCanvas;
class TGfxImage;
class TGfxImages;
class TSprite;
class TSpriteEngine;

struct TSpritePoint {
  float X = 0.0f;
  float Y = 0.0f;
  friend bool operator==(const TSpritePoint&, const TSpritePoint&) = default;
};

struct TSpriteRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  friend bool operator==(const TSpriteRect&, const TSpriteRect&) = default;
};

using TSpriteQuad = std::array<TSpritePoint, 4>;

// Truncation toward zero, held inside the int range (NaN gives 0) so that a runaway value
// stays defined.
inline int SpriteTrunc(float value) {
  if (value != value) return 0;
  if (value <= -2147483520.0f) return INT32_MIN;
  if (value >= 2147483520.0f) return INT32_MAX;
  return static_cast<int>(value);
}

// A checked reference to a sprite the engine owns: empty once RemoveDead (or the engine) has
// freed it. Game objects keep these instead of pointers.
template <class T = TSprite>
using SpriteRef = TWeakRef<T, TSprite>;

// Everything drawn or moved in menus, story and play. The engine owns every sprite; game
// classes override Kill, Move and Draw.
class TSprite {
 public:
  explicit TSprite(TSpriteEngine& engine);
  virtual ~TSprite();
  TSprite(const TSprite&) = delete;
  TSprite& operator=(const TSprite&) = delete;

  virtual void SetName(const std::string& value) { Name = value; }
  virtual void SetRed(int value) { Red = value; }
  virtual void SetGreen(int value) { Green = value; }
  virtual void SetBlue(int value) { Blue = value; }
  virtual void SetAlpha(int value) { Alpha = value; }
  virtual void SetImageName(const std::string& value) { ImageName = value; }
  virtual void SetPatternIndex(int value) { PatternIndex = value; }
  // Values above 5 become 0; negative ones are kept and draw nothing.
  virtual void SetDrawMode(int value) { drawMode_ = value > 5 ? 0 : value; }
  virtual void SetX(float value) { X = value; }
  virtual void SetY(float value) { Y = value; }
  // A new depth re-inserts the sprite in front of the sprites of equal depth.
  virtual void SetZ(int value);
  // Copies every field but the engine; list membership stays as it is.
  virtual void Assign(const TSprite& source);
  // Tests against `other` by this sprite's CollideMode; on a hit both OnCollide hooks run.
  virtual void Collide(TSprite& other);
  // Collide with every other sprite of the engine, last list index first.
  virtual void CollideAll();
  // The Collide test without the hooks.
  virtual void TestCollision(TSprite& other);
  // Marks the sprite dead and queues it once for RemoveDead.
  virtual void Kill();
  virtual void OnCollide(TSprite& /*other*/) {}
  virtual void Move(float /*delta*/) {}
  virtual void Draw();

  TSpriteEngine& Engine() const { return engine_; }
  int Z() const { return z_; }
  int DrawMode() const { return drawMode_; }
  bool Dead() const { return dead_; }
  // Alpha << 24 | Blue << 16 | Green << 8 | Red.
  uint32_t PackedColor() const;

  // Sizes of the image named exactly ImageName; 0 when there is none.
  int VisibleWidth() const;
  int VisibleHeight() const;
  int PatternWidth() const;
  int PatternHeight() const;

  const TLifeline<TSprite>& Lifeline() const { return lifeline_; }

  std::string Name;
  float X = 200.0f;
  float Y = 200.0f;
  TSpriteQuad QuadPoints{{{0, 0}, {10, 0}, {10, 10}, {0, 10}}};
  float OffsetX = 0.0f;
  float OffsetY = 0.0f;
  bool Visible = true;
  int DrawEffect = 0x0504;
  bool MirrorX = false;
  bool MirrorY = false;
  float UserScaleX = 0.0f;
  float UserScaleY = 0.0f;
  bool CenterScale = true;
  std::array<uint32_t, 4> CornerColors{0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
  int Red = 255;
  int Green = 255;
  int Blue = 255;
  int Alpha = 255;
  bool Collidable = false;
  bool Collided = false;
  float Angle = 0.0f;
  std::string ImageName;
  int PatternIndex = 0;
  int ImageNumber = 0;
  float ScaleX = 1.0f;
  float ScaleY = 1.0f;
  float ShiftX = 0.0f;
  float ShiftY = 0.0f;
  bool CanMove = true;
  TSpriteRect ClipBounds{-100, -100, 4400, 3300};
  float CollideCenterX = 0.0f;
  float CollideCenterY = 0.0f;
  int CollideRadius = 0;
  TSpriteRect CollideRect;
  TSpriteQuad CollideQuad{};
  uint8_t CollideMode = 0;     // 0 circle, 1 rectangle, 2 quad
  uint8_t ImageNameMode = 1;   // 0 ImageName + ImageNumber, 1 ImageName, else no image

 protected:
  // The image Draw uses, resolved by ImageNameMode; null when there is none.
  const TGfxImage* DrawnImage() const;

 private:
  friend class TSpriteEngine;
  bool Hits(const TSprite& other) const;
  const TGfxImage* FindCached(const std::string& name) const;

  TSpriteEngine& engine_;
  int z_ = 0;
  int drawMode_ = 0;
  bool dead_ = false;
  int ownerSlot_ = -1;  // index in the engine's ownership table; -1 while not owned by it
  // Image lookup cache: the name last resolved and the list index it resolved to.
  mutable std::string cachedName_;
  mutable int cachedIndex_ = -1;
  mutable int cachedCount_ = -1;
  mutable const TGfxImage* cachedImage_ = nullptr;
  TLifeline<TSprite> lifeline_{this};
};

// A sprite that steps through the patterns of its image (or through numbered images).
class TAnimatedSprite : public TSprite {
 public:
  explicit TAnimatedSprite(TSpriteEngine& engine) : TSprite(engine) {}

  void Assign(const TSprite& source) override;
  void Move(float delta) override;

  virtual void SetAnimation(const std::string& imageName, int animStart, int animCount, float animSpeed,
                            bool looped, bool mirrorX, bool animating, uint8_t playMode);
  // The same, keeping the mirror and the running state.
  virtual void SetAnimation(const std::string& imageName, int animStart, int animCount, float animSpeed,
                            bool looped, uint8_t playMode);
  // A different start also moves the current position to it.
  void SetAnimStart(int value);

  bool Animating = true;
  bool Looped = true;
  int AnimStart = 0;
  int AnimCount = 0;
  float AnimSpeed = 0.0f;
  float AnimPos = 0.0f;
  bool AnimEnded = false;
  bool PingPongTop = false;
  bool PingPongBottom = false;
  uint8_t PlayMode = 0;  // 0 forward, 1 backward, 2 ping-pong
};

// Owns every sprite, keeps them sorted by depth and runs the per-frame passes.
class TSpriteEngine {
 public:
  TSpriteEngine();
  ~TSpriteEngine();
  TSpriteEngine(const TSpriteEngine&) = delete;
  TSpriteEngine& operator=(const TSpriteEngine&) = delete;

  // Creates a sprite of class T (its constructor takes the engine first); TSprite's constructor
  // has already inserted it by depth, and from here on the engine owns it.
  template <class T, class... Args>
  T& Create(Args&&... args) {
    auto sprite = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& result = *sprite;
    Adopt(std::move(sprite));
    return result;
  }

  void SetCanvas(TGfxCanvas* canvas) { canvas_ = canvas; }
  TGfxCanvas* Canvas() const { return canvas_; }

  int Count() const { return static_cast<int>(sprites_.size()); }
  TSprite* SpriteAt(int index) const;
  int DeadCount() const { return static_cast<int>(dead_.size()); }
  TSprite* DeadAt(int index) const;

  void MoveAll(float delta);
  void DrawAll();
  void CheckCollisions();
  // Frees the queued dead sprites, the last queued first. Inside a pass it does nothing: a
  // sprite must not be freed while its own Move or Draw may still be running.
  void RemoveDead();

  TGfxImages* Images = nullptr;
  float WorldX = 0.0f;
  float WorldY = 0.0f;
  float ZoomX = 1.0f;
  float ZoomY = 1.0f;

 private:
  friend class TSprite;
  void Adopt(std::unique_ptr<TSprite> sprite);
  void Free(TSprite* sprite);
  void InsertSorted(TSprite* sprite);
  void RemoveSprite(TSprite* sprite);
  void Unlink(TSprite* sprite);

  class PassGuard;

  std::vector<TSprite*> sprites_;               // ascending depth; entries owned through owned_
  std::vector<TSprite*> dead_;                  // killed and waiting; each is also in sprites_
  std::vector<std::unique_ptr<TSprite>> owned_;  // unordered; a sprite knows its slot
  TGfxCanvas* canvas_ = nullptr;
  int passDepth_ = 0;
};

}  // namespace zb
