#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

#include "engine/platform/Renderer.h"

namespace zb {

class TGfxImage;

// One pattern turned by one angle: an upright texture trimmed to the drawn pixels, placed by the
// offset of its top-left corner from the centre of the turn.
struct TTurnedFrame {
  platform::TextureId Texture = platform::NoTexture;
  int Width = 0, Height = 0;
  int Left = 0, Top = 0;
};

// Patterns turned once per angle and kept, for renderers that copy upright pixels far faster than
// they fill turned triangles (the software renderer). Angles are rounded to a step that moves the
// pattern's farthest pixel by at most half a pixel, so a swaying plant comes back to a few dozen
// frames; the store stops growing at a fixed size, and the caller then turns quads as before.
class TTurnedFrames {
 public:
  static constexpr uint64_t kMaxBytes = 48u << 20;

  TTurnedFrames() = default;
  ~TTurnedFrames();
  TTurnedFrames(const TTurnedFrames&) = delete;
  TTurnedFrames& operator=(const TTurnedFrames&) = delete;

  // The frame of the pattern turned by `angle` (radians, clockwise on the screen) about its
  // centre, sampled at pixel centres from the nearest texel; nullptr when the store is full or
  // the pattern cannot be read.
  const TTurnedFrame* Find(platform::Renderer& renderer, const TGfxImage& image, int pattern, float angle);
  // Frees every frame (the renderer is going, or its textures are).
  void Clear();
  size_t Count() const { return frames_.size(); }

  // Turns the visible area of a pattern (rows of 0xAARRGGBB, `width` x `height`) by `angle`:
  // pixels trimmed to the drawn ones, and where they lie from the centre of the turn.
  static std::vector<uint32_t> Turn(const uint32_t* pixels, int stride, int width, int height, float angle,
                                    int& left, int& top, int& outWidth, int& outHeight);

 private:
  using Key = std::tuple<const TGfxImage*, platform::TextureId, int, int>;  // image, texture, pattern, step

  std::map<Key, TTurnedFrame> frames_;
  platform::Renderer* renderer_ = nullptr;
  uint64_t bytes_ = 0;
};

}  // namespace zb
