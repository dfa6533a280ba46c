#pragma once

#include <vector>

#include "engine/platform/Renderer.h"

namespace zb::platform {

// A renderer that accepts every drawing call and draws nothing: the game runs in full, only
// the pixels are skipped, so simulation alone sets the pace of headless play.
class NullRenderer final : public Renderer {
 public:
  NullRenderer(int width, int height) : width_(width), height_(height), clip_{0, 0, width, height} {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  TextureId CreateTexture(int, int, const uint32_t*) override { return ++lastTexture_; }
  void DestroyTexture(TextureId) override {}
  void DrawGeometry(TextureId, const Vertex*, int, const int*, int, int, bool) override {}
  void SetClip(const IntRect* rect) override { clip_ = rect != nullptr ? *rect : IntRect{0, 0, width_, height_}; }
  IntRect Clip() const override { return clip_; }
  void Clear(uint32_t) override {}
  void Present() override {}
  // There is no picture to read.
  bool ReadPixels(std::vector<uint32_t>&, int&, int&) override { return false; }

 private:
  int width_;
  int height_;
  IntRect clip_;
  TextureId lastTexture_ = NoTexture;
};

}  // namespace zb::platform
