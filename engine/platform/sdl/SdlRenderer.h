#pragma once

#include <optional>
#include <vector>

#include "engine/platform/Renderer.h"

struct SDL_Renderer;
struct SDL_Texture;

namespace zb::platform {

// The renderer over an SDL_Renderer: a window's accelerated one or a software one on a surface.
class SdlRenderer final : public Renderer {
 public:
  // Takes ownership of `renderer`.
  explicit SdlRenderer(SDL_Renderer* renderer);
  ~SdlRenderer() override;
  SdlRenderer(const SdlRenderer&) = delete;
  SdlRenderer& operator=(const SdlRenderer&) = delete;

  SDL_Renderer* Native() const { return renderer_; }

  int Width() const override;
  int Height() const override;
  TextureId CreateTexture(int width, int height, const uint32_t* argb) override;
  void DestroyTexture(TextureId texture) override;
  void DrawGeometry(TextureId texture, const Vertex* vertices, int vertexCount, const int* indices,
                    int indexCount, int effect, bool linearFilter) override;
  void SetClip(const IntRect* rect) override;
  IntRect Clip() const override;
  bool PrefersCopies() const override { return software_; }
  void Clear(uint32_t argb) override;
  void Present() override;
  bool ReadPixels(std::vector<uint32_t>& argb, int& width, int& height) override;

 private:
  struct Slot {
    SDL_Texture* texture = nullptr;
    int blendEffect = -1;
    int linear = -1;
    int width = 0;
    int height = 0;
    uint32_t modulation = 0xFFFFFFFFu;  // colour and alpha mod as r, g, b, a bytes
  };

  Slot* Find(TextureId id);
  int ApplyBlend(Slot* slot, int effect);
  void Modulate(Slot& slot, uint32_t rgba);
  // The software renderer's triangle filler misses texels by up to one (its texel centres do
  // not meet the GPU's); axis-aligned one-colour quads, most of what is drawn, therefore go
  // through its copy, which meets them exactly.
  void DrawSoftwareQuads(Slot& slot, const Vertex* vertices, int vertexCount, const int* indices,
                         int indexCount);
  // Its triangle filler is slow too: upright untextured quads of one colour, or of a gradient
  // along one axis, are filled as rectangles.
  void DrawSoftwareFills(const Vertex* vertices, int vertexCount, const int* indices, int indexCount);
  void FillUpright(const Vertex* corners, bool down);

  void ApplyClip();

  SDL_Renderer* renderer_;
  std::optional<IntRect> clip_;  // in output pixels, as the canvas set it
  std::vector<Slot> slots_;  // TextureId n lives in slots_[n - 1]
  std::vector<TextureId> freeIds_;
  int drawBlendEffect_ = -1;
  bool software_ = false;
  int width_ = 0;
  int height_ = 0;
};

// The SDL blend mode for a canvas effect code; non-standard codes are composed, and
// `standardOnly` picks the nearest standard mode for renderers that refuse composed ones.
int SdlBlendModeForEffect(int effect, bool standardOnly);

}  // namespace zb::platform
