#include "engine/GfxTurnedFrames.h"

#include <algorithm>
#include <cmath>

#include "engine/GfxImages.h"

namespace zb {

TTurnedFrames::~TTurnedFrames() { Clear(); }

void TTurnedFrames::Clear() {
  if (renderer_) {
    for (auto& [key, frame] : frames_) {
      if (frame.Texture != platform::NoTexture) renderer_->DestroyTexture(frame.Texture);
    }
  }
  frames_.clear();
  renderer_ = nullptr;
  bytes_ = 0;
}

std::vector<uint32_t> TTurnedFrames::Turn(const uint32_t* pixels, int stride, int width, int height, float angle,
                                          int& left, int& top, int& outWidth, int& outHeight) {
  const double c = std::cos(static_cast<double>(angle));
  const double s = std::sin(static_cast<double>(angle));
  const double hw = width / 2.0;
  const double hh = height / 2.0;
  // The turned corners bound the frame; it is trimmed to the drawn pixels afterwards.
  const double ex = std::abs(hw * c) + std::abs(hh * s);
  const double ey = std::abs(hw * s) + std::abs(hh * c);
  const int x0 = static_cast<int>(std::floor(-ex)), x1 = static_cast<int>(std::ceil(ex));
  const int y0 = static_cast<int>(std::floor(-ey)), y1 = static_cast<int>(std::ceil(ey));
  const int w = x1 - x0, h = y1 - y0;
  std::vector<uint32_t> out(static_cast<size_t>(w) * static_cast<size_t>(h), 0u);
  int minX = w, minY = h, maxX = -1, maxY = -1;
  for (int j = 0; j < h; ++j) {
    const double dy = y0 + j + 0.5;
    for (int i = 0; i < w; ++i) {
      const double dx = x0 + i + 0.5;
      // Back from the screen into the pattern: the inverse turn. The texel is picked as the
      // software renderer's triangle filler picks it (half a texel back), so that both draw alike;
      // the small bias settles angles such as a quarter turn, where pixels fall on texel edges.
      const double u = hw + dx * c + dy * s - 0.5 + 1e-4;
      const double v = hh - dx * s + dy * c - 0.5 + 1e-4;
      if (u < 0.0 || v < 0.0 || u >= width || v >= height) continue;
      const uint32_t texel = pixels[static_cast<size_t>(v) * static_cast<size_t>(stride) + static_cast<size_t>(u)];
      if ((texel >> 24) == 0) continue;
      out[static_cast<size_t>(j) * static_cast<size_t>(w) + static_cast<size_t>(i)] = texel;
      minX = std::min(minX, i), maxX = std::max(maxX, i);
      minY = std::min(minY, j), maxY = std::max(maxY, j);
    }
  }
  if (maxX < 0) {
    left = top = outWidth = outHeight = 0;
    return {};
  }
  outWidth = maxX - minX + 1;
  outHeight = maxY - minY + 1;
  left = x0 + minX;
  top = y0 + minY;
  std::vector<uint32_t> trimmed(static_cast<size_t>(outWidth) * static_cast<size_t>(outHeight));
  for (int j = 0; j < outHeight; ++j) {
    std::copy_n(out.begin() + static_cast<ptrdiff_t>((minY + j) * w + minX), outWidth,
                trimmed.begin() + static_cast<ptrdiff_t>(j * outWidth));
  }
  return trimmed;
}

const TTurnedFrame* TTurnedFrames::Find(platform::Renderer& renderer, const TGfxImage& image, int pattern,
                                        float angle) {
  if (renderer_ != &renderer) Clear();
  renderer_ = &renderer;
  TPatternSource source;
  source.Pattern = pattern;
  TPatternPlacement place;
  if (!image.Place(source, place)) return nullptr;
  const int width = image.VisibleWidth();
  const int height = image.VisibleHeight();
  // Rounding to the nearest step moves the farthest corner by at most half a pixel.
  const double step = 1.0 / std::max(1.0, std::hypot(width / 2.0, height / 2.0));
  const int index = static_cast<int>(std::lround(angle / step));
  const Key key{&image, image.Texture(place.Texture), pattern, index};
  if (const auto it = frames_.find(key); it != frames_.end()) return &it->second;
  if (bytes_ >= kMaxBytes) return nullptr;

  const std::span<const uint32_t> pixels = image.Pixels(place.Texture);
  const int textureWidth = image.TextureWidth();
  const int texelLeft = static_cast<int>(std::lround(std::min(place.U[0], place.U[1]) * textureWidth));
  const int texelTop = static_cast<int>(std::lround(std::min(place.V[0], place.V[3]) * image.TextureHeight()));
  if (pixels.empty()) return nullptr;
  TTurnedFrame frame;
  const std::vector<uint32_t> turned =
      Turn(pixels.data() + static_cast<size_t>(texelTop) * static_cast<size_t>(textureWidth) +
               static_cast<size_t>(texelLeft),
           textureWidth, width, height, static_cast<float>(index * step), frame.Left, frame.Top, frame.Width,
           frame.Height);
  if (!turned.empty()) {
    frame.Texture = renderer.CreateTexture(frame.Width, frame.Height, turned.data());
    if (frame.Texture == platform::NoTexture) return nullptr;
  }
  bytes_ += turned.size() * sizeof(uint32_t) + 64;
  return &frames_.emplace(key, frame).first->second;
}

}  // namespace zb
