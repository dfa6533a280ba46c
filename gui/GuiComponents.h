#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>

#include "gui/GuiTypes.h"

namespace zb {

struct TGuiPoint {
  int X = 0, Y = 0;
  friend bool operator==(const TGuiPoint&, const TGuiPoint&) = default;
};

struct TGuiRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Empty() const { return Left >= Right || Top >= Bottom; }
  // Both edges are inclusive.
  bool Contains(TGuiPoint p) const { return p.X >= Left && p.X <= Right && p.Y >= Top && p.Y <= Bottom; }
  // Kept within +-2^29 like every stored coordinate, however deep the nesting.
  TGuiRect Offset(int dx, int dy) const {
    return {Clamp(int64_t{Left} + dx), Clamp(int64_t{Top} + dy), Clamp(int64_t{Right} + dx),
            Clamp(int64_t{Bottom} + dy)};
  }
  static int Clamp(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -(1 << 29), 1 << 29)); }
  TGuiRect Shrink(int by) const { return {Left + by, Top + by, Right - by, Bottom - by}; }
  // An empty intersection comes back as all zeros.
  TGuiRect Intersect(const TGuiRect& other) const {
    const TGuiRect r{std::max(Left, other.Left), std::max(Top, other.Top), std::min(Right, other.Right),
                     std::min(Bottom, other.Bottom)};
    return r.Empty() ? TGuiRect{} : r;
  }
  static TGuiRect Sized(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
  }
  friend bool operator==(const TGuiRect&, const TGuiRect&) = default;
};

// Property identifiers of every component.
enum : int32_t {
  kPropLeft = 0x70000,
  kPropTop = 0x70001,
  kPropWidth = 0x70002,
  kPropHeight = 0x70003,
  kPropTag = 0x70004,
  kPropVisible = 0x70005,
  kPropEnabled = 0x70006,
};

// A rectangle relative to the parent, with a tag and the Visible and Enabled switches.
class TGuiComponent : public TGuiObject {
 public:
  using Event = std::function<void(TGuiComponent& sender)>;

  const TGuiRect& BoundsRect() const { return bounds_; }
  int Left() const { return bounds_.Left; }
  int Top() const { return bounds_.Top; }
  int Width() const { return bounds_.Width(); }
  int Height() const { return bounds_.Height(); }
  // 0 Left and 1 Top keep the size; 2 width and 3 height move the right or bottom edge.
  void SetBoundsValue(int index, int value);
  int GetSize(int index) const;
  void SetBounds(int left, int top, int width, int height);

  const TGuiValue& Tag() const { return tag_; }
  void SetTag(TGuiValue value) { tag_ = std::move(value); }
  // The tag read as a number; nothing when it is text that is no number.
  std::optional<int64_t> TagNumber() const { return ValueNumber(tag_); }

  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);

  TGuiValue GetProperty(int32_t id) const override;
  void SetProperty(int32_t id, const TGuiValue& value) override;

  Event OnShow;
  Event OnHide;

  virtual void BoundsChanging(TGuiRect& /*proposed*/) {}
  virtual void DoShow() {}
  virtual void DoHide() {}
  virtual void DoEnable() {}
  virtual void DoDisable() {}

 protected:
  TGuiComponent();

 private:
  TGuiRect bounds_;
  TGuiValue tag_ = int64_t{0};
  bool visible_ = true;
  bool enabled_ = true;
};

}  // namespace zb
